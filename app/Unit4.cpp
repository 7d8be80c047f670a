#include "app/Unit4.h"

#include "app/PreviewSetup.h"
#include "app/Unit1.h"
#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "platform/DynLib.h"
#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinForm.h"

#include <QInputDialog>
#include <QShortcut>

TForm4* Form4 = nullptr;

// ---------------------------------------------------------------- TWebBrowser

TWebBrowser::TWebBrowser(QWidget* parent) : TWinControl(parent) {}

TWebBrowser::~TWebBrowser() = default;

QString TWebBrowser::ModuleName() {
    const QString chosen = qEnvironmentVariable("ZARVO_PREVIEW_MODULE");
    return chosen.isEmpty() ? QStringLiteral("zarvopreview.dll") : chosen;
}

void TWebBrowser::Navigate(const QString& fileName) {
    FAddress = fileName;
    if (!FView)
        return;
    ++FNavigations;
    FView->Load(fileName);
    FBlank = false;
}

void TWebBrowser::Refresh() {
    if (!FView) {
        MakeView();
        if (!FAddress.isEmpty()) {
            ++FNavigations;
            FView->Load(FAddress);
        }
        return;
    }
    ++FReloads;
    if (FBlank)
        FView->Load(FAddress);
    else
        FView->Reload();
    FBlank = false;
}

void TWebBrowser::RefreshInPlace() {
    if (!FView || FBlank) {
        Refresh();
        return;
    }
    ++FReloads;
    FView->ReloadInPlace(HangTimeoutMs);
}

void TWebBrowser::Blank() {
    if (!FView)
        return;
    FView->Blank();
    FBlank = !FAddress.isEmpty();
}

void TWebBrowser::StartEngine() {
    if (FView)
        return;
    MakeView();
    // Started ahead of the first showing: the page is loaded when it is shown, not hidden
    // now (it would run the last effect previewed, even in an earlier run, unseen), but its
    // renderer runs already.
    if (!FAddress.isEmpty()) {
        FView->Prepare(FAddress);
        FBlank = true;
    }
}

void TWebBrowser::MakeView() {
    // The module stays loaded for the rest of the run: the engine cannot be unloaded.
    auto factory = reinterpret_cast<PreviewViewFactory>(
        DynLib::ModuleEntry(ModuleName(), PreviewViewFactoryName));
    if (!factory)
        throw Exception(QStringLiteral("Cannot load the preview module \"%1\". %2")
                            .arg(ModuleName(), DynLib::LastErrorText()));
    FView.reset(factory(ChildContainer()));
    FView->OnDialog = [this](const PreviewDialog& dialog) {
        return OnDialog ? OnDialog(dialog) : PreviewDialogAnswer();
    };
    FView->OnLoadFinished = [this](bool ok) {
        if (OnLoadFinished)
            OnLoadFinished(ok);
    };
    FView->OnContextMenu = [this](const QPoint& screenPoint) {
        if (OnContextMenu)
            OnContextMenu(screenPoint);
    };
    FView->Widget()->setGeometry(0, 0, Width(), Height());
    FView->Widget()->show();
}

void TWebBrowser::CheckForHang() {
    if (FView)
        FView->CheckForHang(HangTimeoutMs);
}

void TWebBrowser::SizeChanged() {
    TWinControl::SizeChanged();
    if (FView)
        FView->Widget()->setGeometry(0, 0, Width(), Height());
}

// ---------------------------------------------------------------- TForm4

TForm4::TForm4(QObject* owner) : TForm(owner) {
    SetText(QStringLiteral("zarvo特效预览"));
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    // An unskinned box until the main window's is given.
    FMessages = new TbsSkinMessage(this);

    bsBusinessSkinForm1 = new TbsBusinessSkinForm(this);
    bsBusinessSkinForm1->SetHideCaptionButtons(true);
    SetClientSize(DesignClientWidth, DesignClientHeight);

    bsSkinGroupBox1 = new TbsSkinGroupBox(this);
    bsSkinGroupBox1->SetSkinDataName(QStringLiteral("groupbox"));
    bsSkinGroupBox1->SetBounds(0, 0, 689, 425);
    bsSkinGroupBox1->SetCaption(QStringLiteral("特效预览"));

    WebBrowser1 = new TWebBrowser(bsSkinGroupBox1);
    WebBrowser1->SetBounds(4, 25, 682, 396);
    WebBrowser1->OnDialog = [this](const PreviewDialog& dialog) { return ShowPageDialog(dialog); };

    bsSkinButton1 = new TbsSkinButton(bsSkinGroupBox1);
    bsSkinButton1->SetSkinDataName(QStringLiteral("button"));
    bsSkinButton1->SetBounds(600, 2, 75, 17);
    bsSkinButton1->SetCaption(QStringLiteral("关闭预览窗口"));

    bsSkinStatusBar1 = new TbsSkinStatusBar(this);
    bsSkinStatusBar1->SetSkinDataName(QStringLiteral("statusbar"));
    bsSkinStatusBar1->SetBounds(0, 441 - 21, 689, 21);
    bsSkinStatusBar1->SetAlign(alBottom);

    bsSkinStatusPanel1 = new TbsSkinStatusPanel(bsSkinStatusBar1);
    bsSkinStatusPanel1->SetSkinDataName(QStringLiteral("statuspanel"));
    bsSkinStatusPanel1->SetBounds(1, 1, 688, 19);
    bsSkinStatusPanel1->SetCaption(QStringLiteral("欢迎您使用zarvo软件！制作人：") +
                                   MakerInfo::Author());

    bsSkinPopupMenu1 = new TbsSkinPopupMenu(this);
    N1 = AddPageItem(QStringLiteral("复制"), [this] { WebBrowser1->View()->CopySelection(); });
    N2 = AddPageItem(QStringLiteral("全选"), [this] { WebBrowser1->View()->SelectAll(); });
    N3 = AddPageItem(QStringLiteral("重新载入"), [this] { WebBrowser1->Refresh(); });
    WebBrowser1->OnContextMenu = [this](const QPoint& at) { WebBrowser1ContextMenu(at); };

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    bsSkinButton1->OnClick = [this](TObject* sender) { bsSkinButton1Click(sender); };
    // Escape closes the window wherever the focus is, in the page too (the page's keys do
    // not pass through the form).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, this, [this] { bsSkinButton1Click(this); });
}

