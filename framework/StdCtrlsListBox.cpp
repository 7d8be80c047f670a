#include "framework/StdCtrls.h"

#include "framework/ControlBorders.h"
#include "framework/Exceptions.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <numeric>

using namespace ControlBorders;

// ---------------------------------------------------------------------------------------
// TListBoxStrings: the list box's items.

class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox& list) : FList(list) {}

    int Count() const override { return static_cast<int>(FItems.size()); }
    QString Strings(int index) const override {
        CheckIndex(index, Count());
        return FItems[static_cast<size_t>(index)].Text;
    }
    void SetStrings(int index, const QString& s) override {
        CheckIndex(index, Count());
        FItems[static_cast<size_t>(index)].Text = s;
        Changed();
    }
    void* Objects(int index) const override {
        CheckIndex(index, Count());
        return FItems[static_cast<size_t>(index)].Object;
    }
    void SetObjects(int index, void* object) override {
        CheckIndex(index, Count());
        FItems[static_cast<size_t>(index)].Object = object;
    }
    void Insert(int index, const QString& s) override { InsertObject(index, s, nullptr); }
    void InsertObject(int index, const QString& s, void* object) override {
        if (index < 0 || index > Count())
            ListIndexError(index);
        FItems.insert(FItems.begin() + index, Item{s, object});
        FList.FSelectedFlags.insert(FList.FSelectedFlags.begin() + index, false);
        if (FList.FItemIndex >= index)
            ++FList.FItemIndex;
        if (FList.FAnchor >= index)
            ++FList.FAnchor;
        Changed();
    }
    int Add(const QString& s) override { return AddObject(s, nullptr); }
    int AddObject(const QString& s, void* object) override {
        int index = FList.FSorted ? SortedPlace(s) : Count();
        InsertObject(index, s, object);
        return index;
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        FItems.erase(FItems.begin() + index);
        FList.FSelectedFlags.erase(FList.FSelectedFlags.begin() + index);
        ShiftAfterDelete(FList.FItemIndex, index);
        ShiftAfterDelete(FList.FAnchor, index);
        Changed();
    }
    void Clear() override {
        FItems.clear();
        FList.FSelectedFlags.clear();
        FList.FItemIndex = -1;
        FList.FAnchor = -1;
        FList.FTopIndex = 0;
        Changed();
    }
    void AssignOrdered(const QStringList& items) {
        FItems.clear();
        FItems.reserve(size_t(items.size()));
        for (const QString& text : items)
            FItems.push_back(Item{text, nullptr});
        FList.FSelectedFlags.assign(FItems.size(), false);
        FList.FItemIndex = -1;
        FList.FAnchor = -1;
        FList.FTopIndex = 0;
        Changed();
    }
    // Sorts the items in the list's order, keeping equal items in their order and the
    // selection on its items.
    void Sort() {
        std::vector<size_t> order(FItems.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
            return CompareStrings(FItems[a].Text, FItems[b].Text) < 0;
        });
        std::vector<Item> items;
        std::vector<bool> selected;
        int itemIndex = -1, anchor = -1;
        for (size_t i = 0; i < order.size(); ++i) {
            items.push_back(FItems[order[i]]);
            selected.push_back(FList.FSelectedFlags[order[i]]);
            if (static_cast<int>(order[i]) == FList.FItemIndex)
                itemIndex = static_cast<int>(i);
            if (static_cast<int>(order[i]) == FList.FAnchor)
                anchor = static_cast<int>(i);
        }
        FItems = std::move(items);
        FList.FSelectedFlags = std::move(selected);
        FList.FItemIndex = itemIndex;
        FList.FAnchor = anchor;
        Changed();
    }

protected:
    void SetUpdateState(bool updating) override {
        if (!updating)
            FList.ItemsChanged();
    }

private:
    struct Item {
        QString Text;
        void* Object = nullptr;
    };
    // After the last item that does not come after `s`.
    int SortedPlace(const QString& s) const {
        auto place = std::upper_bound(FItems.begin(), FItems.end(), s,
                                      [this](const QString& value, const Item& item) {
                                          return CompareStrings(value, item.Text) < 0;
                                      });
        return static_cast<int>(place - FItems.begin());
    }
    static void ShiftAfterDelete(int& position, int deleted) {
        if (position == deleted)
            position = -1;
        else if (position > deleted)
            --position;
    }
    void Changed() {
        if (UpdateCount() == 0)
            FList.ItemsChanged();
    }

    TCustomListBox& FList;
    std::vector<Item> FItems;
};

