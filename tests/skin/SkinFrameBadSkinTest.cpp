// The skinned frame wearing damaged skins: no mask, no inactive picture, frame objects whose
// pictures are missing, an empty client rect, pictures smaller than the points that cut
// them. Each falls back to what the skin still offers and never reads outside a picture.

#include "SkinFixture.h"

#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Shows the frame at several sizes (below the minimum too), paints it, hit-tests and
// tracks the mouse over it, and runs its morph steps.
void ExerciseFrame(TForm& form, TbsBusinessSkinForm& frame) {
    for (auto [w, h] : {std::pair{40, 20}, {130, 90}, {300, 200}, {1000, 700}}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(w).arg(h).toStdString());
        form.SetBounds(0, 0, w, h);
        const TRect client = frame.FrameClientRect(form.Width(), form.Height());
        EXPECT_LE(client.Left, client.Right);
        EXPECT_LE(client.Top, client.Bottom);
        TBitmap image(form.Width(), form.Height());
        frame.PaintFrame(image.Canvas());
        for (int y = -2; y < form.Height() + 2; y += 5)
            for (int x = -2; x < form.Width() + 2; x += 5) {
                frame.HitTest(TPoint(x, y));
                frame.TrackObjects(TPoint(x, y));
            }
        for (int i = 0; i < 12; ++i)
            frame.MorphTick();
    }
}

struct TDamage {
    const char* Name;
    bool Skinned; // the frame still wears the skin
    std::function<void(TSkinFixture&)> Damage;
    std::function<void(const TbsSkinData&, TForm&, TbsBusinessSkinForm&)> Check;
};

} // namespace

TEST(SkinFrameBadSkin, DamagedSkinsFallBackAndNeverReadOutsideTheirPictures) {
    const TDamage cases[] = {
        {"no mask", true, [](TSkinFixture&) {},
         [](const TbsSkinData& d, TForm& form, TbsBusinessSkinForm& frame) {
             EXPECT_TRUE(d.SkinMask.Empty());
             EXPECT_FALSE(frame.WindowRegion().has_value());
             EXPECT_TRUE(form.mask().isEmpty());
         }},
        {"no inactive picture", true,
         [](TSkinFixture& s) { s.Set("FORMINFO", "autorenderinginactiveimage", "0"); },
         [](const TbsSkinData& d, TForm& form, TbsBusinessSkinForm& frame) {
             // The inactive frame shows the normal picture.
             ASSERT_TRUE(d.InactiveSkinPicture.Empty());
             ASSERT_FALSE(frame.FormActive());
             form.SetBounds(0, 0, 120, 80);
             TBitmap image(120, 80);
             frame.PaintFrame(image.Canvas());
             EXPECT_EQ(image.Pixel(2, 2), d.SkinPicture.Pixel(2, 2));
         }},
        {"frame objects with missing pictures", true,
         [](TSkinFixture& s) {
             s.Set("SKINOBJECTS", "count", "4")
                 .Set("SKINOBJECTS", "2", "max:stdbutton")
                 .Set("SKINOBJECTS", "3", "spin:animate")
                 .Set("close", "activepictureindex", "7")
                 .Set("close", "activeskinrect", "0,0,15,15")
                 .Set("close", "morphing", "1")
                 .Set("max", "skinrect", "80,5,95,20")
                 .Set("max", "command", "cmmaximize")
                 .Set("max", "activepictureindex", "-1")
                 .Set("max", "skinrectinapicture", "1")
                 .Set("spin", "skinrect", "60,5,75,20")
                 .Set("spin", "activepictureindex", "9")
                 .Set("spin", "countframes", "4")
                 .Set("spin", "buttonstyle", "1");
         },
         [](const TbsSkinData&, TForm&, TbsBusinessSkinForm& frame) {
             ASSERT_EQ(frame.FrameObjects().size(), 4u);
             for (const auto& o : frame.FrameObjects()) {
                 EXPECT_EQ(o->ActivePicture, nullptr) << o->IDName.toStdString();
                 o->MouseEnter();
                 o->MouseDown(1, 1, mbLeft);
                 o->MouseLeave();
             }
             for (int i = 0; i < 12; ++i)
                 frame.AnimationTick();
         }},
        {"empty client rect", true,
         [](TSkinFixture& s) { s.Set("FORMINFO", "clientrect", "0,0,0,0"); },
         [](const TbsSkinData&, TForm& form, TbsBusinessSkinForm& frame) {
             form.SetBounds(0, 0, 300, 200);
             const TRect client = frame.FrameClientRect(300, 200);
             EXPECT_GE(client.Width(), 0);
             EXPECT_GE(client.Height(), 0);
             TBitmap background(300, 200);
             EXPECT_TRUE(frame.FrameEraseClient(&background.Canvas()));
         }},
        {"frame picture smaller than its points", false,
         [](TSkinFixture& s) {
             s.AddPicture("small.bmp", 40, 20, 4);
             s.Set("PICTURES", "picture", "small.bmp")
                 .Set("PICTURES", "inactivepicture", "small.bmp");
         },
         [](const TbsSkinData&, TForm& form, TbsBusinessSkinForm& frame) {
             // The plain frame stands in.
             form.SetBounds(0, 0, 300, 200);
             EXPECT_EQ(frame.FrameClientRect(300, 200), TRect(3, 22, 297, 197));
         }},
        {"mask smaller than the frame picture", true,
         [](TSkinFixture& s) {
             s.AddPicture("mask.bmp", 30, 12, 5);
             s.Set("PICTURES", "mask", "mask.bmp").Set("FORMINFO", "maskrectarea", "5,25,115,75");
         },
         [](const TbsSkinData& d, TForm& form, TbsBusinessSkinForm& frame) {
             // Ignored: no shape, and the border is sized at the window's edge.
             EXPECT_FALSE(d.SkinMask.Empty());
             form.SetBounds(0, 0, 300, 200);
             EXPECT_TRUE(form.mask().isEmpty());
             EXPECT_EQ(frame.HitTest(TPoint(0, 100)), HTLEFT);
         }},
        {"caption and buttons areas beyond the picture", true,
         [](TSkinFixture& s) {
             s.Set("FORMINFO", "captionrect", "-50,-10,900,400")
                 .Set("FORMINFO", "buttonsrect", "500,500,400,400")
                 .Set("caption", "skinrect", "-20,-20,500,500");
         },
         [](const TbsSkinData&, TForm&, TbsBusinessSkinForm&) {}},
    };
    for (const TDamage& c : cases) {
        SCOPED_TRACE(c.Name);
        TSkinFixture skin = TSkinFixture::Basic();
        c.Damage(skin);
        TForm form;
        auto* data = new TbsSkinData(&form);
        try {
            data->LoadSkinFile(skin.Write());
        } catch (const Exception& e) {
            ADD_FAILURE() << "the skin did not load: " << e.Message().toStdString();
            continue;
        }
        ASSERT_FALSE(data->SkinEmpty);
        auto* frame = new TbsBusinessSkinForm(&form);
        frame->SetSkinData(data);
        EXPECT_EQ(frame->SkinActive(), c.Skinned);
        ExerciseFrame(form, *frame);
        c.Check(*data, form, *frame);
    }
}
