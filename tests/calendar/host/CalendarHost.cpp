// A host for the calendar plug-in that loads it exactly as the program does: LoadLibrary of
// "zarvownl.dll" (libzarvownl.so in the program folder), GetProcAddress of PluginFormShow,
// the call, FreeLibrary. A timer closes the calendar window the way its close box would.
//
//   calendar_host --program-folder DIR [--cycles N]
//       two load-call-unload rounds, one library load called twice, then N more rounds;
//       checks the result 2 every time, that unloading really unmaps the library, and that
//       the resident memory stays within a small bound. Prints the memory figures.
//   calendar_host --program-folder DIR --without-application
//       calls the plug-in from a host that has no Qt application of its own.
//   calendar_host --program-folder DIR --screenshot FILE
//       shows the window on the desktop set to August 2006 and saves a screenshot of it.
//       Exits 77 (skipped) without a DISPLAY.
//
// Exit code 0 on success, 1 on a failed check.

#include "framework/Forms.h"
#include "platform/DynLib.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using PluginFormShowFunction = int (*)();

constexpr int ClosedByCloseBox = 2;
// Allowed growth of the resident memory from the second to the last round.
constexpr long MemoryBoundKb = 8 * 1024;

struct Options {
    QString ProgramFolder;
    int Cycles = 100;
    QString Screenshot;
    bool WithoutApplication = false;
};

int gFailures = 0;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++gFailures;
    }
}

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

bool LibraryMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libzarvownl.so");
}

// Calls PluginFormShow; while it runs, `onWindow` is called once with the calendar window
// after it has been shown for `delayMs`, and then the window is closed like with its close
// box. Returns the call's result.
int CallWithCloser(PluginFormShowFunction show, int delayMs,
                   const std::function<void(QWidget*)>& onWindow = {}) {
    QElapsedTimer shown;
    QWidget* window = nullptr;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != window) {
            window = modal;
            shown.start();
        }
        if (shown.elapsed() < delayMs)
            return;
        closer.stop();
        if (onWindow)
            onWindow(window);
        window->close();
    });
    closer.start();
    const int result = show();
    closer.stop();
    return result;
}

// One round as the program's calendar command does it.
bool LoadCallUnload(int delayMs = 0, const std::function<void(QWidget*)>& onWindow = {}) {
    HMODULE library = DynLib::LoadLibrary(QStringLiteral("zarvownl.dll"));
    if (!library) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(DynLib::LastErrorText()));
        return false;
    }
    auto show =
        reinterpret_cast<PluginFormShowFunction>(DynLib::GetProcAddress(library, "PluginFormShow"));
    Check(show != nullptr, "PluginFormShow is exported");
    if (show)
        Check(CallWithCloser(show, delayMs, onWindow) == ClosedByCloseBox,
              "closing the window returns 2");
    Check(DynLib::FreeLibrary(library), "the library unloads");
    Check(!LibraryMapped(), "the unloaded library is unmapped");
    return show != nullptr;
}

void CheckWindow(QWidget* window) {
    Check(window->windowTitle() == QStringLiteral("zarvo万年历"), "window caption");
    Check(window->windowFlags().testFlag(Qt::Tool), "tool-window frame");
    Check(!window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), "no minimize box");
    Check(window->findChild<QWidget*>(QStringLiteral("hxCalendar1")) != nullptr, "the grid");
    Check(window->windowIcon().availableSizes().size() == 6, "six icon sizes");
}

int RunCycles(const Options& options) {
    // The program's own main window, made with the program's copy of the framework.
    TForm hostWindow;
    hostWindow.SetText(QStringLiteral("host"));
    hostWindow.Show();
    QCoreApplication::processEvents();

    const long before = ResidentKb();
    for (int round = 0; round < 2; ++round)
        if (!LoadCallUnload(0, round == 0 ? CheckWindow : std::function<void(QWidget*)>()))
            return 1;
    const long afterTwo = ResidentKb();

    // One load, two calls: every call makes a new window.
    HMODULE library = DynLib::LoadLibrary(QStringLiteral("zarvownl.dll"));
    auto show =
        reinterpret_cast<PluginFormShowFunction>(DynLib::GetProcAddress(library, "PluginFormShow"));
    Check(show != nullptr, "PluginFormShow is exported");
    if (show) {
        Check(CallWithCloser(show, 0) == ClosedByCloseBox, "first call of one load");
        Check(QApplication::activeModalWidget() == nullptr, "the window is gone");
        Check(CallWithCloser(show, 0) == ClosedByCloseBox, "second call of one load");
    }
    DynLib::FreeLibrary(library);

    for (int round = 0; round < options.Cycles; ++round)
        if (!LoadCallUnload())
            return 1;
    const long afterAll = ResidentKb();
    Check(hostWindow.isVisible(), "the host window is still there");

    std::printf("VmRSS before: %ld kB, after 2 rounds: %ld kB, after %d more rounds: %ld kB "
                "(growth %ld kB, bound %ld kB)\n",
                before, afterTwo, options.Cycles, afterAll, afterAll - afterTwo, MemoryBoundKb);
    Check(afterAll - afterTwo <= MemoryBoundKb, "memory stays within the bound");
    return gFailures == 0 ? 0 : 1;
}

