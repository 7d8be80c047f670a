#pragma once
// The skinned open and save dialogs. TbsSkinOpenDialog and TbsSkinSaveDialog are
// non-visual components; each Execute builds a TbsOpenDlgForm, shows it modally, copies the
// result back and destroys the form. The component keeps the form's layout from one run to
// the next (folder panel width and roll state, view style, client size) and FilterIndex.
//
// Layout of the form (client coordinates):
//   tool bar (top, 25 high): "驱动器: ", drive box 190 wide, Back, Up, New folder, and the
//            four view buttons (list, small icons, icons, report), 27 x 25 each
//   bottom panel (80 high): "文件名称：" edit at 70, 10 (300 x 21); "文件类型：" filter
//            box at 70, 45; accept button at 390, 10 and cancel at 390, 45 (70 x 25)
//   left:    folder panel (rolls up sideways) with the folder tree and its two bars
//   between: splitter, 10 wide
//   rest:    client panel with the file list and its two bars
// The rules the form follows live in bsSkinDialogRules.h.

#include "skinforms/bsSkinDialogRules.h"

#include "skin/bsSkinData.h"

#include "framework/Font.h"
#include "framework/Forms.h"
#include "framework/Strings.h"

#include <QPointer>
#include <array>

class TbsBusinessSkinForm;
class TbsSkinButton;
class TbsSkinDirTreeView;
class TbsSkinEdit;
class TbsSkinExPanel;
class TbsSkinFileListView;
class TbsSkinFilterComboBox;
class TbsSkinPanel;
class TbsSkinScrollBar;
class TbsSkinShellDriveComboBox;
class TbsSkinSpeedButton;
class TbsSkinSplitter;
class TbsSkinStdLabel;
class TbsSkinToolBar;
class TTreeNode;

// ---------------------------------------------------------------- the dialog form

class TbsOpenDlgForm : public TForm {
    Q_OBJECT
public:
    TbsOpenDlgForm(TbsDialogMode mode, QObject* owner = nullptr);
    ~TbsOpenDlgForm() override;

    TbsDialogMode Mode() const { return FMode; }
    // The chosen path once accepted (empty otherwise).
    QString ResultPath() const { return FResult; }
    const TbsFolderHistory& History() const { return FHistory; }

    // --- The form's commands, as the buttons and keys run them.
    void Accept();
    void Back();
    void Up();
    void NewFolder();
    void SetViewStyle(TbsDialogViewStyle style);
    TbsDialogViewStyle ViewStyle() const { return FViewStyle; }
    // Enter in the file-name edit.
    void EditEnter();
    // Goes to a folder (the tree selects it, the list follows); a folder that cannot be
    // reached raises the tree's error.
    void GoToFolder(const QString& folder);
    // The start of a run: `folder`, or, when it cannot be reached, the program folder,
    // else the root.
    void GoToStart(const QString& folder);
    // The tree's current folder.
    QString CurrentFolder() const;

    // --- The controls, for the dialog component, tests and the demo.
    TbsBusinessSkinForm* Frame() const { return FFrame; }
    TbsSkinToolBar* ToolBar() const { return FToolBar; }
    TbsSkinShellDriveComboBox* DriveBox() const { return FDriveBox; }
    TbsSkinSpeedButton* BackButton() const { return FBackButton; }
    TbsSkinSpeedButton* UpButton() const { return FUpButton; }
    TbsSkinSpeedButton* NewFolderButton() const { return FNewFolderButton; }
    TbsSkinSpeedButton* ViewButton(TbsDialogViewStyle style) const;
    TbsSkinPanel* BottomPanel() const { return FBottomPanel; }
    TbsSkinEdit* FileNameEdit() const { return FFileNameEdit; }
    TbsSkinFilterComboBox* FilterBox() const { return FFilterBox; }
    TbsSkinButton* AcceptButton() const { return FAcceptButton; }
    TbsSkinButton* CancelButton() const { return FCancelButton; }
    TbsSkinExPanel* FolderPanel() const { return FFolderPanel; }
    TbsSkinDirTreeView* FolderTree() const { return FFolderTree; }
    TbsSkinSplitter* Splitter() const { return FSplitter; }
    TbsSkinPanel* ClientPanel() const { return FClientPanel; }
    TbsSkinFileListView* FileList() const { return FFileList; }

    // Every skinned control of the form takes `data` (the drive box its own record name).
    void SetControlsSkinData(TbsSkinData* data);

private:
    void BuildToolBar();
    void BuildBottomPanel();
    void BuildFolderPanel();
    void BuildClientPanel();
    TbsSkinSpeedButton* AddToolButton(int& x, const QString& picture);
    void FolderChanged();
    void ListSelectionChanged(int index);
    void ListDoubleClicked();
    void DriveChosen();
    void FilterChosen();

