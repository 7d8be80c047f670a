// What the user waits for in the file dialogs: a folder of 10,000 files listed and painted in
// the file list, in the report and the list style, and a folder opened in the tree.

#include "SkinCtrlsBenchSupport.h"

#include "skinctrls/bsSkinShellCtrls.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

QString TenThousandFiles() {
    static QTemporaryDir folder;
    static const bool made = [] {
        const char* kinds[] = {".htm", ".mp3", ".txt", ".wma", ".bmp"};
        for (int i = 0; i < 10000; ++i) {
            QFile file(folder.path() +
                       QStringLiteral("/特效%1%2").arg(i * 7919 % 10000).arg(kinds[i % 5]));
            if (file.open(QIODevice::WriteOnly))
                file.write("x");
        }
        for (int i = 0; i < 50; ++i)
            QDir(folder.path()).mkdir(QStringLiteral("folder%1").arg(i));
        return true;
    }();
    (void)made;
    return folder.path();
}

// Lists the folder and paints the list once, as opening it in the dialog does.
void ListAndPaint(benchmark::State& state, TViewStyle style) {
    const QString folder = TenThousandFiles();
    auto form = SkinCtrlsBench::BenchForm(520, 350);
    auto* list = new TbsSkinFileListView(form.get());
    list->SetBounds(0, 0, 500, 330);
    list->SetSkinData(SkinCtrlsBench::FixtureSkin());
    list->SetViewStyle(style);
    form->Show();
    for (auto _ : state) {
        list->SetPath(folder);
        list->repaint();
        QApplication::processEvents();
        if (list->FolderCount() != 10050)
            state.SkipWithError("the folder did not list");
    }
}

void BM_FileListTenThousandReport(benchmark::State& state) {
    ListAndPaint(state, vsReport);
}
BENCHMARK(BM_FileListTenThousandReport)->Unit(benchmark::kMillisecond);

void BM_FileListTenThousandListStyle(benchmark::State& state) {
    ListAndPaint(state, vsList);
}
BENCHMARK(BM_FileListTenThousandListStyle)->Unit(benchmark::kMillisecond);

void BM_FileListTenThousandMaskChange(benchmark::State& state) {
    const QString folder = TenThousandFiles();
    auto form = SkinCtrlsBench::BenchForm(520, 350);
    auto* list = new TbsSkinFileListView(form.get());
    list->SetBounds(0, 0, 500, 330);
    list->SetViewStyle(vsReport);
    form->Show();
    list->SetPath(folder);
    bool music = false;
    for (auto _ : state) {
        music = !music;
        list->SetMask(music ? QStringLiteral("*.mp3;*.wma") : QStringLiteral("*.*"));
        list->repaint();
    }
}
BENCHMARK(BM_FileListTenThousandMaskChange)->Unit(benchmark::kMillisecond);

void BM_DirTreeOpenFolderOfTenThousand(benchmark::State& state) {
    const QString folder = TenThousandFiles();
    auto form = SkinCtrlsBench::BenchForm(220, 350);
    auto* tree = new TbsSkinDirTreeView(form.get());
    tree->SetBounds(0, 0, 200, 330);
    form->Show();
    for (auto _ : state) {
        tree->SetRoot(QFileInfo(folder).path());
        tree->GoToPath(folder);
        tree->repaint();
    }
}
BENCHMARK(BM_DirTreeOpenFolderOfTenThousand)->Unit(benchmark::kMillisecond);

} // namespace
