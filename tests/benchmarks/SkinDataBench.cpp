// Loading a skin the size of a full one: 30 pictures and 60 records, from its folder and
// from a compressed skin held in memory.

#include "skin/SkinFixture.h"

#include "skin/bsSkinData.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int PictureCount = 30;
constexpr int ObjectCount = 20;
constexpr int ControlCount = 40;

const char* const ObjectKinds[] = {"caption", "stdbutton", "button", "menuitem", "mainmenubaritem"};
const char* const ControlKinds[] = {"button", "panel",    "scrollbar",  "listbox",
                                    "edit",   "combobox", "checkradio", "label"};

// The skin.ini of the benchmark skin: a 400 x 300 frame picture, 29 active pictures of
// 120 x 60 and records with the keys a real skin sets.
TSkinFixture& BenchSkin() {
    static TSkinFixture skin = [] {
        TSkinFixture f(QStringLiteral("bench"));
        f.AddPicture(QStringLiteral("skin.bmp"), 400, 300, 1);
        f.Set("VERSION", "skinname", "bench")
            .Set("PICTURES", "picture", "skin.bmp")
            .Set("PICTURES", "activepicturescount", QString::number(PictureCount - 1));
        for (int i = 0; i < PictureCount - 1; ++i) {
            const QString name = QStringLiteral("p%1.bmp").arg(i);
            f.AddPicture(name, 120, 60, i + 2);
            f.Set("PICTURES", QString::number(i), name);
        }
        f.Set("FORMINFO", "lefttoppoint", "20,30")
            .Set("FORMINFO", "righttoppoint", "380,30")
            .Set("FORMINFO", "leftbottompoint", "20,280")
            .Set("FORMINFO", "rightbottompoint", "380,280")
            .Set("FORMINFO", "clientrect", "5,25,395,295")
            .Set("POPUPWINDOW", "windowpictureindex", "0")
            .Set("HINTWINDOW", "windowpictureindex", "1");
        f.Set("SKINOBJECTS", "count", QString::number(ObjectCount));
        for (int i = 0; i < ObjectCount; ++i) {
            const QString name = QStringLiteral("object%1").arg(i);
            f.Set("SKINOBJECTS", QString::number(i),
                  name + QLatin1Char(':') + QLatin1String(ObjectKinds[i % std::size(ObjectKinds)]))
                .Set(name, "skinrect", "300,5,316,21")
                .Set(name, "activeskinrect", "316,5,332,21")
                .Set(name, "fontname", QStringLiteral("宋体"))
                .Set(name, "fontstyle", "fsbold")
                .Set(name, "command", "cmclose");
        }
        f.Set("SKINCONTROLS", "count", QString::number(ControlCount));
        for (int i = 0; i < ControlCount; ++i) {
            const QString name = QStringLiteral("control%1").arg(i);
            f.Set("SKINCONTROLS", QString::number(i),
                  name + QLatin1Char(':') +
                      QLatin1String(ControlKinds[i % std::size(ControlKinds)]))
                .Set(name, "pictureindex", QString::number(i % (PictureCount - 1)))
                .Set(name, "skinrect", "0,0,120,30")
                .Set(name, "lefttoppoint", "4,4")
                .Set(name, "rightbottompoint", "116,26")
                .Set(name, "clientrect", "3,3,117,27")
                .Set(name, "activeskinrect", "0,30,120,60")
                .Set(name, "fontcolor", "$000000");
        }
        f.Write();
        return f;
    }();
    return skin;
}

void BM_LoadSkinFile_30Pictures60Records(benchmark::State& state) {
    const QString path = BenchSkin().IniPath();
    TbsSkinData data;
    for (auto _ : state) {
        data.LoadSkinFile(path);
        benchmark::DoNotOptimize(data.SkinControls.size());
    }
    if (data.SkinEmpty || data.SkinControls.size() != ControlCount ||
        data.ActivePictures.size() != PictureCount - 1)
        state.SkipWithError("the benchmark skin did not load");
}
BENCHMARK(BM_LoadSkinFile_30Pictures60Records)->Unit(benchmark::kMillisecond);

void BM_LoadCompressedStoredSkin_30Pictures60Records(benchmark::State& state) {
    TbsCompressedStoredSkin compressed;
    compressed.LoadFromSkinFile(BenchSkin().IniPath());
    TbsSkinData data;
    for (auto _ : state) {
        data.LoadCompressedStoredSkin(compressed);
        benchmark::DoNotOptimize(data.SkinControls.size());
    }
    if (data.SkinEmpty || data.SkinControls.size() != ControlCount)
        state.SkipWithError("the benchmark skin did not load");
}
BENCHMARK(BM_LoadCompressedStoredSkin_30Pictures60Records)->Unit(benchmark::kMillisecond);

} // namespace
