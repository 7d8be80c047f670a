// The folder tree and the file list.
#include "skinctrls/bsSkinShellCtrls.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QTreeView>
#include <algorithm>

using namespace ShellNamespace;

namespace {

// The hourglass while a folder is read.
class TBusyCursor {
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Sets a flag for the lifetime of the guard and restores it afterwards.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag), FOld(flag) { flag = true; }
    ~TFlagGuard() { FFlag = FOld; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

Exception PathError(const QString& path) {
    return Exception(QStringLiteral("Error setting path: \"%1\"").arg(path));
}

} // namespace

// ---------------------------------------------------------------- TbsSkinDirTreeView

TbsSkinDirTreeView::TbsSkinDirTreeView(QWidget* parent) : TbsSkinCustomTreeView(parent) {
    SetImages(TbsShellImages::Instance().Small());
    FRootPath = ResolveRoot(FRoot);
    BuildTree();
}

TbsSkinDirTreeView::~TbsSkinDirTreeView() {
    FSelecting = true;
    if (FShellListView && FShellListView->FShellTreeView == this)
        FShellListView->FShellTreeView = nullptr;
}

void TbsSkinDirTreeView::SetRoot(const QString& value) {
    const QString path = ResolveRoot(value);
    FRoot = value;
    FRootPath = path;
    BuildTree();
}

void TbsSkinDirTreeView::SetObjectTypes(TShellObjectTypes value) {
    if (value == FObjectTypes)
        return;
    FObjectTypes = value;
    const QString selected = CurrentPath();
    BuildTree();
    if (!selected.isEmpty() && selected != FRootPath)
        SelectPath(selected);
}

void TbsSkinDirTreeView::SetUseShellImages(bool value) {
    FUseShellImages = value;
    SetImages(value ? TbsShellImages::Instance().Small() : nullptr);
}

void TbsSkinDirTreeView::SetAutoRefresh(bool value) {
    FAutoRefresh = value;
    UpdateWatcher();
}

void TbsSkinDirTreeView::SetShellListView(TbsSkinFileListView* value) {
    if (FShellListView == value)
        return;
    FShellListView = value;
    if (!value)
        return;
    if (value->ShellTreeView() != this)
        value->SetShellTreeView(this);
    if (TbsShellFolder* folder = SelectedFolder())
        value->ShowFolder(folder->IsFolder() ? folder->PathName() : folder->ParentPath(), true);
}

TbsShellFolder* TbsSkinDirTreeView::FolderOf(TTreeNode* node) const {
    return node ? static_cast<TbsShellFolder*>(node->Data()) : nullptr;
}

TbsShellFolder* TbsSkinDirTreeView::SelectedFolder() const {
    return FolderOf(Selected());
}

QString TbsSkinDirTreeView::CurrentPath() const {
    TbsShellFolder* folder = SelectedFolder();
    return folder ? folder->PathName() : QString();
}

void TbsSkinDirTreeView::BuildTree(bool showInList) {
    TFlagGuard selecting(FSelecting);
    Items()->Clear();
    auto folder = std::make_unique<TbsShellFolder>(FRootPath, ParentOf(FRootPath),
                                                   int(AncestorChain(FRootPath).size()) - 1);
    folder->SetIsFolder(true);
    TTreeNode* node = AddFolderNode(nullptr, std::move(folder));
    if (!node)
        return;
    node->Expand();
    SetSelected(node);
    if (TbsSkinFileListView* list = ShellListView(); list && showInList) {
        list->FRoot = FRoot;
        list->FRootPath = FRootPath;
        list->ShowFolder(FRootPath, true);
    }
    UpdateWatcher();
}

TTreeNode* TbsSkinDirTreeView::AddFolderNode(TTreeNode* parent,
                                             std::unique_ptr<TbsShellFolder> folder) {
    bool canAdd = true;
    if (OnAddFolder)
        OnAddFolder(this, folder.get(), canAdd);
    if (!canAdd)
        return nullptr;
    TTreeNode* node = Items()->AddChild(parent, folder->DisplayName());
    node->SetImageIndex(folder->ImageIndex(false));
    node->SetSelectedIndex(folder->ImageIndex(true));
    node->SetHasChildren(folder->HasSubFolders(FObjectTypes));
    node->SetData(std::move(folder));
    return node;
}

void TbsSkinDirTreeView::FillNode(TTreeNode* node) {
    TbsShellFolder* folder = FolderOf(node);
    if (!folder)
        return;
    TBusyCursor busy;
    auto children = EnumerateFolder(*folder, FObjectTypes);
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return CompareShellItems(*a, *b) < 0; });
    Items()->BeginUpdate();
    for (auto& child : children)
        AddFolderNode(node, std::move(child));
    Items()->EndUpdate();
}

