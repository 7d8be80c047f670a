#include "effects/EffectChecker.h"

#include "app/EffectFile.h"
#include "app/PreviewEngine.h"
#include "app/PreviewPage.h"
#include "framework/Strings.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>

QStringList EffectReport::Problems() const {
    QStringList problems;
    auto add = [&](const QString& what) { problems << name + QStringLiteral(": ") + what; };
    if (!loadError.isEmpty())
        add(loadError);
    for (const QString& error : scriptErrors)
        add(QStringLiteral("script error ") + error);
    for (const QString& url : blockedRequests)
        add(QStringLiteral("blocked request: ") + url);
    if (endlessDialogs)
        add(QStringLiteral("opens dialog after dialog (%1 in a row)").arg(dialogs));
    if (blank)
        add(QStringLiteral("blank page (all %1)").arg(blankColour));
    return problems;
}

bool IsSingleColour(const QImage& image) {
    if (image.isNull())
        return true;
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        if (std::any_of(line, line + rgb.width(), [first](QRgb p) { return p != first; }))
            return false;
    }
    return true;
}

QStringList CollectEffectFiles(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            files << path;
            continue;
        }
        QStringList found;
        QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString name = it.fileName();
            if (!name.startsWith(u'.') && Paths::ExtractFileExt(name).isEmpty())
                found << file;
        }
        found.sort();
        files << found;
    }
    return files;
}

namespace {
// "category/effect": the folder the effect is in and its name.
QString DisplayName(const QString& file) {
    QFileInfo info(file);
    return info.dir().dirName() + u'/' + info.fileName();
}

constexpr int kMaxUrlLength = 160;

QString ShortUrl(const QUrl& url) {
    QString text = url.toDisplayString();
    return text.size() > kMaxUrlLength ? text.left(kMaxUrlLength) + QStringLiteral("…") : text;
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                                             : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}
} // namespace

struct EffectChecker::Run {
    int slot = 0;
    int index = 0;
    QString previewFile;
    QWebEngineView* view = nullptr; // owns the page and the pop-ups
    PreviewPage* page = nullptr;
    std::vector<PreviewPage*> popups;
    QElapsedTimer clock;
    QTimer timeout;
    bool loaded = false;
    bool finished = false;
};

EffectChecker::EffectChecker(PreviewEngine* engine, const QString& workFolder, int pagesAtOnce)
    : FEngine(engine), FWorkFolder(workFolder), FSlots(std::max(1, pagesAtOnce)) {
    // Dialogs are answered at once, as a user clicking OK would; a page that keeps opening
    // them is stopped and reported.
    FEngine->SetDialogHandler([this](const PreviewDialog& dialog) {
        PreviewDialogAnswer answer;
        answer.accepted = true;
        answer.value = dialog.defaultValue;
        if (Run* run = RunOf(dialog.source)) {
            EffectReport& report = FReports[run->index];
            ++report.dialogs;
            if (dialog.offerStop) {
                report.endlessDialogs = true;
                answer.stopDialogs = true;
            }
        }
        return answer;
    });
    // Pop-ups load hidden; what they try is the effect's.
    FEngine->SetPopupFactory([this](PreviewPage* opener) -> PreviewPage* {
        Run* run = RunOf(opener);
        // A finished run's view is on its way out: a pop-up made under it would go with it
        // while the engine still sets it up.
        if (!run || run->finished)
            return nullptr;
        PreviewPage* popup = FEngine->NewPage(run->previewFile, run->view);
        EffectReport& report = FReports[run->index];
        ++report.popups;
        popup->OnBlockedRequest = [this, index = run->index](const QUrl& url) {
            FReports[index].blockedRequests << ShortUrl(url);
        };
        run->popups.push_back(popup);
        return popup;
    });
}

