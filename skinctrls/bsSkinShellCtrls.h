#pragma once
// The shell folder views on the file system: a folder tree, a file list and a drive box, and a
// folder-change watcher.
//
// The namespace they browse: the desktop is "/"; its children are the home folder and the
// mounted volumes first, then the other folders of "/". An item's identifier is its chain of
// ancestors from the desktop (each a path), so the parent of the home folder or of a mounted
// volume is the desktop, whatever its path says. Icons come from the desktop's icon theme,
// or from pictures of our own where the theme has none.
//
//   TbsShellFolder              one item of the namespace as the views hold it
//   TbsSkinDirTreeView          the folder tree, filled lazily as nodes expand
//   TbsSkinFileListView         the file list of one folder (owner data: only what is shown
//                               is formatted), filtered by Mask, folders first
//   TbsSkinShellDriveComboBox   the root, the home folder and the mounted volumes
//   TbsShellChangeNotifier      watches a folder while OnChange is assigned

#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinViews.h"

#include "framework/Exceptions.h"
#include "framework/ImgList.h"

#include <QDateTime>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QFileSystemWatcher;
class TbsSkinDirTreeView;
class TbsSkinFileListView;
class TbsShellChangeNotifier;

// Which items an enumeration returns.
using TShellObjectTypes = unsigned;
constexpr TShellObjectTypes otFolders = 1u << 0;
constexpr TShellObjectTypes otNonFolders = 1u << 1;
constexpr TShellObjectTypes otHidden = 1u << 2;

// ---------------------------------------------------------------- the namespace

namespace ShellNamespace {
// The desktop's path.
inline const QString DesktopPath = QStringLiteral("/");
// The home folder and the mounted volumes (not "/"), in that order.
QStringList DesktopSpecialFolders();
// The root a Root text stands for: a special-folder name ("rfDesktop", "rfPersonal", ...)
// or a path. Raises "Error setting path: "%s"" for a root that does not resolve to an
// existing folder.
QString ResolveRoot(const QString& root);
// A clean absolute path for a typed one ("\" taken as "/"), or empty when it names nothing.
QString ParsePath(const QString& path);
// The ancestors of a path from the desktop to the path itself.
QStringList AncestorChain(const QString& path);
// The namespace parent (empty for the desktop).
QString ParentOf(const QString& path);
// The name the views show for an item.
QString DisplayName(const QString& path);
// A display name with the shell's "?digit" marks removed.
QString CleanDisplayName(const QString& name);
// The extension, dot included ("" for none); a bare trailing dot counts as none.
QString ExtensionOf(const QString& name);
// The file passes the mask: a mask with ".*" passes everything, otherwise the upper-cased
// extension must occur in the upper-cased mask.
bool MatchesMask(const QString& name, const QString& mask);
} // namespace ShellNamespace

// ---------------------------------------------------------------- shell images

// The shared icon lists of the views: small (16) and large (32) images, one pair per kind of
// item, added the first time a kind is shown.
class TbsShellImages {
public:
    static TbsShellImages& Instance();
    TImageList* Small() { return &FSmall; }
    TImageList* Large() { return &FLarge; }
    // The index of an item's icon in both lists; `open` for an expanded folder.
    int IndexOf(const QString& path, bool isFolder, bool open = false);

private:
    TbsShellImages();
    int Add(const QString& key, const QIcon& icon, bool isFolder, bool open);

    TImageList FSmall;
    TImageList FLarge;
    QHash<QString, int> FIndexes;
};

// ---------------------------------------------------------------- one item

class TbsShellFolder : public TItemData {
public:
    // An item with its namespace parent's path (empty for the desktop) and level.
    TbsShellFolder(const QString& path, const QString& parentPath, int level);

