#include "app/PreviewEngine.h"

#include "app/PreviewPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

// ---- Dialogs and pop-ups

namespace {
const QString kDialogTitle = QStringLiteral("来自网页的消息");

PreviewDialogAnswer ShowPlainDialog(const PreviewDialog& dialog) {
    PreviewDialogAnswer answer;
    if (dialog.kind == PreviewDialog::Kind::Prompt) {
        // An input box has no room for a check box, so the stop is asked first.
        if (dialog.offerStop &&
            QMessageBox::question(
                nullptr, kDialogTitle,
                QStringLiteral("此网页一直在弹出对话框。要禁止它再弹出对话框吗？")) ==
                QMessageBox::Yes) {
            answer.stopDialogs = true;
            return answer;
        }
        bool ok = false;
        answer.value = QInputDialog::getText(nullptr, kDialogTitle, dialog.text, QLineEdit::Normal,
                                             dialog.defaultValue, &ok);
        answer.accepted = ok;
        return answer;
    }
    const bool confirm = dialog.kind == PreviewDialog::Kind::Confirm;
    QMessageBox box(confirm ? QMessageBox::Question : QMessageBox::Information, kDialogTitle,
                    dialog.text, confirm ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    QCheckBox* stop = nullptr;
    if (dialog.offerStop) {
        stop = new QCheckBox(QStringLiteral("禁止此网页再弹出对话框"));
        box.setCheckBox(stop);
    }
    answer.accepted = box.exec() == QMessageBox::Ok;
    answer.stopDialogs = stop && stop->isChecked();
    return answer;
}

// Pages opened from a file have no cookies in this engine, yet effects count visits and
// remember names in cookies. This gives such pages a document.cookie kept in the page
// storage of their origin: it survives a reload (and a restart with a storage folder) and
// honours max-age and expires; path and domain do not apply to local files.
const char* const kCookieScript = R"JS(
(function () {
  if (location.protocol !== 'file:') return;
  var KEY = 'zarvo.preview.cookies';
  function load() {
    try { return JSON.parse(localStorage.getItem(KEY)) || {}; } catch (e) { return {}; }
  }
  function save(jar) {
    try { localStorage.setItem(KEY, JSON.stringify(jar)); } catch (e) {}
  }
  function live() {
    var jar = load(), now = Date.now();
    Object.keys(jar).forEach(function (k) {
      if (jar[k].expires !== null && jar[k].expires <= now) delete jar[k];
    });
    return jar;
  }
  function expiry(attributes) {
    var maxAge = null, expires = null;
    attributes.forEach(function (part) {
      var i = part.indexOf('=');
      var key = (i < 0 ? part : part.slice(0, i)).trim().toLowerCase();
      var value = i < 0 ? '' : part.slice(i + 1).trim();
      if (key === 'max-age' && /^-?\d+$/.test(value)) maxAge = Date.now() + Number(value) * 1000;
      if (key === 'expires' && !isNaN(Date.parse(value))) expires = Date.parse(value);
    });
    return maxAge !== null ? maxAge : expires;
  }
  Object.defineProperty(Document.prototype, 'cookie', {
    configurable: true,
    enumerable: true,
    get: function () {
      var jar = live();
      return Object.keys(jar).map(function (k) {
        return k === '' ? jar[k].value : k + '=' + jar[k].value;
      }).join('; ');
    },
    set: function (text) {
      var parts = String(text).split(';');
      var first = parts.shift(), eq = first.indexOf('=');
      var name = eq < 0 ? '' : first.slice(0, eq).trim();
      var value = eq < 0 ? first.trim() : first.slice(eq + 1).trim();
      var expires = expiry(parts), jar = live();
      if (expires !== null && expires <= Date.now()) delete jar[name];
      else jar[name] = { value: value, expires: expires };
      save(jar);
    }
  });
})();
)JS";

// Deletes the view it watches once a close has hidden it.
class DeleteWhenClosed : public QObject {
public:
    explicit DeleteWhenClosed(QWebEngineView* view) : QObject(view), FView(view) {
        view->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        // The close event comes before the window hides; an ignored close leaves it open.
        if (event->type() == QEvent::Close)
            QTimer::singleShot(0, this, [this] {
                if (!FView->isVisible())
                    DeleteWhenSettled(FView, FView->page());
            });
        return false;
    }

private:
    QWebEngineView* FView;
};
} // namespace

