// Painting the main window's group box (689 x 401) in the default look and from a skin:
// the off-screen composition alone and the whole paint of the control.

#include "skin/SkinFixture.h"

#include "skinctrls/bsSkinPanels.h"

#include "framework/Forms.h"

#include <QPixmap>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int BoxWidth = 689;
constexpr int BoxHeight = 401;

// A skin with one "groupbox" record: a 100 x 100 picture, both stretch, a caption band.
QString GroupBoxSkin() {
    static const QString path = [] {
        TSkinFixture f(QStringLiteral("panelsbench"));
        f.AddPicture(QStringLiteral("groupbox.bmp"), 120, 100, 4);
        f.Set("VERSION", "skinname", "panels bench")
            .Set("PICTURES", "activepicturescount", "1")
            .Set("PICTURES", "0", "groupbox.bmp")
            .Set("FORMINFO", "clientrect", "0,0,0,0")
            .Set("SKINOBJECTS", "count", "0")
            .Set("SKINCONTROLS", "count", "1")
            .Set("SKINCONTROLS", "0", "groupbox:panel")
            .Set("groupbox", "pictureindex", "0")
            .Set("groupbox", "skinrect", "0,0,100,100")
            .Set("groupbox", "lefttoppoint", "8,24")
            .Set("groupbox", "righttoppoint", "92,24")
            .Set("groupbox", "leftbottompoint", "8,92")
            .Set("groupbox", "rightbottompoint", "92,92")
            .Set("groupbox", "clientrect", "8,24,92,92")
            .Set("groupbox", "captionrect", "4,3,96,21")
            .Set("groupbox", "alignment", "tacenter")
            .Set("groupbox", "fontstyle", "fsbold");
        return f.Write();
    }();
    return path;
}

struct GroupBoxOnForm {
    explicit GroupBoxOnForm(bool skinned) {
        form = std::make_unique<TForm>();
        form->SetClientSize(BoxWidth + 20, BoxHeight + 20);
        data = new TbsSkinData(form.get());
        if (skinned)
            data->LoadSkinFile(GroupBoxSkin());
        box = new TbsSkinGroupBox(form.get());
        box->SetSkinData(data);
        box->SetBounds(10, 10, BoxWidth, BoxHeight);
        box->SetCaption(QStringLiteral("特效代码: 跟随鼠标的文字"));
    }
    std::unique_ptr<TForm> form;
    TbsSkinData* data = nullptr;
    TbsSkinGroupBox* box = nullptr;
};

void ComposeGroupBox(benchmark::State& state, bool skinned) {
    GroupBoxOnForm setup(skinned);
    for (auto _ : state) {
        TBitmap image = setup.box->RenderImage();
        benchmark::DoNotOptimize(image.Pixel(BoxWidth / 2, 10));
    }
}

void PaintGroupBox(benchmark::State& state, bool skinned) {
    GroupBoxOnForm setup(skinned);
    for (auto _ : state) {
        QPixmap shot = setup.box->grab();
        benchmark::DoNotOptimize(shot.width());
    }
}

void BM_GroupBoxComposeDefault(benchmark::State& state) {
    ComposeGroupBox(state, false);
}
void BM_GroupBoxComposeSkinned(benchmark::State& state) {
    ComposeGroupBox(state, true);
}
void BM_GroupBoxPaintDefault(benchmark::State& state) {
    PaintGroupBox(state, false);
}
void BM_GroupBoxPaintSkinned(benchmark::State& state) {
    PaintGroupBox(state, true);
}

BENCHMARK(BM_GroupBoxComposeDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupBoxComposeSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupBoxPaintDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupBoxPaintSkinned)->Unit(benchmark::kMicrosecond);

} // namespace
