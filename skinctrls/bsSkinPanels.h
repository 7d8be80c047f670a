#pragma once
// The simple skinned containers and text controls:
//   TbsSkinPanel        a container with an optional caption bar, check box, roll-up and glyph
//   TbsSkinGroupBox     a panel in caption mode ("groupbox")
//   TbsSkinStatusBar    a panel along the bottom that hands its skin data to its panels
//   TbsSkinLabel        a one-line caption in a frame
//   TbsSkinStatusPanel  a label with a glyph, for status bars
//   TbsSkinStdLabel     a window-less label that takes only its font from the skin

#include "skinctrls/bsSkinCtrls.h"

#include <QList>
#include <QPointer>
#include <optional>

enum TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

// Draws a one-pixel frame of a border style on `rect` (bvNone draws nothing).
void DrawSkinBorderFrame(TCanvas& canvas, const TRect& rect, TbsSkinBorderStyle style);

// ---------------------------------------------------------------- panel

class TbsSkinPanel : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinPanel(QWidget* parent = nullptr);
    ~TbsSkinPanel() override;

    // A caption bar across the top (drawn by the panel itself when it has no record).
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment value);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle value);

    // A check box in the caption; a click on the caption toggles Checked. With
    // AutoEnabledControls the children are enabled exactly while the panel is checked.
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool value) { FAutoEnabledControls = value; }

    // A roll-up arrow in the caption; a click on the caption rolls the panel up to its
    // caption (hiding the children) and down again.
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool value);
    // The height to restore when unrolled; -1 while not rolled up.
    int RealHeight() const { return FRealHeight; }

    // A glyph before the caption: NumGlyphs equal frames side by side, the second one
    // drawn while the panel is disabled.
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    TNotifyEvent OnChecked;

    // The caption rectangle of the record placed on the control (kept from the last paint).
    TRect FittedCaptionRect() const { return FFittedCaptionRect; }

    void FetchSkinRecord() override;
    // The base rules, then the children are aligned again (or the panel rolled up again
    // against the new skin, keeping the height it unrolls to).
    void ApplySkin() override;
    // Where aligned children go.
    void AdjustClientRect(TRect& rect) override;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void TextChanged() override;
    void EnabledChanged() override;

    // The skin's background picture for this panel, or nullptr.
    const TBitmap* BackgroundPicture() const;

private:
    // The values of a "panel" record.
    struct TPanelRecord {
        TRect CaptionRect;
        TbsAlignment Alignment = TbsAlignment::taCenter;
        QString FontName = QStringLiteral("Arial");
        int FontHeight = 14;
        TFontStyles FontStyle;
        TColor FontColor = 0;
        int BGPictureIndex = -1;
        TRect CheckImageRect, UnCheckImageRect;
    };

    void Changed(bool realign);
    void RollUp();
    void Unroll();
    TRect DefaultCaptionBarRect() const;
    TRect SkinCaptionRect() const;
    int GlyphFrameWidth() const;
    int GlyphFrame() const;
    int ContentWidth(TCanvas& canvas) const;
    // The glyph and caption at `x`, vertically centred in `area`, the text clipped to it.
    void DrawGlyphAndCaption(TCanvas& canvas, const TRect& area, int x) const;
    void DrawDefaultCaptionBar(TCanvas& canvas);
    void DrawSkinCaption(TCanvas& canvas);
    void TileClientPiece(TBitmap& bitmap) const;

    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FAutoEnabledControls = true;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    int FRealHeight = -1;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;

    TPanelRecord FRecord;
    bool FHasPanelRecord = false;
    TRect FFittedCaptionRect;
    // The children a roll-up hid, made visible again on unroll.
    std::optional<QList<QPointer<TControl>>> FHiddenChildren;
};

class TbsSkinGroupBox : public TbsSkinPanel {
    Q_OBJECT
public:
    explicit TbsSkinGroupBox(QWidget* parent = nullptr);
};

