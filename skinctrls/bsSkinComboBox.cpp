#include "skinctrls/bsSkinComboBox.h"

#include "skinctrls/bsSkinBoxDraw.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Characters typed within this pause extend the search text.
constexpr int SearchPause = 500;

bool IsInside(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

} // namespace

// ---------------------------------------------------------------- the embedded edit

// The combo's edit: its keys are the combo's keys first, its text changes drive the search.
class TbsComboInnerEdit : public TbsCustomEdit {
public:
    explicit TbsComboInnerEdit(TbsSkinCustomComboBox* combo) : TbsCustomEdit(combo), FCombo(combo) {
        SetAutoSelect(false);
        OnChange = [this](TObject*) { FCombo->EditTextChanged(); };
    }

protected:
    void KeyDown(int& Key, TShiftState Shift) override {
        FireEvent(FCombo->OnKeyDown, FCombo, Key, Shift);
        if (Key == 0)
            return;
        if (FCombo->EditKeyDown(Key, Shift)) {
            Key = 0;
            return;
        }
        TbsCustomEdit::KeyDown(Key, Shift);
    }
    void KeyPress(QChar& Key) override {
        FireEvent(FCombo->OnKeyPress, FCombo, Key);
        if (!Key.isNull())
            TbsCustomEdit::KeyPress(Key);
    }
    void KeyUp(int& Key, TShiftState Shift) override {
        FireEvent(FCombo->OnKeyUp, FCombo, Key, Shift);
        if (Key != 0)
            TbsCustomEdit::KeyUp(Key, Shift);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        if (Button == mbLeft || Button == mbRight)
            FCombo->CloseUp(false);
        TbsCustomEdit::MouseDown(Button, Shift, X, Y);
    }
    void DoExit() override {
        FCombo->CloseUp(false);
        TbsCustomEdit::DoExit();
    }
    bool WantsKey(int key, TShiftState shift) const override {
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            return true;
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) &&
            FCombo->DroppedDown())
            return true;
        return TbsCustomEdit::WantsKey(key, shift);
    }

private:
    bool EditorWheel(QWheelEvent* event) override {
        FCombo->EditWheel(event->angleDelta().y());
        return true;
    }

    TbsSkinCustomComboBox* FCombo;
};

// ---------------------------------------------------------------- TbsPopupListBox

TbsPopupListBox::TbsPopupListBox(TbsSkinCustomComboBox* combo)
    : TbsSkinListBox(combo), FCombo(combo) {
    // A pop-up that never takes the focus or activates: the combo keeps the keyboard.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    InnerList()->setFocusPolicy(Qt::NoFocus);
    InnerList()->SetTabStop(false);
    InnerList()->setMouseTracking(true);
    hide();
}

TbsPopupListBox::~TbsPopupListBox() = default;

void TbsPopupListBox::ListMouseMove(TShiftState Shift, int X, int Y) {
    const int index = ItemAtPos(TPoint(X, Y), true);
    if (index >= 0 && index != ItemIndex())
        SetItemIndex(index);
    TbsSkinListBox::ListMouseMove(Shift, X, Y);
}

void TbsPopupListBox::ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinListBox::ListMouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && ItemAtPos(TPoint(X, Y), true) >= 0)
        FCombo->CloseUp(true);
}

// ---------------------------------------------------------------- TbsSkinCustomComboBox

TbsSkinCustomComboBox::TbsSkinCustomComboBox(QWidget* parent)
    : TbsSkinCustomControl(parent), FDropList(new TbsPopupListBox(this)) {
    FSkinDataName = QStringLiteral("combobox");
    SetControlStyle(ControlStyle() | csOpaque | csCaptureMouse);
    SetTabStop(true);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FDropList->SetSkinDataName(QString());
    SetBounds(Left(), Top(), 120, 20);
    Layout();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
    qApp->removeEventFilter(this);
}

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle value) {
    FStyle = value;
    if (value == bscbEditStyle) {
        SetTabStop(false);
        if (!FInnerEdit) {
            const bool hadFocus = hasFocus();
            FInnerEdit = new TbsComboInnerEdit(this);
            FSyncingFromEdit = true;
            FInnerEdit->SetText(Text());
            FSyncingFromEdit = false;
            UpdateInnerEditLook();
            FInnerEdit->Show();
            if (hadFocus)
                FInnerEdit->SetFocus();
        }
    } else {
        SetTabStop(true);
        delete FInnerEdit;
        FInnerEdit = nullptr;
    }
    Layout();
    Invalidate();
}

