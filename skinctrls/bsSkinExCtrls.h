#pragma once
// The skinned containers of the file dialogs:
//   TbsSkinExPanel   a panel with a caption bar, a close and a roll button; it rolls up to
//                    its caption bar (vertically) or to a caption column (horizontally)
//   TbsSkinToolBar   a "toolpanel" panel that hands its skin, flat state and pictures on to
//                    its speed buttons
//   TbsSkinSplitter  the framework splitter, sized and drawn from a splitter record

#include "skinctrls/bsSkinCtrls.h"

#include "framework/ImgList.h"
#include "framework/Splitter.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <array>

// ---------------------------------------------------------------- expanding panel

enum TbsExPanelRollKind { rkRollHorizontal, rkRollVertical };

class TbsSkinExPanel : public TbsSkinCustomControl {
    Q_OBJECT
public:
    enum TButton { CloseButton = 0, RollButton = 1 };

    explicit TbsSkinExPanel(QWidget* parent = nullptr);
    ~TbsSkinExPanel() override;

    TbsExPanelRollKind RollKind() const { return FRollKind; }
    void SetRollKind(TbsExPanelRollKind value);
    // Rolling up hides the visible children and shrinks the panel to its rolled size,
    // keeping the size it unrolls to in RealWidth (horizontal) or RealHeight (vertical).
    bool RollState() const { return FRollState; }
    void SetRollState(bool value);
    bool ShowRollButton() const { return FShowRollButton; }
    void SetShowRollButton(bool value);
    bool ShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int value);
    // The unrolled size while rolled up, 0 otherwise.
    int RealWidth() const { return FRealWidth; }
    void SetRealWidth(int value) { FRealWidth = value; }
    int RealHeight() const { return FRealHeight; }
    void SetRealHeight(int value) { FRealHeight = value; }

    TNotifyEvent OnChangeRollState;
    TNotifyEvent OnClose;

    // The width (horizontal kind) or height (vertical kind) of the rolled-up panel.
    int RolledSize() const;
    // Visible := false, then OnClose.
    void Close();

    // Button rectangles of the current size and state (empty for a hidden button).
    TRect ButtonRect(int button) const;
    bool ButtonHot(int button) const { return FButtons.at(button).Hot; }
    bool ButtonPressed(int button) const { return FButtons.at(button).Pressed; }
    int HotButton() const { return FHotButton; }
    int CapturedButton() const { return FCapturedButton; }

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void AdjustClientRect(TRect& rect) override;
    // While rolled up (and not inside SetRollState) the rolled dimension stays rolled.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;

private:
    struct TButtonState {
        bool Hot = false;
        bool Pressed = false;
    };
    struct TStateRects {
        TRect Normal, Active, Down;
    };
    // Where the buttons and the caption text go at the current size and state.
    struct TCaptionLayout {
        std::array<TRect, 2> Buttons;
        TRect Text;
        bool Rotated = false;
    };

    bool RolledHorizontally() const { return FRollState && FRollKind == rkRollHorizontal; }
    bool HasExPanelRecord() const { return FSkinIndex != -1 && FHasExPanelRecord; }
    TCaptionLayout DefaultLayout() const;
    TCaptionLayout SkinLayout() const;
    TCaptionLayout Layout() const;
    int ButtonAt(const TPoint& p) const;
    void SetHotButton(int button);
    const TStateRects& SkinButtonRects(int button) const;
    TbsArrowDirection RollArrow() const;
    void DrawDefaultButton(TCanvas& canvas, int button, const TRect& rect);
    void DrawButtons(TBitmap& bitmap, const TCaptionLayout& layout, bool skinned);
    void DrawCaptionText(TCanvas& canvas, const TCaptionLayout& layout);
    void AssignCaptionFont(TFont& font) const;

    TbsExPanelRollKind FRollKind = rkRollVertical;
    bool FRollState = false;
    bool FShowRollButton = true;
    bool FShowCloseButton = true;
    int FDefaultCaptionHeight = 21;
    int FRealWidth = 0;
    int FRealHeight = 0;
    bool FChangingRollState = false;
    QList<QPointer<TControl>> FHiddenChildren;

    std::array<TButtonState, 2> FButtons;
    int FHotButton = -1;
    int FCapturedButton = -1;

    // Values of the "expanel" record.
    bool FHasExPanelRecord = false;
    TRect FRollHSkinRect, FRollVSkinRect;
    int FRollLeftOffset = 0, FRollRightOffset = 0, FRollTopOffset = 0, FRollBottomOffset = 0;
    TRect FRollVCaptionRect, FRollHCaptionRect, FCaptionRect;
    TStateRects FCloseRects, FHRollRects, FHRestoreRects, FVRollRects, FVRestoreRects;
    QString FFontName = QStringLiteral("Arial");
    int FFontHeight = 14;
    TFontStyles FFontStyle;
    TColor FFontColor = 0;
};

