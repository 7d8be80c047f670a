// The open and save dialog components: one run from building the form to taking the
// results back.

#include "skinforms/bsSkinDialogs.h"

#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinExCtrls.h"
#include "skinctrls/bsSkinShellCtrls.h"
#include "skinctrls/bsfilectrl.h"

#include "platform/Paths.h"

#include <memory>

TbsSkinOpenDialog::TbsSkinOpenDialog(QObject* owner)
    : TbsSkinOpenDialog(TbsDialogMode::Open, owner) {}

TbsSkinOpenDialog::TbsSkinOpenDialog(TbsDialogMode mode, QObject* owner)
    : TComponent(owner), FMode(mode) {
    FDefaultFont.SetName(QStringLiteral("Arial"));
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(TFontStyles());
}

TbsSkinOpenDialog::~TbsSkinOpenDialog() = default;

TbsSkinSaveDialog::TbsSkinSaveDialog(QObject* owner)
    : TbsSkinOpenDialog(TbsDialogMode::Save, owner) {
    Title = QStringLiteral("Save file");
}

TbsOpenDlgForm* TbsSkinOpenDialog::CreateForm() {
    auto form = std::make_unique<TbsOpenDlgForm>(FMode);
    form->SetCaption(Title);
    form->Font()->Assign(FDefaultFont);
    TbsBusinessSkinForm* frame = form->Frame();
    // No caption buttons: the dialog is answered by its buttons, Escape or closing.
    form->SetBorderIcons(0);
    frame->SetBorderIcons(0);
    frame->SetHideCaptionButtons(true);
    frame->AlphaBlend = AlphaBlend;
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->AlphaBlendValue = AlphaBlendValue;
    frame->SetMenusSkinData(CtrlSkinData());
    frame->SetSkinData(SkinData());

    form->FolderPanel()->SetWidth(FMemory.FolderPanelWidth);
    form->FolderPanel()->SetRollState(FMemory.FolderPanelRolled);
    form->SetViewStyle(FMemory.ViewStyle);

    TbsSkinFileListView* list = form->FileList();
    list->SetHeaderSkinDataName(LVHeaderSkinDataName);
    list->SetMultiSelect(MultiSelection);
    form->SetControlsSkinData(CtrlSkinData());

    TbsSkinFilterComboBox* filterBox = form->FilterBox();
    filterBox->SetFilter(Filter);
    filterBox->SetItemIndex(FilterIndex - 1);
    list->SetMask(filterBox->Mask());

    const TbsDialogStart start = DialogStart(FileName, InitialDir, Paths::ProgramFolder());
    form->GoToStart(start.Folder);
    form->FileNameEdit()->SetText(start.Name);

    int minWidth = 0, minHeight = 0;
    if (SkinData() && !SkinData()->SkinEmpty) {
        minWidth = frame->MinFrameWidth();
        minHeight = frame->MinFrameHeight();
    }
    const QSize size = FMemory.StartClientSize(minWidth, minHeight);
    form->SetClientSize(size.width(), size.height());
    return form.release();
}

void TbsSkinOpenDialog::TakeResults(TbsOpenDlgForm& form, bool accepted) {
    FilterIndex = form.FilterBox()->ItemIndex() + 1;
    const TbsSkinExPanel* panel = form.FolderPanel();
    FMemory.FolderPanelRolled = panel->RollState();
    FMemory.FolderPanelWidth = panel->RollState() ? panel->RealWidth() : panel->Width();
    FMemory.ClientSize = QSize(form.ClientWidth(), form.ClientHeight());
    FMemory.ViewStyle = form.ViewStyle();
    if (!accepted)
        return;
    FileName = form.ResultPath();
    QStringList files;
    form.FileList()->GetSelectedFiles(files);
    FFiles.Clear();
    FFiles.AddStrings(files);
    if (OnChange)
        OnChange(this);
}

bool TbsSkinOpenDialog::Execute() {
    std::unique_ptr<TbsOpenDlgForm> form(CreateForm());
    QPointer<TbsOpenDlgForm> alive(form.get());
    FRunningForm = form.get();
    const bool accepted = form->ShowModal() == mrOk;
    FRunningForm = nullptr;
    if (!alive) {
        (void)form.release();
        return false;
    }
    TakeResults(*form, accepted);
    return accepted;
}
