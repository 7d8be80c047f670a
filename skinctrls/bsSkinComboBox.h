#pragma once
// The skinned combo box: a face (item area and button) drawn from a "combobox" record, a
// drop list that opens below or above it without taking the focus, and in edit style an
// embedded edit with incremental search.
//   TbsPopupListBox        the drop list: a skinned list box as a non-activating pop-up
//   TbsSkinCustomComboBox  the combo box
//   TbsSkinComboBox        the published face

#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinListBox.h"

#include <QElapsedTimer>
#include <algorithm>

class TbsSkinCustomComboBox;

class TbsPopupListBox : public TbsSkinListBox {
    Q_OBJECT
public:
    explicit TbsPopupListBox(TbsSkinCustomComboBox* combo);
    ~TbsPopupListBox() override;

protected:
    // The list follows the mouse; a left release accepts.
    void ListMouseMove(TShiftState Shift, int X, int Y) override;
    void ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TbsSkinCustomComboBox* FCombo;
};

enum TbsSkinCustomComboBoxStyle { bscbEditStyle, bscbFixedStyle };

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
    Q_OBJECT
    friend class TbsComboInnerEdit;
    friend class TbsPopupListBox;

public:
    explicit TbsSkinCustomComboBox(QWidget* parent = nullptr);
    ~TbsSkinCustomComboBox() override;

    TbsSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TbsSkinCustomComboBoxStyle value);

    // --- Delegated to the drop list.
    TStrings* Items() const { return FDropList->Items(); }
    void SetItems(const TStrings& items);
    int ItemIndex() const { return FDropList->ItemIndex(); }
    // Selects the item and shows its text; fires OnClick and runs Changed.
    void SetItemIndex(int index);
    bool Sorted() const { return FDropList->Sorted(); }
    void SetSorted(bool value) { FDropList->SetSorted(value); }
    TImageList* Images() const { return FDropList->Images(); }
    void SetImages(TImageList* images);
    int ImageIndex() const { return FDropList->ImageIndex(); }
    void SetImageIndex(int value);

    // The shown text; every change fires OnChange.
    void SetText(const QString& text) override;
    // Rows the drop list shows; values <= 0 are ignored.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }

    // A translucent drop list (where the window system composites), faded in on request.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool value) { FAlphaBlend = value; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int value) { FAlphaBlendValue = std::clamp(value, 0, 255); }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }

    // Passed to the drop list.
    bool ListBoxUseSkinFont() const { return FDropList->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool value) { FDropList->SetUseSkinFont(value); }
    bool ListBoxUseSkinItemHeight() const { return FDropList->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool value) { FDropList->SetUseSkinItemHeight(value); }
    TFont* ListBoxDefaultFont() { return FDropList->DefaultFont(); }
    int ListBoxDefaultItemHeight() const { return FDropList->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int value) { FDropList->SetDefaultItemHeight(value); }
    QString ListBoxCaption() const { return FDropList->Caption(); }
    void SetListBoxCaption(const QString& value) { FDropList->SetCaption(value); }
    bool ListBoxCaptionMode() const { return FDropList->CaptionMode(); }
    void SetListBoxCaptionMode(bool value) { FDropList->SetCaptionMode(value); }
    TAlignment ListBoxCaptionAlignment() const { return FDropList->Alignment(); }
    void SetListBoxCaptionAlignment(TAlignment value) { FDropList->SetAlignment(value); }

    TbsPopupListBox* DropList() const { return FDropList; }
    // The embedded edit (edit style only).
    TbsCustomEdit* InnerEdit() const { return FInnerEdit; }
    bool DroppedDown() const { return FDropList->isVisible(); }
    TRect ButtonRect() const { return FButtonRect; }
    TRect ItemArea() const { return FItemArea; }
    bool ButtonHot() const { return FButtonHot; }
    bool ButtonPressed() const { return FButtonPressed; }

    // Opens the drop list (nothing without items).
    virtual void DropDown();
    // Closes it; accepting takes the selected item, cancelling restores the one before.
    void CloseUp(bool accept);

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void ForgetSkin() override;
    void SetSkinData(TbsSkinData* value) override;
    void SetFocus() override;
    void MouseLeave() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TbsDrawSkinItemEvent OnListBoxDrawItem;
    TbsDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    // Run after a selection or typed change.
    virtual void Changed() {}

    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void SizeChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRecordValues {
        TRect ItemRect, FocusItemRect, ItemTextRect;
        int ItemLeftOffset = 0, ItemRightOffset = 0;
        QString FontName;
        int FontHeight = 14;
        TFontStyles FontStyle;
        TColor FontColor = clWindowText, FocusFontColor = clHighlightText;
        QString ListBoxName;
        TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    };

    void Layout();
    void DrawDefaultButton(TCanvas& canvas);
    void DrawItemArea(TBitmap& bitmap, bool skinned);
    void UpdateInnerEditLook();
    bool HasComboRecord() const { return FSkinIndex != -1 && FHasComboRecord; }
    bool ComboFocused() const;
    // Selects in the drop list only (no Text, no OnClick).
    void SelectInList(int index);
    void StepItem(int delta);
    void IncrementalSearch(QChar ch);
    // The inner edit's text changed: search, then take the text.
    void EditTextChanged();
    // Keys of the inner edit; true when handled (the edit does not see the key).
    bool EditKeyDown(int key, TShiftState shift);
    void EditWheel(int delta);
    void TakeListItem();
    void SetButtonHot(bool value);

    TbsPopupListBox* FDropList;
    TbsCustomEdit* FInnerEdit = nullptr;
    TbsSkinCustomComboBoxStyle FStyle = bscbFixedStyle;
    int FDropDownCount = 8;
    bool FAutoComplete = true;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 0;
    bool FAlphaBlendAnimation = false;
    TRect FButtonRect, FItemArea;
    bool FButtonHot = false;
    bool FButtonPressed = false;
    int FSavedIndex = -1;
    QString FSearchText;
    QElapsedTimer FLastKeyTime;
    bool FSyncingFromEdit = false;
    bool FHasComboRecord = false;
    TRecordValues FRecord;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
    Q_OBJECT
public:
    using TbsSkinCustomComboBox::TbsSkinCustomComboBox;
};