    // The file-system path; the item's identifier is its ancestor chain.
    QString PathName() const { return FPath; }
    QString ParentPath() const { return FParentPath; }
    QStringList AbsoluteID() const { return ShellNamespace::AncestorChain(FPath); }
    int Level() const { return FLevel; }
    QString DisplayName() const;
    // A folder that is not a ZIP file.
    bool IsFolder() const;
    // Has a subfolder (or, with otNonFolders in `types`, any item of the types).
    bool HasSubFolders(TShellObjectTypes types = otFolders) const;
    bool IsHidden() const;
    // Renames the item in its folder; raises "Rename to %s failed".
    void Rename(const QString& newName);
    // Opens the item with its default program.
    void ExecuteDefault() const;

    // Detail texts of the report columns after the name: size, type, modified.
    QStringList Details() const;
    // Raw details for sorting; size -1 and an invalid date for folders.
    qint64 Size() const;
    QDateTime Modified() const;

    int ImageIndex(bool open = false) const;

    // Set by the enumeration, which already knows them: the kind, and the place among the
    // desktop's special folders (-1 for an ordinary item).
    void SetIsFolder(bool value) { FIsFolder = value ? 1 : 0; }
    int SpecialRank() const { return FSpecialRank; }
    void SetSpecialRank(int value) { FSpecialRank = value; }

private:
    void LoadDetails() const;

    QString FPath;
    QString FParentPath;
    int FLevel;
    int FSpecialRank = -1;
    mutable int FIsFolder = -1;
    mutable bool FDetailsLoaded = false;
    mutable qint64 FSize = -1;
    mutable QDateTime FModified;
};

// The items of a folder, of the given types, in no particular order.
std::vector<std::unique_ptr<TbsShellFolder>> EnumerateFolder(const TbsShellFolder& folder,
                                                             TShellObjectTypes types);
// The shell's order of two items of one folder by name (the desktop's special folders first).
int CompareShellItems(const TbsShellFolder& a, const TbsShellFolder& b);

using TbsAddFolderEvent =
    std::function<void(TObject* Sender, TbsShellFolder* AFolder, bool& CanAdd)>;

// ---------------------------------------------------------------- folder tree

class TbsSkinDirTreeView : public TbsSkinCustomTreeView {
    Q_OBJECT
public:
    explicit TbsSkinDirTreeView(QWidget* parent = nullptr);
    ~TbsSkinDirTreeView() override;

    QString Root() const { return FRoot; }
    // Rebuilds the tree on the new root; an unresolvable root raises and keeps the old one.
    void SetRoot(const QString& value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool value);
    // The items' context menus are not shown on this system; kept for the dialogs' settings.
    bool AutoContextMenus() const { return FAutoContextMenus; }
    void SetAutoContextMenus(bool value) { FAutoContextMenus = value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool value);

    // Linked both ways: setting either side sets the other.
    TbsSkinFileListView* ShellListView() const { return FShellListView.data(); }
    void SetShellListView(TbsSkinFileListView* value);

    // Selects the node of the path (expanding its ancestors) and passes the selection on.
    // Raises "Error setting path: "%s"" for a path that does not resolve.
    void GoToPath(const QString& path);
    // The selected node's path, empty without one.
    QString CurrentPath() const;
    TbsShellFolder* SelectedFolder() const;
    TbsShellFolder* FolderOf(TTreeNode* node) const;
    // Rebuilds a node's children, keeping the expanded, top and selected nodes.
    void RefreshFolderNode(TTreeNode* node);
    // Selects the node of an identifier, expanding what leads to it.
    void SelectPath(const QString& path);

    TbsAddFolderEvent OnAddFolder;

protected:
    bool CanExpand(TTreeNode* node) override;
    void Change(TTreeNode* node) override;
    bool Edited(TTreeNode* node, QString& text) override;
    void KeyDown(int& Key, TShiftState Shift) override;

private:
    friend class TbsSkinFileListView;
    // Rebuilds on the root; `showInList`: a linked list shows the root too.
    void BuildTree(bool showInList = true);
    TTreeNode* AddFolderNode(TTreeNode* parent, std::unique_ptr<TbsShellFolder> folder);
    void FillNode(TTreeNode* node);
    // Among the nodes below `from`, the one of `path`.
    TTreeNode* FindChild(TTreeNode* from, const QString& path) const;
    TTreeNode* FindNode(const QString& path) const;
    void UpdateWatcher();

