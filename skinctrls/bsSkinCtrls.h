#pragma once
// The base of every skinned control. A skinned control is bound to one TbsSkinData by a
// skin-data name, looks its record up in the loaded skin, fits the record's picture to its
// size, clips its window to the record's mask and paints through an off-screen bitmap.
// Without a record (no skin data, an empty skin, no record of that name) it paints a plain
// default look from the system colours and keeps the sizes it was given.
//
//   TbsSkinControl               windowed: record lookup, skin change, paint pipeline
//   TbsSkinCustomControl         + the record's geometry, size fitting, window region, fonts
//   TbsGraphicSkinControl        the window-less twins: no window region, no mask; opaque
//   TbsGraphicSkinCustomControl
//
// Skin changes reach the controls through TbsSkinClient: first ForgetSkin on every control
// of a form bound to the skin data, then, once the new skin is in place, ApplySkin.

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Font.h"

#include <QPointer>
#include <QString>

// ---------------------------------------------------------------- default look

// The three looks of a part drawn without a skin.
enum class TbsDefaultLook { Normal, Hot, Pressed };

namespace bsDefaultColors {
constexpr TColor Frame = clNavy;                   // hot and pressed parts
constexpr TColor PressedFill = RGB(133, 147, 181); // pressed parts
constexpr TColor HotFill = RGB(182, 189, 210);     // hot parts
constexpr TColor NormalFrame = clBtnShadow;        // other parts: a shadow frame ...
constexpr TColor NormalFill = clBtnFace;           // ... on button face
} // namespace bsDefaultColors

// A one-pixel frame on `rect`'s edge and the fill inside it, in the colours of `look`.
void DrawDefaultFace(TCanvas& canvas, const TRect& rect, TbsDefaultLook look);

// ---------------------------------------------------------------- skin clients

// Anything that draws from a TbsSkinData and takes part in a skin change.
class TbsSkinClient {
public:
    virtual ~TbsSkinClient() = default;
    virtual TbsSkinData* SkinData() const = 0;
    // Before the skin changes: drop the record index (the records are about to go).
    virtual void ForgetSkin() = 0;
    // After the skin changed: look the record up again, refit, re-clip, repaint.
    virtual void ApplySkin() = 0;
};

// ---------------------------------------------------------------- record geometry

// How a record's picture is fitted to the control.
enum class TbsStretchMode : int { None = -1, Fixed = 0, Both = 1, Horizontal = 2, Vertical = 3 };

// The geometry a custom-control record gives (in coordinates relative to its skin
// rectangle) and its fit to the control's current size. Shared by the windowed and the
// window-less custom controls.
class TbsSkinGeometry {
public:
    // Copies of the record: "skinrect", "clientrect" and the four corner points.
    TRect SkinRect;
    TRect SkinClientRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    // Entries of the skin's ActivePictures ("pictureindex", "maskpictureindex"); not owned,
    // nullptr for none. Valid only while the control has a record.
    const TBitmap* Picture = nullptr;
    const TBitmap* MaskPicture = nullptr;
    TbsStretchMode StretchMode = TbsStretchMode::None;
    // The corner points and client rectangle moved to the control's size by FitSize.
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect FittedClientRect;

    int SkinWidth() const { return SkinRect.Width(); }
    int SkinHeight() const { return SkinRect.Height(); }

    // Takes the geometry of `record`. A record without geometry (not a custom-control
    // record) counts as fixed without picture, sized by its own skin rectangle (an empty
    // one keeps the control's size).
    void LoadGeometry(const TbsSkinData& data, const TbsDataSkinControl& record, bool withMask);
    // Forgets the pictures (they belong to the skin that is going away).
    void ForgetPictures();
    // The stretch mode the copied geometry asks for.
    TbsStretchMode ModeOfGeometry() const;

    // Adjusts a requested size to the stretch mode and sets the fitted points and client
    // rectangle for it. A fixed record with an empty skin rectangle changes no size.
    void FitGeometry(int& width, int& height);
    // A rectangle in skin coordinates placed on a control of the given size.
    TRect MapRect(const TRect& rect, int width, int height) const;
    // Composes the piece `stateRect` of Picture (a rectangle of the skin's size sharing the
    // record's corner points) into `dest`, fitted to width x height by the stretch mode.
    // False (and `dest` untouched) without a picture, in stretch mode None, or for an
    // empty size.
    bool ComposeImage(TBitmap& dest, const TRect& stateRect, int width, int height) const;
    // The window region MaskPicture gives a control of this size; nullopt without a mask.
    TbsRegion MaskRegion(int width, int height) const;
};

// ---------------------------------------------------------------- windowed controls

class TbsSkinControl : public TCustomControl, public TbsSkinClient {
    Q_OBJECT
    friend struct TbsSkinPaintAccess;
    friend struct TbsCustomSkinRules;

public:
    explicit TbsSkinControl(QWidget* parent = nullptr);
    ~TbsSkinControl() override;

    // The skin data; not owned, cleared when it is destroyed. Setting a loaded one applies
    // the skin at once.
    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    virtual void SetSkinData(TbsSkinData* value);
    // The record's name; a new name takes effect at the next FetchSkinRecord (every paint).
    QString SkinDataName() const { return FSkinDataName; }
    virtual void SetSkinDataName(const QString& value);
    // Index of the record in SkinData()->SkinControls, -1 for none (the default look).
    int SkinIndex() const { return FSkinIndex; }
    // The record SkinIndex points at, or nullptr; `As` checks its kind.
    TbsDataSkinControl* SkinRecord() const;
    template <class R> R* SkinRecordAs() const { return dynamic_cast<R*>(SkinRecord()); }

