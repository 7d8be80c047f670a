// The library search on a large generated library: 10,000 effects of 5 KB in the fifteen
// categories, half GBK, half UTF-8. What a user waits for: the library being read (the
// window is usable meanwhile) and the rows after each key typed.

#include "app/EffectLibrary.h"
#include "app/LibraryIndex.h"
#include "app/SearchWindow.h"
#include "common/TestEnv.h"
#include "platform/Gbk.h"
#include "platform/Paths.h"
#include "skinctrls/bsSkinEdit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>
#include <random>

namespace {

constexpr int EffectCount = 10000;
constexpr int EffectBytes = 5 * 1024;

const char* const LatinWords[] = {
    "function", "var",        "document", "window", "style",     "color",  "marquee",
    "onclick",  "setTimeout", "return",   "images", "width",     "height", "position",
    "absolute", "div",        "span",     "table",  "innerHTML", "length", "Math.random",
    "parseInt", "status",     "title",    "cookie", "expires",   "scroll", "opacity",
    "filter",   "alpha",      "event",    "mouse"};
const char16_t* const ChineseWords[] = {u"特效", u"文字", u"滚动", u"图片",  u"鼠标", u"窗口",
                                        u"时间", u"链接", u"闪烁", u"颜色",  u"背景", u"菜单",
                                        u"跟随", u"飘落", u"雪花", u"状态栏"};

// One effect's text: a page with script lines made of the words above, a comment in Chinese
// every few lines, and the effect's own number once ("effect01234").
QString EffectText(int number, std::mt19937& random) {
    auto latin = [&] { return QString::fromLatin1(LatinWords[random() % std::size(LatinWords)]); };
    auto chinese = [&] {
        return QString::fromUtf16(ChineseWords[random() % std::size(ChineseWords)]);
    };
    QString text = QStringLiteral("<script language=\"JavaScript\">\r\n// effect%1\r\n")
                       .arg(number, 5, 10, QLatin1Char('0'));
    for (int line = 0; text.size() < EffectBytes / 2; ++line) {
        if (line % 4 == 0)
            text += QStringLiteral("// ") + chinese() + chinese() + QStringLiteral("效果 ") +
                    chinese() + QStringLiteral("\r\n");
        text += QStringLiteral("  ") + latin() + QLatin1Char(' ') + latin() +
                QStringLiteral(" = ") + latin() + QStringLiteral("(") +
                QString::number(random() % 1000) + QStringLiteral(");\r\n");
    }
    return text + QStringLiteral("</script>\r\n");
}

// The library's data folder, made once per run; its program folder becomes the program's
// (effects outside the program folder are not read).
QString LargeLibrary() {
    static const QString folder = [] {
        const QString folder = TestEnv::NewFolder(QStringLiteral("search")) + "/";
        std::mt19937 random(2008);
        const QStringList& categories = EffectLibrary::Categories();
        for (const QString& category : categories)
            QDir().mkpath(folder + "data/" + category);
        for (int i = 0; i < EffectCount; ++i) {
            const QString text = EffectText(i, random);
            QByteArray bytes = i % 2 ? Gbk::Encode(text) : text.toUtf8();
            while (bytes.size() < EffectBytes)
                bytes += bytes.left(EffectBytes - bytes.size());
            bytes.truncate(EffectBytes);
            QFile file(folder + "data/" + categories[i % categories.size()] +
                       QStringLiteral("/特效%1").arg(i, 5, 10, QLatin1Char('0')));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
        return folder;
    }();
    Paths::SetProgramFolder(folder);
    return folder + "data/";
}

void WaitUntilRead(TLibraryIndex& index) {
    QEventLoop loop;
    QObject::connect(&index, &TLibraryIndex::Ready, &loop, &QEventLoop::quit);
    if (index.Reading())
        loop.exec();
}

// From the first showing's start of reading until the index answers.
void ReadTheLibraryOf10000Effects(benchmark::State& state) {
    const QString data = LargeLibrary();
    int count = 0;
    std::clock_t cpu = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        TLibraryIndex index(data);
        index.Start();
        WaitUntilRead(index);
        cpu += std::clock() - start;
        count = index.Count();
    }
    state.counters["effects"] = count;
    // The processor time of every thread, against the wall-clock time above.
    state.counters["cpu_ms_all_threads"] =
        double(cpu) * 1000 / CLOCKS_PER_SEC / double(state.iterations());
}

// One key typed into the search window: the index brought up to date, the query answered,
// the rows listed and the status written. Each argument is the text after the key.
void OneKeystrokeIn10000Effects(benchmark::State& state, const QString& typed) {
    TSearchWindow window(LargeLibrary());
    window.Show();
    WaitUntilRead(*window.Index());
    const QString before = typed.left(typed.size() - 1);
    for (auto _ : state) {
        state.PauseTiming();
        window.bsSkinEdit1->SetText(before);
        state.ResumeTiming();
        window.bsSkinEdit1->SetText(typed);
    }
    state.counters["found"] = window.Index()->Find(typed, 0).Total;
}

} // namespace

BENCHMARK(ReadTheLibraryOf10000Effects)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
// The keys typed: the first letter of a word most effects hold, the word, a second word,
// Chinese, a word one effect holds, a rare pair of letters, words no effect holds.
const bool KeystrokesRegistered = [] {
    const std::pair<const char*, QString> typed[] = {
        {"first_letter", QStringLiteral("m")},
        {"word", QStringLiteral("marquee")},
        {"two_words", QStringLiteral("marquee opacity")},
        {"chinese", QStringLiteral("雪花飘")},
        {"one_effect", QStringLiteral("effect04321")},
        {"rare_pair", QStringLiteral("qz")},
        {"nowhere", QStringLiteral("nowhere to be found")}};
    for (const auto& [name, text] : typed)
        benchmark::RegisterBenchmark(
            (std::string("OneKeystrokeIn10000Effects/") + name).c_str(),
            [text = text](benchmark::State& state) { OneKeystrokeIn10000Effects(state, text); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();