void TbsSkinCustomComboBox::SetItems(const TStrings& items) {
    FDropList->SetItems(items);
    Invalidate();
}

void TbsSkinCustomComboBox::SetImages(TImageList* images) {
    FDropList->SetImages(images);
    Invalidate();
}

void TbsSkinCustomComboBox::SetImageIndex(int value) {
    FDropList->SetImageIndex(value);
    Invalidate();
}

void TbsSkinCustomComboBox::SetDropDownCount(int value) {
    if (value > 0)
        FDropDownCount = value;
}

void TbsSkinCustomComboBox::SetItemIndex(int index) {
    FDropList->SetItemIndex(index);
    const int current = FDropList->ItemIndex();
    if (Items()->Count() > 0 && current != -1)
        SetText(Items()->Strings(current));
    FSavedIndex = current;
    if (!FInnerEdit)
        Invalidate();
    FireEvent(OnClick, this);
    Changed();
}

void TbsSkinCustomComboBox::SetText(const QString& text) {
    if (text == Text())
        return;
    TbsSkinCustomControl::SetText(text);
    const bool fromEdit = FSyncingFromEdit;
    if (FInnerEdit && !fromEdit && FInnerEdit->Text() != text) {
        FSyncingFromEdit = true;
        FInnerEdit->SetText(text);
        FSyncingFromEdit = false;
    }
    if (!FInnerEdit)
        Invalidate();
    FireEvent(OnChange, this);
    if (fromEdit)
        Changed();
}

void TbsSkinCustomComboBox::SelectInList(int index) {
    if (index < 0 || index >= Items()->Count())
        index = -1;
    FDropList->SetItemIndex(index);
    if (index >= 0)
        FDropList->SetTopIndex(index);
    if (!FInnerEdit)
        Invalidate();
}

// --- Edit style

void TbsSkinCustomComboBox::EditTextChanged() {
    if (!FInnerEdit)
        return;
    const QString text = FInnerEdit->Text();
    // The item the text names exactly, else the first that starts with it; found
    // directly in the list, so neither Text nor OnClick is touched by the search.
    int found = Items()->IndexOf(text);
    if (found < 0)
        found = FDropList->InnerList()->SearchPrefix(text, -1);
    if (found >= 0) {
        if (FAutoComplete)
            FDropList->SetItemIndex(found);
        FDropList->SetTopIndex(found);
    }
    if (FSyncingFromEdit)
        return;
    FSyncingFromEdit = true;
    SetText(text);
    FSyncingFromEdit = false;
}

bool TbsSkinCustomComboBox::EditKeyDown(int key, TShiftState shift) {
    const bool dropped = DroppedDown();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!dropped)
            return false;
        CloseUp(true);
        return true;
    case Qt::Key_Escape:
        if (!dropped)
            return false;
        CloseUp(false);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (!dropped)
            return false;
        const int step = key == Qt::Key_PageUp ? -(FDropDownCount - 1) : FDropDownCount - 1;
        SelectInList(std::clamp(ItemIndex() + step, 0, std::max(0, Items()->Count() - 1)));
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (shift.Contains(ssAlt)) {
            if (key == Qt::Key_Down && !dropped)
                DropDown();
            else if (key == Qt::Key_Up && dropped)
                CloseUp(false);
            return true;
        }
        StepItem(key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_F4:
        if (dropped)
            CloseUp(false);
        else
            DropDown();
        return true;
    default:
        return false;
    }
}

