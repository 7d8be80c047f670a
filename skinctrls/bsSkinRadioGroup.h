#pragma once
// TbsSkinRadioGroup: a group box holding one radio button (TbsGroupButton) per item,
// arranged in columns; ItemIndex names the checked one (-1 none).

#include "skinctrls/bsSkinCheckRadioBox.h"
#include "skinctrls/bsSkinPanels.h"

#include <QStringList>
#include <vector>

// A radio button made and owned by a radio group.
class TbsGroupButton : public TbsSkinCheckRadioBox {
    Q_OBJECT
public:
    explicit TbsGroupButton(QWidget* parent = nullptr);
};

class TbsSkinRadioGroup : public TbsSkinGroupBox {
    Q_OBJECT
public:
    static constexpr int MaxColumns = 16;

    explicit TbsSkinRadioGroup(QWidget* parent = nullptr);
    ~TbsSkinRadioGroup() override;

    // One button per item, captioned by it; ItemIndex is cut to the last item.
    QStringList Items() const { return FItems; }
    void SetItems(const QStringList& value);
    // Clamped to -1 .. item count - 1.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    // Clamped to 1 .. 16.
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    QString ButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const QString& value);

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TbsGroupButton* Button(int index) const { return FButtons.at(index); }

    void SetSkinData(TbsSkinData* value) override;
    void ApplySkin() override;
    // Places the buttons in columns over the client area.
    void ArrangeButtons();

protected:
    void SizeChanged() override;
    void EnabledChanged() override;

private:
    void UpdateButtons();
    void ButtonChecked(int index);

    QStringList FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    QString FButtonSkinDataName = QStringLiteral("radiobox");
    std::vector<TbsGroupButton*> FButtons;
};
