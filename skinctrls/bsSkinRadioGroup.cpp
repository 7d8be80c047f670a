// The skinned radio group: its buttons follow the items and are arranged in columns.

#include "skinctrls/bsSkinRadioGroup.h"

#include <algorithm>

TbsGroupButton::TbsGroupButton(QWidget* parent) : TbsSkinCheckRadioBox(parent) {
    SetRadio(true);
    SetCanFocused(true);
    SetFlat(true);
    SetGroupIndex(1);
    SetSkinDataName(QStringLiteral("radiobox"));
    setVisible(false); // shown once arranged
}

TbsSkinRadioGroup::TbsSkinRadioGroup(QWidget* parent) : TbsSkinGroupBox(parent) {}

// The buttons are children and go with the group.
TbsSkinRadioGroup::~TbsSkinRadioGroup() = default;

void TbsSkinRadioGroup::SetItems(const QStringList& value) {
    FItems = value;
    UpdateButtons();
}

void TbsSkinRadioGroup::UpdateButtons() {
    while (ButtonCount() > FItems.size()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (ButtonCount() < FItems.size()) {
        auto* button = new TbsGroupButton(this);
        const int index = ButtonCount();
        button->OnClick = [this, index](TObject*) { ButtonChecked(index); };
        FButtons.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        TbsGroupButton* button = FButtons[i];
        button->SetImageIndex(i);
        button->SetSkinDataName(FButtonSkinDataName);
        button->SetUseSkinFont(UseSkinFont());
        button->SetEnabled(isEnabled());
        button->SetCaption(FItems[i]);
        button->SetSkinData(SkinData());
    }
    FItemIndex = std::min(FItemIndex, ButtonCount() - 1);
    if (FItemIndex >= 0 && !FButtons[FItemIndex]->Checked())
        FButtons[FItemIndex]->SetChecked(true);
    ArrangeButtons();
}

void TbsSkinRadioGroup::SetItemIndex(int value) {
    value = std::clamp(value, -1, ButtonCount() - 1);
    if (value == FItemIndex)
        return;
    const int previous = FItemIndex;
    FItemIndex = value;
    if (previous >= 0)
        FButtons[previous]->SetChecked(false);
    if (value >= 0)
        FButtons[value]->SetChecked(true);
}

void TbsSkinRadioGroup::ButtonChecked(int index) {
    SetItemIndex(index);
    FireEvent(OnClick, this);
}

void TbsSkinRadioGroup::SetColumns(int value) {
    FColumns = std::clamp(value, 1, MaxColumns);
    ArrangeButtons();
    Invalidate();
}

void TbsSkinRadioGroup::SetButtonSkinDataName(const QString& value) {
    FButtonSkinDataName = value;
    for (TbsGroupButton* button : FButtons)
        button->SetSkinDataName(value);
}

void TbsSkinRadioGroup::SetSkinData(TbsSkinData* value) {
    TbsSkinGroupBox::SetSkinData(value);
    for (TbsGroupButton* button : FButtons)
        button->SetSkinData(value);
    ArrangeButtons();
}

void TbsSkinRadioGroup::ApplySkin() {
    TbsSkinGroupBox::ApplySkin();
    ArrangeButtons();
}

void TbsSkinRadioGroup::SizeChanged() {
    TbsSkinGroupBox::SizeChanged();
    ArrangeButtons();
}

void TbsSkinRadioGroup::EnabledChanged() {
    for (TbsGroupButton* button : FButtons)
        button->SetEnabled(isEnabled());
    TbsSkinGroupBox::EnabledChanged();
}

void TbsSkinRadioGroup::ArrangeButtons() {
    if (FButtons.empty())
        return;
    TRect area = ClientRect();
    AdjustClientRect(area);
    const int count = ButtonCount();
    const int rows = (count + FColumns - 1) / FColumns;
    const int columnWidth = area.Width() / FColumns - 2;
    const int rowHeight = area.Height() / rows;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        TbsGroupButton* button = FButtons[i];
        button->SetBounds(column * columnWidth + area.Left + 1, row * rowHeight + area.Top,
                          columnWidth, rowHeight);
        button->setVisible(true);
    }
}
