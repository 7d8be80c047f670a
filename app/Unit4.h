#pragma once
// The preview window: an embedded browser showing the preview file, reloaded every time the
// window is shown, and a button that closes it again.
//
//   TWebBrowser  the browser control: records the one navigation until its engine runs,
//                loads the engine's module on demand, reloads, frees a page whose script
//                hangs
//   TForm4       the modal window around it ("zarvo特效预览")
//
// The engine costs a noticeable start and much memory, so the control is created with the
// window but starts the engine only when asked (in idle time after the main window is on
// screen, or at the first showing).

#include "framework/Forms.h"

#include "app/PreviewPlacement.h"
#include "app/PreviewView.h"

#include <QPointer>
#include <functional>
#include <memory>

class TbsBusinessSkinForm;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinGroupBox;
class TbsSkinMessage;
class TbsSkinPopupMenu;
class TbsSkinStatusBar;
class TbsSkinStatusPanel;
class TMenuItem;

class TWebBrowser : public TWinControl {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Goes to a local file; before the engine runs, the address waits for it.
    void Navigate(const QString& fileName);
    // Reloads the current page, starting the engine (and its waiting navigation) first.
    // After Blank the address is loaded again.
    void Refresh();
    // Reloads the current page keeping its scroll position where the new page reaches as
    // far; a page whose script hangs is ended first. Otherwise as Refresh.
    void RefreshInPlace();
    // Shows an empty page (and closes the page's pop-ups) until the next Refresh, so that
    // a page is never seen again while the next one loads.
    void Blank();
    // Loads the engine's module and makes the view, ready for the address without loading
    // it yet; does nothing when it runs already. Raises an error naming the module when it
    // cannot be loaded.
    void StartEngine();
    bool EngineStarted() const { return FView != nullptr; }
    // How many navigations and reloads the page was given (for the window's checks).
    int NavigationCount() const { return FNavigations; }
    int ReloadCount() const { return FReloads; }
    TPreviewView* View() const { return FView.get(); }

    // The page is out of sight: a script that does not answer within HangTimeoutMs has
    // its renderer ended, so the next showing loads afresh.
    void CheckForHang();
    static constexpr int HangTimeoutMs = 500;

    // The module's file: ZARVO_PREVIEW_MODULE when set, else libzarvopreview.so in the
    // program folder.
    static QString ModuleName();

    // JavaScript dialogs of the previewed pages.
    std::function<PreviewDialogAnswer(const PreviewDialog&)> OnDialog;
    // A load or reload of the page finished.
    std::function<void(bool ok)> OnLoadFinished;
    // A context menu is asked for over the page, at this screen point.
    std::function<void(const QPoint& screenPoint)> OnContextMenu;

private:
    void MakeView();
    void SizeChanged() override;

    std::unique_ptr<TPreviewView> FView;
    QString FAddress;
    bool FBlank = false;
    int FNavigations = 0;
    int FReloads = 0;
};

class TForm4 : public TForm {
    Q_OBJECT
public:
    explicit TForm4(QObject* owner = nullptr);
    ~TForm4() override;

    // The client size of the fixed (modal) window.
    static constexpr int DesignClientWidth = 689;
    static constexpr int DesignClientHeight = 441;

    // The main window's skin and message box, shared by all windows. The frame takes the
    // skin at once, as the window's size follows it; the controls when the window first
    // shows, so a preview the user may never open costs nothing at start-up.
    void UseSkin(TbsSkinData* skinData, TbsSkinMessage* messages);

    // The live preview's window: resizable and shown without blocking the other windows;
    // off, the fixed window of ShowModal again. Switching either way hides a shown window.
    void SetLive(bool live);
    bool Live() const { return FLive; }
    // Shows the live window beside `mainWindow` where the screen has room, without taking
    // the focus from it, so typing goes on there.
    void ShowBeside(QWidget* mainWindow);

    // --- Handlers
    // Navigates the browser to the preview file, once.
    void FormCreate(TObject* Sender);
    // Reloads the page: it always shows what was written just before.
    void FormShow(TObject* Sender);
    // "关闭预览窗口", and Escape.
    void bsSkinButton1Click(TObject* Sender);
    // The page's context menu: 复制 only with a selection.
    void WebBrowser1ContextMenu(const QPoint& screenPoint);

    // --- Components
    TbsBusinessSkinForm* bsBusinessSkinForm1;   // the skinned frame, without caption buttons
    TbsSkinGroupBox* bsSkinGroupBox1 = nullptr; // "特效预览"
    TWebBrowser* WebBrowser1 = nullptr;         // the preview
    TbsSkinButton* bsSkinButton1 = nullptr;     // "关闭预览窗口"
    TbsSkinStatusBar* bsSkinStatusBar1;         // the status line
    TbsSkinStatusPanel* bsSkinStatusPanel1;     // welcome text with the author
    TbsSkinPopupMenu* bsSkinPopupMenu1;         // the page's menu: 复制, 全选, 重新载入
    TMenuItem* N1;                              // "复制"
    TMenuItem* N2;                              // "全选"
    TMenuItem* N3;                              // "重新载入"

protected:
    void DoHide() override;
    void SizeChanged() override;

private:
    // A page's alert and confirm in the skinned message box; after many in a row the
    // box first asks whether to stop the page's dialogs.
    PreviewDialogAnswer ShowPageDialog(const PreviewDialog& dialog);
    TMenuItem* AddPageItem(const QString& caption, std::function<void()> command);

    void LayOut();
    // Gives the controls the skin kept by UseSkin, once.
    void SkinControls();

    QPointer<TbsSkinMessage> FMessages;
    QPointer<TbsSkinData> FControlsSkin;
    bool FLive = false;
};

extern TForm4* Form4;
