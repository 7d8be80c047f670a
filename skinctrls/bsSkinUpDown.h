#pragma once
// TbsSkinUpDown: a pair of arrow buttons that step Position between Min and Max, drawn from
// an up-down record ("hupdown" / "vupdown") or in the default look. Button 0 steps up (the
// right half when horizontal, the top half when vertical), button 1 steps down. A held
// button repeats: first after 500 ms, then every 100 ms.

#include "skinctrls/bsSkinCtrls.h"

#include "framework/StdCtrls.h"

#include <QTimer>
#include <array>

enum TbsUpDownOrientation { udHorizontal, udVertical };

class TbsSkinUpDown : public TbsSkinCustomControl {
    Q_OBJECT
public:
    enum TButton { UpButton = 0, DownButton = 1 };

    static constexpr int FirstRepeatDelay = 500;
    static constexpr int RepeatRate = 100;
    // The delay when the mouse comes back onto the held button.
    static constexpr int ResumeDelay = 50;

    explicit TbsSkinUpDown(QWidget* parent = nullptr);
    ~TbsSkinUpDown() override;

    TbsUpDownOrientation Orientation() const { return FOrientation; }
    // Also switches the record name between "hupdown" and "vupdown" when it is the other
    // orientation's.
    void SetOrientation(TbsUpDownOrientation value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    // A value outside Min .. Max is ignored; otherwise stored and OnChange fires, also when
    // the value did not change.
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // Pull Position inside the range without OnChange.
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);

    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    void FetchSkinRecord() override;
    TRect ButtonRect(int button) const;
    bool ButtonHot(int button) const { return FButtons.at(button).Hot; }
    bool ButtonPressed(int button) const { return FButtons.at(button).Pressed; }

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void EnabledChanged() override;

    // One tick of the repeat timer.
    void RepeatTick();
    const QTimer& RepeatTimer() const { return FRepeatTimer; }

private:
    struct TButtonState {
        bool Hot = false;
        bool Pressed = false;
    };
    struct TButtonRects {
        TRect Normal, Active, Down;
    };

    int ButtonAt(const TPoint& p) const;
    void Step(int button);
    void StopRepeat();
    void SetHot(int button, bool hot);
    TbsArrowDirection ArrowOf(int button) const;
    void DrawSkinButton(TBitmap& bitmap, int button);

    TbsUpDownOrientation FOrientation = udHorizontal;
    int FIncrement = 1;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;

    bool FHasUpDownRecord = false;
    std::array<TButtonRects, 2> FRecordRects;
    std::array<TButtonState, 2> FButtons;
    int FPressedButton = -1;
    bool FFirstTickPending = false;
    QTimer FRepeatTimer;
};
