#pragma once
// The browser every preview of an effect runs in, shared by the preview window and the
// effect checker so that both load an effect the same way.
//
//   PreviewEngine   one browser profile with the preview settings; makes preview pages
//   PreviewPage     (PreviewPage.h) one page: request rules, console, dialogs, pop-ups
//
// An effect is previewed by writing its lines to the preview file (GBK, CR LF after every
// line) and loading that file. The page may load the preview file itself and data:/blob:
// URLs, nothing else: no network and no other local file.

#include "app/PreviewDialog.h"
#include "app/PreviewSetup.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class PreviewPage;

using PreviewDialogHandler = std::function<PreviewDialogAnswer(const PreviewDialog& dialog)>;
// Makes the page of a pop-up asked for by `opener` (window.open); may return nullptr to refuse.
using PreviewPopupFactory = std::function<PreviewPage*(PreviewPage* opener)>;

class PreviewEngine : public QObject {
    Q_OBJECT
public:
    struct Options {
        // Folder for cookies and page storage that last between runs; empty keeps them in
        // memory for the engine's lifetime (they still survive a reload).
        QString storageFolder;
        // Lets every attempt to reach another local file or the network through to the
        // request rules, which block and report it. Without it the engine refuses such
        // requests itself, before the rules see them, and nothing is reported. Pages can
        // reach the same things either way.
        bool reportAllRequests = false;
    };

    explicit PreviewEngine(QObject* parent = nullptr);
    PreviewEngine(const Options& options, QObject* parent = nullptr);
    ~PreviewEngine() override;

    QWebEngineProfile* Profile() const { return FProfile; }

    // A page for previews of `previewFile`, owned by `parent`.
    PreviewPage* NewPage(const QString& previewFile, QObject* parent);

    // JavaScript dialogs of every page of this engine go to this handler; the default shows
    // the platform's plain boxes.
    void SetDialogHandler(PreviewDialogHandler handler);
    PreviewDialogAnswer ShowDialog(const PreviewDialog& dialog) const;

    // Pages for window.open; the default opens a plain pop-up window with its own page.
    void SetPopupFactory(PreviewPopupFactory factory);
    PreviewPage* CreatePopup(PreviewPage* opener);

private:
    void ApplyPreviewSettings(const Options& options);
    void InstallCookieScript();

    QWebEngineProfile* FProfile = nullptr;
    PreviewDialogHandler FDialogHandler;
    PreviewPopupFactory FPopupFactory;
};

// Hides a preview view and deletes it (and `page` before it, when given) a moment later. The
// engine draws a page's frames on a thread of its own, and a frame it had begun when the page
// was torn down can call into the half-destroyed page and end the program; a hidden page gets
// no new frames, and the moment lets the last one finish.
inline constexpr int kPreviewSettleMs = 250;
void DeleteWhenSettled(QWebEngineView* view, QWebEnginePage* page = nullptr);

// Shows `page` in a plain top-level window (the pop-up of a window.open); the window deletes
// itself, and the page, when closed (through DeleteWhenSettled). With an `owner` window the pop-up
// belongs to it: it stands above it, takes input while the owner is modal and is destroyed with it.
QWebEngineView* ShowPreviewPopup(PreviewPage* page, QWidget* owner = nullptr);
