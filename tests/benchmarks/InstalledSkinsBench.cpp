// Loading each installed skin from the program folder, and switching between two of them
// with skinned controls on a form (what a user waits for after choosing a skin).

#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString InstalledSkin(int number) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin%1/skin.ini").arg(number);
}

void LoadInstalledSkin(benchmark::State& state) {
    const QString path = InstalledSkin(int(state.range(0)));
    if (!QFileInfo::exists(path)) {
        state.SkipWithError("the installed skins are not staged");
        return;
    }
    TForm owner;
    auto* data = new TbsSkinData(&owner);
    for (auto _ : state)
        data->LoadSkinFile(path);
    state.counters["controls"] = double(data->SkinControls.size());
    state.counters["pictures"] = double(data->ActivePictures.size());
}
BENCHMARK(LoadInstalledSkin)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

// A form like the main window's: a group box holding a few buttons, labels and a panel.
void SwitchInstalledSkins(benchmark::State& state) {
    if (!QFileInfo::exists(InstalledSkin(1)) || !QFileInfo::exists(InstalledSkin(2))) {
        state.SkipWithError("the installed skins are not staged");
        return;
    }
    auto form = std::make_unique<TForm>();
    new TbsBusinessSkinForm(form.get());
    form->SetClientSize(689, 449);
    auto* data = new TbsSkinData(form.get());
    auto* box = new TbsSkinGroupBox(form.get());
    box->SetBounds(0, 24, 689, 401);
    box->SetSkinData(data);
    for (int i = 0; i < 5; ++i) {
        auto* button = new TbsSkinButton(box);
        button->SetBounds(16 + 96 * i, 32, 75, 25);
        button->SetSkinData(data);
        auto* label = new TbsSkinLabel(box);
        label->SetBounds(16 + 96 * i, 80, 75, 21);
        label->SetSkinData(data);
    }
    form->Show();
    int next = 1;
    for (auto _ : state) {
        data->LoadSkinFile(InstalledSkin(next));
        form->ClientArea()->repaint();
        next = 3 - next;
    }
}
BENCHMARK(SwitchInstalledSkins)->Unit(benchmark::kMillisecond);

} // namespace

// Composing the skinned frame (four borders with caption and caption buttons) of the main
// window's size and of a maximized full-HD window, in each installed skin.
void ComposeSkinnedFrame(benchmark::State& state) {
    const QString path = InstalledSkin(int(state.range(0)));
    if (!QFileInfo::exists(path)) {
        state.SkipWithError("the installed skins are not staged");
        return;
    }
    TForm form;
    auto* data = new TbsSkinData(&form);
    data->LoadSkinFile(path);
    auto* frame = new TbsBusinessSkinForm(&form);
    frame->SetSkinData(data);
    form.SetBounds(0, 0, int(state.range(1)), int(state.range(2)));
    TBitmap window(form.Width(), form.Height());
    for (auto _ : state)
        frame->PaintFrame(window.Canvas());
}
BENCHMARK(ComposeSkinnedFrame)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6}, {689}, {449}})
    ->ArgsProduct({{1, 3}, {1920}, {1080}})
    ->Unit(benchmark::kMillisecond);