void TbsSkinCustomComboBox::StepItem(int delta) {
    const int count = Items()->Count();
    if (count == 0)
        return;
    const int index = ItemIndex() < 0 ? 0 : std::clamp(ItemIndex() + delta, 0, count - 1);
    if (index == ItemIndex() && Text() == Items()->Strings(index))
        return;
    SelectInList(index);
    SetText(Items()->Strings(index));
    FireEvent(OnClick, this);
}

void TbsSkinCustomComboBox::EditWheel(int delta) {
    const int count = Items()->Count();
    if (count == 0)
        return;
    const int step = delta > 0 ? -1 : 1;
    const int index = ItemIndex() < 0 ? 0 : std::clamp(ItemIndex() + step, 0, count - 1);
    if (DroppedDown()) {
        SelectInList(index);
        return;
    }
    StepItem(step);
}

// --- Dropping down

void TbsSkinCustomComboBox::DropDown() {
    const int count = Items()->Count();
    if (count == 0 || DroppedDown())
        return;
    FireEvent(OnDropDown, this);
    // The combo's own item drawing, raised with the combo as sender.
    if (OnListBoxDrawItem)
        FDropList->OnDrawItem = [this](TObject*, TCanvas& c, int index, int w, int h, TRect text,
                                       TOwnerDrawState st) {
            FireEvent(OnListBoxDrawItem, this, c, index, w, h, text, st);
        };
    else
        FDropList->OnDrawItem = nullptr;
    FDropList->SetRowCount(std::min(FDropDownCount, count));
    const TPoint below = ClientToScreen(TPoint(0, Height()));
    const TRect work = GetMonitorWorkArea(window(), true);
    int top = below.Y;
    const int height = FDropList->Height();
    if (top + height > work.Bottom)
        top = ClientToScreen(TPoint(0, 0)).Y - height;
    FDropList->SetBounds(below.X, top, Width(), height);
    if (FInnerEdit)
        FInnerEdit->SetFocus();
    FSavedIndex = ItemIndex();
    if (FSavedIndex >= 0)
        FDropList->SetTopIndex(FSavedIndex);
    else
        FDropList->SetTopIndex(0);
    const bool translucent = FAlphaBlend && IsLayeredWindowsSupported();
    SetWindowAlpha(FDropList, translucent && FAlphaBlendAnimation ? 0
                              : translucent                       ? FAlphaBlendValue
                                                                  : 255);
    FDropList->show();
    if (translucent && FAlphaBlendAnimation) {
        for (int alpha = 0; alpha < FAlphaBlendValue && DroppedDown(); alpha += 2) {
            SetWindowAlpha(FDropList, alpha);
            QCoreApplication::processEvents();
        }
        if (DroppedDown())
            SetWindowAlpha(FDropList, FAlphaBlendValue);
    }
    qApp->installEventFilter(this);
    Invalidate();
}

void TbsSkinCustomComboBox::CloseUp(bool accept) {
    if (!DroppedDown())
        return;
    FDropList->hide();
    qApp->removeEventFilter(this);
    if (ItemIndex() == -1) {
        SelectInList(FSavedIndex);
    } else if (accept) {
        TakeListItem();
        FireEvent(OnClick, this);
        Changed();
    } else {
        SelectInList(FSavedIndex);
    }
    Invalidate();
    if (accept)
        FireEvent(OnCloseUp, this);
}

void TbsSkinCustomComboBox::TakeListItem() {
    const QString text = Items()->Strings(ItemIndex());
    FSavedIndex = ItemIndex();
    if (FInnerEdit) {
        FInnerEdit->SetText(text);
        FInnerEdit->SelectAll();
    } else {
        SetText(text);
        Invalidate();
    }
}

bool TbsSkinCustomComboBox::eventFilter(QObject* watched, QEvent* event) {
    // A press anywhere but on the combo or its list cancels the drop-down.
    if (DroppedDown() && event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && !IsInside(widget, this) && !IsInside(widget, FDropList))
            CloseUp(false);
    }
    if (DroppedDown() && event->type() == QEvent::WindowDeactivate && watched == window())
        CloseUp(false);
    return TbsSkinCustomControl::eventFilter(watched, event);
}

