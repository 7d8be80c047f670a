// The module libzarvopreview.so: the preview view on the browser engine.

#include "app/PreviewView.h"

#include "app/PreviewEngine.h"
#include "app/PreviewPage.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPointer>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <csignal>
#include <utility>
#include <vector>

// Qt's own setter of the shared context (what the application object calls when asked to
// share contexts from the start).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

const QString kScrollScriptName = QStringLiteral("zarvo-keep-scroll");
// Lays out a line of Chinese and Latin text on the empty page and takes it away again.
const char* const kWarmUpScript = R"JS(
(function () {
  var line = document.createElement('span');
  line.textContent = '\u7279\u6548\u9884\u89c8 Preview 0123';
  (document.body || document.documentElement).appendChild(line);
  line.getBoundingClientRect();
  line.remove();
})();
)JS";

class TEnginePreviewView : public TPreviewView {
public:
    explicit TEnginePreviewView(QWidget* parent)
        : FEngine(new PreviewEngine(parent)), FView(new QWebEngineView(parent)) {
        FEngine->SetDialogHandler([this](const PreviewDialog& dialog) {
            return OnDialog ? OnDialog(dialog) : PreviewDialogAnswer();
        });
        // Pop-ups belong to the window the view stands in, so that they are usable while
        // it is modal and go with it.
        FEngine->SetPopupFactory([this](PreviewPage* opener) -> PreviewPage* {
            PreviewPage* page = FEngine->NewPage(opener->PreviewFileUrl().toLocalFile(), nullptr);
            FPopups.emplace_back(ShowPreviewPopup(page, FView->window()));
            return page;
        });
        // The engine's own context menu (in English, with saving and page source) is
        // replaced by the program's.
        FView->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(FView, &QWidget::customContextMenuRequested, FView,
                         [this](const QPoint& at) {
                             if (OnContextMenu)
                                 OnContextMenu(FView->mapToGlobal(at));
                         });
        FHangTimer.setSingleShot(true);
        QObject::connect(&FHangTimer, &QTimer::timeout, [this] {
            if (FProbePending)
                EndHungRenderer();
        });
    }
    ~TEnginePreviewView() override {
        // The pages must go before the view and the engine's profile they belong to.
        ClosePopups();
        delete FPage;
        delete FView;
        delete FEngine;
    }

    QWidget* Widget() override { return FView; }