class TbsSkinStatusBar : public TbsSkinPanel {
    Q_OBJECT
public:
    explicit TbsSkinStatusBar(QWidget* parent = nullptr);
    // Also hands the skin data to every skinned control directly on the bar.
    void SetSkinData(TbsSkinData* value) override;
};

// ---------------------------------------------------------------- labels

class TbsSkinLabel : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinLabel(QWidget* parent = nullptr);
    ~TbsSkinLabel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle value);
    // Widens the label to its caption (not while aligned to top, bottom or client).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    void FetchSkinRecord() override;
    void FitSize(int& width, int& height) override;
    // How many pixels the caption lacks at the current size (negative when it has room).
    virtual int ExtraWidth();

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void TextChanged() override;

    // Draws what goes inside the text rectangle (a status panel adds its glyph first).
    // `glyphBand` is the rectangle a glyph is centred in vertically.
    virtual void DrawContent(TCanvas& canvas, const TRect& textRect, const TRect& glyphBand);
    // The caption, vertically centred in `rect`, placed by Alignment, clipped to `rect`.
    void DrawCaption(TCanvas& canvas, const TRect& rect);
    // The font the caption is drawn in.
    void AssignTextFont(TFont& font) const;
    int CaptionWidth();
    // The label's width grows or shrinks by ExtraWidth when AutoSize applies.
    void AdjustWidth();

private:
    TAlignment FAlignment = taLeftJustify;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
    bool FAutoSize = false;
    bool FHasLabelRecord = false;
    QString FFontName = QStringLiteral("Arial");
    int FFontHeight = 14;
    TFontStyles FFontStyle;
    TColor FFontColor = 0;
};

class TbsSkinStatusPanel : public TbsSkinLabel {
    Q_OBJECT
public:
    explicit TbsSkinStatusPanel(QWidget* parent = nullptr);
    ~TbsSkinStatusPanel() override;

    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);

    int ExtraWidth() override;

protected:
    void DrawContent(TCanvas& canvas, const TRect& textRect, const TRect& glyphBand) override;
    void EnabledChanged() override;

private:
    TBitmap FGlyph;
    int FNumGlyphs = 1;
};

// ---------------------------------------------------------------- standard label

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A window-less label: the framework label's text layout (alignment, vertical layout, word
// wrap, accelerators, auto-size) in a font the skin's "stdlabel" record may give.
class TbsSkinStdLabel : public TGraphicControl, public TbsSkinClient {
    Q_OBJECT
public:
    explicit TbsSkinStdLabel(QWidget* parent = nullptr);
    ~TbsSkinStdLabel() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    // Looks the record up again and repaints, even for an empty skin.
    virtual void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value);
    int SkinIndex() const { return FSkinIndex; }
    // The font without a record (with UseSkinFont): the framework's default font.
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    // The label takes its text's size (keeping its width while word-wrapping).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // "&" marks an accelerator that focuses FocusControl.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value) { FFocusControl = value; }
    // Without it the label fills its rectangle with Color first.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    void ForgetSkin() override;
    void ApplySkin() override;
    // Resolves the record and copies its font values.
    void FetchSkinRecord();
    // The font the text is drawn in.
    void AssignTextFont(TFont& font);

    // Draws the label on `canvas` (its top-left at the canvas's origin).
    void DrawLabel(TCanvas& canvas);
    // The label drawn on button face, for tests and the gallery.
    TBitmap RenderImage();
    bool DialogChar(QChar ch) override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    unsigned TextFlags() const;
    QString DrawnText() const;
    void AdjustBounds();

    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName = QStringLiteral("stdlabel");
    int FSkinIndex = -1;
    bool FHasRecord = false;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    QString FFontName;
    int FFontHeight = 14;
    TFontStyles FFontStyle;
    TColor FFontColor = 0;

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    QPointer<TWinControl> FFocusControl;
    bool FTransparent = true;
};