bool TbsSkinDirTreeView::CanExpand(TTreeNode* node) {
    if (!TbsSkinCustomTreeView::CanExpand(node))
        return false;
    TbsShellFolder* folder = FolderOf(node);
    if (!folder)
        return true;
    if (!folder->IsFolder()) {
        folder->ExecuteDefault();
        return false;
    }
    if (node->Count() == 0 && node->HasChildren())
        FillNode(node);
    // Only a node with children keeps its expand button.
    node->SetHasChildren(node->Count() > 0);
    return node->Count() > 0;
}

void TbsSkinDirTreeView::Change(TTreeNode* node) {
    TbsSkinCustomTreeView::Change(node);
    SyncScrollBars();
    UpdateWatcher();
    TbsShellFolder* folder = FolderOf(node);
    if (FSelecting || !folder)
        return;
    if (TbsSkinFileListView* list = ShellListView())
        list->ShowFolder(folder->IsFolder() ? folder->PathName() : folder->ParentPath(), true);
}

bool TbsSkinDirTreeView::Edited(TTreeNode* node, QString& text) {
    TbsShellFolder* folder = FolderOf(node);
    if (!folder)
        return false;
    folder->Rename(text);
    text = folder->DisplayName();
    TbsSkinCustomTreeView::Edited(node, text);
    return true;
}

void TbsSkinDirTreeView::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinCustomTreeView::KeyDown(Key, Shift);
    if (Key == Qt::Key_F5 && Selected()) {
        RefreshFolderNode(Selected());
        Key = 0;
    }
}

TTreeNode* TbsSkinDirTreeView::FindChild(TTreeNode* from, const QString& path) const {
    for (int i = 0; from && i < from->Count(); ++i) {
        TTreeNode* child = from->Item(i);
        if (TbsShellFolder* folder = FolderOf(child); folder && folder->PathName() == path)
            return child;
    }
    return nullptr;
}

TTreeNode* TbsSkinDirTreeView::FindNode(const QString& path) const {
    const QStringList chain = AncestorChain(path);
    const qsizetype rootIndex = chain.indexOf(FRootPath);
    if (rootIndex < 0)
        return nullptr;
    TTreeNode* node = const_cast<TbsSkinDirTreeView*>(this)->Items()->GetFirstNode();
    for (qsizetype i = rootIndex + 1; node && i < chain.size(); ++i)
        node = FindChild(node, chain.at(i));
    return node;
}

void TbsSkinDirTreeView::SelectPath(const QString& path) {
    const QStringList chain = AncestorChain(path);
    const qsizetype rootIndex = chain.indexOf(FRootPath);
    if (rootIndex < 0)
        throw PathError(path);
    if (CurrentPath() == path)
        return;
    TTreeNode* node = Items()->GetFirstNode();
    for (qsizetype i = rootIndex + 1; node && i < chain.size(); ++i) {
        if (!node->Expanded())
            node->Expand();
        TTreeNode* child = FindChild(node, chain.at(i));
        // A folder the tree leaves out (hidden, refused) ends the walk at its parent.
        if (!child)
            break;
        node = child;
    }
    if (!node)
        return;
    SetSelected(node);
    node->MakeVisible();
}

void TbsSkinDirTreeView::GoToPath(const QString& path) {
    const QString parsed = ParsePath(path);
    if (parsed.isEmpty())
        throw PathError(path);
    {
        TFlagGuard selecting(FSelecting);
        SelectPath(parsed);
        if (TTreeNode* node = Selected())
            node->Expand();
    }
    // Passed on as a user's selection would be: the list shows the folder itself, also
    // when the tree could only reach one of its ancestors.
    if (TbsSkinFileListView* list = ShellListView())
        list->ShowFolder(parsed, true);
}

