#include "calendar/TFlatEditUnit.h"

#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

const TColor Face = ColorToRGB(clBtnFace);
const TColor Border = RGB(160, 150, 131);

struct Fixture {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    Fixture() {
        QCursor::setPos(0, 0);
        Form->SetBounds(100, 100, 300, 120);
        Form->Show();
        QApplication::setActiveWindow(Form.get());
        QApplication::processEvents();
    }
    TFlatEdit* Add(int left, int top) {
        auto* e = new TFlatEdit(Form.get());
        e->SetBounds(left, top, 65, 18);
        return e;
    }
};

TColor At(QWidget* w, int x, int y) {
    return FromQColor(w->grab().toImage().pixelColor(x, y));
}

} // namespace

TEST(FlatEdit, StartsFlatInTheParentsColourInsideAThreePixelFrame) {
    TFlatEdit loose;
    EXPECT_EQ(loose.Width(), 121);
    EXPECT_EQ(loose.Height(), 19);
    EXPECT_EQ(loose.ColorFlat(), RGB(235, 234, 225));
    EXPECT_EQ(loose.ColorFocused(), clWhite);
    EXPECT_EQ(loose.ColorBorder(), Border);
    EXPECT_EQ(loose.BorderStyle(), bsNone);
    EXPECT_EQ(loose.MaxLength(), 0);

    Fixture f;
    TFlatEdit* e = f.Add(10, 10);
    EXPECT_TRUE(e->ParentColor());
    EXPECT_EQ(e->ColorFlat(), clBtnFace);
    EXPECT_EQ(e->ClientRect(), TRect(3, 3, 62, 15));
    EXPECT_EQ(e->EditorRect(), TRect(3, 3, 62, 15));
    EXPECT_FALSE(e->ActiveLook());
    EXPECT_EQ(e->Color(), clBtnFace); // the editor's background
    EXPECT_EQ(At(e, 0, 0), Border);
    EXPECT_EQ(At(e, 64, 17), Border);
    EXPECT_EQ(At(e, 1, 1), Face);
    EXPECT_EQ(At(e, 2, 2), Face);
    EXPECT_EQ(At(e, 1, 9), Face);
}

TEST(FlatEdit, LightsUpWhenFocusedOrHoveredWhileNoFlatEditHasTheFocus) {
    Fixture f;
    TFlatEdit* a = f.Add(10, 10);
    TFlatEdit* b = f.Add(100, 10);

    a->SetFocus();
    ASSERT_TRUE(a->Focused());
    EXPECT_TRUE(a->ActiveLook());
    EXPECT_EQ(a->Color(), clWhite);
    EXPECT_EQ(At(a, 0, 0), Border);
    EXPECT_EQ(At(a, 1, 1), clWhite);
    EXPECT_EQ(At(a, 2, 2), clWhite);

    // The focused edit keeps its look while the mouse passes over and away.
    Application->SetMouseControl(a, a->ClientOrigin());
    Application->SetMouseControl(nullptr, TPoint(0, 0));
    EXPECT_FALSE(a->MouseInside());
    EXPECT_TRUE(a->ActiveLook());

    // Another flat edit under the mouse stays flat while one holds the focus.
    Application->SetMouseControl(b, b->ClientOrigin());
    EXPECT_TRUE(b->MouseInside());
    EXPECT_FALSE(b->ActiveLook());
    Application->SetMouseControl(nullptr, TPoint(0, 0));

    // With the focus on a plain edit, the mouse lights a flat edit up until it leaves.
    auto* plain = new TEdit(f.Form.get());
    plain->SetBounds(200, 10, 50, 20);
    plain->SetFocus();
    EXPECT_FALSE(a->ActiveLook());
    EXPECT_EQ(At(a, 1, 1), Face);
    Application->SetMouseControl(b, b->ClientOrigin());
    EXPECT_TRUE(b->ActiveLook());
    EXPECT_EQ(At(b, 2, 2), clWhite);
    Application->SetMouseControl(nullptr, TPoint(0, 0));
    EXPECT_FALSE(b->ActiveLook());
    EXPECT_EQ(b->Color(), clBtnFace);

    // Without an active window the mouse does not light it up.
    QApplication::setActiveWindow(nullptr);
    Application->SetMouseControl(b, b->ClientOrigin());
    EXPECT_FALSE(b->MouseInside());
    EXPECT_FALSE(b->ActiveLook());
    Application->SetMouseControl(nullptr, TPoint(0, 0));
}

TEST(FlatEdit, FitsItsHeightToTheFont) {
    Fixture f;
    f.Form->Font()->SetName(QStringLiteral("宋体"));
    f.Form->Font()->SetHeight(-12);
    TFlatEdit* e = f.Add(10, 10);
    e->SetHeight(40);
    e->Loaded();
    EXPECT_EQ(e->Height(), 18);
    e->Font()->SetHeight(-24);
    EXPECT_EQ(e->Height(), e->Canvas()->TextHeight(QStringLiteral("W")) + 6);
    EXPECT_GT(e->Height(), 18);
}

TEST(FlatEdit, ColoursFollowTheParentUntilSetAndDeriveWhenAsked) {
    Fixture f;
    TFlatEdit* e = f.Add(10, 10);
    f.Form->SetColor(RGB(0, 0, 128));
    EXPECT_EQ(e->ColorFlat(), RGB(0, 0, 128));
    EXPECT_EQ(At(e, 1, 1), RGB(0, 0, 128));

    e->SetColorFlat(clYellow);
    EXPECT_FALSE(e->ParentColor());
    EXPECT_EQ(e->Color(), clYellow);
    f.Form->SetColor(clTeal);
    EXPECT_EQ(e->ColorFlat(), clYellow);
    e->SetParentColor(true);
    EXPECT_EQ(e->ColorFlat(), clTeal);

    e->SetColors(1, clRed);
    EXPECT_EQ(e->ColorBorder(), clRed);
    EXPECT_EQ(At(e, 0, 0), clRed);

    // Derived colours: from the parent's colour, again whenever it changes.
    e->SetParentColor(false);
    e->SetUseAdvColors(true);
    EXPECT_TRUE(e->ParentColor());
    EXPECT_EQ(e->ColorFocused(), AdvancedColor(clTeal, 0, 10, TLightness::Lighten));
    EXPECT_EQ(e->ColorBorder(), AdvancedColor(clTeal, 0, 50, TLightness::Darken));
    f.Form->SetColor(clOlive);
    EXPECT_EQ(e->ColorFlat(), clOlive);
    EXPECT_EQ(e->ColorBorder(), AdvancedColor(clOlive, 0, 50, TLightness::Darken));
    e->SetAdvColorBorder(20);
    EXPECT_EQ(e->ColorBorder(), AdvancedColor(clOlive, 0, 20, TLightness::Darken));
    e->SetAdvColors(1, 0); // 0 keeps the colour as it is
    EXPECT_EQ(e->ColorBorder(), AdvancedColor(clOlive, 0, 20, TLightness::Darken));
}