// --- Mouse and keys on the combo

bool TbsSkinCustomComboBox::ComboFocused() const {
    return hasFocus() || (FInnerEdit && FInnerEdit->Editor()->hasFocus());
}

void TbsSkinCustomComboBox::SetFocus() {
    if (FInnerEdit)
        FInnerEdit->SetFocus();
    else
        TbsSkinCustomControl::SetFocus();
}

void TbsSkinCustomComboBox::SetButtonHot(bool value) {
    if (value == FButtonHot)
        return;
    FButtonHot = value;
    Invalidate();
}

void TbsSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FInnerEdit && CanFocus() && !hasFocus())
        TbsSkinCustomControl::SetFocus();
    if (Button == mbLeft) {
        const TPoint p(X, Y);
        if (PtInRect(FButtonRect, p) || (!FInnerEdit && PtInRect(FItemArea, p))) {
            FButtonPressed = true;
            Invalidate();
            if (DroppedDown())
                CloseUp(false);
            else
                DropDown();
        } else {
            CloseUp(false);
        }
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
    SetButtonHot(PtInRect(FButtonRect, TPoint(X, Y)));
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FButtonPressed) {
        FButtonPressed = false;
        Invalidate();
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinCustomComboBox::MouseLeave() {
    SetButtonHot(false);
    TbsSkinCustomControl::MouseLeave();
}

bool TbsSkinCustomComboBox::WantsKey(int key, TShiftState shift) const {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return DroppedDown();
    default:
        return TbsSkinCustomControl::WantsKey(key, shift);
    }
}

void TbsSkinCustomComboBox::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinCustomControl::KeyDown(Key, Shift);
    const int count = Items()->Count();
    const bool dropped = DroppedDown();
    const int index = ItemIndex();
    const bool alt = Shift.Contains(ssAlt);
    auto select = [&](int i) {
        if (count == 0)
            return;
        i = std::clamp(i, 0, count - 1);
        if (dropped)
            SelectInList(i);
        else
            SetItemIndex(i);
    };
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!dropped)
            return;
        CloseUp(true);
        break;
    case Qt::Key_Escape:
        if (!dropped)
            return;
        CloseUp(false);
        break;
    case Qt::Key_F4:
        if (dropped)
            CloseUp(false);
        else
            DropDown();
        break;
    case Qt::Key_PageUp:
        select(std::max(0, index - FDropDownCount - 1));
        break;
    case Qt::Key_PageDown:
        select(std::min(count - 1, index + FDropDownCount - 1));
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        if (alt) {
            CloseUp(false);
            break;
        }
        select(index <= 0 ? 0 : index - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        if (alt) {
            DropDown();
            break;
        }
        select(index + 1);
        break;
    default:
        return;
    }
    Key = 0;
}

void TbsSkinCustomComboBox::KeyPress(QChar& Key) {
    TbsSkinCustomControl::KeyPress(Key);
    if (Key.isNull() || !Key.isPrint())
        return;
    IncrementalSearch(Key);
    Key = QChar();
}

void TbsSkinCustomComboBox::IncrementalSearch(QChar ch) {
    if (FAutoComplete && FLastKeyTime.isValid() && FLastKeyTime.elapsed() < SearchPause)
        FSearchText += ch;
    else
        FSearchText = ch;
    FLastKeyTime.restart();
    TbsListBox* list = FDropList->InnerList();
    const int found = FSearchText.size() == 1 ? list->SearchPrefix(FSearchText, ItemIndex())
                                              : list->SearchPrefix(FSearchText, -1);
    if (found >= 0)
        SetItemIndex(found);
}

void TbsSkinCustomComboBox::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (FInnerEdit)
        return;
    Guarded([&] {
        const int count = Items()->Count();
        if (count == 0)
            return;
        const int step = event->angleDelta().y() > 0 ? -1 : 1;
        const int index = std::clamp(ItemIndex() + step, 0, count - 1);
        if (DroppedDown())
            SelectInList(index);
        else if (index != ItemIndex())
            SetItemIndex(index);
    });
}

