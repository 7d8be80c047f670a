// The dialog form: its layout and what its buttons, keys and views do.

#include "skinforms/bsSkinDialogs.h"

#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinExCtrls.h"
#include "skinctrls/bsSkinScrollBar.h"
#include "skinctrls/bsSkinShellCtrls.h"
#include "skinctrls/bsfilectrl.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <exception>

namespace {

constexpr int ToolButtonWidth = 27;
constexpr int ToolButtonHeight = 25;
constexpr int ToolSpacer = 10;
constexpr int BarThickness = 19;

// A picture of the program's "images" folder; an empty one when it is missing or
// unreadable (the button then shows no picture).
TBitmap ProgramPicture(const QString& name) {
    TBitmap picture;
    const QString path = Paths::ResolveProgramPath(QStringLiteral("images/") + name + ".bmp");
    if (!Paths::FileExists(path))
        return picture;
    try {
        picture.LoadFromFile(path);
    } catch (const std::exception&) {
        return TBitmap();
    }
    return picture;
}

TViewStyle ListStyleOf(TbsDialogViewStyle style) {
    switch (style) {
    case TbsDialogViewStyle::SmallIcons:
        return vsSmallIcon;
    case TbsDialogViewStyle::Icons:
        return vsIcon;
    case TbsDialogViewStyle::Report:
        return vsReport;
    case TbsDialogViewStyle::List:
        break;
    }
    return vsList;
}

TbsSkinStdLabel* AddLabel(TWinControl* parent, const QString& caption, int x, int y) {
    auto* label = new TbsSkinStdLabel(parent);
    label->SetCaption(caption);
    label->SetLeft(x);
    label->SetTop(y);
    return label;
}

TbsSkinScrollBar* AddBar(TWinControl* parent, bool vertical) {
    auto* bar = new TbsSkinScrollBar(parent);
    bar->SetKind(vertical ? sbVertical : sbHorizontal);
    bar->SetSkinDataName(vertical ? QStringLiteral("vscrollbar") : QStringLiteral("hscrollbar"));
    if (vertical) {
        bar->SetWidth(BarThickness);
        bar->SetAlign(alRight);
    } else {
        bar->SetHeight(BarThickness);
        bar->SetAlign(alBottom);
    }
    return bar;
}

} // namespace

TbsOpenDlgForm::TbsOpenDlgForm(TbsDialogMode mode, QObject* owner)
    : TForm(owner ? owner : Application.operator->()), FMode(mode) {
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    FFrame = new TbsBusinessSkinForm(this);
    BuildToolBar();
    BuildBottomPanel();
    BuildFolderPanel();
    BuildClientPanel();
    SetActiveControl(FFileNameEdit);
}

TbsOpenDlgForm::~TbsOpenDlgForm() = default;

// ---- layout

TbsSkinSpeedButton* TbsOpenDlgForm::AddToolButton(int& x, const QString& picture) {
    auto* button = new TbsSkinSpeedButton(FToolBar);
    button->SetSkinDataName(QStringLiteral("toolbutton"));
    button->SetBounds(x, 0, ToolButtonWidth, ToolButtonHeight);
    button->SetGlyph(ProgramPicture(picture));
    button->SetNumGlyphs(1);
    x += ToolButtonWidth;
    return button;
}