    QString FRoot = QStringLiteral("rfDesktop");
    QString FRootPath;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FUseShellImages = true;
    bool FAutoContextMenus = true;
    bool FAutoRefresh = false;
    QPointer<TbsSkinFileListView> FShellListView;
    std::unique_ptr<TbsShellChangeNotifier> FNotifier;
    bool FSelecting = false;
};

// ---------------------------------------------------------------- file list

class TbsSkinFileListView : public TbsSkinCustomListView {
    Q_OBJECT
public:
    explicit TbsSkinFileListView(QWidget* parent = nullptr);
    ~TbsSkinFileListView() override;

    QString Root() const { return FRoot; }
    // Shows the root folder; an unresolvable root raises and keeps the old one.
    void SetRoot(const QString& value);
    // The folder shown.
    QString Path() const;
    // Shows a folder; raises "Error setting path: "%s"" for one that does not resolve.
    void SetPath(const QString& path);
    TbsShellFolder* CurrentFolder() const { return FCurrentFolder.get(); }

    QString Mask() const { return FMask; }
    // Re-reads the folder when the mask changed.
    void SetMask(const QString& value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes value);
    // Folders before other items, each group by name.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    // A double click or Enter on a folder opens it.
    bool AutoNavigate() const { return FAutoNavigate; }
    void SetAutoNavigate(bool value) { FAutoNavigate = value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool value);
    bool AutoContextMenus() const { return FAutoContextMenus; }
    void SetAutoContextMenus(bool value) { FAutoContextMenus = value; }

    TbsSkinDirTreeView* ShellTreeView() const { return FShellTreeView.data(); }
    void SetShellTreeView(TbsSkinDirTreeView* value);

    // Report style builds its columns.
    void SetViewStyle(TViewStyle value) override;

    // The item objects in list order.
    int FolderCount() const { return static_cast<int>(FFolders.size()); }
    TbsShellFolder* Folders(int index) const;
    // The focused item's path when it is not a folder, else empty.
    QString SelectedFilePath() const;
    // The paths of every selected item that is not a folder.
    void GetSelectedFiles(QStringList& list) const;
    // Shows the namespace parent of the current folder (nothing at the desktop).
    void GoUp();
    // Re-reads the folder, keeping the selected position unless it was the last item.
    void Reload();
    // Sorts by a report column (0 name, 1 size, 2 type, 3 modified); folders stay first.
    // Sorting again by the same column reverses the order.
    void SortByColumn(int column);
    int SortColumn() const { return FSortColumn; }
    bool SortDescending() const { return FSortDescending; }

    TbsAddFolderEvent OnAddFolder;

protected:
    void FetchItem(TListItem& item) override;
    void ColumnClick(int column) override;
    bool Edited(TListItem* item, QString& text) override;
    void DblClick() override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void Resize() override;

private:
    friend class TbsSkinDirTreeView;
    // Shows a resolved folder; `fromTree` when the linked tree asked for it.
    void ShowFolder(const QString& path, bool fromTree);
    void Populate();
    void SortFolders();
    void BuildColumns();
    // The name column takes the room the other report columns leave, at least its own width.
    void FitNameColumn();
    int NameColumnWidth() const;
    // Opens the item: a folder is shown, anything else is opened by its program.
    void OpenItem(int index);
    void UpdateWatcher();

