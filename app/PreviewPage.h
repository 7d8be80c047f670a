#pragma once
// One preview page and the rules it runs under: which requests it may make, where its
// console messages and JavaScript dialogs go, and the way out of a page that opens dialog
// after dialog.

#include "app/PreviewDialog.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>

class PreviewEngine;
class PreviewPage;

// The request rule of previews: the preview file itself (any query or fragment) and data:
// and blob: URLs are allowed; every other URL (network, other local files, other schemes)
// is not.
bool IsPreviewRequestAllowed(const QUrl& request, const QUrl& previewFile);

// Blocks what IsPreviewRequestAllowed refuses and reports each blocked URL.
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    PreviewRequestFilter(const QUrl& previewFile, QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    std::function<void(const QUrl& blocked)> OnBlocked;

private:
    QUrl FPreviewFile;
};

// Counts the dialogs a page opens in a row: a dialog that opens less than `gap` after the
// previous one closed continues the row, a later one starts a new row. From the
// `offerAfter`-th dialog of a row on, the user is offered to stop the page's dialogs; once
// stopped, they stay stopped until Reset.
class PreviewDialogGuard {
public:
    static constexpr int kOfferAfter = 5;
    static constexpr qint64 kGapMs = 1000;

    // Called when a dialog is about to open at `nowMs`; true when this one should offer to
    // stop. Not called for dialogs that are stopped.
    bool Opening(qint64 nowMs);
    void Closed(qint64 nowMs);
    void Stop() { FStopped = true; }
    bool Stopped() const { return FStopped; }
    void Reset();

private:
    int FInRow = 0;
    qint64 FLastClosedMs = -1;
    bool FStopped = false;
};

class PreviewPage : public QWebEnginePage {
    Q_OBJECT
public:
    PreviewPage(PreviewEngine* engine, const QUrl& previewFile, QObject* parent);

    PreviewEngine* Engine() const { return FEngine; }
    QUrl PreviewFileUrl() const { return FPreviewFile; }

    // Loads the preview file afresh; a dialog stop ends here, so a new preview gets its
    // dialogs again. A page without an encoding declaration is decoded as its bytes read
    // (GBK unless they are UTF-8), as the code window shows it.
    void ShowPreview();
    PreviewDialogGuard& DialogGuard() { return FGuard; }

    std::function<void(const QUrl& blocked)> OnBlockedRequest;
    std::function<void(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                       const QString& source)>
        OnConsoleMessage;

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    // Pages up to this size are handed to the engine with their encoding (it takes no more
    // than 2 MB that way); larger ones are left to its own reading.
    static constexpr qint64 kHandedOverBytes = 1024 * 1024;

    // Runs one dialog through the guard and the engine's handler; a stopped page gets the
    // answer of a cancelled dialog without anything shown.
    PreviewDialogAnswer RunDialog(PreviewDialog dialog);

    PreviewEngine* FEngine;
    QUrl FPreviewFile;
    PreviewRequestFilter* FFilter;
    PreviewDialogGuard FGuard;
    QElapsedTimer FClock;
};