void TbsOpenDlgForm::BuildToolBar() {
    FToolBar = new TbsSkinToolBar(this);
    FToolBar->SetAlign(alTop);
    FDriveLabel = AddLabel(FToolBar, QStringLiteral("驱动器: "), 4, 0);
    FDriveLabel->SetTop((ToolButtonHeight - FDriveLabel->Height()) / 2);
    FDriveBox = new TbsSkinShellDriveComboBox(FToolBar);
    FDriveBox->SetBounds(FDriveLabel->Left() + FDriveLabel->Width() + 2, 2, 190, 21);
    FDriveBox->OnChange = [this](TObject*) { DriveChosen(); };

    int x = FDriveBox->Left() + FDriveBox->Width() + ToolSpacer;
    FBackButton = AddToolButton(x, QStringLiteral("BS_BACK"));
    FBackButton->OnClick = [this](TObject*) { Back(); };
    FUpButton = AddToolButton(x, QStringLiteral("BS_UP"));
    FUpButton->OnClick = [this](TObject*) { Up(); };
    FNewFolderButton = AddToolButton(x, QStringLiteral("BS_NEWFOLDER"));
    FNewFolderButton->OnClick = [this](TObject*) { NewFolder(); };
    x += ToolSpacer;
    const char* pictures[] = {"BS_LISTSTYLE", "BS_SMALLICONSTYLE", "BS_ICONSTYLE",
                              "BS_REPORTSTYLE"};
    for (int i = 0; i < 4; ++i) {
        TbsSkinSpeedButton* button = AddToolButton(x, QString::fromLatin1(pictures[i]));
        button->SetGroupIndex(1);
        const auto style = static_cast<TbsDialogViewStyle>(i);
        button->OnClick = [this, style](TObject*) { SetViewStyle(style); };
        FViewButtons[static_cast<size_t>(i)] = button;
    }
    FViewButtons[0]->SetDown(true);
}

void TbsOpenDlgForm::BuildBottomPanel() {
    FBottomPanel = new TbsSkinPanel(this);
    FBottomPanel->SetBorderStyle(bvNone);
    FBottomPanel->SetHeight(80);
    FBottomPanel->SetAlign(alBottom);
    FFileNameLabel = AddLabel(FBottomPanel, QStringLiteral("文件名称："), 10, 10);
    FFileNameEdit = new TbsSkinEdit(FBottomPanel);
    FFileNameEdit->SetBounds(70, 10, 300, 21);
    // The skinned edit reports Enter only as a typed character.
    FFileNameEdit->OnKeyPress = [this](TObject*, QChar& key) {
        if (key == QLatin1Char('\r')) {
            key = QChar();
            EditEnter();
        }
    };
    FFileNameEdit->OnKeyDown = [this](TObject*, int& key, TShiftState) {
        if (key == VK_ESCAPE) {
            key = 0;
            SetModalResult(mrCancel);
        }
    };
    FFilterLabel = AddLabel(FBottomPanel, QStringLiteral("文件类型："), 10, 45);
    FFilterBox = new TbsSkinFilterComboBox(FBottomPanel);
    FFilterBox->SetBounds(70, 45, 300, 21);
    FFilterBox->OnChange = [this](TObject*) { FilterChosen(); };

    FAcceptButton = new TbsSkinButton(FBottomPanel);
    FAcceptButton->SetBounds(390, 10, 70, 25);
    FAcceptButton->SetCaption(FMode == TbsDialogMode::Open ? QStringLiteral("打开(&O)")
                                                           : QStringLiteral("保存(&S)"));
    FAcceptButton->SetCanFocused(true);
    FAcceptButton->OnClick = [this](TObject*) { Accept(); };
    FCancelButton = new TbsSkinButton(FBottomPanel);
    FCancelButton->SetBounds(390, 45, 70, 25);
    FCancelButton->SetCaption(QStringLiteral("取消"));
    FCancelButton->SetModalResult(mrCancel);
    FCancelButton->SetCancel(true);
}

