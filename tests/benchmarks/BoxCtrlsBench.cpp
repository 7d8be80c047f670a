// What the user waits for in the text and list controls: listing a category of 10,000
// effects, opening a megabyte effect in the code memo and scrolling to its end, repainting
// the effect list, and one keystroke in the category box's search.

#include "SkinCtrlsBenchSupport.h"

#include "skinctrls/bsSkinBoxCtrls.h"
#include "skinctrls/bsfilectrl.h"

#include "platform/Gbk.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString& InstalledSkin1() {
    static const QString path = QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin1/skin.ini");
    return path;
}

TbsSkinData* Skin1() {
    static std::unique_ptr<TbsSkinData> data = [] {
        auto d = std::make_unique<TbsSkinData>();
        d->LoadSkinFile(InstalledSkin1());
        return d;
    }();
    return data.get();
}

QString TenThousandFolder() {
    static QTemporaryDir folder;
    static const bool made = [] {
        for (int i = 0; i < 10000; ++i) {
            QFile file(folder.path() + QStringLiteral("/特效%1").arg(i * 7919 % 10000));
            if (file.open(QIODevice::WriteOnly))
                file.write("x");
        }
        return true;
    }();
    (void)made;
    return folder.path();
}

void BM_FileListBoxTenThousandSorted(benchmark::State& state) {
    const QString folder = TenThousandFolder();
    const QString saved = Paths::GetCurrentDir();
    auto form = SkinCtrlsBench::BenchForm(200, 400);
    auto* list = new TbsSkinFileListBox(form.get());
    list->SetBounds(8, 45, 169, 350);
    list->SetSkinData(Skin1());
    form->Show();
    list->SetMask(QStringLiteral("*."));
    list->OpenPath(folder + QLatin1Char('/'));
    if (list->Count() != 10000)
        state.SkipWithError("the folder did not list");
    for (auto _ : state) {
        list->Update();
        benchmark::DoNotOptimize(list->Count());
    }
    Paths::SetCurrentDir(saved);
}
BENCHMARK(BM_FileListBoxTenThousandSorted)->Unit(benchmark::kMillisecond);

QByteArray MegabyteOfGbk() {
    QString line = QStringLiteral("<div class=\"snow\">雪花飘落特效，跟随鼠标的星星 %1</div>\r\n");
    QString text;
    int i = 0;
    while (Gbk::AnsiLength(text) < 1024 * 1024)
        text += line.arg(i++);
    return Gbk::Encode(text);
}

void BM_MemoLoadMegabyteGbkAndScrollToEnd(benchmark::State& state) {
    const QByteArray bytes = MegabyteOfGbk();
    auto form = SkinCtrlsBench::BenchForm(520, 300);
    auto* memo = new TbsSkinMemo2(form.get());
    memo->SetBounds(4, 25, 479, 269);
    auto* bar = new TbsSkinScrollBar(form.get());
    bar->SetKind(sbVertical);
    bar->SetBounds(483, 25, 19, 269);
    memo->SetSkinData(Skin1());
    bar->SetSkinData(Skin1());
    memo->SetVScrollBar(bar);
    form->Show();
    for (auto _ : state) {
        memo->SetText(Gbk::Decode(bytes));
        bar->SetPosition(bar->Max());
        benchmark::DoNotOptimize(memo->TopLine());
        state.PauseTiming();
        memo->Clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_MemoLoadMegabyteGbkAndScrollToEnd)->Unit(benchmark::kMillisecond);

void ListRepaint(benchmark::State& state, bool skinned) {
    auto form = SkinCtrlsBench::BenchForm(200, 400);
    auto* list = new TbsSkinListBox(form.get());
    list->SetBounds(8, 45, 169, 350);
    if (skinned)
        list->SetSkinData(Skin1());
    list->SetDefaultItemHeight(17);
    for (int i = 0; i < 200; ++i)
        list->Items()->Add(QStringLiteral("跟随鼠标的星星特效 %1").arg(i));
    list->SetItemIndex(3);
    const int visible = list->InnerList()->Height() / list->ItemHeight();
    state.counters["visible"] = visible;
    for (auto _ : state) {
        TBitmap frame = list->RenderImage();
        TBitmap items = list->InnerList()->RenderImage();
        benchmark::DoNotOptimize(items.ScanLine(0));
    }
}
void BM_ListBoxRepaint350Default(benchmark::State& state) {
    ListRepaint(state, false);
}
void BM_ListBoxRepaint350Skinned(benchmark::State& state) {
    ListRepaint(state, true);
}
BENCHMARK(BM_ListBoxRepaint350Default)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListBoxRepaint350Skinned)->Unit(benchmark::kMicrosecond);

void BM_ComboKeystrokeWithAutoComplete(benchmark::State& state) {
    const char* categories[] = {"更新特效",     "窗口特效系列", "链接特效系列",  "时间特效系列",
                                "文字特效系列", "鼠标特效系列", "图片特效系列",  "网页特效系列",
                                "密码特效系列", "危险特效系列", "黑客特效系列",  "娱乐特效系列",
                                "文本特效系列", "Cookie脚本",   "状态栏特效系列"};
    auto form = SkinCtrlsBench::BenchForm(200, 100);
    auto* combo = new TbsSkinComboBox(form.get());
    combo->SetBounds(8, 24, 169, 20);
    for (const char* name : categories)
        combo->Items()->Add(QString::fromUtf8(name));
    combo->SetStyle(bscbEditStyle);
    combo->SetSkinData(Skin1());
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    QLineEdit* editor = combo->InnerEdit()->Editor();
    // Two keystrokes per round: a character, then Backspace.
    for (auto _ : state) {
        QKeyEvent type(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("文"));
        QApplication::sendEvent(editor, &type);
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(editor, &back);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    if (changes != int(state.iterations()) * 2)
        state.SkipWithError("not every keystroke changed the text");
}
BENCHMARK(BM_ComboKeystrokeWithAutoComplete)->Unit(benchmark::kMicrosecond);

} // namespace
