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

#include "skin/bsDefaultLook.h"
#include "skin/bsSkinClient.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinGeometry.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Font.h"

#include <QPointer>
#include <QString>

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

// A press on a focusable control first gives it the focus; false when the control still
// does not have it afterwards (the press is then dropped).
bool TakeFocusForPress(TWinControl& control);

// The controls built on these bases.
#include "skinctrls/bsSkinPanels.h"
#include "skinctrls/bsSkinScrollBar.h"