void TbsOpenDlgForm::BuildFolderPanel() {
    FFolderPanel = new TbsSkinExPanel(this);
    FFolderPanel->SetRollKind(rkRollHorizontal);
    FFolderPanel->SetShowCloseButton(false);
    FFolderPanel->SetWidth(200);
    FFolderPanel->SetAlign(alLeft);
    FTreeHBar = AddBar(FFolderPanel, false);
    FTreeVBar = AddBar(FFolderPanel, true);
    FFolderTree = new TbsSkinDirTreeView(FFolderPanel);
    FFolderTree->SetAlign(alClient);
    FFolderTree->SetObjectTypes(otFolders | otHidden);
    FFolderTree->SetReadOnly(true);
    FFolderTree->SetAutoContextMenus(false);
    FFolderTree->SetVScrollBar(FTreeVBar);
    FFolderTree->SetHScrollBar(FTreeHBar);
    FFolderTree->OnChange = [this](TObject*, TTreeNode*) { FolderChanged(); };

    FSplitter = new TbsSkinSplitter(this);
    FSplitter->SetLeft(FFolderPanel->Left() + FFolderPanel->Width());
    FSplitter->SetAlign(alLeft);
}

void TbsOpenDlgForm::BuildClientPanel() {
    FClientPanel = new TbsSkinPanel(this);
    FClientPanel->SetBorderStyle(bvFrame);
    FClientPanel->SetAlign(alClient);
    FListHBar = AddBar(FClientPanel, false);
    FListVBar = AddBar(FClientPanel, true);
    FFileList = new TbsSkinFileListView(FClientPanel);
    FFileList->SetAlign(alClient);
    FFileList->SetViewStyle(vsList);
    FFileList->SetShowColumnHeaders(true);
    FFileList->SetAutoContextMenus(false);
    FFileList->SetVScrollBar(FListVBar);
    FFileList->SetHScrollBar(FListHBar);
    FFileList->SetShellTreeView(FFolderTree);
    FFolderTree->SetShellListView(FFileList);
    FFileList->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        if (selected && item)
            ListSelectionChanged(item->Index());
    };
    // A double click on a folder opens it before OnDblClick runs: the folder shown at the
    // press tells whether the click was on a file of this folder.
    FFileList->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
        FListFolderAtPress = FFileList->Path();
    };
    FFileList->OnDblClick = [this](TObject*) { ListDoubleClicked(); };
}

TbsSkinSpeedButton* TbsOpenDlgForm::ViewButton(TbsDialogViewStyle style) const {
    return FViewButtons.at(static_cast<size_t>(style));
}

void TbsOpenDlgForm::SetControlsSkinData(TbsSkinData* data) {
    FToolBar->SetSkinData(data);
    FDriveLabel->SetSkinData(data);
    const bool toolBox =
        data && !data->SkinEmpty && data->IndexOfControl(QStringLiteral("toolcombobox")) >= 0;
    FDriveBox->SetSkinDataName(toolBox ? QStringLiteral("toolcombobox")
                                       : QStringLiteral("combobox"));
    FDriveBox->SetSkinData(data);
    FBottomPanel->SetSkinData(data);
    for (TbsSkinStdLabel* label : {FFileNameLabel, FFilterLabel})
        label->SetSkinData(data);
    FFileNameEdit->SetSkinData(data);
    FFilterBox->SetSkinData(data);
    FAcceptButton->SetSkinData(data);
    FCancelButton->SetSkinData(data);
    FFolderPanel->SetSkinData(data);
    FFolderTree->SetSkinData(data);
    FSplitter->SetSkinData(data);
    FClientPanel->SetSkinData(data);
    FFileList->SetSkinData(data);
    for (TbsSkinScrollBar* bar : {FTreeVBar, FTreeHBar, FListVBar, FListHBar})
        bar->SetSkinData(data);
}

// ---- navigation

QString TbsOpenDlgForm::CurrentFolder() const {
    return FFolderTree->CurrentPath();
}

void TbsOpenDlgForm::GoToFolder(const QString& folder) {
    FFolderTree->GoToPath(folder);
}

void TbsOpenDlgForm::GoToStart(const QString& folder) {
    for (const QString& candidate : {folder, Paths::ProgramFolder(), QStringLiteral("/")}) {
        if (!Paths::DirectoryExists(candidate))
            continue;
        try {
            GoToFolder(candidate);
            return;
        } catch (const std::exception&) {
            // An unreadable start folder: try the next one.
        }
    }
}

