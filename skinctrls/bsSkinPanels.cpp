// The skinned panel, group box, status bar, labels and status panel.

#include "skinctrls/bsSkinPanels.h"
#include "skin/bsSkinRecordLookup.h"

#include <algorithm>

namespace {

// A copy of the piece `source` of `picture`.
TBitmap PicturePiece(const TBitmap& picture, const TRect& source) {
    TBitmap piece(source.Width(), source.Height());
    piece.Canvas().Draw(-source.Left, -source.Top, picture);
    return piece;
}

// Repeats `tile` in rows and columns from (0, 0) until width x height is covered.
void TileBitmap(TCanvas& canvas, const TBitmap& tile, int width, int height) {
    if (tile.Empty())
        return;
    for (int y = 0; y < height; y += tile.Height())
        for (int x = 0; x < width; x += tile.Width())
            canvas.Draw(x, y, tile);
}

// The default look's margin between a label's edge and its text.
constexpr int DefaultTextInset = 3;

bool AlignedAcross(TAlign align) {
    return align == alTop || align == alBottom || align == alClient;
}

// The character an "&" marks in `text` ("&&" is a plain "&"), or a null character.
QChar AcceleratorOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1);
        ++i;
    }
    return QChar();
}

} // namespace

void DrawSkinBorderFrame(TCanvas& canvas, const TRect& rect, TbsSkinBorderStyle style) {
    switch (style) {
    case bvFrame:
        DrawFrame3D(canvas, rect, clBtnShadow, clBtnShadow);
        break;
    case bvRaised:
        DrawFrame3D(canvas, rect, clBtnHighlight, clBtnShadow);
        break;
    case bvLowered:
        DrawFrame3D(canvas, rect, clBtnShadow, clBtnHighlight);
        break;
    case bvNone:
        break;
    }
}

// ---------------------------------------------------------------- TbsSkinPanel

TbsSkinPanel::TbsSkinPanel(QWidget* parent) : TbsSkinCustomControl(parent) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    FSkinDataName = QStringLiteral("panel");
    FittedClientRect = TRect();
    SetBounds(Left(), Top(), 150, 150);
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::Changed(bool realign) {
    Invalidate();
    if (realign)
        Realign();
}

void TbsSkinPanel::SetCaptionMode(bool value) {
    FCaptionMode = value;
    Changed(true);
}

void TbsSkinPanel::SetDefaultCaptionHeight(int value) {
    FDefaultCaptionHeight = value;
    Changed(FSkinIndex == -1 && FCaptionMode);
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment value) {
    FDefaultAlignment = value;
    Changed(false);
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value) {
    FBorderStyle = value;
    Changed(FSkinIndex == -1);
}

void TbsSkinPanel::SetCheckedMode(bool value) {
    FCheckedMode = value;
    Changed(false);
}

void TbsSkinPanel::SetChecked(bool value) {
    FChecked = value;
    if (FCheckedMode)
        Invalidate();
    if (FAutoEnabledControls && FCheckedMode)
        for (TControl* child : ControlList())
            child->SetEnabled(value);
    FireEvent(OnChecked, this);
}

void TbsSkinPanel::SetRollUpMode(bool value) {
    FRollUpMode = value;
    Changed(false);
}

void TbsSkinPanel::SetRollUpState(bool value) {
    if (value == FRollUpState)
        return;
    if (!FRollUpMode) {
        FRollUpState = false;
        return;
    }
    FRollUpState = value;
    if (value)
        RollUp();
    else
        Unroll();
    Invalidate();
}

void TbsSkinPanel::RollUp() {
    if (FRealHeight != -1)
        return;
    FRealHeight = Height();
    if (!FHiddenChildren) {
        QList<QPointer<TControl>> hidden;
        for (TControl* child : ControlList()) {
            if (!child->Visible())
                continue;
            hidden.append(child);
            child->Hide();
        }
        FHiddenChildren = hidden;
    }
    int rolled = FDefaultCaptionHeight + 1;
    if (FSkinIndex != -1) {
        // The frame and caption rows only: what the skin's client area leaves.
        int w = Width();
        int h = Height();
        FitGeometry(w, h);
        rolled = Height() - FittedClientRect.Height();
    }
    SetHeight(rolled);
}