void TbsSkinDirTreeView::RefreshFolderNode(TTreeNode* node) {
    if (!node)
        return;
    const QString selected = CurrentPath();
    TTreeNode* top = TopItem();
    const QString topPath = FolderOf(top) ? FolderOf(top)->PathName() : QString();
    QSet<QString> expanded;
    std::function<void(TTreeNode*)> collect = [&](TTreeNode* n) {
        for (int i = 0; i < n->Count(); ++i) {
            TTreeNode* child = n->Item(i);
            if (child->Expanded()) {
                expanded.insert(FolderOf(child)->PathName());
                collect(child);
            }
        }
    };
    collect(node);
    {
        TFlagGuard selecting(FSelecting);
        Items()->BeginUpdate();
        node->DeleteChildren();
        node->SetHasChildren(true);
        FillNode(node);
        std::function<void(TTreeNode*)> reexpand = [&](TTreeNode* n) {
            for (int i = 0; i < n->Count(); ++i) {
                TTreeNode* child = n->Item(i);
                if (expanded.contains(FolderOf(child)->PathName())) {
                    child->Expand();
                    reexpand(child);
                }
            }
        };
        reexpand(node);
        node->SetHasChildren(node->Count() > 0);
        Items()->EndUpdate();
        if (!selected.isEmpty())
            Guarded([&] { SelectPath(selected); });
        if (TTreeNode* t = FindNode(topPath))
            SetTopItem(t);
        if (TTreeNode* s = Selected())
            s->MakeVisible();
    }
    if (CurrentPath() != selected)
        Change(Selected());
}

void TbsSkinDirTreeView::UpdateWatcher() {
    if (!FAutoRefresh) {
        FNotifier.reset();
        return;
    }
    if (!FNotifier) {
        FNotifier = std::make_unique<TbsShellChangeNotifier>();
        FNotifier->SetWatchSubTree(false);
        FNotifier->SetOnChange([this](TObject*) { RefreshFolderNode(Selected()); });
    }
    if (!CurrentPath().isEmpty())
        FNotifier->SetRoot(CurrentPath());
}

// ---------------------------------------------------------------- TbsSkinFileListView

TbsSkinFileListView::TbsSkinFileListView(QWidget* parent) : TbsSkinCustomListView(parent) {
    SetOwnerData(true);
    SetLargeImages(TbsShellImages::Instance().Large());
    SetSmallImages(TbsShellImages::Instance().Small());
    FRootPath = ResolveRoot(FRoot);
    ShowFolder(FRootPath, false);
}

TbsSkinFileListView::~TbsSkinFileListView() {
    if (FShellTreeView && FShellTreeView->FShellListView == this)
        FShellTreeView->FShellListView = nullptr;
}

void TbsSkinFileListView::SetRoot(const QString& value) {
    const QString path = ResolveRoot(value);
    FRoot = value;
    FRootPath = path;
    ShowFolder(path, false);
}

QString TbsSkinFileListView::Path() const {
    return FCurrentFolder ? FCurrentFolder->PathName() : QString();
}

void TbsSkinFileListView::SetPath(const QString& path) {
    const QString parsed = ParsePath(path);
    if (parsed.isEmpty())
        throw PathError(path);
    ShowFolder(parsed, false);
}

void TbsSkinFileListView::SetMask(const QString& value) {
    if (value == FMask)
        return;
    FMask = value;
    Populate();
}

void TbsSkinFileListView::SetObjectTypes(TShellObjectTypes value) {
    if (value == FObjectTypes)
        return;
    FObjectTypes = value;
    Populate();
}

void TbsSkinFileListView::SetSorted(bool value) {
    if (value == FSorted)
        return;
    FSorted = value;
    Populate();
}

void TbsSkinFileListView::SetAutoRefresh(bool value) {
    FAutoRefresh = value;
    UpdateWatcher();
}

void TbsSkinFileListView::SetShellTreeView(TbsSkinDirTreeView* value) {
    if (FShellTreeView == value)
        return;
    FShellTreeView = value;
    if (value && value->ShellListView() != this)
        value->SetShellListView(this);
}

TbsShellFolder* TbsSkinFileListView::Folders(int index) const {
    return index >= 0 && index < FolderCount() ? FFolders[size_t(index)].get() : nullptr;
}

