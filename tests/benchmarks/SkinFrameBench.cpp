// A skin switch that refits four framed forms of about fifteen skinned controls each (the
// frame's composition alone is measured with the installed skins, ComposeSkinnedFrame).

#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/Forms.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

QString FrameSkin(int number) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin%1/skin.ini").arg(number);
}

// Four framed forms, each with a panel holding six buttons, six labels and two group boxes
// (15 skinned controls), switched between skins 1 and 2 and painted.
void SwitchSkinOfFourFramedForms(benchmark::State& state) {
    if (!QFileInfo::exists(FrameSkin(1)) || !QFileInfo::exists(FrameSkin(2))) {
        state.SkipWithError("the installed skins are not staged");
        return;
    }
    auto owner = std::make_unique<TForm>();
    auto* data = new TbsSkinData(owner.get());
    data->LoadSkinFile(FrameSkin(1));
    std::vector<std::unique_ptr<TForm>> forms;
    for (int i = 0; i < 4; ++i) {
        TForm* form = forms.emplace_back(std::make_unique<TForm>()).get();
        form->SetClientSize(689, 449);
        auto* frame = new TbsBusinessSkinForm(form);
        frame->SetSkinData(data);
        auto* panel = new TbsSkinPanel(form);
        panel->SetBounds(0, 0, 689, 449);
        panel->SetSkinData(data);
        for (int b = 0; b < 6; ++b) {
            auto* button = new TbsSkinButton(panel);
            button->SetBounds(16 + 96 * b, 32, 75, 25);
            button->SetSkinData(data);
            auto* label = new TbsSkinLabel(panel);
            label->SetBounds(16 + 96 * b, 80, 75, 21);
            label->SetSkinData(data);
        }
        for (int g = 0; g < 2; ++g) {
            auto* box = new TbsSkinGroupBox(panel);
            box->SetBounds(16 + 340 * g, 120, 320, 200);
            box->SetSkinData(data);
        }
    }
    for (auto& form : forms)
        form->Show();
    int next = 2;
    for (auto _ : state) {
        data->LoadSkinFile(FrameSkin(next));
        // What the user waits for: every window painted in the new skin.
        for (auto& form : forms)
            form->repaint();
        next = 3 - next;
    }
}
BENCHMARK(SwitchSkinOfFourFramedForms)->Unit(benchmark::kMillisecond);

} // namespace
