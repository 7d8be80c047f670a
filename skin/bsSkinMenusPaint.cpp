// The popup window's painting: the frame, the items in the skinned and the plain look,
// and the scroll markers. Everything is drawn into an off-screen bitmap first.

#include "skin/bsSkinMenus.h"

#include "skin/bsDefaultLook.h"
#include "skin/bsEffects.h"

#include "framework/Canvas.h"

namespace {

// The glyph a frame command's menu item carries, by the item's component name.
using TGlyphPainter = void (*)(TCanvas&, int, int, TColor);
TGlyphPainter NamedGlyph(const QString& name) {
    static const std::pair<const char*, TGlyphPainter> glyphs[] = {
        {"BSF_CLOSE", DrawCloseGlyph},      {"TRAY_BSF_CLOSE", DrawCloseGlyph},
        {"BSF_MINITEM", DrawMinimizeGlyph}, {"BSF_MAXITEM", DrawMaximizeGlyph},
        {"BSF_RESTORE", DrawRestoreGlyph},  {"TRAY_BSF_RESTORE", DrawRestoreGlyph},
        {"BSF_ROLLUP", DrawRollUpGlyph},    {"BSF_MINTOTRAY", DrawTrayGlyph},
    };
    for (const auto& [glyphName, painter] : glyphs)
        if (name == QLatin1String(glyphName))
            return painter;
    return nullptr;
}

// The four-line triangle pointing right that marks an item with a submenu.
void DrawSubmenuMark(TCanvas& c, int x, int y, TColor color) {
    c.Pen.Color = color;
    for (int i = 0; i < 4; ++i) {
        c.MoveTo(x + i, y + i);
        c.LineTo(x + i, y + 7 - i);
    }
}

TBitmap HSkinPiece(int left, int right, int width, const TRect& look, const TBitmap& picture) {
    TBitmap piece;
    CreateHSkinImage(left, right, piece, width, look, picture);
    return piece;
}

} // namespace

void TbsSkinPopupWindow::Paint() {
    const TBitmap frame = Snapshot();
    Canvas()->Draw(0, 0, frame);
}

TBitmap TbsSkinPopupWindow::Snapshot() {
    TBitmap bitmap(width(), height(), devicePixelRatioF());
    TCanvas& c = bitmap.Canvas();
    PaintFrame(c);
    for (int i = FFirstVisible; i < ItemCount(); ++i)
        if (FItems[i]->Shown)
            PaintItem(c, *FItems[i]);
    if (FScrolling)
        PaintScrollMarkers(c);
    return bitmap;
}

TBitmap TbsSkinPopupWindow::ItemSnapshot(int index) {
    TbsSkinMenuItem& item = *FItems[index];
    if (!item.Shown)
        return TBitmap();
    TBitmap bitmap(std::max(1, item.Bounds.Width()), std::max(1, item.Bounds.Height()),
                   devicePixelRatioF());
    const TRect r(0, 0, item.Bounds.Width(), item.Bounds.Height());
    if (item.Record)
        PaintSkinnedItem(bitmap.Canvas(), item, r);
    else
        PaintPlainItem(bitmap.Canvas(), item, r);
    return bitmap;
}

void TbsSkinPopupWindow::PaintFrame(TCanvas& c) {
    const int W = width(), H = height();
    if (FWindowRecord) {
        if (FFrameImage.Width() != W || FFrameImage.Height() != H || FScrolling) {
            const TbsDataSkinPopupWindow& r = *FWindowRecord;
            CreateStretchSkinImage(
                r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint, r.RightBottomPoint, r.ItemsRect,
                FFit.LT, FFit.RT, FFit.LB, FFit.RB, FFit.ItemsRect, FFrameImage, *FFramePicture,
                TRect(0, 0, FFramePicture->Width(), FFramePicture->Height()), W, H, FScrolling,
                r.LeftStretch, r.TopStretch, r.RightStretch, r.BottomStretch);
        }
        c.Draw(0, 0, FFrameImage);
        return;
    }
    const int G = FImages && FImages->Count() > 0 ? FGlyphColumnWidth + 2 : 21;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect(0, 0, G, H));
    c.Brush.Color = clWindow;
    c.FillRect(TRect(G, 0, W, H));
    c.Brush.Color = clBtnShadow;
    c.FrameRect(TRect(0, 0, W, H));
    c.Brush.Color = clWindow;
    c.FrameRect(TRect(1, 1, W - 1, H - 1));
}