void TbsSkinCustomComboBox::DoEnter() {
    Invalidate();
    TbsSkinCustomControl::DoEnter();
    if (FInnerEdit)
        FInnerEdit->SetFocus();
}

void TbsSkinCustomComboBox::DoExit() {
    if (!FInnerEdit)
        CloseUp(false);
    Invalidate();
    TbsSkinCustomControl::DoExit();
}

void TbsSkinCustomComboBox::EnabledChanged() {
    TbsSkinCustomControl::EnabledChanged();
    if (FInnerEdit)
        FInnerEdit->SetEnabled(isEnabled());
    Invalidate();
}

// --- Skin, layout and face

void TbsSkinCustomComboBox::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasComboRecord = false;
    if (const auto* r = SkinRecordAs<TbsDataSkinComboBox>()) {
        FHasComboRecord = true;
        FRecord.ItemRect = r->ItemRect;
        FRecord.FocusItemRect = r->FocusItemRect.IsEmpty() ? r->ItemRect : r->FocusItemRect;
        FRecord.ItemTextRect = r->ItemTextRect;
        FRecord.ItemLeftOffset = r->ItemLeftOffset;
        FRecord.ItemRightOffset = r->ItemRightOffset;
        FRecord.FontName = r->FontName;
        FRecord.FontHeight = r->FontHeight;
        FRecord.FontStyle = r->FontStyle;
        FRecord.FontColor = r->FontColor;
        FRecord.FocusFontColor = r->FocusFontColor;
        FRecord.ListBoxName = r->ListBoxName;
        FRecord.ButtonRect = r->ButtonRect;
        FRecord.ActiveButtonRect = r->ActiveButtonRect;
        FRecord.DownButtonRect = r->DownButtonRect;
        FRecord.UnEnabledButtonRect = r->UnEnabledButtonRect;
    }
}

void TbsSkinCustomComboBox::SetSkinData(TbsSkinData* value) {
    TbsSkinCustomControl::SetSkinData(value);
    FDropList->SetSkinData(value);
}

void TbsSkinCustomComboBox::ForgetSkin() {
    TbsSkinCustomControl::ForgetSkin();
    FHasComboRecord = false;
    FDropList->ForgetSkin();
}

void TbsSkinCustomComboBox::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    Layout();
    UpdateInnerEditLook();
    Invalidate();
    FDropList->SetSkinDataName(HasComboRecord() ? FRecord.ListBoxName : QString());
    FDropList->SetSkinData(SkinData());
    FDropList->ApplySkin();
}