void TbsSkinPanel::Unroll() {
    if (FRealHeight == -1)
        return;
    const int height = FRealHeight;
    FRealHeight = -1;
    SetHeight(height);
    if (FHiddenChildren) {
        for (const QPointer<TControl>& child : *FHiddenChildren)
            if (child)
                child->Show();
        FHiddenChildren.reset();
    }
}

void TbsSkinPanel::SetGlyph(const TBitmap& value) {
    FGlyph.Assign(value);
    Invalidate();
}

void TbsSkinPanel::SetNumGlyphs(int value) {
    FNumGlyphs = std::clamp(value, 1, 2);
    Invalidate();
}

void TbsSkinPanel::SetSpacing(int value) {
    FSpacing = value;
    Invalidate();
}

void TbsSkinPanel::TextChanged() {
    // A skinned caption rectangle shows the text outside caption mode too.
    Invalidate();
    TbsSkinCustomControl::TextChanged();
}

void TbsSkinPanel::EnabledChanged() {
    Invalidate();
    TbsSkinCustomControl::EnabledChanged();
}

void TbsSkinPanel::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasPanelRecord = false;
    if (const auto* r = SkinRecordAs<TbsDataSkinPanelControl>()) {
        FHasPanelRecord = true;
        FRecord.CaptionRect = r->CaptionRect;
        FRecord.Alignment = r->Alignment;
        FRecord.FontName = r->FontName;
        FRecord.FontHeight = r->FontHeight;
        FRecord.FontStyle = r->FontStyle;
        FRecord.FontColor = r->FontColor;
        FRecord.BGPictureIndex = r->BGPictureIndex;
        FRecord.CheckImageRect = r->CheckImageRect;
        FRecord.UnCheckImageRect = r->UnCheckImageRect;
    }
}

void TbsSkinPanel::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    if (!FRollUpState) {
        Realign();
        return;
    }
    // Rolled up: roll up again at the new skin's caption height, still unrolling to the
    // height the panel had before.
    const int realHeight = FRealHeight;
    FRealHeight = -1;
    RollUp();
    FRealHeight = realHeight;
}

const TBitmap* TbsSkinPanel::BackgroundPicture() const {
    if (FSkinIndex == -1 || !FHasPanelRecord || !SkinData())
        return nullptr;
    const auto& pictures = SkinData()->ActivePictures;
    const int index = FRecord.BGPictureIndex;
    if (index < 0 || index >= static_cast<int>(pictures.size()))
        return nullptr;
    const TBitmap* picture = pictures[static_cast<size_t>(index)].get();
    return picture && !picture->Empty() ? picture : nullptr;
}

void TbsSkinPanel::AdjustClientRect(TRect& rect) {
    if (FSkinIndex == -1) {
        if (FBorderStyle != bvNone)
            rect.Inflate(-1, -1);
        if (FCaptionMode)
            rect.Top += FDefaultCaptionHeight;
        return;
    }
    if (BackgroundPicture() ||
        (FBorderStyle == bvNone && !FCaptionMode && StretchMode == TbsStretchMode::Both))
        return;
    int w = Width();
    int h = Height();
    FitGeometry(w, h);
    rect = FittedClientRect;
}

// ---- default look

TRect TbsSkinPanel::DefaultCaptionBarRect() const {
    if (FBorderStyle == bvFrame)
        return TRect(0, 0, Width(), FDefaultCaptionHeight);
    return TRect(1, 1, Width() - 1, FDefaultCaptionHeight);
}

int TbsSkinPanel::GlyphFrameWidth() const {
    return FGlyph.Width() / FNumGlyphs;
}

int TbsSkinPanel::GlyphFrame() const {
    return !isEnabled() && FNumGlyphs == 2 ? 2 : 1;
}

int TbsSkinPanel::ContentWidth(TCanvas& canvas) const {
    int width = canvas.TextWidth(Caption());
    if (!FGlyph.Empty())
        width += GlyphFrameWidth() + FSpacing;
    return width;
}

void TbsSkinPanel::DrawGlyphAndCaption(TCanvas& canvas, const TRect& area, int x) const {
    if (!FGlyph.Empty()) {
        const int y = area.Top + area.Height() / 2 - FGlyph.Height() / 2;
        DrawSkinGlyph(canvas, x, y, FGlyph, FNumGlyphs, GlyphFrame());
        x += GlyphFrameWidth() + FSpacing;
    }
    const QString text = Caption();
    const int y = area.Top + area.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.Brush.Style = bsClear;
    canvas.TextRect(area, x, y, text);
    canvas.Brush.Style = bsSolid;
}