void DeleteWhenSettled(QWebEngineView* view, QWebEnginePage* page) {
    view->hide();
    QTimer::singleShot(kPreviewSettleMs, view, [view, page = QPointer<QWebEnginePage>(page)] {
        // Deferred deletes run in the order posted: the page first.
        if (page)
            page->deleteLater();
        view->deleteLater();
    });
}

QWebEngineView* ShowPreviewPopup(PreviewPage* page, QWidget* owner) {
    // A child window of the owner: not blocked by the owner's modality.
    auto* view = new QWebEngineView(owner);
    if (owner)
        view->setWindowFlag(Qt::Window);
    new DeleteWhenClosed(view);
    view->setPage(page);
    page->setParent(view);
    view->resize(640, 480);
    QObject::connect(page, &QWebEnginePage::windowCloseRequested, view, &QWidget::close);
    // As in a browser, the page places the window by its outer edge and sizes its content;
    // a window placed by its content at the screen's top would have its caption above it.
    QObject::connect(page, &QWebEnginePage::geometryChangeRequested, view,
                     [view](const QRect& geometry) {
                         view->resize(geometry.size());
                         view->move(geometry.topLeft());
                     });
    QObject::connect(page, &QWebEnginePage::titleChanged, view, &QWidget::setWindowTitle);
    view->show();
    return view;
}

// ---- The engine

PreviewEngine::PreviewEngine(QObject* parent) : PreviewEngine(Options(), parent) {}

PreviewEngine::PreviewEngine(const Options& options, QObject* parent) : QObject(parent) {
    if (options.storageFolder.isEmpty()) {
        FProfile = new QWebEngineProfile(this);
    } else {
        FProfile = new QWebEngineProfile(QStringLiteral("preview"), this);
        FProfile->setPersistentStoragePath(options.storageFolder);
        FProfile->setCachePath(options.storageFolder + QStringLiteral("/cache"));
        FProfile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    }
    FProfile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    FProfile->setSpellCheckEnabled(false);
    ApplyPreviewSettings(options);
    InstallCookieScript();
    FDialogHandler = ShowPlainDialog;
    FPopupFactory = [this](PreviewPage* opener) -> PreviewPage* {
        PreviewPage* page = NewPage(opener->PreviewFileUrl().toLocalFile(), nullptr);
        ShowPreviewPopup(page);
        return page;
    };
}

PreviewEngine::~PreviewEngine() = default;

void PreviewEngine::ApplyPreviewSettings(const Options& options) {
    QWebEngineSettings* settings = FProfile->settings();
    // Effects and typed code need no charset line to show Chinese right.
    settings->setDefaultTextEncoding(QStringLiteral("GBK"));
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls,
                           options.reportAllRequests);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                           options.reportAllRequests);
    // Pop-ups only from the user's clicks; window.open in a click handler still works.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // The favicon would be a request for a file beside the preview file.
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
}

void PreviewEngine::InstallCookieScript() {
    QWebEngineScript script;
    script.setName(QStringLiteral("zarvo-preview-cookies"));
    script.setSourceCode(QString::fromUtf8(kCookieScript));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    FProfile->scripts()->insert(script);
}

PreviewPage* PreviewEngine::NewPage(const QString& previewFile, QObject* parent) {
    return new PreviewPage(this, QUrl::fromLocalFile(previewFile), parent);
}

void PreviewEngine::SetDialogHandler(PreviewDialogHandler handler) {
    FDialogHandler = handler ? std::move(handler) : PreviewDialogHandler(ShowPlainDialog);
}

PreviewDialogAnswer PreviewEngine::ShowDialog(const PreviewDialog& dialog) const {
    return FDialogHandler(dialog);
}

void PreviewEngine::SetPopupFactory(PreviewPopupFactory factory) {
    FPopupFactory = factory;
}

PreviewPage* PreviewEngine::CreatePopup(PreviewPage* opener) {
    return FPopupFactory ? FPopupFactory(opener) : nullptr;
}