TMenuItem* TForm4::AddPageItem(const QString& caption, std::function<void()> command) {
    auto* item = new TMenuItem(bsSkinPopupMenu1->Items());
    item->SetCaption(caption);
    item->OnClick = [command](TObject*) { command(); };
    bsSkinPopupMenu1->Items()->Add(item);
    return item;
}

TForm4::~TForm4() {
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::UseSkin(TbsSkinData* skinData, TbsSkinMessage* messages) {
    if (messages)
        FMessages = messages;
    bsBusinessSkinForm1->SetSkinData(skinData);
    FControlsSkin = skinData;
    if (isVisible())
        SkinControls();
}

void TForm4::SkinControls() {
    const QPointer<TbsSkinData> skinData = std::exchange(FControlsSkin, nullptr);
    if (!skinData)
        return;
    bsSkinGroupBox1->SetSkinData(skinData);
    bsSkinButton1->SetSkinData(skinData);
    bsSkinStatusBar1->SetSkinData(skinData);
    bsSkinPopupMenu1->SetSkinData(skinData);
}

void TForm4::SetLive(bool live) {
    if (live == FLive)
        return;
    if (isVisible())
        Close();
    FLive = live;
    SetBorderStyle(live ? bsSizeable : bsSingle);
    // The live window is placed beside the main window, not centred on its first showing.
    SetPosition(live ? poDesigned : poScreenCenter);
    if (live)
        return;
    SetClientSize(DesignClientWidth, DesignClientHeight);
    const TRect screen = Screen->MonitorRect(nullptr);
    move(screen.Left + (screen.Width() - Width()) / 2,
         screen.Top + (screen.Height() - Height()) / 2);
}

void TForm4::ShowBeside(QWidget* mainWindow) {
    if (!isVisible()) {
        const QRect frame = mainWindow->frameGeometry();
        const TRect place = PlacePreviewBeside(
            TRect(frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1), Width(),
            Height(), Screen->MonitorWorkArea(mainWindow));
        SetBounds(place.Left, place.Top, place.Width(), place.Height());
    }
    // Typing goes on in the main window: the live window comes up without the focus.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    Show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void TForm4::SizeChanged() {
    TForm::SizeChanged();
    LayOut();
}

void TForm4::LayOut() {
    // The frame sizes the window before the controls exist.
    if (!bsSkinGroupBox1 || !WebBrowser1 || !bsSkinButton1)
        return;
    const TPreviewLayout layout = PreviewLayoutFor(ClientWidth(), ClientHeight());
    auto place = [](TControl* control, const TRect& r) {
        control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    };
    place(bsSkinGroupBox1, layout.Group);
    place(WebBrowser1, layout.Browser);
    place(bsSkinButton1, layout.CloseButton);
}

void TForm4::FormCreate(TObject*) {
    WebBrowser1->Navigate(PreviewFilePath());
}

void TForm4::FormShow(TObject*) {
    SkinControls();
    WebBrowser1->Refresh();
}

void TForm4::bsSkinButton1Click(TObject*) {
    Close();
}

void TForm4::WebBrowser1ContextMenu(const QPoint& screenPoint) {
    if (!WebBrowser1->View())
        return;
    N1->SetEnabled(WebBrowser1->View()->HasSelection());
    bsSkinPopupMenu1->Popup(screenPoint.x(), screenPoint.y());
}

void TForm4::DoHide() {
    TForm::DoHide();
    WebBrowser1->CheckForHang();
    WebBrowser1->Blank();
}

PreviewDialogAnswer TForm4::ShowPageDialog(const PreviewDialog& dialog) {
    PreviewDialogAnswer answer;
    if (dialog.offerStop && FMessages->ShowMessageDialog(
                                QStringLiteral("此网页一直在弹出对话框。要禁止它再弹出对话框吗？"),
                                mtConfirmation, {mbYes, mbNo}) == mrYes) {
        answer.stopDialogs = true;
        return answer;
    }
    switch (dialog.kind) {
    case PreviewDialog::Kind::Alert:
        FMessages->ShowMessageDialog(dialog.text, mtInformation, {mbOK});
        break;
    case PreviewDialog::Kind::Confirm:
        answer.accepted =
            FMessages->ShowMessageDialog(dialog.text, mtConfirmation, {mbOK, mbCancel}) == mrOk;
        break;
    case PreviewDialog::Kind::Prompt: {
        // The skinned boxes have no input line; the desktop's input box asks instead.
        bool ok = false;
        answer.value = QInputDialog::getText(this, Text(), dialog.text, QLineEdit::Normal,
                                             dialog.defaultValue, &ok);
        answer.accepted = ok;
        break;
    }
    }
    return answer;
}
