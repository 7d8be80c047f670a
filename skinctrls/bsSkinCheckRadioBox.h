#pragma once
// TbsSkinCheckRadioBox: a check box or radio button drawn from a "checkbox" / "radiobox"
// record or in the default look. Boxes of one parent sharing a non-zero GroupIndex are
// exclusive: checking one unchecks the others.

#include "skinctrls/bsSkinCtrls.h"

#include "framework/ImgList.h"

#include <QPointer>

class TbsSkinCheckRadioBox : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinCheckRadioBox(QWidget* parent = nullptr);
    ~TbsSkinCheckRadioBox() override;

    // Checking a box with a GroupIndex unchecks its checked siblings of that index; OnClick
    // then fires (for a radio button only when it became checked).
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    // Flat: the mark and caption on the parent's picture; otherwise a record face.
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // Whether the box takes the focus (and so the space key); also sets TabStop.
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value);
    // An optional picture before the caption; the list is not owned.
    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // Whether the mouse is over the box (the "active" look).
    bool MouseOver() const { return FMouseOver; }

    void FetchSkinRecord() override;
    void SetTabStop(bool value) override;
    bool DialogChar(QChar ch) override;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyUp(int& Key, TShiftState Shift) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;

    // A check box inverts Checked; a radio button becomes checked.
    virtual void Toggle();

private:
    // The values of a check/radio record.
    struct TMarkRecord {
        QString FontName;
        int FontHeight = 14;
        TFontStyles FontStyle;
        TColor FrameFontColor = 0, UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0;
        TRect ActiveSkinRect, CheckImageArea, TextArea;
        TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
        TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
    };

    void UncheckGroupSiblings();
    void SetMouseOver(bool value);
    bool ShowsFocus() const;
    // The record's mark picture for the current state.
    TRect MarkSourceRect() const;
    void DrawDefaultMark(TCanvas& canvas);
    void DrawRecordMark(TCanvas& canvas, const TRect& dest);
    // The image (when valid) and caption from `x`, vertically centred in `band`.
    void DrawImageAndCaption(TCanvas& canvas, int x, const TRect& band);
    void DrawFlat(TBitmap& bitmap, bool withRecord);
    void DrawSkinFace(TBitmap& bitmap);

    bool FChecked = false;
    bool FRadio = false;
    int FGroupIndex = 0;
    bool FFlat = true;
    bool FCanFocused = true;
    QPointer<TImageList> FImages;
    int FImageIndex = 0;
    bool FMouseOver = false;

    bool FHasMarkRecord = false;
    TMarkRecord FRecord;
};