void TbsSkinPanel::DrawDefaultCaptionBar(TCanvas& canvas) {
    TRect area = DefaultCaptionBarRect();
    if (FBorderStyle == bvFrame) {
        DrawFrame3D(canvas, area, clBtnShadow, clBtnShadow);
        area.Inflate(-1, -1);
        DrawFrame3D(canvas, area, clBtnHighlight, clBtnFace);
    } else {
        DrawFrame3D(canvas, area, clBtnShadow, clBtnHighlight);
        area.Inflate(-1, -1);
        DrawFrame3D(canvas, area, clBtnHighlight, clBtnShadow);
    }
    area.Inflate(-1, -1);
    if (FCheckedMode)
        area.Left += 20;
    if (FRollUpMode)
        area.Right -= 10;

    canvas.Font.Assign(*DefaultFont());
    const int content = ContentWidth(canvas);
    int x = area.Left + 2;
    if (FDefaultAlignment == taRightJustify)
        x = area.Right - content;
    else if (FDefaultAlignment == taCenter)
        x = area.Left + 2 + area.Width() / 2 - content / 2;

    if (FCheckedMode) {
        const int top = area.Top + area.Height() / 2 - 7;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBtnShadow;
        canvas.FrameRect(TRect(5, top, 19, top + 14));
        if (FChecked)
            DrawCheckMark(canvas, 5 + 1 + 3, top + 1 + 2, clBtnText);
    }
    DrawGlyphAndCaption(canvas, area, x);
    if (FRollUpMode)
        DrawArrowMark(canvas, TRect(area.Right, area.Top, area.Right + 10, area.Bottom), clBtnText,
                      FRollUpState ? TbsArrowDirection::Down : TbsArrowDirection::Up);
}

void TbsSkinPanel::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TRect all(0, 0, bitmap.Width(), bitmap.Height());
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(all);
    DrawSkinBorderFrame(canvas, all, FBorderStyle);
    if (FCaptionMode)
        DrawDefaultCaptionBar(canvas);
}

// ---- skin look

TRect TbsSkinPanel::SkinCaptionRect() const {
    if (StretchMode == TbsStretchMode::Fixed || StretchMode == TbsStretchMode::None)
        return FRecord.CaptionRect;
    return MapSkinRect(FRecord.CaptionRect);
}

void TbsSkinPanel::TileClientPiece(TBitmap& bitmap) const {
    const TRect piece(SkinRect.Left + SkinClientRect.Left, SkinRect.Top + SkinClientRect.Top,
                      SkinRect.Left + SkinClientRect.Right, SkinRect.Top + SkinClientRect.Bottom);
    TileBitmap(bitmap.Canvas(), PicturePiece(*Picture, piece), bitmap.Width(), bitmap.Height());
}

