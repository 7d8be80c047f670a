// The button family of the six installed skins, as the windows meet it: captions readable
// on every look, push buttons whole at every size the windows give them (round corners cut
// by their masks), scroll bars of the program's thickness that repeat without seams, and
// up-downs whose buttons split their face.

#include "InstalledSkins.h"
#include "skin/bsSkinData.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Bitmap.h"
#include "framework/Colors.h"

#include <QColor>
#include <QString>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace InstalledSkins;

// The lowest contrast of `text` against the middle band of a face (where captions sit):
// nine rows about the face's middle, the client rectangle's columns.
double WorstContrast(const TBitmap& picture, const TRect& face, const TRect& client, TColor text) {
    double worst = 21;
    const int middle = face.Top + face.Height() / 2;
    for (int y = middle - 4; y <= middle + 4; ++y)
        for (int x = face.Left + client.Left; x < face.Left + client.Right; ++x)
            worst = std::min(worst, Contrast(picture.Pixel(x, y), text));
    return worst;
}

// The mean colour distance of two faces, to tell whether two looks differ at a glance.
double FaceDistance(const TBitmap& picture, const TRect& a, const TRect& b) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x, ++count) {
            const TColor p = picture.Pixel(a.Left + x, a.Top + y);
            const TColor q = picture.Pixel(b.Left + x, b.Top + y);
            sum += std::abs(GetRValue(p) - GetRValue(q)) + std::abs(GetGValue(p) - GetGValue(q)) +
                   std::abs(GetBValue(p) - GetBValue(q));
        }
    return count ? sum / count : 0;
}

} // namespace

TEST(ButtonFamilySkins, CaptionsReadOnEveryLookAndTheLooksDiffer) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        for (const char* name : {"button", "toolbutton", "resizebutton", "menubutton"}) {
            SCOPED_TRACE(name);
            const auto* r = ControlRecord<TbsDataSkinButtonControl>(*data, name);
            ASSERT_TRUE(r);
            const TBitmap* picture = PictureOf(*data, r->PictureIndex);
            ASSERT_TRUE(picture);
            const TRect& client = r->ClientRect;
            EXPECT_GE(WorstContrast(*picture, r->SkinRect, client, r->FontColor), 4.5);
            EXPECT_GE(WorstContrast(*picture, r->ActiveSkinRect, client, r->ActiveFontColor), 4.0);
            EXPECT_GE(WorstContrast(*picture, r->DownSkinRect, client, r->DownFontColor), 4.0);
            EXPECT_GE(WorstContrast(*picture, r->DisabledSkinRect, client, r->DisabledFontColor),
                      2.0);
            EXPECT_GT(FaceDistance(*picture, r->SkinRect, r->ActiveSkinRect), 12) << "hot";
            EXPECT_GT(FaceDistance(*picture, r->ActiveSkinRect, r->DownSkinRect), 12) << "down";
            EXPECT_GT(FaceDistance(*picture, r->SkinRect, r->DisabledSkinRect), 6) << "disabled";
        }
    }
}

