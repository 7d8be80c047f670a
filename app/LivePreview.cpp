#include "app/LivePreview.h"

#include "app/Unit4.h"
#include "framework/StdCtrls.h"

TLivePreview::TLivePreview(TForm4* window, TCustomMemo* code, std::function<void()> write,
                           QObject* parent)
    : QObject(parent), FWindow(window), FCode(code), FWrite(std::move(write)) {
    FPause.setSingleShot(true);
    FPause.setInterval(PauseMs);
    connect(&FPause, &QTimer::timeout, this, [this] { Guarded([this] { Refresh(); }); });
}

void TLivePreview::SetOn(bool on) {
    FOn = on;
    FPause.stop();
    if (FWindow)
        FWindow->SetLive(on);
}

bool TLivePreview::WindowShown() const {
    return FOn && FWindow && FWindow->Live() && FWindow->isVisible();
}

void TLivePreview::Show(QWidget* mainWindow) {
    if (!FWindow || !FCode)
        return;
    FPause.stop();
    FShownText = FCode->Text();
    FWriteFailed = false;
    FWindow->SetLive(true);
    if (FWindow->isVisible()) {
        FWindow->WebBrowser1->RefreshInPlace();
        FWindow->raise();
        return;
    }
    FWindow->ShowBeside(mainWindow);
}

void TLivePreview::CodeChanged() {
    if (WindowShown())
        FPause.start();
}

void TLivePreview::Refresh() {
    if (!WindowShown() || !FCode)
        return;
    const QString text = FCode->Text();
    // A change that left the text as it was (a colouring pass, an undone edit) reloads nothing.
    if (text == FShownText)
        return;
    try {
        FWrite();
    } catch (const std::exception&) {
        if (std::exchange(FWriteFailed, true))
            return;
        throw;
    }
    FWriteFailed = false;
    FShownText = text;
    FWindow->WebBrowser1->RefreshInPlace();
}
