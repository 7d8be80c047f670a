#pragma once
// Checks effects the way the preview shows them: each effect's lines go through the preview
// file into a preview page of the shared engine, off-screen at the preview window's size.
// Once loaded, the page gets a moment to draw, the mouse moves over it and clicks once in its
// middle. What went wrong on the way is the effect's report. Several pages run at once.

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class PreviewEngine;
class PreviewPage;
class QWebEngineView;

struct EffectReport {
    QString file;
    QString name; // "category/effect", as people find it
    QString loadError;
    QStringList scriptErrors;
    QStringList blockedRequests;
    int dialogs = 0;
    bool endlessDialogs = false;
    int popups = 0;
    bool blank = false;
    QString blankColour; // "#rrggbb" of a blank page
    qint64 settleMs = -1;
    QImage screenshot; // as it settled, before the mouse touched it

    // One line per fault, "name: what"; empty when the effect passed.
    QStringList Problems() const;
    bool Failed() const { return !Problems().isEmpty(); }
};

// The size of the preview window's browser.
inline constexpr int kEffectViewWidth = 682;
inline constexpr int kEffectViewHeight = 396;

// True when every pixel of the picture has the same colour (a blank page).
bool IsSingleColour(const QImage& image);

// The effect files below the given folders and the given files: files without an extension,
// in a folder or its sub-folders (the categories), sorted; hidden names are skipped.
// A file named directly is taken whatever its name.
QStringList CollectEffectFiles(const QStringList& paths);

class EffectChecker : public QObject {
    Q_OBJECT
public:
    // `workFolder` holds one preview file per page that runs at once.
    EffectChecker(PreviewEngine* engine, const QString& workFolder, int pagesAtOnce);
    ~EffectChecker() override;

    // Checks the files and returns their reports in the same order; runs the event loop
    // until all are done.
    std::vector<EffectReport> Check(const QStringList& files);
    // Each effect's report as soon as it is done.
    std::function<void(const EffectReport& report)> OnReport;

    static constexpr int kLoadTimeoutMs = 15000;
    static constexpr int kDrawPauseMs = 400;
    static constexpr int kAfterClickMs = 400;
    static constexpr int kLastLookMs = 1500;

private:
    struct Run;
    void StartNext(int slot);
    void Finish(Run* run);
    // Ends Check once every file is done and every page and view is gone.
    void QuitWhenDone();
    void Interact(Run* run);
    // The run of a page or of one of its pop-ups.
    Run* RunOf(const PreviewPage* page) const;
    // The run still checking file `index` in `slot`; nullptr once it has finished.
    Run* Live(int slot, int index) const;

    PreviewEngine* FEngine;
    QString FWorkFolder;
    int FSlots;
    QStringList FFiles;
    std::vector<EffectReport> FReports;
    int FNextFile = 0;
    int FDone = 0;
    int FRetiring = 0;                         // views of finished runs not yet deleted
    std::map<int, std::unique_ptr<Run>> FRuns; // by slot
    class QEventLoop* FLoop = nullptr;
};