    TbsDialogMode FMode;
    TbsBusinessSkinForm* FFrame = nullptr;
    TbsSkinToolBar* FToolBar = nullptr;
    TbsSkinStdLabel* FDriveLabel = nullptr;
    TbsSkinShellDriveComboBox* FDriveBox = nullptr;
    TbsSkinSpeedButton* FBackButton = nullptr;
    TbsSkinSpeedButton* FUpButton = nullptr;
    TbsSkinSpeedButton* FNewFolderButton = nullptr;
    std::array<TbsSkinSpeedButton*, 4> FViewButtons{};
    TbsSkinPanel* FBottomPanel = nullptr;
    TbsSkinStdLabel* FFileNameLabel = nullptr;
    TbsSkinEdit* FFileNameEdit = nullptr;
    TbsSkinStdLabel* FFilterLabel = nullptr;
    TbsSkinFilterComboBox* FFilterBox = nullptr;
    TbsSkinButton* FAcceptButton = nullptr;
    TbsSkinButton* FCancelButton = nullptr;
    TbsSkinExPanel* FFolderPanel = nullptr;
    TbsSkinDirTreeView* FFolderTree = nullptr;
    TbsSkinScrollBar* FTreeVBar = nullptr;
    TbsSkinScrollBar* FTreeHBar = nullptr;
    TbsSkinSplitter* FSplitter = nullptr;
    TbsSkinPanel* FClientPanel = nullptr;
    TbsSkinFileListView* FFileList = nullptr;
    TbsSkinScrollBar* FListVBar = nullptr;
    TbsSkinScrollBar* FListHBar = nullptr;

    TbsFolderHistory FHistory;
    bool FGoingBack = false;
    bool FChoosingDrive = false;
    TbsDialogViewStyle FViewStyle = TbsDialogViewStyle::List;
    QString FListFolderAtPress;
    QString FResult;
};

// ---------------------------------------------------------------- the components

class TbsSkinOpenDialog : public TComponent {
    Q_OBJECT
public:
    explicit TbsSkinOpenDialog(QObject* owner = nullptr);
    ~TbsSkinOpenDialog() override;

    QString Title = QStringLiteral("Open file");
    // Pairs of description and mask, all separated by "|".
    QString Filter = QStringLiteral("All files|*.*");
    // One-based; after every run the filter the user left selected.
    int FilterIndex = 1;
    // The preset name or path; after an accepted run the chosen full path.
    QString FileName;
    // The folder to start in when FileName has no folder part.
    QString InitialDir;
    bool MultiSelection = false;
    QString LVHeaderSkinDataName = QStringLiteral("resizebutton");
    bool AlphaBlend = false;
    int AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    // After an accepted run: the full paths of the selected files (folders excluded).
    TStringList* Files() { return &FFiles; }
    // Raised after an accepted run.
    TNotifyEvent OnChange;

    // Owned; assigning copies.
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }

    // Skin of the window's frame; not owned, cleared when destroyed.
    TbsSkinData* SkinData() const { return FSkinData.data(); }
    void SetSkinData(TbsSkinData* value) { FSkinData = value; }
    // Skin of every control inside and of the frame's menus; not owned.
    TbsSkinData* CtrlSkinData() const { return FCtrlSkinData.data(); }
    void SetCtrlSkinData(TbsSkinData* value) { FCtrlSkinData = value; }

    // Runs the dialog; true when the user accepted a file.
    bool Execute();
    // The form of the run in progress (nullptr outside Execute), for tests and tools.
    TbsOpenDlgForm* RunningForm() const { return FRunningForm; }
    // What the dialog keeps between runs.
    const TbsDialogMemory& Memory() const { return FMemory; }

protected:
    TbsSkinOpenDialog(TbsDialogMode mode, QObject* owner);

private:
    // Steps 1-8 of a run: the form built and set up, not shown.
    TbsOpenDlgForm* CreateForm();
    // Keeps the layout values and FilterIndex (every run) and the result (accepted runs).
    void TakeResults(TbsOpenDlgForm& form, bool accepted);

    TbsDialogMode FMode;
    TStringList FFiles;
    TFont FDefaultFont;
    QPointer<TbsSkinData> FSkinData;
    QPointer<TbsSkinData> FCtrlSkinData;
    TbsDialogMemory FMemory;
    TbsOpenDlgForm* FRunningForm = nullptr;
};

class TbsSkinSaveDialog : public TbsSkinOpenDialog {
    Q_OBJECT
public:
    explicit TbsSkinSaveDialog(QObject* owner = nullptr);
};
