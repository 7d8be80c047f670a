// What the push button and the speed button share: the glyph and caption layout, the
// record values of a button, the glyph frame rule and the morph of two faces.

#include "skinctrls/bsSkinButton.h"

#include <algorithm>

TbsGlyphCaptionPlace PlaceGlyphAndCaption(const TRect& rect, int gw, int gh, int tw, int th,
                                          int margin, int spacing, TbsButtonLayout layout,
                                          bool down) {
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    TbsGlyphCaptionPlace p;
    TPoint& g = p.Glyph;
    TPoint& t = p.Caption;
    if (margin != -1) {
        switch (layout) {
        case blGlyphLeft:
            g = TPoint(rect.Left + margin, cy - gh / 2);
            t = TPoint(rect.Left + margin + gw + spacing, cy - th / 2);
            break;
        case blGlyphRight:
            g = TPoint(rect.Right - gw - margin, cy - gh / 2);
            t = TPoint(g.X - spacing - tw, cy - th / 2);
            break;
        case blGlyphTop:
            g = TPoint(cx - gw / 2, rect.Top + margin);
            t = TPoint(cx - tw / 2, g.Y + gh + spacing);
            break;
        case blGlyphBottom:
            g = TPoint(cx - gw / 2, rect.Bottom - gh - margin);
            t = TPoint(cx - tw / 2, g.Y - spacing - th);
            break;
        }
    } else {
        const int hw = (gw + tw + spacing) / 2;
        const int hh = (th + gh + spacing) / 2;
        switch (layout) {
        case blGlyphLeft:
            g = TPoint(cx - hw, cy - gh / 2);
            t = TPoint(cx + hw - tw, cy - th / 2);
            break;
        case blGlyphRight:
            t = TPoint(cx - hw, cy - th / 2);
            g = TPoint(cx + hw - gw, cy - gh / 2);
            break;
        case blGlyphTop:
            g = TPoint(cx - gw / 2, cy - hh);
            t = TPoint(cx - tw / 2, cy + hh - th);
            break;
        case blGlyphBottom:
            g = TPoint(cx - gw / 2, cy + hh - gh);
            t = TPoint(cx - tw / 2, cy - hh);
            break;
        }
    }
    if (down) {
        g = TPoint(g.X + 1, g.Y + 1);
        t = TPoint(t.X + 1, t.Y + 1);
    }
    return p;
}

namespace {

constexpr unsigned CaptionFlags = DT_SINGLELINE;

// The caption's extent in the canvas font, "&" marks not counted.
TSize CaptionExtent(TCanvas& canvas, const QString& caption) {
    if (caption.isEmpty())
        return {};
    TRect r(0, 0, 0, 0);
    canvas.DrawText(caption, r, CaptionFlags | DT_CALCRECT);
    return {r.Width(), r.Height()};
}

} // namespace

void DrawButtonContent(TCanvas& canvas, const TRect& rect, const TbsButtonContent& content,
                       bool down) {
    const bool hasGlyph = content.Glyph && !content.Glyph->Empty();
    const int numGlyphs = std::clamp(content.NumGlyphs, 1, 4);
    const int gw = hasGlyph ? content.Glyph->Width() / numGlyphs : 0;
    const int gh = hasGlyph ? content.Glyph->Height() : 0;
    const QString caption = content.ShowCaption ? content.Caption : QString();
    const TSize text = CaptionExtent(canvas, caption);
    const TbsGlyphCaptionPlace place = PlaceGlyphAndCaption(
        rect, gw, gh, text.cx, text.cy, content.Margin, content.Spacing, content.Layout, down);
    if (!caption.isEmpty()) {
        TRect r(place.Caption.X, place.Caption.Y, place.Caption.X, place.Caption.Y);
        canvas.DrawText(caption, r, CaptionFlags | DT_CALCRECT);
        r.Right += 2;
        canvas.Brush.Style = bsClear;
        canvas.DrawText(caption, r, CaptionFlags | DT_CENTER | DT_VCENTER);
    }
    if (hasGlyph && gw > 0)
        DrawSkinGlyph(canvas, place.Glyph.X, place.Glyph.Y, *content.Glyph, numGlyphs,
                      content.GlyphFrame);
}

int GlyphFrameFor(bool active, bool down, bool disabled, int numGlyphs) {
    if (down && active && numGlyphs >= 3)
        return 3;
    if (active && numGlyphs >= 4)
        return 4;
    if (disabled && numGlyphs >= 2)
        return 2;
    return 1;
}

void TbsButtonSkin::Load(const TbsDataSkinButtonControl& record, const TRect& skinRect) {
    FontName = record.FontName;
    FontHeight = record.FontHeight;
    FontStyle = record.FontStyle;
    FontColor = record.FontColor;
    ActiveFontColor = record.ActiveFontColor;
    DownFontColor = record.DownFontColor;
    DisabledFontColor = record.DisabledFontColor;
    ActiveSkinRect = record.ActiveSkinRect.IsEmpty() ? skinRect : record.ActiveSkinRect;
    DownSkinRect = record.DownSkinRect.IsEmpty() ? ActiveSkinRect : record.DownSkinRect;
    DisabledSkinRect = record.DisabledSkinRect;
    Morphing = record.Morphing;
    MorphKind = record.MorphKind;
}

TColor TbsButtonSkin::FontColorFor(bool active, bool down, bool disabled) const {
    if (disabled)
        return DisabledFontColor;
    if (active && down)
        return DownFontColor;
    if (active)
        return ActiveFontColor;
    return FontColor;
}

void ComposeMorphedFace(TBitmap& result, int width, int height, const TRect& normalRect,
                        const TRect& activeRect, TbsMorphKind kind, double factor,
                        const std::function<void(TBitmap&, const TRect&, bool, bool)>& drawFace) {
    TBitmap normal(width, height, result.DevicePixelRatio());
    TBitmap active(width, height, result.DevicePixelRatio());
    drawFace(normal, normalRect, false, false);
    drawFace(active, activeRect, true, false);
    TbsEffectBmp blend(normal);
    const TbsEffectBmp target(active);
    blend.MorphBy(kind, target, factor);
    blend.AssignTo(result);
}

// ---------------------------------------------------------------- glyph layout

bool TbsButtonGlyphLayout::SetNumGlyphs(int value) {
    const int clamped = std::clamp(value, 1, 4);
    if (clamped == NumGlyphs)
        return false;
    NumGlyphs = clamped;
    return true;
}

bool TbsButtonGlyphLayout::SetLayout(TbsButtonLayout value) {
    if (value == Layout)
        return false;
    Layout = value;
    return true;
}

bool TbsButtonGlyphLayout::SetMargin(int value) {
    if (value == Margin || value < -1)
        return false;
    Margin = value;
    return true;
}

bool TbsButtonGlyphLayout::SetSpacing(int value) {
    if (value == Spacing)
        return false;
    Spacing = value;
    return true;
}

TbsButtonContent TbsButtonGlyphLayout::Content(const QString& caption, int glyphFrame) const {
    TbsButtonContent content;
    content.Caption = caption;
    content.Glyph = &Glyph;
    content.NumGlyphs = NumGlyphs;
    content.GlyphFrame = glyphFrame;
    content.Margin = Margin;
    content.Spacing = Spacing;
    content.Layout = Layout;
    return content;
}