void TbsSkinPopupWindow::PaintScrollMarkers(TCanvas& c) {
    const int W = width(), H = height();
    TRect up = UpStrip(), down = DownStrip();
    TColor normal = clBtnShadow, active = clBtnText;
    if (FWindowRecord) {
        normal = FWindowRecord->ScrollMarkerColor;
        active = FWindowRecord->ScrollMarkerActiveColor;
    } else {
        up = TRect(3, 3, W - 3, 13);
        down = TRect(3, H - 10, W - 3, H - 3);
    }
    DrawArrowMark(c, up, FScrollState == TbsScrollState::Up ? active : normal,
                  TbsArrowDirection::Up);
    DrawArrowMark(c, down, FScrollState == TbsScrollState::Down ? active : normal,
                  TbsArrowDirection::Down);
}

void TbsSkinPopupWindow::PaintItem(TCanvas& c, TbsSkinMenuItem& item) {
    if (!item.Shown || item.Bounds.IsEmpty())
        return;
    c.Draw(item.Bounds.Left, item.Bounds.Top, ItemSnapshot(IndexOfItem(&item)));
}

void TbsSkinPopupWindow::PaintSkinnedItem(TCanvas& c, TbsSkinMenuItem& item, const TRect& r) {
    const TbsDataSkinMenuItem& rec = *item.Record;
    const int width = r.Width();
    if (!item.Picture)
        return;
    if (item.IsSeparator()) {
        c.Draw(0, 0,
               HSkinPiece(rec.DividerLeftOffset, rec.DividerRightOffset, width, rec.DividerRect,
                          *item.Picture));
        return;
    }
    const bool on = item.On();
    TBitmap back = HSkinPiece(rec.ItemLeftOffset, rec.ItemRightOffset, width,
                              on ? rec.ActiveSkinRect : rec.SkinRect, *item.Picture);
    const bool morphing = rec.Morphing && (on ? item.MorphProgress < 1 : item.MorphProgress > 0);
    if (morphing) {
        const TBitmap normal =
            HSkinPiece(rec.ItemLeftOffset, rec.ItemRightOffset, width, rec.SkinRect, *item.Picture);
        const TBitmap active = HSkinPiece(rec.ItemLeftOffset, rec.ItemRightOffset, width,
                                          rec.ActiveSkinRect, *item.Picture);
        TbsEffectBmp blend(normal);
        blend.MorphBy(rec.MorphKind, TbsEffectBmp(active), item.MorphProgress);
        blend.AssignTo(back);
    }
    c.Draw(0, 0, back);

    TRect t = rec.TextRect;
    t.Right = width - (rec.SkinRect.Width() - rec.TextRect.Right);
    ApplyCanvasFont(c.Font);
    const TColor color = on                 ? rec.ActiveFontColor
                         : item.IsEnabled() ? rec.FontColor
                                            : rec.UnEnabledFontColor;
    c.Font.SetColor(color);
    c.Brush.Style = bsClear;
    const bool hasImages = FImages && FImages->Count() > 0;
    const int C = hasImages ? FGlyphColumnWidth : 16;
    const int middle = t.Top + t.Height() / 2;
    TRect caption(t.Left + C, 0, t.Right - 16, 0);
    c.DrawText(item.Caption(), caption, DT_CALCRECT | DT_SINGLELINE);
    caption.Offset(0, middle - caption.Height() / 2);
    caption.Right += 2;
    c.DrawText(item.Caption(), caption, DT_CENTER | DT_SINGLELINE);
    if (item.MenuItem && item.MenuItem->ShortCut() != scNone) {
        const QString shortcut = item.MenuItem->ShortCutText();
        c.TextOut(t.Right - 16 - c.TextWidth(shortcut), caption.Top, shortcut);
    }
    if (item.HasChildren())
        DrawSubmenuMark(c, t.Right - 7, middle - 4, color);
    PaintItemMarks(c, item, t.Left + 2, middle, color, false);
    c.Brush.Style = bsSolid;
}

