// Opening a 20-item skinned popup menu (items made, window sized, placed and its first
// frame painted) in each installed skin, and one morph step of a hot item.

#include "skin/bsSkinMenus.h"

#include "framework/Forms.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString InstalledSkin(int number) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin%1/skin.ini").arg(number);
}

// A menu of 20 commands with shortcuts, two separators and a submenu.
void FillMenu(TMenuItem* root) {
    for (int i = 0; i < 20; ++i) {
        auto* item = new TMenuItem(root);
        item->SetCaption(i == 6 || i == 13 ? QStringLiteral("-")
                                           : QStringLiteral("特效命令 &%1").arg(i));
        if (i % 3 == 0)
            item->SetShortCut(ShortCut(Qt::Key_F1 + i % 12, scCtrl));
        root->Add(item);
    }
    auto* sub = new TMenuItem(root);
    sub->SetCaption(QStringLiteral("子菜单"));
    root->Items(19)->Add(sub);
}

void OpenSkinnedMenu(benchmark::State& state) {
    TbsSkinData skin;
    skin.LoadSkinFile(InstalledSkin(static_cast<int>(state.range(0))));
    TForm form;
    TbsSkinMenu engine(&form);
    TPopupMenu menu;
    FillMenu(menu.Items());
    for (auto _ : state) {
        engine.PopupItems(nullptr, &skin, false, menu.Items(), TRect(100, 100, 100, 100));
        TBitmap frame = engine.Levels(0)->Snapshot();
        benchmark::DoNotOptimize(frame);
        engine.CloseMenus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(OpenSkinnedMenu)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

// The repaint of one morphing item half way between its looks.
void MorphStepOfOneItem(benchmark::State& state) {
    TbsSkinData skin;
    skin.LoadSkinFile(InstalledSkin(static_cast<int>(state.range(0))));
    TForm form;
    TbsSkinMenu engine(&form);
    TPopupMenu menu;
    FillMenu(menu.Items());
    engine.PopupItems(nullptr, &skin, false, menu.Items(), TRect(100, 100, 100, 100));
    TbsSkinPopupWindow* window = engine.Levels(0);
    TbsSkinMenuItem* item = window->Items(0);
    // This benchmark's own loaded skin: its item record is made to morph.
    if (item->Record)
        const_cast<TbsDataSkinMenuItem*>(item->Record)->Morphing = true;
    for (auto _ : state) {
        item->MorphProgress = 0.5;
        TBitmap piece = window->ItemSnapshot(0);
        benchmark::DoNotOptimize(piece);
    }
    engine.CloseMenus();
}
BENCHMARK(MorphStepOfOneItem)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

} // namespace