    // Resolves SkinIndex from the name (subclasses copy their record's values).
    virtual void FetchSkinRecord();
    // Looks the record up again and repaints.
    void ApplySkin() override;
    // SkinIndex := -1.
    void ForgetSkin() override;

    // The off-screen picture one paint puts on the screen (empty for a zero size). For
    // tests and the gallery.
    TBitmap RenderImage();

protected:
    // Draw the control into the off-screen bitmap (control-sized) without / with a record.
    virtual void DrawDefaultImage(TBitmap& bitmap);
    virtual void DrawSkinImage(TBitmap& bitmap);
    // Nothing for a zero size; else fetch, compose off screen, draw at (0, 0).
    void Paint() override;

    int FSkinIndex = -1;
    QString FSkinDataName;

private:
    QPointer<TbsSkinData> FSkinData;
};

class TbsSkinCustomControl : public TbsSkinControl, public TbsSkinGeometry {
    Q_OBJECT
    friend struct TbsSkinPaintAccess;
    friend struct TbsCustomSkinRules;

public:
    explicit TbsSkinCustomControl(QWidget* parent = nullptr);
    ~TbsSkinCustomControl() override;

    // Used when no skin font applies: "Arial", height 14. Changing it repaints a control
    // without a record.
    TFont* DefaultFont() { return &FDefaultFont; }
    const TFont* DefaultFont() const { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }
    // Sizes applied without a record; 0 keeps the size as it is.
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value);
    // Take the font name, height and style from the record (the charset from DefaultFont).
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value);

    void FetchSkinRecord() override;
    // Fetch; default sizes or a refit; region and repaint.
    void ApplySkin() override;
    void ForgetSkin() override;
    // Fits a requested size to the record (see TbsSkinGeometry::FitGeometry).
    virtual void FitSize(int& width, int& height);
    // Clips the window to the mask picture, or removes the clip.
    virtual void UpdateRegion();
    // A rectangle of skin coordinates placed on the control at its current size.
    TRect MapSkinRect(const TRect& rect) const;
    // The record's bounds rule: a skinned control's size follows its record.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The region applied to the window (nullopt: none).
    const TbsRegion& WindowRegion() const { return FRegion; }

protected:
    virtual void DefaultFontChanged() {}
    // Fills the client rectangle with button face.
    void DrawDefaultImage(TBitmap& bitmap) override;
    // Composes the record's picture; without one, the default image.
    void DrawSkinImage(TBitmap& bitmap) override;
    // `target` takes DefaultFont, or with UseSkinFont the record's name, height and style.
    void AssignSkinFont(TFont& target, const QString& name, int height,
                        const TFontStyles& style) const;

private:
    // UpdateRegion, then repaint.
    void RegionAndRepaint();

    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
    TbsRegion FRegion;
};

// ---------------------------------------------------------------- window-less controls

class TbsGraphicSkinControl : public TGraphicControl, public TbsSkinClient {
    Q_OBJECT
    friend struct TbsSkinPaintAccess;
    friend struct TbsCustomSkinRules;

public:
    explicit TbsGraphicSkinControl(QWidget* parent = nullptr);
    ~TbsGraphicSkinControl() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    virtual void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value) { FSkinDataName = value; }
    int SkinIndex() const { return FSkinIndex; }
    TbsDataSkinControl* SkinRecord() const;
    template <class R> R* SkinRecordAs() const { return dynamic_cast<R*>(SkinRecord()); }

    virtual void FetchSkinRecord();
    void ApplySkin() override;
    void ForgetSkin() override;

    TBitmap RenderImage();

protected:
    virtual void DrawDefaultImage(TBitmap& bitmap);
    virtual void DrawSkinImage(TBitmap& bitmap);
    void Paint() override;

    int FSkinIndex = -1;
    QString FSkinDataName;

private:
    QPointer<TbsSkinData> FSkinData;
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl, public TbsSkinGeometry {
    Q_OBJECT
    friend struct TbsSkinPaintAccess;
    friend struct TbsCustomSkinRules;

public:
    explicit TbsGraphicSkinCustomControl(QWidget* parent = nullptr);
    ~TbsGraphicSkinCustomControl() override;

    TFont* DefaultFont() { return &FDefaultFont; }
    const TFont* DefaultFont() const { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value);

    // Like the windowed twin, without a mask picture.
    void FetchSkinRecord() override;
    void ApplySkin() override;
    void ForgetSkin() override;
    virtual void FitSize(int& width, int& height);
    TRect MapSkinRect(const TRect& rect) const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    virtual void DefaultFontChanged() {}
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void AssignSkinFont(TFont& target, const QString& name, int height,
                        const TFontStyles& style) const;

private:
    void RegionAndRepaint();

    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
};

// ---------------------------------------------------------------- helpers

// Every skin client among `root`'s controls, depth first (each control, then its children).
QList<TbsSkinClient*> SkinClientsOf(const TWinControl* root);

// A press on a focusable control first gives it the focus; false when the control still
// does not have it afterwards (the press is then dropped).
bool TakeFocusForPress(TWinControl& control);

// The controls built on these bases.
#include "skinctrls/bsSkinPanels.h"
#include "skinctrls/bsSkinScrollBar.h"
