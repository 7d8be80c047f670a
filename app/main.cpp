// The program's main block: the application object with its title, the four windows in
// their order, and the message loop until the main window closes.
//
// The program's icon is set and the preview's browser engine starts in idle time shortly
// after the main window has been painted, so neither the start nor the first preview waits
// for them. ZARVOFX_QUIT_AFTER_PAINT set to 1 ends the program right after that first paint
// (start-up measurements).

#include "app/PreviewSetup.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/Unit5.h"
#include "app/UserFolder.h"
#include "platform/QtMessages.h"
#include "platform/SessionPlatform.h"

#include <QApplication>
#include <QTimer>
#include <malloc.h>

namespace {

// How long after the main window's first paint the engine starts.
constexpr int EngineStartDelayMs = 300;

// Skin pictures and the controls' paint pictures, a few hundred kilobytes each, are made and
// freed by the dozen while the windows are built and painted. Left to itself the allocator
// maps each of them afresh and gives it back at once, and the kernel then maps in every
// page of the next one again; kept in the heap, their memory serves the next picture.
void KeepPictureMemoryInTheHeap() {
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 8 << 20);
}

// Runs `action` once, after the first paint of the watched window.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* window, std::function<void()> action)
        : QObject(window), FAction(std::move(action)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && FAction) {
            watched->removeEventFilter(this);
            // Queued, so the paint in hand reaches the screen first.
            QTimer::singleShot(0, this, std::exchange(FAction, {}));
        }
        return false;
    }

private:
    std::function<void()> FAction;
};

} // namespace

int main(int argc, char** argv) {
    KeepPictureMemoryInTheHeap();
    SilenceHarmlessPlatformMessages();
    PreparePreviewProcess();
    SessionPlatform::ApplyToThisProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    Application->Initialize();
    UserFolder::PrepareForThisRun();
    Application->SetTitle(TForm1::Title());
    Application->CreateForm(&Form1);
    Application->CreateForm(&Form3);
    Application->CreateForm(&Form4);
    Application->CreateForm(&Form5);
    Form1->UseWindows(Form3, Form4);

    const bool quitAfterPaint = qgetenv("ZARVOFX_QUIT_AFTER_PAINT") == "1";
    new FirstPaintWatcher(Form1, [quitAfterPaint] {
        if (quitAfterPaint) {
            Application->Terminate();
            return;
        }
        // The icon's six pictures are decoded here rather than before the first paint; the
        // window system shows it on the panel a moment later.
        Application->SetIcon(TForm1::ProgramIcon());
        QTimer::singleShot(EngineStartDelayMs, Form1,
                           [] { Guarded([] { Form1->StartPreviewEngine(); }); });
    });
    return Application->Run();
}