void TbsSkinCustomComboBox::UpdateInnerEditLook() {
    if (!FInnerEdit)
        return;
    FetchSkinRecord();
    TFont font;
    if (HasComboRecord()) {
        AssignSkinFont(font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
        font.SetColor(FRecord.FontColor);
    } else {
        font.Assign(*Font());
    }
    FInnerEdit->SetFont(font);
    FInnerEdit->SetSeeThrough(HasComboRecord() && Picture);
}

void TbsSkinCustomComboBox::SizeChanged() {
    TbsSkinCustomControl::SizeChanged();
    Layout();
}

void TbsSkinCustomComboBox::Layout() {
    FetchSkinRecord();
    const int w = Width();
    const int h = Height();
    if (!HasComboRecord()) {
        FButtonRect = TRect(w - 19, 2, w - 2, h - 2);
        FItemArea = TRect(2, 2, FButtonRect.Left - 1, h - 2);
    } else {
        const int dx = w - SkinWidth();
        FButtonRect = FRecord.ButtonRect;
        if (FButtonRect.Left >= RTPoint.X)
            FButtonRect.Offset(dx, 0);
        FItemArea = SkinClientRect;
        FItemArea.Right += dx;
    }
    if (FInnerEdit)
        FInnerEdit->SetBounds(FItemArea.Left, FItemArea.Top, std::max(0, FItemArea.Width()),
                              std::max(0, FItemArea.Height()));
}

void TbsSkinCustomComboBox::DrawDefaultButton(TCanvas& c) {
    TbsDefaultLook look = TbsDefaultLook::Normal;
    if (FButtonPressed && FButtonHot)
        look = TbsDefaultLook::Pressed;
    else if (FButtonHot)
        look = TbsDefaultLook::Hot;
    DrawDefaultFace(c, FButtonRect, look);
    DrawArrowMark(c, FButtonRect, isEnabled() ? clBlack : clBtnShadow, TbsArrowDirection::Down);
}

void TbsSkinCustomComboBox::DrawDefaultImage(TBitmap& bitmap) {
    Layout();
    TCanvas& c = bitmap.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    c.Brush.Color = clBtnShadow;
    c.FrameRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    DrawDefaultButton(c);
    if (!FInnerEdit)
        DrawItemArea(bitmap, false);
}

void TbsSkinCustomComboBox::DrawSkinImage(TBitmap& bitmap) {
    Layout();
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    if (!HasComboRecord() || !Picture)
        return;
    TRect source;
    if (!isEnabled() && !FRecord.UnEnabledButtonRect.IsEmpty())
        source = FRecord.UnEnabledButtonRect;
    else if (FButtonPressed && FButtonHot)
        source = FRecord.DownButtonRect;
    else if (FButtonHot)
        source = FRecord.ActiveButtonRect;
    DrawPicturePiece(bitmap.Canvas(), FButtonRect, *Picture, source);
    if (!FInnerEdit)
        DrawItemArea(bitmap, true);
}

void TbsSkinCustomComboBox::DrawItemArea(TBitmap& bitmap, bool skinned) {
    if (FItemArea.IsEmpty())
        return;
    const bool focused = ComboFocused() && !DroppedDown();
    const int w = FItemArea.Width();
    const int h = FItemArea.Height();
    TBitmap area(w, h, bitmap.DevicePixelRatio());
    TCanvas& c = area.Canvas();
    TRect text(0, 0, w, h);
    if (skinned) {
        // An empty source keeps what the skin image shows there.
        area.Canvas().Draw(-FItemArea.Left, -FItemArea.Top, bitmap);
        const TRect source = focused ? FRecord.FocusItemRect : FRecord.ItemRect;
        if (!source.IsEmpty()) {
            TBitmap face;
            CreateHSkinImage(FRecord.ItemLeftOffset, FRecord.ItemRightOffset, face, w, source,
                             *Picture);
            c.Draw(0, 0, face);
        }
        if (!FRecord.ItemTextRect.IsEmpty()) {
            text = FRecord.ItemTextRect;
            text.Right += w - FRecord.ItemRect.Width();
        }
        AssignSkinFont(c.Font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
        c.Font.SetColor(focused ? FRecord.FocusFontColor : FRecord.FontColor);
    } else {
        c.Font.Assign(*Font());
        c.Brush.Style = bsSolid;
        c.Brush.Color = focused ? clHighlight : clWindow;
        c.Font.SetColor(focused ? clHighlightText : Font()->Color());
        c.FillRect(text);
    }
    const int shown = DroppedDown() ? FSavedIndex : ItemIndex();
    if (OnComboBoxDrawItem && shown >= 0) {
        FireEvent(OnComboBoxDrawItem, this, c, shown, w, h, text,
                  focused ? odFocused : TOwnerDrawState(0));
    } else {
        int indent = 0;
        if (TImageList* images = Images(); images && shown >= 0) {
            const int image = ImageIndex() >= 0 ? ImageIndex() : shown;
            if (image < images->Count())
                images->Draw(c, text.Left, text.Top + (text.Height() - images->Height()) / 2,
                             image);
            indent = images->Width() + 2;
        }
        const QString caption = shown >= 0 ? Items()->Strings(shown) : Text();
        c.Brush.Style = bsClear;
        DrawTextVCenteredOffset(c, caption, text, indent);
    }
    if (focused && !skinned)
        c.DrawFocusRect(TRect(0, 0, w, h));
    bitmap.Canvas().Draw(FItemArea.Left, FItemArea.Top, area);
}
