// The window-frame family of the six installed skins: the frame fits every window size
// with its shape whole around the client area, the caption stretches with the window and
// reads on its bar, caption buttons have distinct looks that fit the caption bar, and menus
// and hints match the windows they sit in.

#include "InstalledSkins.h"
#include "skin/bsEffects.h"
#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Colors.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

namespace {

using namespace InstalledSkins;

TColor MeanColor(const TBitmap& picture, int left, int right, int y) {
    long r = 0, g = 0, b = 0;
    for (int x = left; x < right; ++x) {
        const TColor c = picture.Pixel(x, y);
        r += GetRValue(c);
        g += GetGValue(c);
        b += GetBValue(c);
    }
    const long n = std::max(1, right - left);
    return RGB(int(r / n), int(g / n), int(b / n));
}

// A colour as the inactive frame shows it after the skin's inactive effect.
TColor AfterEffect(TColor c, TbsInactiveEffect effect) {
    TBitmap pixel(1, 1);
    pixel.SetPixel(0, 0, c);
    TbsEffectBmp bmp(pixel);
    if (effect != TbsInactiveEffect::ieNoise && effect != TbsInactiveEffect::ieSplitBlur)
        bmp.ApplyEffect(effect);
    bmp.AssignTo(pixel);
    return pixel.Pixel(0, 0);
}

// The mean colour distance of two equally sized looks, to tell them apart at a glance.
double LookDistance(const TBitmap& a, const TRect& ra, const TBitmap& b, const TRect& rb) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x, ++count) {
            const TColor p = a.Pixel(ra.Left + x, ra.Top + y);
            const TColor q = b.Pixel(rb.Left + x, rb.Top + y);
            sum += std::abs(GetRValue(p) - GetRValue(q)) + std::abs(GetGValue(p) - GetGValue(q)) +
                   std::abs(GetBValue(p) - GetBValue(q));
        }
    return count ? sum / count : 0;
}

bool SameSize(const TRect& a, const TRect& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// Which corner region of the frame picture holds p: 0 top-left, 1 top-right, -1 neither.
int TopRegion(const TbsSkinData& d, TPoint p) {
    if (p.X >= 0 && p.X < d.LeftTopPoint.X && p.Y >= 0 && p.Y < d.LeftTopPoint.Y)
        return 0;
    if (p.X >= d.RightTopPoint.X && p.X < d.SkinPicture.Width() && p.Y >= 0 &&
        p.Y < d.RightTopPoint.Y)
        return 1;
    return -1;
}

} // namespace

TEST(FrameFamilySkins, TheFrameFitsEveryWindowWithItsShapeAroundTheClient) {
    // The picture's own size, the program's dialogs and the main window.
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        const TbsSkinData& d = *data;
        const int PW = d.SkinPicture.Width(), PH = d.SkinPicture.Height();
        ASSERT_GT(PW, 0);
        EXPECT_LE(PW, 400); // the smallest window (a message box) is this wide
        EXPECT_LT(d.LeftTopPoint.X, d.RightTopPoint.X);
        EXPECT_LT(d.LeftBottomPoint.X, d.RightBottomPoint.X);
        EXPECT_LE(d.LeftTopPoint.Y, d.LeftBottomPoint.Y);
        if (!d.InactiveSkinPicture.Empty()) {
            EXPECT_EQ(d.InactiveSkinPicture.Width(), PW);
            EXPECT_EQ(d.InactiveSkinPicture.Height(), PH);
        }
        if (d.SkinMask.Empty())
            continue;
        const int sizes[][2] = {{PW, PH}, {377, 388}, {420, 260}, {697, 483}, {1280, 1000}};
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1], dx = W - PW, dy = H - PH;
            SCOPED_TRACE(std::to_string(W) + " x " + std::to_string(H));
            TRect client = d.ClientRect, mask = d.MaskRectArea;
            client.Right += dx;
            client.Bottom += dy;
            mask.Right += dx;
            mask.Bottom += dy;
            const TPoint RT(d.RightTopPoint.X + dx, d.RightTopPoint.Y);
            const TPoint LB(d.LeftBottomPoint.X, d.LeftBottomPoint.Y + dy);
            const TPoint RB(d.RightBottomPoint.X + dx, d.RightBottomPoint.Y + dy);
            const TbsRegion region = CreateSkinRegion(
                d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint,
                d.MaskRectArea, d.LeftTopPoint, RT, LB, RB, mask, d.SkinMask, W, H);
            ASSERT_TRUE(region.has_value());
            EXPECT_TRUE(region->contains(client.ToQRect()));
            // The edges are whole between the corners; the shaped corners are cut.
            for (const QPoint p :
                 {QPoint(W / 2, 0), QPoint(W / 2, H - 1), QPoint(0, H / 2), QPoint(W - 1, H / 2)})
                EXPECT_TRUE(region->contains(p)) << p.x() << "," << p.y();
            EXPECT_FALSE(region->contains(QPoint(0, 0)));
            EXPECT_FALSE(region->contains(QPoint(W - 1, 0)));
        }
    }
}

