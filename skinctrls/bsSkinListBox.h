#pragma once
// The skinned list box: a skinned container hosting a borderless framework list box whose
// items it draws from the "listbox" record, with its own skinned scroll bars created and
// removed as the content requires.
//   TbsListBox            the inner list: item storage, selection, keys, hit testing
//   TbsSkinCustomListBox  the container: item look, bars, layout
//   TbsSkinListBox        the published face

#include "skinctrls/bsSkinCtrls.h"

#include "framework/ImgList.h"
#include "framework/StdCtrls.h"

#include <QPointer>
#include <QTimer>
#include <array>

class TbsSkinCustomListBox;

// (Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State): replaces an item's content.
using TbsDrawSkinItemEvent =
    std::function<void(TObject* Sender, TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                       TRect TxtRect, TOwnerDrawState State)>;

class TbsListBox : public TListBox {
    Q_OBJECT
public:
    explicit TbsListBox(TbsSkinCustomListBox* owner);
    ~TbsListBox() override;

    TbsSkinCustomListBox* OwnerList() const { return FOwnerList; }
    // Pixels the items are shifted left by the horizontal bar.
    int ScrollOffsetX() const { return FScrollOffsetX; }
    void SetScrollOffsetX(int value);
    // The visible items and the area below them, as the container draws them.
    TBitmap RenderImage();
    // A click on the list: the container's hook, then the framework's.
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void SizeChanged() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TbsSkinCustomListBox* FOwnerList;
    int FScrollOffsetX = 0;
    int FLastWidth = 0;
};

class TbsSkinCustomListBox : public TbsSkinCustomControl {
    Q_OBJECT
    friend class TbsListBox;

public:
    explicit TbsSkinCustomListBox(QWidget* parent = nullptr);
    ~TbsSkinCustomListBox() override;

    // --- Delegated to the inner list.
    TStrings* Items() const { return FInnerList->Items(); }
    void SetItems(const TStrings& items);
    int ItemIndex() const { return FInnerList->ItemIndex(); }
    void SetItemIndex(int index) { FInnerList->SetItemIndex(index); }
    bool MultiSelect() const { return FInnerList->MultiSelect(); }
    void SetMultiSelect(bool value) { FInnerList->SetMultiSelect(value); }
    bool Sorted() const { return FInnerList->Sorted(); }
    void SetSorted(bool value);
    int Count() const { return FInnerList->Count(); }
    void Clear();
    int TopIndex() const { return FInnerList->TopIndex(); }
    void SetTopIndex(int index) { FInnerList->SetTopIndex(index); }
    bool Selected(int index) const { return FInnerList->Selected(index); }
    int ItemAtPos(const TPoint& pos, bool existing) const;
    TbsListBox* InnerList() const { return FInnerList; }
    TFont* ListBoxFont() { return FInnerList->Font(); }

    // --- Look
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool value) { FUseSkinItemHeight = value; }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int value);
    // The inner list's item height as it applies now.
    int ItemHeight() const { return FInnerList->ItemHeight(); }
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool value);
    // Non-zero: the height shows exactly that many rows.
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int HeightForRows(int rows);
    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* images);
    // The image of every item; < 0: the item's own index.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // A caption bar across the top (drawn without a record only).
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    // --- Bars (owned, created on demand).
    TbsSkinScrollBar* VertBar() const { return FVertBar; }
    TbsSkinScrollBar* HorzBar() const { return FHorzBar; }
    TRect ListArea() const { return FListArea; }
    TRect InnerRect() const { return FInnerRect; }
    // Mirrors the inner list's scroll state into the bars, creating and removing them.
    void SyncListBars();

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void ForgetSkin() override;

    // Draws item `index` in the given state into an item-sized bitmap.
    void DrawItemImage(TBitmap& bitmap, int index, TOwnerDrawState state);

    // The caption buttons (caption mode): 0 up, 1 down, 2 check, in control coordinates.
    TRect CaptionButtonRect(int button) const { return FButtons.at(size_t(button)).Rect; }
    bool CaptionButtonHot(int button) const { return FButtons.at(size_t(button)).Hot; }
    bool CaptionButtonPressed(int button) const { return FButtons.at(size_t(button)).Pressed; }
    // One tick of the held up or down button's repeat.
    void CaptionRepeatTick();
    void MouseLeave() override;

    TbsDrawSkinItemEvent OnDrawItem;
    // Replace the caption buttons' own actions.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;
    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown;
    TMouseMoveEvent OnListBoxMouseMove;
    TMouseEvent OnListBoxMouseUp;
    TKeyEvent OnListBoxKeyDown;
    TKeyPressEvent OnListBoxKeyPress;
    TKeyEvent OnListBoxKeyUp;