    QString FRoot = QStringLiteral("rfDesktop");
    QString FRootPath;
    std::unique_ptr<TbsShellFolder> FCurrentFolder;
    std::vector<std::unique_ptr<TbsShellFolder>> FFolders;
    QString FMask = QStringLiteral("*.*");
    TShellObjectTypes FObjectTypes = otFolders | otNonFolders;
    bool FSorted = true;
    bool FAutoNavigate = true;
    bool FAutoRefresh = false;
    bool FAutoContextMenus = true;
    int FSortColumn = 0;
    bool FSortDescending = false;
    QPointer<TbsSkinDirTreeView> FShellTreeView;
    std::unique_ptr<TbsShellChangeNotifier> FNotifier;
};

// ---------------------------------------------------------------- drive box

// Drive types as a bit set over the platform's numbers: removable 2, fixed 3, remote 4,
// CD-ROM 5, RAM 6.
using TDriveTypes = unsigned;
constexpr TDriveTypes dtRemovable = 1u << 2;
constexpr TDriveTypes dtFixed = 1u << 3;
constexpr TDriveTypes dtRemote = 1u << 4;
constexpr TDriveTypes dtCDROM = 1u << 5;
constexpr TDriveTypes dtRAM = 1u << 6;

// One entry of the drive box.
struct TbsShellDrive {
    QString RootPath;
    QString DisplayName;
    unsigned DriveType = 3;
};

// The root, the home folder and the mounted volumes of the given types.
std::vector<TbsShellDrive> ShellDrives(TDriveTypes types);

class TbsSkinShellDriveComboBox : public TbsSkinComboBox {
    Q_OBJECT
public:
    explicit TbsSkinShellDriveComboBox(QWidget* parent = nullptr);
    ~TbsSkinShellDriveComboBox() override;

    TDriveTypes DriveTypes() const { return FDriveTypes; }
    void SetDriveTypes(TDriveTypes value);
    // Fills the box again, keeping the selected position.
    void BuildList();

    int DriveCount() const { return static_cast<int>(FDrives.size()); }
    const TbsShellDrive& Drive(int index) const { return FDrives.at(size_t(index)); }
    // The selected drive's root path, empty without one.
    QString Drive() const;
    // Selects the drive of that root path, raising OnChange like a user's choice; false when
    // there is none.
    bool SelectDrive(const QString& rootPath);
    // The root path of the drive holding `path` (the longest matching root).
    QString DriveOf(const QString& path) const;

private:
    void DrawDrive(TCanvas& c, int index, const TRect& rect);

    TDriveTypes FDriveTypes = dtRemovable | dtFixed | dtRemote | dtCDROM | dtRAM;
    std::vector<TbsShellDrive> FDrives;
    TImageList FImages;
};

// ---------------------------------------------------------------- change watcher

enum TNotifyFilter : unsigned {
    nfFileNameChange = 1u << 0,
    nfDirNameChange = 1u << 1,
    nfAttributeChange = 1u << 2,
    nfSizeChange = 1u << 3,
    nfWriteChange = 1u << 4,
    nfSecurityChange = 1u << 5,
};
using TNotifyFilters = unsigned;

// Watches Root (and with WatchSubTree its direct subfolders) while OnChange is assigned;
// changes arrive on the GUI thread. The views create one only with AutoRefresh, which the
// dialogs leave off.
class TbsShellChangeNotifier : public TComponent {
    Q_OBJECT
public:
    explicit TbsShellChangeNotifier(QObject* owner = nullptr);
    ~TbsShellChangeNotifier() override;

    QString Root() const { return FRoot; }
    void SetRoot(const QString& value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    TNotifyFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TNotifyFilters value);
    // Assigning a handler starts watching, clearing it stops.
    void SetOnChange(TNotifyEvent handler);
    bool Watching() const { return FWatcher != nullptr; }

private:
    void Rearm();

    QString FRoot = QStringLiteral("/");
    bool FWatchSubTree = true;
    TNotifyFilters FNotifyFilters = nfFileNameChange | nfDirNameChange;
    TNotifyEvent FOnChange;
    QFileSystemWatcher* FWatcher = nullptr;
};