void TbsSkinFileListView::ShowFolder(const QString& path, bool fromTree) {
    const QStringList chain = AncestorChain(path);
    FCurrentFolder = std::make_unique<TbsShellFolder>(path, ParentOf(path), int(chain.size()) - 1);
    FCurrentFolder->SetIsFolder(true);
    Populate();
    UpdateWatcher();
    TbsSkinDirTreeView* tree = ShellTreeView();
    if (fromTree || !tree)
        return;
    TFlagGuard selecting(tree->FSelecting);
    if (!chain.contains(tree->FRootPath)) {
        // Outside the tree's root: the tree moves to the list's root.
        tree->FRoot = FRoot;
        tree->FRootPath = FRootPath;
        tree->BuildTree(false);
    }
    Guarded([&] { tree->SelectPath(path); });
}

void TbsSkinFileListView::Populate() {
    if (!FCurrentFolder)
        return;
    auto items = EnumerateFolder(*FCurrentFolder, FObjectTypes);
    std::unique_ptr<TBusyCursor> busy;
    if (items.size() > 1000)
        busy = std::make_unique<TBusyCursor>();
    FFolders.clear();
    FFolders.reserve(items.size());
    for (auto& item : items) {
        if (!item->IsFolder() &&
            !MatchesMask(item->PathName().mid(item->PathName().lastIndexOf('/') + 1), FMask))
            continue;
        bool canAdd = true;
        if (OnAddFolder)
            OnAddFolder(this, item.get(), canAdd);
        if (canAdd)
            FFolders.push_back(std::move(item));
    }
    SortFolders();
    Items()->SetCount(FolderCount());
}

void TbsSkinFileListView::SortFolders() {
    if (!FSorted)
        return;
    const int column = FSortColumn;
    const bool descending = FSortDescending;
    auto byColumn = [column](const TbsShellFolder& a, const TbsShellFolder& b) {
        switch (column) {
        case 1:
            if (a.Size() != b.Size())
                return a.Size() < b.Size() ? -1 : 1;
            break;
        case 2: {
            const int c =
                ExtensionOf(a.PathName()).compare(ExtensionOf(b.PathName()), Qt::CaseInsensitive);
            if (c != 0)
                return c;
            break;
        }
        case 3:
            if (a.Modified() != b.Modified())
                return a.Modified() < b.Modified() ? -1 : 1;
            break;
        default:
            break;
        }
        return CompareShellItems(a, b);
    };
    std::stable_sort(FFolders.begin(), FFolders.end(), [&](const auto& a, const auto& b) {
        const bool fa = a->IsFolder();
        const bool fb = b->IsFolder();
        if (fa != fb)
            return fa;
        const int c = byColumn(*a, *b);
        return descending ? c > 0 : c < 0;
    });
}

void TbsSkinFileListView::SortByColumn(int column) {
    if (column == FSortColumn)
        FSortDescending = !FSortDescending;
    else
        FSortDescending = false;
    FSortColumn = column;
    const TbsShellFolder* focused = Folders(ItemIndex());
    const QString focusedPath = focused ? focused->PathName() : QString();
    SortFolders();
    Items()->SetCount(FolderCount());
    for (int i = 0; i < FolderCount() && !focusedPath.isEmpty(); ++i)
        if (FFolders[size_t(i)]->PathName() == focusedPath)
            SetItemIndex(i);
}

void TbsSkinFileListView::ColumnClick(int column) {
    TbsSkinCustomListView::ColumnClick(column);
    SortByColumn(column);
}

int TbsSkinFileListView::NameColumnWidth() const {
    return 25 * std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('X')));
}

void TbsSkinFileListView::BuildColumns() {
    ClearColumns();
    const int charWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('X')));
    AddColumn({QStringLiteral("名称"), NameColumnWidth(), taLeftJustify, -1});
    AddColumn({QStringLiteral("大小"), 10 * charWidth, taRightJustify, -1});
    AddColumn({QStringLiteral("类型"), 10 * charWidth, taLeftJustify, -1});
    // The time as the rows show it, with a margin on each side.
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("88-88-88 88:88"));
    AddColumn({QStringLiteral("修改"), timeWidth + 2 * charWidth, taLeftJustify, -1});
}