// Sets a flat edit of the window to `text` as typing would.
void TypeInto(QWidget* window, const char* editName, const QString& text) {
    auto* edit = window->findChild<QWidget*>(QString::fromLatin1(editName));
    auto* line = edit ? edit->findChild<QLineEdit*>() : nullptr;
    Check(line != nullptr, "the edit is found");
    if (line)
        line->setText(text);
}

void Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The screen area of `rect` (the window with its frame), or the widget alone when the
// screen cannot be read.
bool SaveScreenArea(QWidget* window, const QRect& rect, const QString& fileName) {
    QPixmap shot;
    if (rect.width() >= window->width() && rect.height() >= window->height())
        shot = window->screen()->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height());
    if (shot.isNull() || shot.width() < window->width())
        shot = window->grab();
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    return shot.save(fileName);
}

// Saves the window set to August 2006, then (as FILE_hint.png) with the grid's hover text
// shown under the mouse.
int RunScreenshot(const Options& options) {
    bool saved = false;
    bool hintSaved = false;
    auto shoot = [&](QWidget* window) {
        TypeInto(window, "FlatEdit1", QStringLiteral("2006"));
        TypeInto(window, "FlatEdit2", QStringLiteral("8"));
        window->raise();
        window->activateWindow();
        Wait(500);
        // The window manager's frame arrives a little after the window.
        QElapsedTimer framed;
        framed.start();
        while (window->frameGeometry() == window->geometry() && framed.elapsed() < 3000)
            Wait(50);
        const QRect frame = window->frameGeometry();
        saved = SaveScreenArea(window, frame, options.Screenshot);

        auto* grid = window->findChild<QWidget*>(QStringLiteral("hxCalendar1"));
        Check(grid != nullptr, "the grid is found");
        if (!grid)
            return;
        QCursor::setPos(window->screen(), grid->mapToGlobal(QPoint(200, 120)));
        Wait(100);
        QCursor::setPos(window->screen(), grid->mapToGlobal(QPoint(210, 125)));
        Wait(1200);
        const QRect around = frame.adjusted(-20, -20, 260, 200);
        QString hintFile = options.Screenshot;
        if (hintFile.endsWith(QLatin1String(".png")))
            hintFile.chop(4);
        hintFile += QLatin1String("_hint.png");
        hintSaved = SaveScreenArea(window, around, hintFile);
    };
    // The pointer starts away from the window, so the first picture shows no hover text.
    QCursor::setPos(QPoint(0, 0));
    if (!LoadCallUnload(1500, shoot))
        return 1;
    Check(saved && hintSaved, "the screenshots are saved");
    if (saved)
        std::printf("screenshot: %s\n", qPrintable(options.Screenshot));
    return gFailures == 0 ? 0 : 1;
}

// --- A host without a Qt application: the plug-in makes one for the call. The window is
// closed from a routine Qt runs whenever a QCoreApplication is constructed.
bool gCloseFromStartup = false;
QTimer* gCloser = nullptr;
int gApplicationsSeen = 0;

void CloseTheCalendarSoon() {
    if (!gCloseFromStartup)
        return;
    ++gApplicationsSeen;
    gCloser = new QTimer(QCoreApplication::instance());
    gCloser->setInterval(10);
    QObject::connect(gCloser, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    gCloser->start();
}
Q_COREAPP_STARTUP_FUNCTION(CloseTheCalendarSoon)

int RunWithoutApplication() {
    gCloseFromStartup = true;
    HMODULE library = DynLib::LoadLibrary(QStringLiteral("zarvownl.dll"));
    if (!library) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(DynLib::LastErrorText()));
        return 1;
    }
    auto show =
        reinterpret_cast<PluginFormShowFunction>(DynLib::GetProcAddress(library, "PluginFormShow"));
    Check(show != nullptr, "PluginFormShow is exported");
    if (show) {
        for (int call = 1; call <= 2; ++call) {
            Check(show() == ClosedByCloseBox, "closing the window returns 2");
            Check(QCoreApplication::instance() == nullptr, "the plug-in's application is gone");
            Check(gApplicationsSeen == call, "one application per call");
        }
    }
    Check(DynLib::FreeLibrary(library), "the library unloads");
    Check(!LibraryMapped(), "the unloaded library is unmapped");
    return gFailures == 0 ? 0 : 1;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("--program-folder") && hasValue)
            options.ProgramFolder = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--cycles") && hasValue)
            options.Cycles = std::atoi(argv[++i]);
        else if (arg == QLatin1String("--screenshot") && hasValue)
            options.Screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--without-application"))
            options.WithoutApplication = true;
        else
            return false;
    }
    return !options.ProgramFolder.isEmpty() && options.Cycles >= 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: calendar_host --program-folder DIR [--cycles N | "
                             "--screenshot FILE | --without-application]\n");
        return 2;
    }
    if (!options.Screenshot.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("no DISPLAY: skipped\n");
        return 77;
    }
    // Keep the user's folders out of reach.
    QTemporaryDir root;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = root.path() + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, QFile::encodeName(folder));
    }
    Paths::SetProgramFolder(options.ProgramFolder);

    if (options.WithoutApplication)
        return RunWithoutApplication();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return options.Screenshot.isEmpty() ? RunCycles(options) : RunScreenshot(options);
}