void TbsSkinPanel::DrawSkinCaption(TCanvas& canvas) {
    TRect r = FFittedCaptionRect;
    if (FRollUpMode) {
        r.Right -= 12;
        DrawArrowMark(canvas, TRect(r.Right, r.Top, r.Right + 10, r.Bottom), FRecord.FontColor,
                      FRollUpState ? TbsArrowDirection::Down : TbsArrowDirection::Up);
    }
    if (FCheckedMode) {
        const TRect image = FChecked ? FRecord.CheckImageRect : FRecord.UnCheckImageRect;
        if (!IsNullRect(image)) {
            TBitmap mark = PicturePiece(*Picture, image);
            mark.SetTransparent(true);
            canvas.Draw(r.Left, r.Top + r.Height() / 2 - image.Height() / 2, mark);
        }
        r.Left += image.Width() + 2;
    }
    AssignSkinFont(canvas.Font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
    canvas.Font.SetColor(FRecord.FontColor);
    const int content = ContentWidth(canvas);
    int x = r.Left;
    if (FRecord.Alignment == TbsAlignment::taRightJustify)
        x = r.Right - content;
    else if (FRecord.Alignment == TbsAlignment::taCenter)
        x = r.Left + r.Width() / 2 - content / 2;
    DrawGlyphAndCaption(canvas, r, x);
}

void TbsSkinPanel::DrawSkinImage(TBitmap& bitmap) {
    if (const TBitmap* background = BackgroundPicture()) {
        TileBitmap(bitmap.Canvas(), *background, bitmap.Width(), bitmap.Height());
        return;
    }
    // Without a picture to compose the panel keeps its default look.
    if (!Picture || StretchMode == TbsStretchMode::None) {
        DrawDefaultImage(bitmap);
        return;
    }
    if (FBorderStyle == bvNone && StretchMode == TbsStretchMode::Both && !FCaptionMode &&
        !SkinClientRect.IsEmpty()) {
        TileClientPiece(bitmap);
        return;
    }
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    FFittedCaptionRect = SkinCaptionRect();
    if (!Caption().isEmpty() && !IsNullRect(FRecord.CaptionRect))
        DrawSkinCaption(bitmap.Canvas());
}

// ---- mouse

void TbsSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode)) {
        const TRect caption =
            FSkinIndex != -1 ? SkinCaptionRect() : TRect(1, 1, Width() - 1, FDefaultCaptionHeight);
        if (PointInRectInclusive(caption, TPoint(X, Y))) {
            if (FCheckedMode)
                SetChecked(!FChecked);
            if (FRollUpMode)
                SetRollUpState(!FRollUpState);
        }
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- group box, status bar

TbsSkinGroupBox::TbsSkinGroupBox(QWidget* parent) : TbsSkinPanel(parent) {
    FSkinDataName = QStringLiteral("groupbox");
    SetCaptionMode(true);
}

TbsSkinStatusBar::TbsSkinStatusBar(QWidget* parent) : TbsSkinPanel(parent) {
    FSkinDataName = QStringLiteral("statusbar");
    SetBorderStyle(bvNone);
    SetAlign(alBottom);
    SetDefaultHeight(21);
}

void TbsSkinStatusBar::SetSkinData(TbsSkinData* value) {
    TbsSkinPanel::SetSkinData(value);
    for (TControl* child : ControlList())
        if (auto* skinned = qobject_cast<TbsSkinControl*>(child))
            skinned->SetSkinData(value);
}

// ---------------------------------------------------------------- TbsSkinLabel

TbsSkinLabel::TbsSkinLabel(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = QStringLiteral("label");
    SetBounds(Left(), Top(), 75, 21);
}

TbsSkinLabel::~TbsSkinLabel() = default;

void TbsSkinLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TbsSkinLabel::SetBorderStyle(TbsSkinBorderStyle value) {
    FBorderStyle = value;
    Invalidate();
}

void TbsSkinLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    if (value)
        AdjustWidth();
}

void TbsSkinLabel::TextChanged() {
    AdjustWidth();
    Invalidate();
    TbsSkinCustomControl::TextChanged();
}

void TbsSkinLabel::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasLabelRecord = false;
    if (const auto* r = SkinRecordAs<TbsDataSkinLabelControl>()) {
        FHasLabelRecord = true;
        FFontName = r->FontName;
        FFontHeight = r->FontHeight;
        FFontStyle = r->FontStyle;
        FFontColor = r->FontColor;
    }
    // A label of the skin's fixed size can't grow to its caption.
    if (FSkinIndex != -1 && StretchMode == TbsStretchMode::Fixed)
        FAutoSize = false;
}

void TbsSkinLabel::AssignTextFont(TFont& font) const {
    if (FSkinIndex == -1) {
        font.Assign(*DefaultFont());
        return;
    }
    AssignSkinFont(font, FFontName, FFontHeight, FFontStyle);
    font.SetColor(FFontColor);
}

int TbsSkinLabel::CaptionWidth() {
    TCanvas& canvas = *Canvas();
    AssignTextFont(canvas.Font);
    return canvas.TextWidth(Caption());
}

int TbsSkinLabel::ExtraWidth() {
    // The default look's text rectangle is inset by DefaultTextInset on both sides.
    if (FSkinIndex == -1)
        return CaptionWidth() + 2 * DefaultTextInset - Width();
    if (StretchMode == TbsStretchMode::Fixed)
        return 0;
    return CaptionWidth() - FittedClientRect.Width();
}

void TbsSkinLabel::FitSize(int& width, int& height) {
    TbsSkinCustomControl::FitSize(width, height);
    if (!FAutoSize)
        return;
    const int extra = ExtraWidth();
    if (extra > 0) {
        width += extra;
        TbsSkinCustomControl::FitSize(width, height);
    }
}