// ---------------------------------------------------------------- tool bar

class TbsSkinToolBar : public TbsSkinPanel {
    Q_OBJECT
public:
    explicit TbsSkinToolBar(QWidget* parent = nullptr);
    ~TbsSkinToolBar() override;

    // The panel's, then the same skin data for every speed button and bevel on the bar.
    void SetSkinData(TbsSkinData* value) override;

    bool Flat() const { return FFlat; }
    // Passed on to every speed button on the bar.
    void SetFlat(bool value);
    // The bar's pictures; not owned, forgotten when destroyed. Setting Images repaints
    // the speed buttons.
    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* value);
    TImageList* HotImages() const { return FHotImages.data(); }
    void SetHotImages(TImageList* value) { FHotImages = value; }
    TImageList* DisabledImages() const { return FDisabledImages.data(); }
    void SetDisabledImages(TImageList* value) { FDisabledImages = value; }

    // With AutoShowHideCaptions the speed buttons' ShowCaption follows; the bar takes
    // WidthWithCaptions or WidthWithoutCaptions when both are positive.
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool AutoShowHideCaptions = false;
    int WidthWithCaptions = 0;
    int WidthWithoutCaptions = 0;

    // Scrolling of an overfull bar. With CanScroll, children reaching past the right end
    // make two scroll buttons appear at the bar's ends (the children move right of the left
    // one); pressing one (or, with HotScroll, hovering over it) scrolls by ScrollOffset
    // pixels (the room between the buttons when 0) every ScrollTimerInterval ms, and once
    // more on release, never before the first child nor beyond the last.
    static constexpr int ScrollButtonWidth = 12;
    enum TScrollButton { NoScrollButton = -1, LeftScrollButton = 0, RightScrollButton = 1 };
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool value);
    bool HotScroll = false;
    int ScrollOffset() const { return FScrollOffset; }
    // Values below 0 are ignored.
    void SetScrollOffset(int value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    // Values below 1 are ignored.
    void SetScrollTimerInterval(int value);

    bool ScrollButtonsShown() const { return FScrollButtonsShown; }
    // How far the children are scrolled, in pixels.
    int ScrollPosition() const { return FScrollPosition; }
    TRect ScrollButtonRect(int button) const;
    // One scroll step towards the button's end.
    void ScrollStep(int button);
    bool ScrollTimerRunning() const { return FScrollTimer.isActive(); }

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void SizeChanged() override;
    void ControlChanged(TControl* child) override;

private:
    // Shows or hides the scroll buttons for the children's extent, keeping the scroll
    // position within it.
    void UpdateScrolling();
    // Moves the children to `position` with the buttons shown or not.
    void PlaceChildren(int position, bool buttons);
    void ClipChildren();
    // The right end of the children in unscrolled coordinates (0 without children).
    int ContentRight() const;
    int MaxScrollPosition(bool buttons) const;
    int ScrollButtonAt(const TPoint& p) const;
    void StartScrolling(int button);
    void StopScrolling();
    void DrawScrollButtons(TBitmap& bitmap);

    bool FFlat = false;
    QPointer<TImageList> FImages;
    QPointer<TImageList> FHotImages;
    QPointer<TImageList> FDisabledImages;
    bool FShowCaptions = false;
    bool FCanScroll = false;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    bool FScrollButtonsShown = false;
    int FScrollPosition = 0;
    bool FPlacing = false;
    int FPressedScrollButton = NoScrollButton;
    int FHotScrollButton = NoScrollButton;
    int FTimerButton = NoScrollButton;
    QTimer FScrollTimer;
};

// ---------------------------------------------------------------- splitter

class TbsSkinSplitter : public TSplitter, public TbsSkinClient {
    Q_OBJECT
public:
    explicit TbsSkinSplitter(QWidget* parent = nullptr);
    ~TbsSkinSplitter() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    // Stores and applies.
    void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value);
    // The thickness without a record.
    int DefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(int value);
    int SkinIndex() const { return FSkinIndex; }

    void ForgetSkin() override;
    // Fetches the record, takes its thickness (DefaultSize without one) as the bar's and
    // as MinSize, and repaints.
    void ApplySkin() override;

    // What one paint puts on the screen, for tests and the gallery.
    TBitmap RenderImage();

protected:
    void Paint() override;

private:
    // The record the splitter is drawn from: none without one, or when not aligned to an
    // edge (the framework's look then).
    const TbsDataSkinSplitterControl* DrawnRecord() const;
    void DrawSkin(TCanvas& canvas);

    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName = QStringLiteral("vsplitter");
    int FDefaultSize = 10;
    int FSkinIndex = -1;
};
