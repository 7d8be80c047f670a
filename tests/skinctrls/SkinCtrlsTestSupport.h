#pragma once
// A form with a skin data component and the skin-change relay, and the fixture skins the
// skinned-control tests load into it.

#include "fixtures/ControlsSkinFixture.h"

#include "common/TestEnv.h"
#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Forms.h"

#include <QApplication>
#include <memory>

namespace SkinCtrlsTest {

// Writes a controls skin into a fresh folder and returns its skin.ini.
inline QString WriteSkin(const TControlsSkin& skin = TControlsSkin()) {
    return skin.Write(TestEnv::NewFolder(QStringLiteral("ctrlskin")));
}

// The fixture skin written once per test program.
inline const QString& FixtureSkinPath() {
    static const QString path = WriteSkin();
    return path;
}

// A form owning a skin data component, with a form frame passing skin changes on.
struct TSkinnedForm {
    TSkinnedForm() : Form(std::make_unique<TForm>()), Data(new TbsSkinData(Form.get())) {
        new TbsBusinessSkinForm(Form.get());
        Form->SetClientSize(400, 300);
    }
    void LoadFixture() { Data->LoadSkinFile(FixtureSkinPath()); }
    // Shows and activates the form so that its controls can take the focus.
    void Activate() {
        Form->Show();
        QApplication::setActiveWindow(Form.get());
        Form->activateWindow();
        QApplication::processEvents();
    }

    std::unique_ptr<TForm> Form;
    TbsSkinData* Data;
};

// The colour at (x, y) of what one paint of `control` puts on the screen.
template <class C> TColor PaintedPixel(C& control, int x, int y) {
    return control.RenderImage().Pixel(x, y);
}

} // namespace SkinCtrlsTest