void TbsSkinLabel::AdjustWidth() {
    if (!FAutoSize || AlignedAcross(Align()))
        return;
    FetchSkinRecord();
    if (!FAutoSize)
        return;
    if (FSkinIndex != -1) {
        int w = Width();
        int h = Height();
        FitGeometry(w, h);
    }
    const int extra = ExtraWidth();
    if (extra != 0)
        SetWidth(Width() + extra);
}

void TbsSkinLabel::DrawCaption(TCanvas& canvas, const TRect& rect) {
    const QString text = Caption();
    const int textWidth = canvas.TextWidth(text);
    int x = rect.Left;
    if (FAlignment == taRightJustify)
        x = rect.Right - textWidth;
    else if (FAlignment == taCenter)
        x = rect.Left + rect.Width() / 2 - textWidth / 2;
    const int y = rect.Top + rect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.Brush.Style = bsClear;
    canvas.TextRect(rect, x, y, text);
    canvas.Brush.Style = bsSolid;
}

void TbsSkinLabel::DrawContent(TCanvas& canvas, const TRect& textRect, const TRect&) {
    AssignTextFont(canvas.Font);
    DrawCaption(canvas, textRect);
}

void TbsSkinLabel::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, w, h));
    DrawSkinBorderFrame(canvas, TRect(0, 0, w, h), FBorderStyle);
    const int inset = DefaultTextInset;
    DrawContent(canvas, TRect(inset, inset, w - inset, h - inset), TRect(0, 0, w, h));
}

void TbsSkinLabel::DrawSkinImage(TBitmap& bitmap) {
    if (!Picture || StretchMode == TbsStretchMode::None) {
        DrawDefaultImage(bitmap);
        return;
    }
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    DrawContent(bitmap.Canvas(), FittedClientRect, FittedClientRect);
}

// ---------------------------------------------------------------- TbsSkinStatusPanel

TbsSkinStatusPanel::TbsSkinStatusPanel(QWidget* parent) : TbsSkinLabel(parent) {
    FSkinDataName = QStringLiteral("statuspanel");
    SetWidth(120);
}

TbsSkinStatusPanel::~TbsSkinStatusPanel() = default;

void TbsSkinStatusPanel::SetGlyph(const TBitmap& value) {
    FGlyph.Assign(value);
    Invalidate();
}

void TbsSkinStatusPanel::SetNumGlyphs(int value) {
    FNumGlyphs = std::clamp(value, 1, 2);
    Invalidate();
}

void TbsSkinStatusPanel::EnabledChanged() {
    Invalidate();
    TbsSkinLabel::EnabledChanged();
}

int TbsSkinStatusPanel::ExtraWidth() {
    int extra = TbsSkinLabel::ExtraWidth();
    const bool fixed = FSkinIndex != -1 && StretchMode == TbsStretchMode::Fixed;
    if (!FGlyph.Empty() && !fixed)
        extra += FGlyph.Width() / FNumGlyphs + 3;
    return extra;
}

void TbsSkinStatusPanel::DrawContent(TCanvas& canvas, const TRect& textRect,
                                     const TRect& glyphBand) {
    TRect rect = textRect;
    if (!FGlyph.Empty()) {
        const int frame = !isEnabled() && FNumGlyphs == 2 ? 2 : 1;
        const int y = glyphBand.Top + glyphBand.Height() / 2 - FGlyph.Height() / 2;
        DrawSkinGlyph(canvas, rect.Left, y, FGlyph, FNumGlyphs, frame);
        rect.Left += FGlyph.Width() / FNumGlyphs + 2;
    }
    TbsSkinLabel::DrawContent(canvas, rect, glyphBand);
}

// ---------------------------------------------------------------- TbsSkinStdLabel

TbsSkinStdLabel::TbsSkinStdLabel(QWidget* parent) : TGraphicControl(parent) {
    FDefaultFont.OnChange = [this] {
        AdjustBounds();
        Invalidate();
    };
    SetBounds(Left(), Top(), 65, 17);
}

TbsSkinStdLabel::~TbsSkinStdLabel() {
    FDefaultFont.OnChange = nullptr;
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value)
        ApplySkin();
}

void TbsSkinStdLabel::SetSkinDataName(const QString& value) {
    FSkinDataName = value;
}

