// The module libzarvopreview.so: the preview view on the browser engine.

#include "app/PreviewView.h"

#include "app/PreviewEngine.h"
#include "app/PreviewPage.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QTimer>
#include <QWebEngineView>
#include <csignal>

// Qt's own setter of the shared context (what the application object calls when asked to
// share contexts from the start).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

class TEnginePreviewView : public TPreviewView {
public:
    explicit TEnginePreviewView(QWidget* parent)
        : FEngine(new PreviewEngine(parent)), FView(new QWebEngineView(parent)) {
        FEngine->SetDialogHandler([this](const PreviewDialog& dialog) {
            return OnDialog ? OnDialog(dialog) : PreviewDialogAnswer();
        });
        FHangTimer.setSingleShot(true);
        QObject::connect(&FHangTimer, &QTimer::timeout, [this] {
            if (FProbePending)
                EndHungRenderer();
        });
    }
    ~TEnginePreviewView() override {
        // The page must go before the view and the engine's profile it belongs to.
        delete FPage;
        delete FView;
        delete FEngine;
    }

    QWidget* Widget() override { return FView; }

    void Load(const QString& fileName) override {
        if (!FPage)
            MakePage(fileName);
        FPage->load(QUrl::fromLocalFile(fileName));
    }
    void Reload() override {
        if (FPage)
            FPage->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    }
    void CheckForHang(int timeoutMs) override {
        if (!FPage || FProbePending)
            return;
        FProbePending = true;
        FPage->runJavaScript(QStringLiteral("0"), [this](const QVariant&) {
            FProbePending = false;
            FHangTimer.stop();
        });
        FHangTimer.start(timeoutMs);
    }
    void PageText(std::function<void(const QString&)> done) override {
        if (!FPage) {
            done(QString());
            return;
        }
        FPage->toPlainText([done](const QString& text) { done(text); });
    }

private:
    void MakePage(const QString& fileName) {
        FPage = FEngine->NewPage(fileName, nullptr);
        FView->setPage(FPage);
        QObject::connect(FPage, &QWebEnginePage::loadFinished, FView, [this](bool ok) {
            if (OnLoadFinished)
                OnLoadFinished(ok);
        });
        // An ended renderer (a hung script, a crash) leaves a blank page: a shown page
        // loads again in a fresh one.
        QObject::connect(FPage, &QWebEnginePage::renderProcessTerminated, FView, [this] {
            if (FView->isVisible())
                FPage->triggerAction(QWebEnginePage::Reload);
        });
    }
    void EndHungRenderer() {
        FProbePending = false;
        FHangTimer.stop();
        const qint64 pid = FPage ? FPage->renderProcessPid() : 0;
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    PreviewEngine* FEngine;
    QWebEngineView* FView;
    PreviewPage* FPage = nullptr;
    bool FProbePending = false;
    QTimer FHangTimer;
};

// The engine draws through the application's shared OpenGL context; it is made here, when
// the engine starts, unless the application made one.
void EnsureSharedContext() {
    if (QOpenGLContext::globalShareContext() ||
        QGuiApplication::platformName() == QStringLiteral("offscreen"))
        return;
    auto* context = new QOpenGLContext(qApp);
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context;
}

} // namespace

extern "C" __attribute__((visibility("default"))) TPreviewView*
ZarvoCreatePreviewView(QWidget* parent) {
    EnsureSharedContext();
    return new TEnginePreviewView(parent);
}