void TbsOpenDlgForm::FolderChanged() {
    const QString path = CurrentFolder();
    const QString name = QFileInfo(path).fileName();
    FFolderPanel->SetCaption(name.isEmpty() ? path : name);
    FChoosingDrive = true;
    FDriveBox->SelectDrive(FDriveBox->DriveOf(path));
    FChoosingDrive = false;
    if (!FGoingBack)
        FHistory.Visit(path);
}

void TbsOpenDlgForm::DriveChosen() {
    if (FChoosingDrive)
        return;
    const QString root = FDriveBox->Drive();
    if (!root.isEmpty())
        GoToFolder(root);
}

void TbsOpenDlgForm::FilterChosen() {
    FFileList->SetMask(FFilterBox->Mask());
}

void TbsOpenDlgForm::Back() {
    const std::optional<QString> folder = FHistory.Back();
    if (!folder)
        return;
    FGoingBack = true;
    try {
        GoToFolder(*folder);
    } catch (...) {
        FGoingBack = false;
        throw;
    }
    FGoingBack = false;
}

void TbsOpenDlgForm::Up() {
    FFileList->GoUp();
}

void TbsOpenDlgForm::NewFolder() {
    if (!CreateNewFolder(CurrentFolder()))
        return;
    FFileList->Reload();
    if (TTreeNode* node = FFolderTree->Selected())
        FFolderTree->RefreshFolderNode(node);
}

void TbsOpenDlgForm::SetViewStyle(TbsDialogViewStyle style) {
    FViewStyle = style;
    ViewButton(style)->SetDown(true);
    FFileList->SetViewStyle(ListStyleOf(style));
}

// ---- the file name

void TbsOpenDlgForm::ListSelectionChanged(int index) {
    const TbsShellFolder* item = FFileList->Folders(index);
    if (!item)
        return;
    FFileNameEdit->SetText(item->IsFolder() ? QString() : QFileInfo(item->PathName()).fileName());
}

void TbsOpenDlgForm::ListDoubleClicked() {
    // A double click on a folder has opened it already; only a file is taken.
    const QString path = FFileList->SelectedFilePath();
    if (path.isEmpty() || FFileList->Path() != FListFolderAtPress)
        return;
    FResult = path;
    SetModalResult(mrOk);
}

void TbsOpenDlgForm::Accept() {
    const TbsAcceptDecision decision =
        DecideAccept(FMode, FFileNameEdit->Text(), CurrentFolder(), FFileList->SelectedFilePath(),
                     [](const QString& p) { return Paths::FileExists(p); });
    if (FMode == TbsDialogMode::Open || !decision.Result.isEmpty())
        FResult = decision.Result;
    if (decision.Close)
        SetModalResult(mrOk);
}

void TbsOpenDlgForm::EditEnter() {
    // A typed absolute path of a file: the open dialog opens an existing one, the save
    // dialog saves into an existing folder.
    const QString typed = Paths::ToNativeSeparators(FFileNameEdit->Text());
    if (typed.startsWith(QLatin1Char('/')) && !typed.contains(QLatin1Char('*')) &&
        !Paths::DirectoryExists(typed)) {
        const bool usable = FMode == TbsDialogMode::Open
                                ? Paths::FileExists(typed)
                                : Paths::DirectoryExists(QFileInfo(typed).absolutePath());
        if (usable) {
            FResult = typed;
            SetModalResult(mrOk);
        }
        return;
    }
    const TbsEnterDecision decision =
        DecideEnter(FFileNameEdit->Text(), CurrentFolder(),
                    [](const QString& p) { return Paths::DirectoryExists(p); });
    switch (decision.Action) {
    case TbsEnterAction::SetMask:
        FFileList->SetMask(decision.Value);
        break;
    case TbsEnterAction::GoToFolder:
        GoToFolder(decision.Value);
        break;
    case TbsEnterAction::Ignore:
        break;
    case TbsEnterAction::Accept:
        Accept();
        break;
    }
}