EffectChecker::~EffectChecker() {
    FRuns.clear();
    FEngine->SetDialogHandler(nullptr);
    FEngine->SetPopupFactory(nullptr);
    // Pages go before the engine's profile does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

EffectChecker::Run* EffectChecker::Live(int slot, int index) const {
    auto it = FRuns.find(slot);
    if (it == FRuns.end() || it->second->index != index || it->second->finished)
        return nullptr;
    return it->second.get();
}

EffectChecker::Run* EffectChecker::RunOf(const PreviewPage* page) const {
    for (const auto& [slot, run] : FRuns) {
        if (run->page == page ||
            std::find(run->popups.begin(), run->popups.end(), page) != run->popups.end())
            return run.get();
    }
    return nullptr;
}

std::vector<EffectReport> EffectChecker::Check(const QStringList& files) {
    FFiles = files;
    FReports.assign(files.size(), EffectReport());
    for (int i = 0; i < files.size(); ++i) {
        FReports[i].file = files[i];
        FReports[i].name = DisplayName(files[i]);
    }
    FNextFile = 0;
    FDone = 0;
    if (files.isEmpty())
        return {};
    QEventLoop loop;
    FLoop = &loop;
    for (int slot = 0; slot < FSlots; ++slot)
        StartNext(slot);
    if (FDone < FFiles.size() || FRetiring > 0)
        loop.exec();
    FLoop = nullptr;
    return std::move(FReports);
}

void EffectChecker::StartNext(int slot) {
    if (FNextFile >= FFiles.size()) {
        QuitWhenDone();
        return;
    }
    auto owned = std::make_unique<Run>();
    Run* run = owned.get();
    run->slot = slot;
    run->index = FNextFile++;
    run->previewFile = PreviewFilePathIn(FWorkFolder + QStringLiteral("/page%1").arg(slot));
    FRuns[slot] = std::move(owned);
    EffectReport& report = FReports[run->index];

    try {
        QDir().mkpath(Paths::ExtractFilePath(run->previewFile));
        TStringList lines;
        // Read and written as the program does: GBK or UTF-8, as the effect comes.
        const TextEncoding::Encoding encoding = EffectFile::Load(lines, report.file);
        WritePreviewFile(run->previewFile, lines, encoding);
    } catch (const Exception& e) {
        report.loadError = e.Message();
        QTimer::singleShot(0, this, [this, slot, index = run->index] {
            if (Run* run = Live(slot, index))
                Finish(run);
        });
        return;
    }

    run->view = new QWebEngineView;
    run->view->setAttribute(Qt::WA_DontShowOnScreen);
    run->view->resize(kEffectViewWidth, kEffectViewHeight);
    run->page = FEngine->NewPage(run->previewFile, run->view);
    const int index = run->index;
    run->page->OnBlockedRequest = [this, index](const QUrl& url) {
        FReports[index].blockedRequests << ShortUrl(url);
    };
    run->page->OnConsoleMessage = [this, index](QWebEnginePage::JavaScriptConsoleMessageLevel level,
                                                const QString& message, int line, const QString&) {
        if (level != QWebEnginePage::ErrorMessageLevel)
            return;
        // An error in an animation repeats every frame; once is enough.
        const QString text = QStringLiteral("at line %1: %2").arg(line).arg(message);
        if (!FReports[index].scriptErrors.contains(text))
            FReports[index].scriptErrors << text;
    };
    connect(run->page, &QWebEnginePage::loadFinished, this, [this, slot, index](bool ok) {
        Run* run = Live(slot, index);
        if (!run || run->loaded)
            return; // the effect navigated or reloaded itself later
        run->loaded = true;
        run->timeout.stop();
        FReports[run->index].settleMs = run->clock.elapsed();
        if (!ok) {
            FReports[run->index].loadError = QStringLiteral("the page did not load");
            Finish(run);
            return;
        }
        QTimer::singleShot(kDrawPauseMs, this, [this, slot, index] {
            if (Run* run = Live(slot, index))
                Interact(run);
        });
    });
    connect(run->page, &QWebEnginePage::renderProcessTerminated, this,
            [this, slot, index](QWebEnginePage::RenderProcessTerminationStatus status) {
                Run* run = Live(slot, index);
                if (!run || status == QWebEnginePage::NormalTerminationStatus)
                    return;
                FReports[run->index].loadError = QStringLiteral("the page's renderer stopped");
                Finish(run);
            });
    run->timeout.setSingleShot(true);
    connect(&run->timeout, &QTimer::timeout, this, [this, run] {
        FReports[run->index].loadError =
            QStringLiteral("did not finish loading within %1 s").arg(kLoadTimeoutMs / 1000);
        Finish(run);
    });
    run->view->setPage(run->page);
    run->view->show();
    run->clock.start();
    run->timeout.start(kLoadTimeoutMs);
    run->page->ShowPreview();
}

void EffectChecker::Interact(Run* run) {
    EffectReport& report = FReports[run->index];
    report.screenshot = run->view->grab().toImage();
    QWidget* target = run->view->focusProxy() ? run->view->focusProxy() : run->view;
    const QPoint centre(kEffectViewWidth / 2, kEffectViewHeight / 2);
    // Over the page from its top-left corner to the middle, as a hand would come in.
    constexpr int kSteps = 6;
    for (int step = 0; step <= kSteps; ++step)
        SendMouse(target, QEvent::MouseMove,
                  QPoint(20, 20) + (centre - QPoint(20, 20)) * step / kSteps, Qt::NoButton);
    SendMouse(target, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
    QTimer::singleShot(kAfterClickMs, this, [this, slot = run->slot, index = run->index] {
        Run* run = Live(slot, index);
        if (!run)
            return;
        EffectReport& report = FReports[run->index];
        if (!IsSingleColour(report.screenshot) || !IsSingleColour(run->view->grab().toImage())) {
            Finish(run);
            return;
        }
        // A page that is still one colour gets one more look: on a busy machine the first
        // frames of a slow start can come late.
        QTimer::singleShot(kLastLookMs, this, [this, slot = run->slot, index = run->index] {
            Run* run = Live(slot, index);
            if (!run)
                return;
            EffectReport& report = FReports[run->index];
            QImage last = run->view->grab().toImage();
            if (IsSingleColour(last)) {
                report.blank = true;
                report.blankColour =
                    last.isNull() ? QStringLiteral("empty") : QColor(last.pixel(0, 0)).name();
            } else if (IsSingleColour(report.screenshot)) {
                report.screenshot = last; // the sheet shows the page as it came to be
            }
            Finish(run);
        });
    });
}

void EffectChecker::Finish(Run* run) {
    if (run->finished)
        return;
    run->finished = true;
    run->timeout.stop();
    if (OnReport)
        OnReport(FReports[run->index]);
    if (run->view) {
        // The page goes before its view: a view torn down while its page still talks to it
        // can call into a half-destroyed widget. The next effect need not wait for them.
        ++FRetiring;
        connect(run->view, &QObject::destroyed, this, [this] {
            --FRetiring;
            QuitWhenDone();
        });
        DeleteWhenSettled(run->view, run->page);
    }
    const int slot = run->slot;
    // The run is freed once the events already queued for it are through.
    QTimer::singleShot(0, this, [this, slot] {
        FRuns.erase(slot);
        ++FDone;
        StartNext(slot);
    });
}

void EffectChecker::QuitWhenDone() {
    if (FDone == FFiles.size() && FRetiring == 0 && FLoop)
        FLoop->quit();
}