void TbsSkinPopupWindow::PaintPlainItem(TCanvas& c, TbsSkinMenuItem& item, const TRect& r) {
    const int width = r.Width(), height = r.Height();
    const bool hasImages = FImages && FImages->Count() > 0;
    const int G = hasImages ? FGlyphColumnWidth : 19;
    if (FEngine)
        c.Font.Assign(FEngine->DefMenuItemFont());
    c.Brush.Style = bsSolid;
    TColor color = clWindowText;
    if (item.On() && !item.IsSeparator()) {
        c.Brush.Color = bsDefaultColors::Frame;
        c.FrameRect(r);
        c.Brush.Color = bsDefaultColors::HotFill;
        c.FillRect(TRect(1, 1, width - 1, height - 1));
    } else {
        c.Brush.Color = clBtnFace;
        c.FillRect(TRect(0, 0, G, height));
        c.Brush.Color = clWindow;
        c.FillRect(TRect(G, 0, width, height));
        if (!item.IsEnabled())
            color = clBtnShadow;
    }
    if (item.IsSeparator()) {
        c.Pen.Color = clBtnShadow;
        c.MoveTo(G, height / 2);
        c.LineTo(width, height / 2);
        return;
    }
    if (!item.MenuItem)
        return;
    const TRect I(2, 2, width - 2, height - 2);
    const int middle = I.Top + I.Height() / 2;
    c.Font.SetColor(color);
    c.Brush.Style = bsClear;
    TRect caption(I.Left + G, 0, I.Right - 19, 0);
    c.DrawText(item.Caption(), caption, DT_CALCRECT | DT_SINGLELINE);
    caption.Offset(0, middle - caption.Height() / 2);
    caption.Right += 2;
    c.DrawText(item.Caption(), caption, DT_CENTER | DT_SINGLELINE);
    if (item.MenuItem->ShortCut() != scNone) {
        const QString shortcut = item.MenuItem->ShortCutText();
        c.TextOut(I.Right - 19 - c.TextWidth(shortcut), caption.Top, shortcut);
    }
    if (item.HasChildren())
        DrawSubmenuMark(c, I.Right - 7, middle - 4, color);
    PaintItemMarks(c, item, I.Left, middle, color, true);
    c.Brush.Style = bsSolid;
}

// The image, or else the named glyph, radio circle or check mark, at column x.
void TbsSkinPopupWindow::PaintItemMarks(TCanvas& c, TbsSkinMenuItem& item, int x, int middle,
                                        TColor color, bool plain) {
    TMenuItem* menuItem = item.MenuItem;
    const int imageIndex = menuItem->ImageIndex();
    if (FImages && imageIndex >= 0 && imageIndex < FImages->Count()) {
        const int y = middle - FImages->Height() / 2;
        if (menuItem->Checked()) {
            c.Brush.Style = bsSolid;
            c.Brush.Color = color;
            c.FrameRect(TRect(x - 1, y - 1, x + FImages->Width() + 1, y + FImages->Height() + 1));
            c.Brush.Style = bsClear;
        }
        FImages->Draw(c, x, y, imageIndex, item.IsEnabled());
        return;
    }
    const int markX = plain ? x + 2 : x;
    if (TGlyphPainter glyph = NamedGlyph(menuItem->Name())) {
        glyph(c, markX, middle - 4, color);
        return;
    }
    if (!menuItem->Checked())
        return;
    const int checkX = plain ? x + 3 : x;
    if (menuItem->RadioItem()) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = color;
        c.Pen.Color = color;
        c.Ellipse(checkX, middle - 3, checkX + 6, middle + 3);
        c.Brush.Style = bsClear;
    } else {
        DrawCheckMark(c, checkX, middle - 4, color);
    }
}