TEST(FrameFamilySkins, TheCaptionStretchesWithTheWindowAndReadsActiveAndInactive) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        const TbsSkinData& d = *data;
        const auto* caption = ObjectRecord<TbsDataSkinCaption>(d, "caption");
        ASSERT_TRUE(caption);
        const TRect& r = caption->SkinRect;
        EXPECT_EQ(TopRegion(d, r.TopLeft()), 0);
        EXPECT_EQ(TopRegion(d, r.BottomRight()), 1);
        EXPECT_LE(r.Bottom, d.ClientRect.Top);
        // The text against the caption bar behind its middle, active and inactive.
        const int y = r.Top + caption->TextRect.Top + caption->TextRect.Height() / 2;
        const TColor bar = MeanColor(d.SkinPicture, r.Left, r.Right, y);
        EXPECT_GE(Contrast(caption->ActiveFontColor, bar), 3.0);
        const TBitmap& inactive =
            d.InactiveSkinPicture.Empty() ? d.SkinPicture : d.InactiveSkinPicture;
        TColor text = caption->FontColor, back = MeanColor(inactive, r.Left, r.Right, y);
        if (d.AutoRenderingInActiveImage) {
            text = AfterEffect(text, d.InActiveEffect);
            back = AfterEffect(back, d.InActiveEffect);
        }
        EXPECT_GE(Contrast(text, back), 1.5);
        if (!caption->FrameRect.IsEmpty()) { // the plate behind the text
            const TBitmap* picture = PictureOf(d, caption->ActivePictureIndex);
            ASSERT_TRUE(picture);
            const TRect& plate = caption->ActiveFrameRect;
            const TColor middle =
                picture->Pixel(plate.Left + plate.Width() / 2, plate.Top + plate.Height() / 2);
            EXPECT_GE(Contrast(caption->ActiveFontColor, middle), 4.5);
            EXPECT_EQ(caption->FrameRect.Height(), plate.Height());
        }
    }
}

