// Paint time of skinned controls: a 75 x 25 push button in the default look and in the
// fixture skin (a both-stretch record), at rest and half-way through its morph.

#include "SkinCtrlsBenchSupport.h"

#include "skinctrls/bsSkinButton.h"

namespace {

void PaintButton(benchmark::State& state, bool skinned, int morphTicks) {
    auto form = SkinCtrlsBench::BenchForm(200, 100);
    auto* button = new TbsSkinButton(form.get());
    button->SetCaption(QStringLiteral("&OK"));
    button->SetBounds(10, 10, 75, 25);
    if (skinned)
        button->SetSkinData(SkinCtrlsBench::FixtureSkin());
    if (skinned && button->SkinIndex() == -1) {
        state.SkipWithError("the fixture skin has no button record");
        return;
    }
    if (morphTicks > 0) {
        button->MouseEnter();
        for (int i = 0; i < morphTicks; ++i)
            button->MorphTick();
    }
    SkinCtrlsBench::PaintLoop(state, *button);
}

void BM_SkinButtonPaintDefault(benchmark::State& state) {
    PaintButton(state, false, 0);
}
void BM_SkinButtonPaintSkinned(benchmark::State& state) {
    PaintButton(state, true, 0);
}
void BM_SkinButtonPaintMorphing(benchmark::State& state) {
    PaintButton(state, true, 5);
}

BENCHMARK(BM_SkinButtonPaintDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkinButtonPaintSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkinButtonPaintMorphing)->Unit(benchmark::kMicrosecond);

} // namespace