TEST(ButtonFamilySkins, PushButtonsStayWholeAtTheWindowsSizesWithRoundCornersCut) {
    const int sizes[][2] = {{75, 25}, {105, 25}, {60, 25}, {75, 17}, {27, 25}};
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        const auto* record = ControlRecord<TbsDataSkinButtonControl>(*data, "button");
        ASSERT_TRUE(record);
        EXPECT_EQ(record->SkinRect.Height(), 25); // the message box's button height
        TbsSkinGeometry g;
        g.LoadGeometry(*data, *record, true);
        EXPECT_EQ(g.StretchMode, TbsStretchMode::Both);
        for (const auto& size : sizes) {
            SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
            int w = size[0], h = size[1];
            g.FitGeometry(w, h);
            ASSERT_EQ(w, size[0]);
            ASSERT_EQ(h, size[1]);
            // The repeated bands never run backwards: a whole face at this size.
            EXPECT_GE(g.NewRTPoint.X, g.NewLTPoint.X);
            EXPECT_GE(g.NewLBPoint.Y, g.NewLTPoint.Y);
            TBitmap face;
            ASSERT_TRUE(g.ComposeImage(face, record->SkinRect, w, h));
            // The face's border runs round it: the middle of the top and bottom rows is
            // darker or lighter than the middle of the face, not a cut piece of it.
            const TColor middle = face.Pixel(w / 2, h / 2);
            EXPECT_NE(face.Pixel(w / 2, 0), middle);
            EXPECT_NE(face.Pixel(w / 2, h - 1), middle);
            if (!g.MaskPicture)
                continue;
            const TbsRegion region = g.MaskRegion(w, h);
            ASSERT_TRUE(region.has_value());
            for (const QPoint p : {QPoint(w / 2, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1),
                                   QPoint(0, h / 2), QPoint(w - 1, h / 2)})
                EXPECT_TRUE(region->contains(p)) << p.x() << "," << p.y();
            for (const QPoint p :
                 {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
                EXPECT_FALSE(region->contains(p)) << p.x() << "," << p.y();
        }
    }
}

TEST(ButtonFamilySkins, ScrollBarsHaveTheProgramsThicknessAndRepeatWithoutSeams) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        for (const char* name : {"vscrollbar", "hscrollbar", "bothhscrollbar"}) {
            SCOPED_TRACE(name);
            const auto* r = ControlRecord<TbsDataSkinScrollBarControl>(*data, name);
            ASSERT_TRUE(r);
            const TBitmap* picture = PictureOf(*data, r->PictureIndex);
            ASSERT_TRUE(picture);
            TbsSkinGeometry g;
            g.LoadGeometry(*data, *r, false);
            const bool vertical = name[0] == 'v';
            EXPECT_EQ(g.StretchMode,
                      vertical ? TbsStretchMode::Vertical : TbsStretchMode::Horizontal);
            EXPECT_EQ(vertical ? r->SkinRect.Width() : r->SkinRect.Height(), 19);

            // The repeated band (the track) repeats with a period of at most two pixels and
            // is a whole number of periods long, so a long bar shows no seam.
            const int from = vertical ? r->LeftTopPoint.Y : r->LeftTopPoint.X;
            const int to = vertical ? r->LeftBottomPoint.Y : r->RightTopPoint.X;
            EXPECT_EQ((to - from) % 2, 0);
            for (int along = from; along + 2 < to; ++along)
                for (int across = 0; across < 19; ++across) {
                    const int x = vertical ? across : along, y = vertical ? along : across;
                    const int x2 = vertical ? x : x + 2, y2 = vertical ? y + 2 : y;
                    ASSERT_EQ(picture->Pixel(x, y), picture->Pixel(x2, y2)) << along;
                }

            // "up" is towards larger values: the increase button follows the track.
            const int trackEnd = vertical ? r->TrackArea.Bottom : r->TrackArea.Right;
            EXPECT_EQ(vertical ? r->UpButtonRect.Top : r->UpButtonRect.Left, trackEnd);
            // Thumbs keep their ends within half their length; grips fit inside them.
            for (const TRect* thumb : {&r->ThumbRect, &r->ActiveThumbRect, &r->DownThumbRect}) {
                const int length = vertical ? thumb->Height() : thumb->Width();
                EXPECT_LE(r->ThumbOffset1 + r->ThumbOffset2, length);
                EXPECT_LE(r->GlyphRect.Width(), thumb->Width());
                EXPECT_LE(r->GlyphRect.Height(), thumb->Height());
            }
        }
    }
}

TEST(ButtonFamilySkins, UpDownsAreFixedWithTwoButtonsSplittingTheirFace) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        for (const char* name : {"hupdown", "vupdown", "updown"}) {
            SCOPED_TRACE(name);
            const auto* r = ControlRecord<TbsDataSkinUpDownControl>(*data, name);
            ASSERT_TRUE(r);
            TbsSkinGeometry g;
            g.LoadGeometry(*data, *r, false);
            EXPECT_EQ(g.StretchMode, TbsStretchMode::Fixed);
            EXPECT_EQ(UnionRect(r->UpButtonRect, r->DownButtonRect), r->SkinRect);
            TRect overlap;
            EXPECT_FALSE(IntersectRect(overlap, r->UpButtonRect, r->DownButtonRect));
            // The hot and pressed looks are copied over the normal buttons one to one.
            auto size = [](const TRect& rect) { return TSize{rect.Width(), rect.Height()}; };
            for (const TRect* look : {&r->ActiveUpButtonRect, &r->DownUpButtonRect})
                EXPECT_EQ(size(*look), size(r->UpButtonRect));
            for (const TRect* look : {&r->ActiveDownButtonRect, &r->DownDownButtonRect})
                EXPECT_EQ(size(*look), size(r->DownButtonRect));
        }
    }
}