TEST(FrameFamilySkins, CaptionButtonsHaveDistinctLooksThatFitTheCaptionBar) {
    int inPlace = 0, withButtonsRect = 0, withoutButtonsRect = 0, plainButtons = 0, users = 0;
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        const TbsSkinData& d = *data;
        (d.ButtonsRect.IsEmpty() ? withoutButtonsRect : withButtonsRect)++;
        const TRect area = d.ButtonsRect.IsEmpty() ? d.CaptionRect : d.ButtonsRect;
        const struct {
            const char* Name;
            TbsStdCommand Command;
            bool Restore;
        } buttons[] = {{"closebutton", TbsStdCommand::cmClose, false},
                       {"maxbutton", TbsStdCommand::cmMaximize, true},
                       {"minbutton", TbsStdCommand::cmMinimize, true},
                       {"rollupbutton", TbsStdCommand::cmRollUp, true},
                       {"traybutton", TbsStdCommand::cmMinimizeToTray, false},
                       {"sysmenubutton", TbsStdCommand::cmSysMenu, false}};
        for (const auto& b : buttons) {
            SCOPED_TRACE(b.Name);
            if (const auto* star = ObjectRecord<TbsDataSkinAnimate>(d, b.Name)) {
                EXPECT_EQ(star->Command, b.Command);
                EXPECT_GE(star->CountFrames, 4);
                EXPECT_TRUE(star->ButtonStyle);
                EXPECT_EQ(star->ActiveSkinRect.Width(), star->CountFrames * star->SkinRect.Width());
                EXPECT_LE(area.Top + star->SkinRect.Height(), d.ClientRect.Top);
                continue;
            }
            const auto* r = ObjectRecord<TbsDataSkinStdButton>(d, b.Name);
            ASSERT_TRUE(r);
            EXPECT_EQ(r->Command, b.Command);
            EXPECT_FALSE(r->Hint.isEmpty());
            const TBitmap* picture = PictureOf(d, r->ActivePictureIndex);
            ASSERT_TRUE(picture);
            const TBitmap& normalPicture = r->SkinRectInAPicture ? *picture : d.SkinPicture;
            for (const TRect& look : {r->ActiveSkinRect, r->DownRect, r->DisableSkinRect})
                ASSERT_TRUE(SameSize(look, r->SkinRect));
            EXPECT_GT(LookDistance(normalPicture, r->SkinRect, *picture, r->ActiveSkinRect), 10);
            EXPECT_GT(LookDistance(*picture, r->ActiveSkinRect, *picture, r->DownRect), 8);
            EXPECT_GT(LookDistance(normalPicture, r->SkinRect, *picture, r->DisableSkinRect), 5);
            if (b.Restore) {
                ASSERT_TRUE(SameSize(r->RestoreRect, r->SkinRect));
                EXPECT_TRUE(SameSize(r->RestoreActiveRect, r->SkinRect));
                EXPECT_TRUE(SameSize(r->RestoreDownRect, r->SkinRect));
                EXPECT_TRUE(SameSize(r->RestoreInActiveRect, r->SkinRect));
                EXPECT_GT(LookDistance(normalPicture, r->SkinRect, *picture, r->RestoreRect), 3);
            }
            if (r->SkinRectInAPicture) {
                EXPECT_LE(area.Top + r->SkinRect.Height(), d.ClientRect.Top);
            } else {
                ++inPlace; // drawn in the frame picture: it must lie in a top corner
                EXPECT_GE(TopRegion(d, r->SkinRect.TopLeft()), 0);
                EXPECT_EQ(TopRegion(d, r->SkinRect.TopLeft()),
                          TopRegion(d, r->SkinRect.BottomRight()));
            }
        }
        for (const auto& o : d.SkinObjects) {
            if (dynamic_cast<const TbsDataUserObject*>(o.get()))
                ++users;
            else if (const auto& object = *o; typeid(object) == typeid(TbsDataSkinButton))
                ++plainButtons;
        }
    }
    EXPECT_GT(inPlace, 0);
    EXPECT_GT(withButtonsRect, 0);
    EXPECT_GT(withoutButtonsRect, 0);
    EXPECT_GT(plainButtons, 0);
    EXPECT_GT(users, 0);
}

