#pragma once
// Shared pieces of the skinned-control benchmarks: the fixture skin loaded once, a form to
// put controls on, and the paint loop that measures one paint (fetch, off-screen
// composition, the copy to the screen) of a control.

#include "fixtures/ControlsSkinFixture.h"

#include "skin/bsSkinData.h"

#include "framework/Forms.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace SkinCtrlsBench {

// The controls fixture skin, written and loaded once per run.
inline TbsSkinData* FixtureSkin() {
    static QTemporaryDir folder;
    static std::unique_ptr<TbsSkinData> data = [] {
        auto d = std::make_unique<TbsSkinData>();
        d->LoadSkinFile(TControlsSkin().Write(folder.path() + QStringLiteral("/fixture")));
        return d;
    }();
    return data.get();
}

// A hidden form whose client area holds the measured control.
inline std::unique_ptr<TForm> BenchForm(int width, int height) {
    auto form = std::make_unique<TForm>();
    form->SetClientSize(width, height);
    return form;
}

// Paints `control` (a TbsSkinControl or TbsGraphicSkinControl) once per iteration the way
// a paint event does, and reports the pixels per second.
template <class C> void PaintLoop(benchmark::State& state, C& control) {
    for (auto _ : state) {
        TBitmap image = control.RenderImage();
        benchmark::DoNotOptimize(image.ScanLine(0));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["pixels"] = control.Width() * control.Height();
}

} // namespace SkinCtrlsBench
