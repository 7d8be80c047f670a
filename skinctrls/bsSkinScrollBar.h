#pragma once
// TbsSkinScrollBar: a stand-alone scroll bar drawn from a "scrollbar" record of the skin, or
// in the plain default look. It keeps Min, Max, Position and PageSize, lays out two step
// buttons, a track and a thumb, and handles clicks, auto-repeat on held buttons and track,
// thumb dragging, the wheel and (with CanFocused) the arrow keys.
//
// The three parts: 0 the thumb, 1 the increase button (bottom / right end, adds
// SmallChange), 2 the decrease button (top / left end, subtracts SmallChange).

#include "skinctrls/bsSkinCtrls.h"

#include "framework/StdCtrls.h"

#include <QTimer>
#include <array>

class QWheelEvent;

class TbsSkinScrollBar : public TbsSkinCustomControl {
    Q_OBJECT
public:
    enum TPart { ThumbPart = 0, IncreasePart = 1, DecreasePart = 2 };
    enum class TRepeatAction { None, DecreaseStep, IncreaseStep, PageDecrease, PageIncrease };

    // The first repeat delay and the rate after it, in milliseconds.
    static constexpr int RepeatDelay = 500;
    static constexpr int RepeatRate = 50;

    explicit TbsSkinScrollBar(QWidget* parent = nullptr);
    ~TbsSkinScrollBar() override;

    // Switching the kind also turns the bar the other way: the default record name
    // ("hscrollbar" / "vscrollbar") follows when the name is the other kind's default, a
    // bar lying the wrong way swaps width and height, and the default size moves across.
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // Clamped to [Min, Max - PageSize + 1] (with a page) or [Min, Max]; fires OnChange when
    // the value changes.
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // 0 means a fixed-size thumb. A page that does not fit the range is ignored.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value);
    // Sets the range, the page and the position at once, without OnChange.
    void SetRange(int min, int max, int pageSize, int position);

    // Takes the focus, the arrow keys and the wheel.
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value);
    // A horizontal bar sharing its right corner with a vertical bar: it uses the record
    // BothSkinDataName, and without a record leaves BothMarkerWidth pixels free at its end.
    bool Both() const { return FBoth; }
    void SetBoth(bool value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int value);
    QString BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const QString& value) { FBothSkinDataName = value; }

    void FetchSkinRecord() override;
    // The hot part loses its look unless a part is held; page repetition stops.
    void MouseLeave() override;

    // ---- The layout, in control coordinates (recomputed before every paint and press).
    void CalcLayout();
    TRect PartRect(int part) const { return FParts.at(part).Rect; }
    bool PartHot(int part) const { return FParts.at(part).Hot; }
    bool PartPressed(int part) const { return FParts.at(part).Pressed; }
    TRect FittedTrackArea() const { return FFittedTrackArea; }
    int TravelStart() const { return FTravelStart; }
    int TravelEnd() const { return FTravelEnd; }
    int ThumbShift() const { return FThumbShift; }
    int HotPart() const { return FHotPart; }
    int CapturedPart() const { return FCapturedPart; }
    bool ThumbDragging() const { return FThumbDragging; }
    TRepeatAction RepeatAction() const { return FRepeatAction; }

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    // When set, they replace the step of the increase / decrease button.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    // After a track click's page step towards smaller / larger values.
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void SizeChanged() override;
    void wheelEvent(QWheelEvent* event) override;

    // One tick of the repeat timer.
    void RepeatTick();
    const QTimer& RepeatTimer() const { return FRepeatTimer; }

private:
    struct TPartState {
        TRect Rect;
        bool Hot = false;
        bool Pressed = false;
    };
    // The values of the "scrollbar" record, in skin-picture coordinates.
    struct TRecordValues {
        TRect TrackArea;
        TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
        TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
        TRect ThumbRect, ActiveThumbRect, DownThumbRect;
        int ThumbOffset1 = 0, ThumbOffset2 = 0;
        TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    };

    bool Vertical() const { return FKind == sbVertical; }
    // Drawn from the record: a scroll-bar record with a picture to compose.
    bool SkinLook() const;
    // Lays out again and repaints.
    void Changed();
    // The position the Position setter keeps of `value`: below Min gives Min, otherwise
    // the upper bound wins when smaller.
    int ClampedPosition(int value) const;
    // Steps through the Position setter.
    void StepBy(int delta) { SetPosition(FPosition + delta); }
    void IncreaseStep();
    void DecreaseStep();

    // Layout pieces.
    double PositionFraction() const;
    double PageFraction() const;
    int PageThumbLength(int trackLength) const;
    void LayoutDefault();
    void LayoutSkinned();
    // Places the thumb along the track at ThumbShift with the given length and cross span.
    void PlaceThumb(int length, int crossStart, int crossEnd);
    int TrackStart() const;
    int TrackEnd() const;
    int AlongOf(int x, int y) const { return Vertical() ? y : x; }

    int PartAt(const TPoint& p) const;
    bool BeforeThumb(const TPoint& p) const;
    bool AfterThumb(const TPoint& p) const;
    bool PageRepeating() const;
    void PressAt(const TPoint& p);
    void UpdateHover(const TPoint& p);
    void SetPartHot(int part, bool hot);
    void DragTo(const TPoint& p);
    void ReleaseCapturedPart();
    void StartRepeat(TRepeatAction action);
    void StopRepeat();
    bool ThumbPressedLook() const;

    void DrawDefaultPart(TCanvas& canvas, int part, TbsDefaultLook look);
    void DrawSkinButton(TBitmap& bitmap, int part);
    void DrawSkinThumb(TBitmap& bitmap);

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FCanFocused = false;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    QString FBothSkinDataName = QStringLiteral("bothhscrollbar");
    QString FNormalSkinDataName;

    TRecordValues FRecord;
    bool FHasBarRecord = false;
    std::array<TPartState, 3> FParts;
    TRect FFittedTrackArea;
    int FTravelStart = 0;
    int FTravelEnd = 0;
    int FThumbShift = 0;

    int FHotPart = -1;
    int FCapturedPart = -1;
    bool FThumbDragging = false;
    bool FButtonHeld = false;
    TPoint FLastMouse;
    int FDragStartCoord = 0;
    int FDragStartShift = 0;

    TRepeatAction FRepeatAction = TRepeatAction::None;
    bool FRepeatDelayPending = false;
    QTimer FRepeatTimer;
};
