#pragma once
// Skinned tooltips. A TbsSkinHint on the main form makes every hint of the application
// show in a TbsSkinHintWindow drawn from the skin's hint-window record; the form frame
// also shows its objects' hints at the mouse pointer through one (ShowHintAtCursor).
// Only one TbsSkinHint of the main form is active at a time.

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"

#include "framework/ExtCtrls.h"
#include "framework/Font.h"
#include "framework/Forms.h"

#include <QPointer>
#include <QTimer>

class TbsDataSkinHintWindow;

// The hint-window record fitted around a text of textW x textH: the window size, the
// client rectangle the text is centred in and the fitted corner points.
struct TbsHintFit {
    int W = 0, H = 0;
    TRect Client;
    TPoint LT, RT, LB, RB;
};
// Skinned: the text plus the frame around the record's client rectangle, at least the
// picture's size. Without a record (plain look) the text plus 2 pixels on each side.
TbsHintFit FitHintWindow(const TbsDataSkinHintWindow* record, int pw, int ph, int textW, int textH);
// A hint at `corner` moves left of it (by W + 2) when it would pass the screen's right
// edge, and above it (by H + 2) when it would pass the bottom.
TPoint PlaceHintWindow(TPoint corner, int W, int H, int screenWidth, int screenHeight);

class TbsSkinHint;

class TbsSkinHintWindow : public THintWindow {
    Q_OBJECT
public:
    explicit TbsSkinHintWindow(QWidget* parent = nullptr);
    ~TbsSkinHintWindow() override;

    // Between a picture and the text below it.
    static constexpr int PictureGap = 4;

    // Shows the hint with its top-left at rect's top-left corner, sized to the text;
    // nothing shows without an active TbsSkinHint on the main form.
    void ActivateHint(const TRect& rect, const QString& hint) override;
    TRect CalcHintRect(int maxWidth, const QString& hint) override;

    // A picture shown above the text of the next hints (an empty one: the text alone).
    void SetPicture(const TBitmap& picture) { FPicture = picture; }
    const TBitmap& Picture() const { return FPicture; }

    // The skin of the hint last shown (null: the plain look) and its geometry.
    TbsSkinData* HintSkin() const { return FSkin; }
    const TbsHintFit& Fit() const { return FFit; }
    // The window as it paints.
    TBitmap Snapshot();

protected:
    void Paint() override;

private:
    // The active component and the skin it gives, for the next hint.
    void ChooseSkin();
    void ApplyFont(TFont& font) const;
    const TBitmap* Picture(int index) const;
    // The text's size measured in the canvas, with the picture above it.
    TPoint ContentSize(const QString& hint, int maxWidth);

    QPointer<TbsSkinData> FSkin;
    QPointer<TbsSkinHint> FComponent;
    TbsHintFit FFit;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = -1;
    TBitmap FPicture;
};

class TbsSkinHint : public TComponent {
    Q_OBJECT
public:
    // Makes TbsSkinHintWindow the application's hint window class and this component
    // its show-hint handler; the short hint pause becomes 100 ms.
    explicit TbsSkinHint(QObject* owner = nullptr);
    ~TbsSkinHint() override;

    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* skinData) { FSkinData = skinData; }
    bool Active() const { return FActive; }
    // Activating one deactivates every other TbsSkinHint of the main form.
    void SetActive(bool active);
    bool UseSkinFont = true;
    // The font without a skin, and the character set with one.
    TFont& DefaultFont() { return FDefaultFont; }
    bool AlphaBlend = false;
    int AlphaBlendValue = 255;
    TShowHintEvent OnShowHint;

    // After the application's hint pause, shows `text` just below the visible cursor and
    // hides it after the hint-hide pause; with a picture, the picture above the text.
    void ShowHintAtCursor(const QString& text, const TBitmap& picture = TBitmap());
    void HideHint();
    TbsSkinHintWindow* HintWindow() const { return FHintWindow.get(); }

    // The first active TbsSkinHint among the main form's components, or null.
    static TbsSkinHint* ActiveHintOfMainForm();

private:
    void InstallShowHintHandler();
    void ShowPendingHint();

    QPointer<TbsSkinData> FSkinData;
    bool FActive = true;
    TFont FDefaultFont;
    std::unique_ptr<TbsSkinHintWindow> FHintWindow;
    QString FPendingText;
    QTimer FShowTimer;
    QTimer FHideTimer;
};