void TbsSkinStdLabel::SetUseSkinFont(bool value) {
    FUseSkinFont = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TbsSkinStdLabel::SetLayout(TTextLayout value) {
    FLayout = value;
    Invalidate();
}

void TbsSkinStdLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}

void TbsSkinStdLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetShowAccelChar(bool value) {
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TbsSkinStdLabel::ForgetSkin() {
    FSkinIndex = -1;
    FHasRecord = false;
}

void TbsSkinStdLabel::ApplySkin() {
    FetchSkinRecord();
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::FetchSkinRecord() {
    const auto found =
        FindControlRecord<TbsDataSkinStdLabelControl>(FSkinData.data(), FSkinDataName);
    FSkinIndex = found.Index;
    FHasRecord = found.Record != nullptr;
    if (!found.Record)
        return;
    const auto* r = found.Record;
    FFontName = r->FontName;
    FFontHeight = r->FontHeight;
    FFontStyle = r->FontStyle;
    FFontColor = r->FontColor;
}

void TbsSkinStdLabel::AssignTextFont(TFont& font) {
    if (!FHasRecord) {
        font.Assign(FUseSkinFont ? FDefaultFont : *Font());
        return;
    }
    if (FUseSkinFont) {
        font.Assign(FDefaultFont);
        font.SetName(FFontName);
        font.SetHeight(FFontHeight);
        font.SetStyle(FFontStyle);
    } else {
        font.Assign(*Font());
    }
    font.SetColor(FFontColor);
}

unsigned TbsSkinStdLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

QString TbsSkinStdLabel::DrawnText() const {
    return Caption();
}

void TbsSkinStdLabel::AdjustBounds() {
    if (!FAutoSize)
        return;
    TCanvas& canvas = *Canvas();
    FetchSkinRecord();
    AssignTextFont(canvas.Font);
    // An empty text still takes the height of one line.
    QString text = DrawnText();
    if (text.isEmpty() || (FShowAccelChar && text == QStringLiteral("&")))
        text += QLatin1Char(' ');
    TRect rect(0, 0, Width(), 0);
    canvas.DrawText(text, rect, TextFlags() | DT_CALCRECT);
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TbsSkinStdLabel::DrawLabel(TCanvas& canvas) {
    FetchSkinRecord();
    const int w = Width();
    const int h = Height();
    if (!FTransparent) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = Color();
        canvas.FillRect(TRect(0, 0, w, h));
    }
    AssignTextFont(canvas.Font);
    const unsigned flags = TextFlags();
    const QString text = DrawnText();
    TRect rect(0, 0, w, h);
    if (FLayout != tlTop) {
        TRect calc = rect;
        canvas.DrawText(text, calc, flags | DT_CALCRECT);
        const int shift = FLayout == tlBottom ? h - calc.Bottom : (h - calc.Bottom) / 2;
        rect.Offset(0, shift);
    }
    canvas.Brush.Style = bsClear;
    if (isEnabled()) {
        canvas.DrawText(text, rect, flags);
    } else {
        TRect raised = rect;
        raised.Offset(1, 1);
        canvas.Font.SetColor(clBtnHighlight);
        canvas.DrawText(text, raised, flags);
        canvas.Font.SetColor(clBtnShadow);
        canvas.DrawText(text, rect, flags);
    }
    canvas.Brush.Style = bsSolid;
}

TBitmap TbsSkinStdLabel::RenderImage() {
    TBitmap bitmap;
    if (Width() <= 0 || Height() <= 0)
        return bitmap;
    bitmap.SetDevicePixelRatio(devicePixelRatioF());
    bitmap.SetSize(Width(), Height());
    bitmap.Canvas().Brush.Color = clBtnFace;
    bitmap.Canvas().FillRect(TRect(0, 0, Width(), Height()));
    DrawLabel(bitmap.Canvas());
    return bitmap;
}

void TbsSkinStdLabel::Paint() {
    DrawLabel(*Canvas());
}

void TbsSkinStdLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TbsSkinStdLabel::EnabledChanged() {
    Invalidate();
}

bool TbsSkinStdLabel::DialogChar(QChar ch) {
    if (!FShowAccelChar || !FFocusControl || !FFocusControl->CanFocus())
        return false;
    const QChar accelerator = AcceleratorOf(Caption());
    if (accelerator.isNull() || accelerator.toUpper() != ch.toUpper())
        return false;
    FFocusControl->SetFocus();
    return true;
}
