// What a user of the program waits for in its windows: listing a large category, opening a
// large effect into the code memo, and the preview window's first and later showings.

#include "app/EffectLibrary.h"
#include "app/LivePreview.h"
#include "app/PreviewSetup.h"
#include "app/PreviewView.h"
#include "app/Unit1.h"
#include "app/Unit4.h"
#include "appwindows/EngineWait.h"
#include "common/TestEnv.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "framework/Strings.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsfilectrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The engine draws through the shared graphics context, which exists only when asked for
// before the application object is made.
const bool SharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

const QString Category = QStringLiteral("窗口特效系列");

// A program folder below the test root with `count` effects of `bytes` bytes in Category.
const QByteArray GbkLine("<div style=\"color:red\">\xd1\xa9\xbb\xa8 snow flake effect</div>\r\n");

QString ProgramFolderWith(int count, int bytes, const QByteArray& line = GbkLine) {
    const QString folder = TestEnv::NewFolder(QStringLiteral("bench")) + "/";
    TestEnv::WriteFile(folder + "zarvotx.ini", QByteArray());
    QDir().mkpath(folder + "zarvotemp");
    const QString library = folder + "data/" + Category + "/";
    QDir().mkpath(library);
    QByteArray content;
    while (content.size() < bytes)
        content += line;
    content.truncate(bytes);
    for (int i = 0; i < count; ++i) {
        QFile file(library + QStringLiteral("特效%1").arg(i, 5, 10, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    return folder;
}

// The main window on a program folder; message boxes are answered without showing.
struct MainWindow {
    explicit MainWindow(const QString& folder) {
        Paths::SetProgramFolder(folder);
        SetMessageBoxHook([](const TMessageBoxRequest&) { return mrOk; });
        form = std::make_unique<TForm1>();
        form->DoCreate();
        form->Show();
    }
    ~MainWindow() {
        form.reset();
        SetMessageBoxHook({});
        Application->ResetTerminated();
        Paths::SetProgramFolder(QString());
    }
    std::unique_ptr<TForm1> form;
};

void OpenCategoryOf10000Effects(benchmark::State& state) {
    MainWindow main(ProgramFolderWith(10000, 64));
    TbsSkinComboBox* box = main.form->bsSkinComboBox1;
    for (auto _ : state) {
        state.PauseTiming();
        box->SetText(EffectLibrary::CategoryPrompt());
        state.ResumeTiming();
        box->SetText(Category);
    }
    state.counters["listed"] = double(main.form->bsSkinFileListBox1->Items()->Count());
}

// The click on a 1 MB effect until the code window shows it, and, when `whole`, until the
// code window holds the whole text (which it adds over the next turns of the event loop).
void OpenOneMegabyteEffect(benchmark::State& state, const QByteArray& line, bool whole) {
    MainWindow main(ProgramFolderWith(1, 1 << 20, line));
    main.form->bsSkinComboBox1->SetText(Category);
    TbsSkinFileListBox* list = main.form->bsSkinFileListBox1;
    TbsSkinMemo2* memo = main.form->bsSkinMemo21;
    list->SetItemIndex(0);
    for (auto _ : state) {
        FireEvent(list->OnListBoxClick, list);
        if (whole)
            memo->FinishFilling();
        // What the event loop does after the click (the old text goes) is not waited for.
        state.PauseTiming();
        memo->FinishFilling();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["lines"] = double(memo->Lines()->Count());
}

// A character typed into the middle of an opened, coloured 1 MB effect, painted.
void KeystrokeInOneMegabyteEffect(benchmark::State& state) {
    MainWindow main(ProgramFolderWith(1, 1 << 20));
    main.form->bsSkinComboBox1->SetText(Category);
    TbsSkinFileListBox* list = main.form->bsSkinFileListBox1;
    TbsSkinMemo2* memo = main.form->bsSkinMemo21;
    list->SetItemIndex(0);
    FireEvent(list->OnListBoxClick, list);
    memo->FinishFilling();
    memo->SetSelStart(memo->Text().size() / 2);
    memo->Editor()->ensureCursorVisible();
    QWidget* target = memo->Editor();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(target, &press);
        memo->Editor()->viewport()->repaint();
    }
}

// The waits for the engine turn the event loop each millisecond, so they time finely.
constexpr int TurnMs = 1;

// Shows the preview window until its page has loaded; the time from the showing on.
double ShowPreviewMs(TForm4& window) {
    QElapsedTimer timer;
    bool loaded = false;
    window.WebBrowser1->OnLoadFinished = [&](bool) { loaded = true; };
    QTimer::singleShot(0, [&] {
        EngineWaitFor([&] { return loaded; }, 20000, TurnMs);
        window.Close();
    });
    timer.start();
    window.ShowModal();
    return loaded ? double(timer.nsecsElapsed()) / 1e6 : -1;
}

// The first showing starts the engine (when idle time has not started it yet); later
// showings only reload. Measured once each: the engine starts once per process.
void PreviewFirstAndLater(benchmark::State& state) {
    PreparePreviewProcess();
    qputenv("ZARVO_PREVIEW_MODULE", ZARVO_PREVIEW_MODULE_FILE);
    const QString folder = ProgramFolderWith(0, 0);
    Paths::SetProgramFolder(folder);
    TStringList page{QStringLiteral("<body style=\"background:#c81e1e\">预览</body>")};
    WritePreviewFile(PreviewFilePath(), page);
    TForm4 window;
    window.DoCreate();
    double first = 0, later = 0;
    for (auto _ : state) {
        first = ShowPreviewMs(window);
        later = ShowPreviewMs(window);
    }
    state.counters["first_ms"] = first;
    state.counters["later_ms"] = later;
    Paths::SetProgramFolder(QString());
}

// A 10 KB effect: a page in one colour with text and a script, as effects come.
QString TenKilobyteEffect(const QString& colour) {
    QString page = QStringLiteral("<html><body style=\"margin:0;background:%1\">\n").arg(colour);
    while (page.toUtf8().size() < 10 * 1024 - 200)
        page +=
            QStringLiteral("<p style=\"color:#fff\">雪花飘落 snow flake %1</p>\n").arg(page.size());
    return page + QStringLiteral("<script>var t = 0; setInterval(function () { t++; }, 50);"
                                 "</script></body></html>");
}

QRgb PreviewPixel(TForm4& window) {
    QWidget* view = window.WebBrowser1->View()->Widget();
    return view->grab().toImage().pixel(view->width() / 2, view->height() - 10);
}

// From the last change of the code window to the changed pixels of the live preview, for a
// 10 KB effect; the time after the typing pause (TLivePreview::PauseMs) is reported.
void LivePreviewFollowsTyping(benchmark::State& state) {
    PreparePreviewProcess();
    qputenv("ZARVO_PREVIEW_MODULE", ZARVO_PREVIEW_MODULE_FILE);
    const QString folder = ProgramFolderWith(0, 0);
    const QString colours[] = {QStringLiteral("#c81e1e"), QStringLiteral("#2050c8")};
    TestEnv::WriteFile(folder + "data/" + Category + "/live",
                       TenKilobyteEffect(colours[0]).toUtf8());
    MainWindow main(folder);
    TForm4 window;
    window.DoCreate();
    main.form->UseWindows(nullptr, &window);
    main.form->bsSkinComboBox1->SetText(Category);
    main.form->bsSkinFileListBox1->SetItemIndex(0);
    FireEvent(main.form->bsSkinFileListBox1->OnListBoxClick, main.form->bsSkinFileListBox1);
    main.form->L2->Click();
    FireEvent(main.form->bsSkinButton2->OnClick, main.form->bsSkinButton2);
    EngineWaitFor(
        [&] {
            return window.WebBrowser1->View() && PreviewPixel(window) == QColor(colours[0]).rgb();
        },
        20000, TurnMs);
    int shown = 0;
    double afterPause = 0;
    for (auto _ : state) {
        shown = 1 - shown;
        const QRgb wanted = QColor(colours[shown]).rgb();
        QElapsedTimer timer;
        timer.start();
        main.form->bsSkinMemo21->SetText(TenKilobyteEffect(colours[shown]));
        const bool changed =
            EngineWaitFor([&] { return PreviewPixel(window) == wanted; }, 10000, TurnMs);
        afterPause = changed ? double(timer.nsecsElapsed()) / 1e6 - TLivePreview::PauseMs : -1;
        state.SetIterationTime(std::max(0.0, afterPause) / 1e3);
    }
    state.counters["after_pause_ms"] = afterPause;
    state.counters["bytes"] = double(main.form->bsSkinMemo21->Text().toUtf8().size());
    main.form->L2->Click();
    Paths::SetProgramFolder(QString());
}

} // namespace

BENCHMARK(LivePreviewFollowsTyping)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(OpenCategoryOf10000Effects)->Unit(benchmark::kMillisecond);
// Telling the encoding alone, of 1 MB of GBK and of UTF-8.
void DetectOneMegabyte(benchmark::State& state, const QByteArray& line) {
    QByteArray bytes;
    while (bytes.size() < (1 << 20))
        bytes += line;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextEncoding::Detect(bytes));
}
BENCHMARK_CAPTURE(DetectOneMegabyte, gbk, GbkLine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DetectOneMegabyte, utf8,
                  QStringLiteral("<div>雪花 \U0001F600 snow flake effect</div>\r\n").toUtf8())
    ->Unit(benchmark::kMillisecond);

// The encoding is told from the bytes at every opening: GBK, and UTF-8 with an emoji.
const QByteArray Utf8Line =
    QStringLiteral("<div>雪花 \U0001F600 snow flake effect</div>\r\n").toUtf8();
BENCHMARK_CAPTURE(OpenOneMegabyteEffect, gbk, GbkLine, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenOneMegabyteEffect, utf8, Utf8Line, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenOneMegabyteEffect, gbk_whole, GbkLine, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenOneMegabyteEffect, utf8_whole, Utf8Line, true)->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeInOneMegabyteEffect)->Unit(benchmark::kMillisecond);
BENCHMARK(PreviewFirstAndLater)->Iterations(1)->Unit(benchmark::kMillisecond);