    void Load(const QString& fileName) override {
        FBlankWanted = false;
        FScrollWanted = false;
        if (!FPage)
            MakePage(fileName);
        ShowPage();
    }
    void Prepare(const QString& fileName) override {
        if (FPage)
            return;
        MakePage(fileName);
        FBlankWanted = true;
        LoadBlank();
        // The renderer's first text sets up its fonts; done now, out of sight, the first
        // preview need not wait for it.
        QObject::connect(FPage, &QWebEnginePage::loadFinished, FView, [this] {
            if (!FWarmed && IsBlank()) {
                FWarmed = true;
                FPage->runJavaScript(QString::fromUtf8(kWarmUpScript),
                                     QWebEngineScript::ApplicationWorld);
            }
        });
    }
    // The preview file is read again: a page handed over with its encoding would otherwise
    // come back as it was first read.
    void Reload() override {
        FScrollWanted = false;
        if (FPage)
            ShowPage();
    }
    void ReloadInPlace(int timeoutMs) override {
        if (!FPage)
            return;
        // While an earlier in-place load is under way, the page that counts is the one before.
        if (!FScrollWanted)
            FKeptScroll = FPage->scrollPosition();
        FScrollWanted = true;
        Probe(timeoutMs, [this] { ShowPage(); });
    }
    void Blank() override {
        ClosePopups();
        // While a sign of life is awaited the page is left alone: a hung one is ended
        // (which leaves nothing to see), a live one is replaced when it answers.
        FBlankWanted = true;
        if (!FProbePending)
            LoadBlank();
    }
    bool HasSelection() const override { return FPage && FPage->hasSelection(); }
    void CopySelection() override {
        if (FPage)
            FPage->triggerAction(QWebEnginePage::Copy);
    }
    void SelectAll() override {
        if (FPage)
            FPage->triggerAction(QWebEnginePage::SelectAll);
    }
    void CheckForHang(int timeoutMs) override {
        Probe(timeoutMs, [this] { LoadBlank(); });
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
            if (ok && FScrollWanted && !IsBlank())
                EndScrollRestore();
            if (OnLoadFinished && !IsBlank())
                OnLoadFinished(ok);
        });
        // An ended renderer (a hung script, a crash) leaves a blank page: a shown page
        // loads again in a fresh one.
        QObject::connect(FPage, &QWebEnginePage::renderProcessTerminated, FView, [this] {
            if (FView->isVisible())
                ShowPage();
        });
    }
    // Loads the preview file; a kept scroll position is taken up as soon as the document
    // is parsed, so the new page is not seen at its top first.
    void ShowPage() {
        RemoveScrollScript();
        if (FScrollWanted)
            FPage->scripts().insert(ScrollScript(FKeptScroll));
        FPage->ShowPreview();
    }
    // Once loaded, the page is scrolled there again: what it loaded last may have made it
    // longer. The script stays out of the next ordinary load.
    void EndScrollRestore() {
        FScrollWanted = false;
        RemoveScrollScript();
        FPage->runJavaScript(ScrollSource(FKeptScroll), QWebEngineScript::ApplicationWorld);
    }
    void RemoveScrollScript() {
        QWebEngineScriptCollection& scripts = FPage->scripts();
        for (const QWebEngineScript& script : scripts.find(kScrollScriptName))
            scripts.remove(script);
    }
    static QString ScrollSource(QPointF at) {
        return QStringLiteral("window.scrollTo(%1, %2);").arg(at.x()).arg(at.y());
    }
    static QWebEngineScript ScrollScript(QPointF at) {
        QWebEngineScript script;
        script.setName(kScrollScriptName);
        script.setSourceCode(ScrollSource(at));
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        // Out of the page's sight: its own scripts neither see nor change it.
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        return script;
    }
    // Asks the page for a sign of life; `alive` runs when it answers. Asked again while an
    // answer is awaited, the latest `alive` is the one that runs.
    void Probe(int timeoutMs, std::function<void()> alive) {
        if (!FPage)
            return;
        FAfterProbe = std::move(alive);
        if (FProbePending)
            return;
        FProbePending = true;
        FPage->runJavaScript(QStringLiteral("0"), [this](const QVariant&) {
            FProbePending = false;
            FHangTimer.stop();
            if (auto next = std::exchange(FAfterProbe, {}))
                next();
        });
        FHangTimer.start(timeoutMs);
    }
    void LoadBlank() {
        if (FPage && FBlankWanted)
            FPage->load(QUrl(QStringLiteral("about:blank")));
        FBlankWanted = false;
    }
    bool IsBlank() const { return FPage->url().scheme() == QStringLiteral("about"); }
    void ClosePopups() {
        for (const QPointer<QWebEngineView>& popup : FPopups)
            delete popup.data();
        FPopups.clear();
    }
    void EndHungRenderer() {
        FProbePending = false;
        FBlankWanted = false;
        FAfterProbe = {};
        FHangTimer.stop();
        const qint64 pid = FPage ? FPage->renderProcessPid() : 0;
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    PreviewEngine* FEngine;
    QWebEngineView* FView;
    PreviewPage* FPage = nullptr;
    bool FProbePending = false;
    bool FBlankWanted = false;
    bool FWarmed = false;
    std::function<void()> FAfterProbe;
    // The scroll position the next load takes up (ReloadInPlace).
    bool FScrollWanted = false;
    QPointF FKeptScroll;
    QTimer FHangTimer;
    std::vector<QPointer<QWebEngineView>> FPopups;
};

// Without a GPU the engine renders its pages in software (the process was prepared with
// --disable-gpu). Its views then put those frames on screen in software too: through
// OpenGL they would go by way of the software GL driver, whose first frame compiles shaders
// for some 300 ms and every later one reads the picture back from it.
bool EngineRendersInSoftware() {
    return qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' ').contains("--disable-gpu");
}

// The engine draws through the application's shared OpenGL context; it is made here, when
// the engine starts, unless the application made one. The engine looks for it even when
// its views draw in software.
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
    if (EngineRendersInSoftware())
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    EnsureSharedContext();
    return new TEnginePreviewView(parent);
}
