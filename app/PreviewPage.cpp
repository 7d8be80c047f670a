#include "app/PreviewPage.h"

#include "app/PreviewEngine.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>

// ---- Request rules

namespace {
QString CleanLocalPath(const QUrl& url) {
    return QDir::cleanPath(url.toLocalFile());
}
} // namespace

bool IsPreviewRequestAllowed(const QUrl& request, const QUrl& previewFile) {
    const QString scheme = request.scheme();
    if (scheme == u"data" || scheme == u"blob")
        return true;
    // Empty documents of new frames and pop-ups carry nothing.
    if (scheme == u"about")
        return request.path() == u"blank" || request.path() == u"srcdoc";
    if (!request.isLocalFile() || !previewFile.isLocalFile() || !request.host().isEmpty())
        return false;
    return CleanLocalPath(request) == CleanLocalPath(previewFile);
}

PreviewRequestFilter::PreviewRequestFilter(const QUrl& previewFile, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), FPreviewFile(previewFile) {}

void PreviewRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (IsPreviewRequestAllowed(info.requestUrl(), FPreviewFile))
        return;
    info.block(true);
    if (OnBlocked)
        OnBlocked(info.requestUrl());
}

// ---- Dialog guard

bool PreviewDialogGuard::Opening(qint64 nowMs) {
    const bool continuesRow = FLastClosedMs >= 0 && nowMs - FLastClosedMs < kGapMs;
    FInRow = continuesRow ? FInRow + 1 : 1;
    return FInRow >= kOfferAfter;
}

void PreviewDialogGuard::Closed(qint64 nowMs) {
    FLastClosedMs = nowMs;
}

void PreviewDialogGuard::Reset() {
    *this = PreviewDialogGuard();
}

// ---- Page

PreviewPage::PreviewPage(PreviewEngine* engine, const QUrl& previewFile, QObject* parent)
    : QWebEnginePage(engine->Profile(), parent), FEngine(engine), FPreviewFile(previewFile),
      FFilter(new PreviewRequestFilter(previewFile, this)) {
    FClock.start();
    FFilter->OnBlocked = [this](const QUrl& blocked) {
        if (OnBlockedRequest)
            OnBlockedRequest(blocked);
    };
    setUrlRequestInterceptor(FFilter);
    // Previews get no camera, microphone, location, notifications, full screen or files.
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
}

void PreviewPage::ShowPreview() {
    FGuard.Reset();
    QFile file(FPreviewFile.toLocalFile());
    QByteArray bytes;
    if (file.size() <= kHandedOverBytes && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // A page that names its encoding, or one too large to hand over, is read by the engine.
    if (bytes.isEmpty() || !TextEncoding::DeclaredName(bytes).isEmpty()) {
        load(FPreviewFile);
        return;
    }
    // Left to itself, the engine guesses the encoding of an undeclared page from its bytes and
    // takes a short GBK page for windows-1252; it gets the encoding the program reads it in.
    const QString charset = TextEncoding::Detect(bytes) == TextEncoding::Encoding::Utf8
                                ? QStringLiteral("UTF-8")
                                : QStringLiteral("GBK");
    setContent(bytes, QStringLiteral("text/html;charset=") + charset, FPreviewFile);
}

PreviewDialogAnswer PreviewPage::RunDialog(PreviewDialog dialog) {
    if (FGuard.Stopped())
        return {};
    dialog.page = url();
    dialog.source = this;
    dialog.offerStop = FGuard.Opening(FClock.elapsed());
    PreviewDialogAnswer answer = FEngine->ShowDialog(dialog);
    FGuard.Closed(FClock.elapsed());
    if (answer.stopDialogs)
        FGuard.Stop();
    return answer;
}

void PreviewPage::javaScriptAlert(const QUrl&, const QString& msg) {
    RunDialog({PreviewDialog::Kind::Alert, msg, QString(), QUrl(), nullptr, false});
}

bool PreviewPage::javaScriptConfirm(const QUrl&, const QString& msg) {
    return RunDialog({PreviewDialog::Kind::Confirm, msg, QString(), QUrl(), nullptr, false})
        .accepted;
}

bool PreviewPage::javaScriptPrompt(const QUrl&, const QString& msg, const QString& defaultValue,
                                   QString* result) {
    PreviewDialogAnswer answer =
        RunDialog({PreviewDialog::Kind::Prompt, msg, defaultValue, QUrl(), nullptr, false});
    if (answer.accepted && result)
        *result = answer.value;
    return answer.accepted;
}

void PreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message, int lineNumber,
                                           const QString& sourceID) {
    if (OnConsoleMessage)
        OnConsoleMessage(level, message, lineNumber, sourceID);
}

QWebEnginePage* PreviewPage::createWindow(WebWindowType) {
    return FEngine->CreatePopup(this);
}