// ---------------------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(QWidget* parent)
    : TCustomControl(parent), FItems(std::make_unique<TListBoxStrings>(*this)),
      FScrollBar(new QScrollBar(Qt::Vertical, this)) {
    // Click is the notification of a user's change of the selection; double clicks are
    // raised from MouseDown.
    SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
    SetColor(clWindow);
    SetTabStop(true);
    FScrollBar->hide();
    FScrollBar->setFocusPolicy(Qt::NoFocus);
    connect(FScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { Guarded([&] { SetTopIndex(value); }); });
    SetBounds(Left(), Top(), 121, 97);
}

TCustomListBox::~TCustomListBox() {
    FScrollBar->disconnect(this);
}

void TCustomListBox::SetItems(const TStrings& items) {
    FItems->Assign(items);
}

void TCustomListBox::SetOrderedItems(const QStringList& items) {
    static_cast<TListBoxStrings*>(FItems.get())->AssignOrdered(items);
}

int TCustomListBox::Count() const {
    return FItems->Count();
}

void TCustomListBox::Clear() {
    FItems->Clear();
}

void TCustomListBox::ItemsChanged() {
    if (FItemIndex >= Count())
        FItemIndex = -1;
    SetTopIndex(FTopIndex);
    ScrollChanged();
    Invalidate();
}

void TCustomListBox::SetItemIndex(int index) {
    if (index < 0 || index >= Count())
        index = -1;
    if (!FMultiSelect) {
        std::fill(FSelectedFlags.begin(), FSelectedFlags.end(), false);
        if (index >= 0)
            FSelectedFlags[static_cast<size_t>(index)] = true;
    }
    FItemIndex = index;
    FAnchor = index;
    if (index >= 0)
        MakeVisible(index);
    Invalidate();
}

void TCustomListBox::SetTopIndex(int index) {
    int top = std::clamp(index, 0, std::max(0, Count() - PageSize()));
    if (top == FTopIndex)
        return;
    FTopIndex = top;
    ScrollChanged();
    Invalidate();
}

int TCustomListBox::ItemHeight() const {
    if (FStyle == lbOwnerDrawFixed)
        return FItemHeight;
    return std::max(1, QFontMetrics(Font()->ToQFont()).height());
}

void TCustomListBox::SetItemHeight(int height) {
    if (height < 1 || height == FItemHeight)
        return;
    FItemHeight = height;
    SetTopIndex(FTopIndex);
    ScrollChanged();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == FStyle)
        return;
    FStyle = style;
    SetTopIndex(FTopIndex);
    ScrollChanged();
    Invalidate();
}

void TCustomListBox::SetSorted(bool value) {
    if (value == FSorted)
        return;
    FSorted = value;
    if (value)
        static_cast<TListBoxStrings*>(FItems.get())->Sort();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect)
        return;
    FMultiSelect = value;
    std::fill(FSelectedFlags.begin(), FSelectedFlags.end(), false);
    if (!value && FItemIndex >= 0)
        FSelectedFlags[static_cast<size_t>(FItemIndex)] = true;
    Invalidate();
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FSelectedFlags[static_cast<size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (!FMultiSelect) {
        // A single selection is the item index.
        if (value)
            SetItemIndex(index);
        else if (index == FItemIndex)
            SetItemIndex(-1);
        return;
    }
    FSelectedFlags[static_cast<size_t>(index)] = value;
    Invalidate();
}

int TCustomListBox::SelCount() const {
    return static_cast<int>(std::count(FSelectedFlags.begin(), FSelectedFlags.end(), true));
}

void TCustomListBox::ClearSelection() {
    std::fill(FSelectedFlags.begin(), FSelectedFlags.end(), false);
    if (!FMultiSelect)
        FItemIndex = -1;
    Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle style) {
    style = style == bsNone ? bsNone : bsSingle;
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    UpdateNativeScrollBar();
    ScrollChanged();
    Invalidate();
}

void TCustomListBox::SetCtl3D(bool value) {
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    UpdateNativeScrollBar();
    ScrollChanged();
    Invalidate();
}

int TCustomListBox::BorderWidth() const {
    return ControlBorderWidth(FBorderStyle, FCtl3D);
}