protected:
    // Hooks of the inner list; the base raises the matching list-box event.
    virtual void ListMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListClick();
    virtual void ListDblClick();
    virtual void ListKeyDown(int& Key, TShiftState Shift);
    virtual void ListKeyUp(int& Key, TShiftState Shift);
    virtual void ListKeyPress(QChar& Key);
    virtual void ListEnter() {}
    virtual void ListExit() {}

    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void SizeChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Places the bars and the inner list.
    void LayoutInner();
    bool HasListRecord() const { return FHasListRecord; }

private:
    struct TRecordValues {
        TRect ItemRect, ActiveItemRect, FocusItemRect, ItemTextRect;
        int ItemLeftOffset = 0, ItemRightOffset = 0;
        QString FontName;
        int FontHeight = 14;
        TFontStyles FontStyle;
        TColor FontColor = clWindowText, ActiveFontColor = clHighlightText,
               FocusFontColor = clHighlightText;
        QString VScrollBarName, HScrollBarName, BothHScrollBarName;
        TRect CaptionRect;
        QString CaptionFontName;
        int CaptionFontHeight = 14;
        TFontStyles CaptionFontStyle;
        TColor CaptionFontColor = clBtnText;
        std::array<TRect, 3> ButtonRects, ActiveButtonRects, DownButtonRects;
    };
    struct TCaptionButton {
        TRect Rect;
        bool Hot = false;
        bool Pressed = false;
    };

    // The inner list paints through these.
    void PaintInnerList(TCanvas& canvas);
    void PaintListBackground(TCanvas& canvas, const TRect& area);
    void DrawItemContent(TCanvas& canvas, int index, const TRect& textRect, TOwnerDrawState state,
                         int itemWidth, int itemHeight);
    void AssignItemFont(TFont& font) const;
    int CaptionHeight() const;
    void DrawDefaultCaption(TCanvas& canvas);
    void DrawSkinCaption(TBitmap& bitmap);
    void LayoutCaptionButtons();
    int CaptionButtonAt(const TPoint& p) const;
    // Up: the previous item, down: the next one, check: the inner list's click.
    void CaptionButtonAction(int button);
    const TNotifyEvent& CaptionButtonEvent(int button) const;

    void SyncHorzBar();
    void SyncVertBar();
    void CreateVertBar();
    void CreateHorzBar();
    void RemoveVertBar();
    void RemoveHorzBar();
    void ApplyItemHeight();
    int WidestItem();

    TbsListBox* FInnerList;
    TbsSkinScrollBar* FVertBar = nullptr;
    TbsSkinScrollBar* FHorzBar = nullptr;
    TRect FListArea;
    TRect FInnerRect;
    bool FApplyingSkin = false;
    bool FSyncing = false;
    bool FHasListRecord = false;
    TRecordValues FRecord;

    bool FUseSkinItemHeight = true;
    int FDefaultItemHeight = 20;
    bool FHorizontalExtent = false;
    int FRowCount = 0;
    QPointer<TImageList> FImages;
    int FImageIndex = -1;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 20;
    TAlignment FAlignment = taLeftJustify;
    std::array<TCaptionButton, 3> FButtons;
    int FCapturedButton = -1;
    QTimer FRepeatTimer;
    bool FRepeatStarted = false;
};

class TbsSkinListBox : public TbsSkinCustomListBox {
    Q_OBJECT
public:
    using TbsSkinCustomListBox::TbsSkinCustomListBox;
};