void TbsSkinFileListView::FitNameColumn() {
    if (ColumnCount() == 0)
        return;
    int others = 0;
    for (int i = 1; i < ColumnCount(); ++i)
        others += ColumnWidth(i);
    TListColumn name = Column(0);
    const int room = ReportView()->viewport()->width() - others;
    const int width = std::max(NameColumnWidth(), room);
    if (width != ColumnWidth(0)) {
        name.Width = width;
        SetColumn(0, name);
    }
}

void TbsSkinFileListView::Resize() {
    TbsSkinCustomListView::Resize();
    if (ViewStyle() == vsReport)
        FitNameColumn();
}

void TbsSkinFileListView::SetViewStyle(TViewStyle value) {
    if (value == vsReport && ColumnCount() == 0)
        BuildColumns();
    TbsSkinCustomListView::SetViewStyle(value);
    if (value == vsReport)
        FitNameColumn();
    // Report rows carry the detail texts the other styles leave out.
    Items()->Invalidate();
}

void TbsSkinFileListView::FetchItem(TListItem& item) {
    TbsShellFolder* folder = Folders(item.Index());
    if (!folder)
        return;
    item.SetCaption(folder->DisplayName());
    item.SetImageIndex(folder->ImageIndex());
    if (ViewStyle() == vsReport)
        item.SetSubItems(folder->Details());
    TbsSkinCustomListView::FetchItem(item);
}

QString TbsSkinFileListView::SelectedFilePath() const {
    TbsShellFolder* folder = Folders(ItemIndex());
    return folder && !folder->IsFolder() ? folder->PathName() : QString();
}

void TbsSkinFileListView::GetSelectedFiles(QStringList& list) const {
    for (int i = 0; i < FolderCount(); ++i)
        if (IsSelected(i) && !FFolders[size_t(i)]->IsFolder())
            list << FFolders[size_t(i)]->PathName();
}

void TbsSkinFileListView::GoUp() {
    const QString parent = FCurrentFolder ? FCurrentFolder->ParentPath() : QString();
    if (!parent.isEmpty())
        ShowFolder(parent, false);
}

void TbsSkinFileListView::Reload() {
    const int position = ItemIndex();
    const bool wasLast = position == FolderCount() - 1;
    Populate();
    if (position >= 0 && !wasLast && position < FolderCount())
        SetItemIndex(position);
}

void TbsSkinFileListView::OpenItem(int index) {
    TbsShellFolder* folder = Folders(index);
    if (!folder)
        return;
    if (folder->IsFolder())
        ShowFolder(folder->PathName(), false);
    else
        folder->ExecuteDefault();
}

bool TbsSkinFileListView::Edited(TListItem* item, QString& text) {
    TbsShellFolder* folder = Folders(item->Index());
    if (!folder)
        return false;
    folder->Rename(text);
    text = folder->DisplayName();
    TbsSkinCustomListView::Edited(item, text);
    if (TbsSkinDirTreeView* tree = ShellTreeView(); tree && folder->IsFolder())
        tree->RefreshFolderNode(tree->Selected());
    return true;
}

void TbsSkinFileListView::DblClick() {
    const int index = ItemIndex();
    if (FAutoNavigate && index >= 0 && Folders(index) && Folders(index)->IsFolder())
        ShowFolder(Folders(index)->PathName(), false);
    TbsSkinCustomListView::DblClick();
}

bool TbsSkinFileListView::WantsKey(int key, TShiftState shift) const {
    return key == Qt::Key_Return || key == Qt::Key_Enter ||
           TbsSkinCustomListView::WantsKey(key, shift);
}

void TbsSkinFileListView::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinCustomListView::KeyDown(Key, Shift);
    if (IsEditing())
        return;
    switch (Key) {
    case Qt::Key_Backspace:
        GoUp();
        Key = 0;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Alt+Enter asks for the item's properties, which this desktop has no dialog for.
        if (!Shift.Contains(ssAlt))
            OpenItem(ItemIndex());
        Key = 0;
        break;
    case Qt::Key_F5:
        Reload();
        Key = 0;
        break;
    default:
        break;
    }
}

void TbsSkinFileListView::UpdateWatcher() {
    if (!FAutoRefresh) {
        FNotifier.reset();
        return;
    }
    if (!FNotifier) {
        FNotifier = std::make_unique<TbsShellChangeNotifier>();
        FNotifier->SetWatchSubTree(false);
        FNotifier->SetOnChange([this](TObject*) { Reload(); });
    }
    FNotifier->SetRoot(Path());
}