TRect TCustomListBox::ClientRect() const {
    TRect r = InsideBorder(this, BorderWidth());
    if (FScrollBar->isVisibleTo(this))
        r.Right = std::max(r.Left, r.Right - FScrollBar->width());
    return r;
}

void TCustomListBox::SetNativeScrollBar(bool value) {
    if (value == FNativeScrollBar)
        return;
    FNativeScrollBar = value;
    UpdateNativeScrollBar();
    Invalidate();
}

int TCustomListBox::PageSize() const {
    return std::max(1, ClientRect().Height() / ItemHeight());
}

TScrollInfo TCustomListBox::ScrollInfo() const {
    return TScrollInfo{0, std::max(0, Count() - 1), PageSize(), FTopIndex};
}

void TCustomListBox::MakeVisible(int index) {
    if (index < 0 || index >= Count())
        return;
    if (index < FTopIndex)
        SetTopIndex(index);
    else if (index >= FTopIndex + PageSize())
        SetTopIndex(index - PageSize() + 1);
}

int TCustomListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    TRect client = ClientRect();
    if (!PtInRect(client, pos))
        return -1;
    int index = FTopIndex + (pos.Y - client.Top) / ItemHeight();
    if (index < Count())
        return index;
    return existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int index) const {
    TRect client = ClientRect();
    int top = client.Top + (index - FTopIndex) * ItemHeight();
    return TRect(client.Left, top, client.Right, top + ItemHeight());
}

int TCustomListBox::SearchPrefix(const QString& text, int startIndex) const {
    const int count = Count();
    if (text.isEmpty() || count == 0)
        return -1;
    int start = startIndex < 0 || startIndex >= count ? 0 : startIndex + 1;
    for (int i = 0; i < count; ++i) {
        int index = (start + i) % count;
        if (FItems->Strings(index).startsWith(text, Qt::CaseInsensitive))
            return index;
    }
    return -1;
}

void TCustomListBox::UpdateNativeScrollBar() {
    int border = BorderWidth();
    int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    FScrollBar->setGeometry(width() - border - extent, border, extent,
                            std::max(0, height() - 2 * border));
    int page = std::max(1, (height() - 2 * border) / ItemHeight());
    bool show = FNativeScrollBar && Count() > page;
    FScrollBar->setVisible(show);
    QSignalBlocker blocker(FScrollBar);
    FScrollBar->setRange(0, std::max(0, Count() - page));
    FScrollBar->setPageStep(page);
    FScrollBar->setValue(FTopIndex);
}

void TCustomListBox::ScrollChanged() {
    UpdateNativeScrollBar();
    TScrollInfo info = ScrollInfo();
    if (info == FNotifiedScroll)
        return;
    FNotifiedScroll = info;
    FireEvent(OnScroll, this);
}

void TCustomListBox::SizeChanged() {
    TCustomControl::SizeChanged();
    SetTopIndex(FTopIndex);
    ScrollChanged();
}

void TCustomListBox::FontChanged() {
    TCustomControl::FontChanged();
    SetTopIndex(FTopIndex);
    ScrollChanged();
}

// --- Selection by the user

void TCustomListBox::SelectRange(int from, int to) {
    std::fill(FSelectedFlags.begin(), FSelectedFlags.end(), false);
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        FSelectedFlags[static_cast<size_t>(i)] = true;
}