TEST(FrameFamilySkins, MenusAndHintsMatchTheirWindowsAndRead) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("skin" + std::to_string(n));
        const auto data = LoadSkin(n);
        ASSERT_TRUE(data);
        const TbsSkinData& d = *data;

        // Popup items lie on the window's items area without a visible band.
        const TbsDataSkinPopupWindow& popup = d.PopupWindow;
        const TBitmap* window = PictureOf(d, popup.WindowPictureIndex);
        ASSERT_TRUE(window);
        const auto* item = ObjectRecord<TbsDataSkinMenuItem>(d, "menuitem");
        ASSERT_TRUE(item);
        const TBitmap* looks = PictureOf(d, item->ActivePictureIndex);
        ASSERT_TRUE(looks);
        const TColor back = window->Pixel(popup.ItemsRect.Left + popup.ItemsRect.Width() / 2,
                                          popup.ItemsRect.Top + popup.ItemsRect.Height() / 2);
        const TRect& normal = item->SkinRect;
        for (int y = normal.Top; y < normal.Bottom; ++y)
            ASSERT_EQ(looks->Pixel(normal.Left + normal.Width() / 2, y), back) << y;
        EXPECT_GE(Contrast(item->FontColor, back), 4.5);
        const TRect& hot = item->ActiveSkinRect;
        const TColor hotMiddle =
            looks->Pixel(hot.Left + hot.Width() / 2, hot.Top + hot.Height() / 2);
        EXPECT_GE(Contrast(item->ActiveFontColor, hotMiddle), 3.5);
        EXPECT_GT(LookDistance(*looks, normal, *looks, hot), 10);
        EXPECT_GE(Contrast(item->UnEnabledFontColor, back), 1.6);
        if (const TBitmap* mask = PictureOf(d, popup.MaskPictureIndex)) {
            EXPECT_EQ(mask->Width(), window->Width());
            EXPECT_EQ(mask->Pixel(popup.ItemsRect.Left, popup.ItemsRect.Top), clBlack);
        }

        // The hint's text reads on its window.
        const TbsDataSkinHintWindow& hint = d.HintWindow;
        const TBitmap* hintPicture = PictureOf(d, hint.WindowPictureIndex);
        ASSERT_TRUE(hintPicture);
        const TRect& hc = hint.ClientRect;
        EXPECT_GE(Contrast(hint.FontColor,
                           hintPicture->Pixel(hc.Left + hc.Width() / 2, hc.Top + hc.Height() / 2)),
                  4.5);

        // The menu bar: 22 high, its items cut from its own background, its names leading
        // to records of the right kinds.
        const int barIndex = d.IndexOfControl(QStringLiteral("mainmenubar"));
        ASSERT_GE(barIndex, 0);
        const auto* bar =
            dynamic_cast<const TbsDataSkinMainMenuBar*>(d.SkinControls[barIndex].get());
        ASSERT_TRUE(bar);
        EXPECT_EQ(bar->SkinRect.Height(), 22);
        const TBitmap* barPicture = PictureOf(d, bar->PictureIndex);
        ASSERT_TRUE(barPicture);
        const int i = d.IndexOfSkinObject(bar->MenuBarItem);
        ASSERT_GE(i, 0);
        const auto* barItem =
            dynamic_cast<const TbsDataSkinMainMenuBarItem*>(d.SkinObjects[i].get());
        ASSERT_TRUE(barItem);
        const TBitmap* itemPicture = PictureOf(d, barItem->ActivePictureIndex);
        ASSERT_TRUE(itemPicture);
        for (int y = 0; y < barItem->SkinRect.Height(); ++y)
            ASSERT_EQ(itemPicture->Pixel(barItem->SkinRect.Left + 6, barItem->SkinRect.Top + y),
                      barPicture->Pixel(bar->SkinRect.Left + 6,
                                        bar->SkinRect.Top + bar->ItemsRect.Top + y))
                << y;
        EXPECT_LE(bar->ItemsRect.Top + barItem->SkinRect.Height(), bar->SkinRect.Height());
        const std::pair<QString, TbsStdCommand> buttons[] = {
            {bar->CloseButton, TbsStdCommand::cmClose},
            {bar->MinButton, TbsStdCommand::cmMinimize},
            {bar->MaxButton, TbsStdCommand::cmMaximize},
            {bar->SysMenuButton, TbsStdCommand::cmSysMenu}};
        for (const auto& [name, command] : buttons) {
            const int b = d.IndexOfSkinObject(name);
            ASSERT_GE(b, 0) << name.toStdString();
            const auto* button =
                dynamic_cast<const TbsDataSkinMainMenuBarButton*>(d.SkinObjects[b].get());
            ASSERT_TRUE(button) << name.toStdString();
            EXPECT_EQ(button->Command, command);
            EXPECT_LE(button->SkinRect.Height(), bar->SkinRect.Height());
        }
    }
}