void TCustomListBox::UserSelect(int index, TShiftState shift) {
    if (Count() == 0)
        return;
    index = std::clamp(index, 0, Count() - 1);
    std::vector<bool> before = FSelectedFlags;
    int oldIndex = FItemIndex;
    if (!FMultiSelect) {
        SelectRange(index, index);
        FAnchor = index;
    } else if (shift.Contains(ssShift) && FAnchor >= 0) {
        SelectRange(FAnchor, index);
    } else if (shift.Contains(ssCtrl)) {
        FSelectedFlags[static_cast<size_t>(index)] = !FSelectedFlags[static_cast<size_t>(index)];
        FAnchor = index;
    } else {
        SelectRange(index, index);
        FAnchor = index;
    }
    FItemIndex = index;
    MakeVisible(index);
    Invalidate();
    if (FItemIndex != oldIndex || FSelectedFlags != before)
        Click();
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus() && !hasFocus())
            setFocus(Qt::MouseFocusReason);
        if (Shift.Contains(ssDouble)) {
            DblClick();
        } else {
            int index = ItemAtPos(TPoint(X, Y), true);
            if (index >= 0) {
                FTracking = true;
                UserSelect(index, Shift);
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (FTracking && Shift.Contains(ssLeft)) {
        TRect client = ClientRect();
        int y = std::clamp(Y, client.Top, client.Bottom - 1);
        int index = ItemAtPos(TPoint(std::clamp(X, client.Left, client.Right - 1), y), true);
        if (index >= 0 && index != FItemIndex) {
            // Dragging extends a multi-selection from where the press landed.
            TShiftState drag = FMultiSelect ? TShiftState(ssShift) : TShiftState();
            UserSelect(index, drag);
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FTracking = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomListBox::KeyDown(int& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || Count() == 0)
        return;
    const int page = PageSize();
    int index = FItemIndex;
    switch (Key) {
    case Qt::Key_Up:
        index = index < 0 ? 0 : index - 1;
        break;
    case Qt::Key_Down:
        index = index + 1;
        break;
    case Qt::Key_PageUp:
        index = index < 0 ? 0 : index - (page - 1 > 0 ? page - 1 : 1);
        break;
    case Qt::Key_PageDown:
        index = index < 0 ? 0 : index + (page - 1 > 0 ? page - 1 : 1);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = Count() - 1;
        break;
    default:
        return;
    }
    Key = 0;
    TShiftState keep = Shift.Contains(ssShift) ? TShiftState(ssShift) : TShiftState();
    UserSelect(index, keep);
}

void TCustomListBox::KeyPress(QChar& Key) {
    TCustomControl::KeyPress(Key);
    if (Key.isNull() || !Key.isPrint())
        return;
    // Type-to-find: characters typed within half a second make one prefix.
    if (FSearchTimer.isValid() && FSearchTimer.elapsed() < 500)
        FSearchText += Key;
    else
        FSearchText = Key;
    FSearchTimer.restart();
    int found = FSearchText.size() == 1 ? SearchPrefix(FSearchText, FItemIndex)
                                        : SearchPrefix(FSearchText, FItemIndex - 1);
    if (found >= 0)
        UserSelect(found, TShiftState());
    Key = QChar();
}

bool TCustomListBox::WantsKey(int key, TShiftState shift) const {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return TCustomControl::WantsKey(key, shift);
    }
}

void TCustomListBox::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / 120;
    if (steps == 0 && event->angleDelta().y() != 0)
        steps = event->angleDelta().y() > 0 ? 1 : -1;
    Guarded([&] { SetTopIndex(FTopIndex - 3 * steps); });
    event->accept();
}

void TCustomListBox::DoEnter() {
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomListBox::DoExit() {
    FTracking = false;
    Invalidate();
    TCustomControl::DoExit();
}

// --- Painting

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas& canvas = *Canvas();
    if (FStyle == lbOwnerDrawFixed && OnDrawItem) {
        FireEvent(OnDrawItem, this, index, rect, state);
    } else {
        canvas.FillRect(rect);
        canvas.TextRect(rect, rect.Left + 2, rect.Top, FItems->Strings(index));
    }
    if (state & odFocused)
        canvas.DrawFocusRect(rect);
}

void TCustomListBox::Paint() {
    TCanvas& canvas = *Canvas();
    int saved = canvas.SaveState();
    TRect client = ClientRect();
    canvas.IntersectClipRect(client);
    int bottom = client.Top;
    for (int i = FTopIndex; i < Count(); ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= client.Bottom)
            break;
        bool selected = FSelectedFlags[static_cast<size_t>(i)];
        TOwnerDrawState state = 0;
        if (selected)
            state |= odSelected;
        if (i == FItemIndex && hasFocus())
            state |= odFocused;
        if (!isEnabled())
            state |= odDisabled;
        canvas.Font.Assign(*Font());
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = selected ? clHighlight : Color();
        if (selected)
            canvas.Font.SetColor(clHighlightText);
        else if (!isEnabled())
            canvas.Font.SetColor(clGrayText);
        DrawItem(i, r, state);
        bottom = r.Bottom;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color();
    canvas.FillRect(TRect(client.Left, bottom, client.Right, client.Bottom));
    canvas.RestoreState(saved);
    PaintControlBorder(canvas, width(), height(), FBorderStyle, FCtl3D);
}
