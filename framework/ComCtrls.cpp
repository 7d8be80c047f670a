#include "framework/ComCtrls.h"

#include "framework/ImgList.h"
#include "framework/InnerEditor.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <unordered_map>

namespace {

// Reads a Qt scroll bar the platform's way: Max is the last unit of the whole range.
TScrollInfo PlatformScrollInfo(const QScrollBar* bar) {
    TScrollInfo info;
    info.Min = bar->minimum();
    info.Page = bar->pageStep();
    info.Pos = bar->value();
    info.Max = bar->maximum() > bar->minimum() ? bar->maximum() + bar->pageStep() - 1 : 0;
    return info;
}

Qt::Alignment QtAlignmentOf(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Icons made from an image list once per image; rebuilt when the list changes its size.
class TIconCache {
public:
    QIcon Icon(const TImageList* images, int index) {
        if (!images || index < 0 || index >= images->Count())
            return {};
        if (images != FImages || images->Width() != FWidth) {
            FIcons.clear();
            FImages = images;
            FWidth = images->Width();
        }
        auto found = FIcons.find(index);
        if (found != FIcons.end())
            return found->second;
        QIcon icon = images->Icon(index);
        FIcons.emplace(index, icon);
        return icon;
    }
    void Clear() { FIcons.clear(); }

private:
    const TImageList* FImages = nullptr;
    int FWidth = 0;
    std::unordered_map<int, QIcon> FIcons;
};

} // namespace

// ---------------------------------------------------------------- label editing

// Ends a label edit through the view, which may refuse or change the new text.
class TTreeLabelDelegate : public QStyledItemDelegate {
public:
    explicit TTreeLabelDelegate(TCustomTreeView* view) : QStyledItemDelegate(view), FView(view) {}
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        auto* item = FView->FTree->itemFromIndex(index);
        auto* node =
            item && item->type() == TTreeNode::NodeType ? static_cast<TTreeNode*>(item) : nullptr;
        if (!line || !node)
            return;
        QString text = line->text();
        bool accepted = false;
        Guarded([&] { accepted = FView->Edited(node, text); });
        if (accepted)
            node->SetText(text);
    }

private:
    TCustomTreeView* FView;
};

class TListLabelDelegate : public QStyledItemDelegate {
public:
    explicit TListLabelDelegate(TCustomListView* view) : QStyledItemDelegate(view), FView(view) {}
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        TListItem* item = FView->Items()->Item(index.row());
        if (!line || !item)
            return;
        QString text = line->text();
        bool accepted = false;
        Guarded([&] { accepted = FView->Edited(item, text); });
        if (accepted)
            item->SetCaption(text);
    }

private:
    TCustomListView* FView;
};

// ---------------------------------------------------------------- TTreeNode

TTreeNode::TTreeNode(const QString& text) : QTreeWidgetItem(NodeType) {
    setText(0, text);
    setFlags(flags() | Qt::ItemIsEditable);
}

TTreeNode::~TTreeNode() = default;

static TTreeNode* AsNode(QTreeWidgetItem* item) {
    return item && item->type() == TTreeNode::NodeType ? static_cast<TTreeNode*>(item) : nullptr;
}

TTreeNode* TTreeNode::Parent() const {
    return AsNode(parent());
}

TTreeNode* TTreeNode::Item(int index) const {
    return AsNode(child(index));
}

TTreeNode* TTreeNode::GetNextSibling() const {
    if (QTreeWidgetItem* p = parent())
        return AsNode(p->child(p->indexOfChild(const_cast<TTreeNode*>(this)) + 1));
    if (QTreeWidget* tree = treeWidget())
        return AsNode(
            tree->topLevelItem(tree->indexOfTopLevelItem(const_cast<TTreeNode*>(this)) + 1));
    return nullptr;
}

int TTreeNode::Level() const {
    int level = 0;
    for (QTreeWidgetItem* p = parent(); p; p = p->parent())
        ++level;
    return level;
}

int TTreeNode::Index() const {
    auto* self = const_cast<TTreeNode*>(this);
    if (QTreeWidgetItem* p = parent())
        return p->indexOfChild(self);
    return treeWidget() ? treeWidget()->indexOfTopLevelItem(self) : -1;
}

bool TTreeNode::HasChildren() const {
    return childCount() > 0 || childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void TTreeNode::SetHasChildren(bool value) {
    setChildIndicatorPolicy(value ? QTreeWidgetItem::ShowIndicator
                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TTreeNode::Expand(bool recurse) {
    setExpanded(true);
    if (recurse)
        for (int i = 0; i < childCount(); ++i)
            Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (int i = 0; i < childCount(); ++i)
            Item(i)->Collapse(true);
    setExpanded(false);
}

void TTreeNode::MakeVisible() {
    for (QTreeWidgetItem* p = parent(); p; p = p->parent())
        p->setExpanded(true);
    if (QTreeWidget* tree = treeWidget())
        tree->scrollToItem(this);
}

void TTreeNode::DeleteChildren() {
    qDeleteAll(takeChildren());
}

void TTreeNode::SetImageIndex(int value) {
    FImageIndex = value;
    emitDataChanged();
}

void TTreeNode::SetSelectedIndex(int value) {
    FSelectedIndex = value;
    emitDataChanged();
}

QVariant TTreeNode::data(int column, int role) const {
    if (role == Qt::DecorationRole && column == 0) {
        auto* view =
            treeWidget() ? qobject_cast<TCustomTreeView*>(treeWidget()->parentWidget()) : nullptr;
        TImageList* images = view ? view->Images() : nullptr;
        if (!images)
            return {};
        const int index = isSelected() && FSelectedIndex >= 0 ? FSelectedIndex : FImageIndex;
        if (index < 0 || index >= images->Count())
            return {};
        return images->Icon(index);
    }
    return QTreeWidgetItem::data(column, role);
}

// ---------------------------------------------------------------- TTreeNodes

int TTreeNodes::Count() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(FOwner->FTree); *it; ++it)
        ++count;
    return count;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
    return Root(0);
}

int TTreeNodes::RootCount() const {
    return FOwner->FTree->topLevelItemCount();
}

TTreeNode* TTreeNodes::Root(int index) const {
    return AsNode(FOwner->FTree->topLevelItem(index));
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const QString& text) {
    auto* node = new TTreeNode(text);
    if (FOwner->FReadOnly)
        node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    if (parent)
        parent->addChild(node);
    else
        FOwner->FTree->addTopLevelItem(node);
    return node;
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const QString& text) {
    if (!sibling)
        return AddChild(nullptr, text);
    auto* node = new TTreeNode(text);
    if (FOwner->FReadOnly)
        node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    if (QTreeWidgetItem* p = sibling->parent())
        p->insertChild(p->indexOfChild(sibling), node);
    else
        FOwner->FTree->insertTopLevelItem(FOwner->FTree->indexOfTopLevelItem(sibling), node);
    return node;
}

void TTreeNodes::Delete(TTreeNode* node) {
    delete node;
}

void TTreeNodes::Clear() {
    FOwner->FTree->clear();
}

void TTreeNodes::BeginUpdate() {
    if (FUpdating++ == 0)
        FOwner->FTree->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    if (FUpdating > 0 && --FUpdating == 0)
        FOwner->FTree->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- TCustomTreeView

TCustomTreeView::TCustomTreeView(QWidget* parent)
    : TEditorHost(parent), FTree(new TInnerEditor<QTreeWidget>(this)), FNodes(this) {
    FTree->setFrameShape(QFrame::NoFrame);
    FTree->setHeaderHidden(true);
    FTree->setColumnCount(1);
    FTree->setUniformRowHeights(true);
    FTree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FTree->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    FTree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    FTree->setItemDelegate(new TTreeLabelDelegate(this));
    FTree->setContextMenuPolicy(Qt::DefaultContextMenu);
    // A long name widens the column, so the view scrolls sideways instead of cutting it.
    FTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FTree->header()->setStretchLastSection(false);
    connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (TTreeNode* node = AsNode(current))
            Guarded([&] { Change(node); });
    });
    connect(FTree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { ItemExpanded(item); });
    connect(FTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (TTreeNode* node = AsNode(item))
            Guarded([&] { Collapsed(node); });
    });
    for (QScrollBar* bar : {FTree->verticalScrollBar(), FTree->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::rangeChanged, this,
                [this] { Guarded([this] { ScrollChanged(); }); });
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { Guarded([this] { ScrollChanged(); }); });
    }
    SetEditorWidget(FTree);
    SetBounds(Left(), Top(), 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
    FTree->disconnect(this);
    for (QScrollBar* bar : {FTree->verticalScrollBar(), FTree->horizontalScrollBar()})
        bar->disconnect(this);
    // Nodes free their data while the view still exists.
    FTree->clear();
}

void TCustomTreeView::ItemExpanded(QTreeWidgetItem* item) {
    TTreeNode* node = AsNode(item);
    if (!node || FExpanding)
        return;
    bool allowed = true;
    Guarded([&] { allowed = CanExpand(node); });
    if (!allowed) {
        FExpanding = true;
        node->setExpanded(false);
        FExpanding = false;
        return;
    }
    Guarded([&] { Expanded(node); });
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allowed = true;
    if (OnExpanding)
        OnExpanding(this, node, allowed);
    return allowed;
}

void TCustomTreeView::Expanded(TTreeNode* node) {
    if (OnExpanded)
        OnExpanded(this, node);
}

void TCustomTreeView::Collapsed(TTreeNode* node) {
    if (OnCollapsed)
        OnCollapsed(this, node);
}

void TCustomTreeView::Change(TTreeNode* node) {
    if (OnChange)
        OnChange(this, node);
}

bool TCustomTreeView::Edited(TTreeNode* node, QString& text) {
    if (OnEdited)
        OnEdited(this, node, text);
    return true;
}

TTreeNode* TCustomTreeView::Selected() const {
    return AsNode(FTree->currentItem());
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (!node) {
        FTree->clearSelection();
        FTree->setCurrentItem(nullptr);
        return;
    }
    FTree->setCurrentItem(node);
    node->setSelected(true);
}

TTreeNode* TCustomTreeView::TopItem() const {
    return AsNode(FTree->itemAt(0, 0));
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    if (node)
        FTree->scrollToItem(node, QAbstractItemView::PositionAtTop);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    const QPoint p = FTree->viewport()->mapFrom(this, QPoint(x, y));
    return AsNode(FTree->itemAt(p));
}

void TCustomTreeView::SetImages(TImageList* images) {
    FImages = images;
    FTree->viewport()->update();
}

void TCustomTreeView::SetReadOnly(bool value) {
    FReadOnly = value;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        (*it)->setFlags(value ? (*it)->flags() & ~Qt::ItemIsEditable
                              : (*it)->flags() | Qt::ItemIsEditable);
}

bool TCustomTreeView::ShowButtons() const {
    return FTree->itemsExpandable();
}

void TCustomTreeView::SetShowButtons(bool value) {
    FTree->setItemsExpandable(value);
}

bool TCustomTreeView::ShowRoot() const {
    return FShowRoot;
}

void TCustomTreeView::SetShowRoot(bool value) {
    FShowRoot = value;
    FTree->setRootIsDecorated(value);
}

void TCustomTreeView::SetNativeScrollBarsHidden(bool hidden) {
    const auto policy = hidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    FTree->setVerticalScrollBarPolicy(policy);
    FTree->setHorizontalScrollBarPolicy(policy);
}

int TCustomTreeView::ShownNodeCount() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
        bool shown = true;
        for (QTreeWidgetItem* p = (*it)->parent(); p && shown; p = p->parent())
            shown = p->isExpanded();
        if (shown)
            ++count;
    }
    return count;
}

int TCustomTreeView::VisibleCount() const {
    QTreeWidgetItem* first = FTree->topLevelItem(0);
    const int rowHeight = first ? FTree->visualItemRect(first).height() : 0;
    const int height = FTree->viewport()->height();
    return rowHeight > 0 ? height / rowHeight : 0;
}

TScrollInfo TCustomTreeView::ScrollInfo(TScrollBarKind kind) const {
    if (kind == sbHorizontal)
        return PlatformScrollInfo(FTree->horizontalScrollBar());
    // Vertically the unit is a shown node: the range covers all of them.
    TScrollInfo info;
    info.Max = std::max(0, ShownNodeCount() - 1);
    info.Page = VisibleCount();
    info.Pos = FTree->verticalScrollBar()->value();
    return info;
}

void TCustomTreeView::ScrollToPosition(TScrollBarKind kind, int position) {
    QScrollBar* bar =
        kind == sbVertical ? FTree->verticalScrollBar() : FTree->horizontalScrollBar();
    bar->setValue(position);
}

// ---------------------------------------------------------------- list items

TListItems::~TListItems() = default;

void TListItem::SetCaption(const QString& value) {
    FCaption = value;
    Changed();
}

void TListItem::SetSubItems(const QStringList& value) {
    FSubItems = value;
    Changed();
}

void TListItem::SetImageIndex(int value) {
    FImageIndex = value;
    Changed();
}

bool TListItem::Selected() const {
    return FOwner->FOwner->IsSelected(FIndex);
}

void TListItem::SetSelected(bool value) {
    FOwner->FOwner->SetSelected(FIndex, value);
}

bool TListItem::Focused() const {
    return FOwner->FOwner->ItemIndex() == FIndex;
}

void TListItem::Changed() {
    FOwner->ItemChanged(FIndex);
}

// ---------------------------------------------------------------- the list model

class TListViewModel : public QAbstractTableModel {
public:
    explicit TListViewModel(TCustomListView* view) : QAbstractTableModel(view), FView(view) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : FView->Items()->Count();
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : std::max(1, FView->ColumnCount());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            TListItem* item = FView->Items()->Item(index.row());
            if (!item)
                return {};
            return column == 0 ? item->Caption() : item->SubItems().value(column - 1);
        }
        case Qt::DecorationRole: {
            if (column != 0)
                return {};
            TListItem* item = FView->Items()->Item(index.row());
            if (!item)
                return {};
            const bool large = FView->ViewStyle() == vsIcon;
            return large ? FLargeIcons.Icon(FView->LargeImages(), item->ImageIndex())
                         : FSmallIcons.Icon(FView->SmallImages(), item->ImageIndex());
        }
        case Qt::TextAlignmentRole:
            if (FView->ViewStyle() == vsIcon)
                return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignTop));
            if (FView->ViewStyle() != vsReport || column >= FView->ColumnCount())
                return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            return QVariant::fromValue(QtAlignmentOf(FView->Column(column).Alignment));
        case Qt::SizeHintRole:
            if (FView->ViewStyle() == vsList || FView->ViewStyle() == vsSmallIcon)
                return UniformSize();
            return {};
        default:
            return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        if (index.column() == 0 && !FView->ReadOnly())
            f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section >= FView->ColumnCount())
            return {};
        const TListColumn& column = FView->Column(section);
        if (role == Qt::DisplayRole)
            return column.Caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(QtAlignmentOf(column.Alignment));
        if (role == Qt::DecorationRole)
            return FSmallIcons.Icon(FView->SmallImages(), column.ImageIndex);
        return {};
    }

    void Reset() {
        beginResetModel();
        FUniformSize = QSize();
        FLargeIcons.Clear();
        FSmallIcons.Clear();
        endResetModel();
    }
    void BeginInsert(int row) { beginInsertRows({}, row, row); }
    void EndInsert() {
        FUniformSize = QSize();
        endInsertRows();
    }
    void BeginRemove(int row) { beginRemoveRows({}, row, row); }
    void EndRemove() {
        FUniformSize = QSize();
        endRemoveRows();
    }
    void RowChanged(int row) {
        FUniformSize = QSize();
        emit dataChanged(index(row, 0), index(row, columnCount({}) - 1));
    }
    void ColumnsChanged() {
        beginResetModel();
        endResetModel();
    }
    void LooksChanged() {
        FUniformSize = QSize();
        FLargeIcons.Clear();
        FSmallIcons.Clear();
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    }

private:
    // Every item as wide as the widest caption, as the list style lays out its columns.
    QSize UniformSize() const {
        if (FUniformSize.isValid())
            return FUniformSize;
        const QFontMetrics metrics(FView->IconView()->font());
        // Measuring every caption is the slow part of a long listing: the captions that look
        // widest by their characters (wide script counting double) are the ones measured.
        const TListItems* items = FView->Items();
        std::vector<std::pair<int, int>> estimates; // (estimated width, item)
        estimates.reserve(size_t(items->Count()));
        for (int i = 0; i < items->Count(); ++i) {
            int estimate = 0;
            for (QChar ch : items->Item(i)->Caption())
                estimate += ch.unicode() >= 0x2E80 ? 2 : 1;
            estimates.emplace_back(estimate, i);
        }
        const size_t measured = std::min<size_t>(estimates.size(), 32);
        std::partial_sort(estimates.begin(), estimates.begin() + qsizetype(measured),
                          estimates.end(), std::greater<>());
        int widest = 0;
        for (size_t i = 0; i < measured; ++i)
            widest = std::max(
                widest, metrics.horizontalAdvance(items->Item(estimates[i].second)->Caption()));
        const TImageList* images = FView->SmallImages();
        const int imageWidth = images ? images->Width() : 0;
        const int imageHeight = images ? images->Height() : 0;
        FUniformSize = QSize(widest + imageWidth + 12, std::max(metrics.height(), imageHeight) + 2);
        return FUniformSize;
    }

    TCustomListView* FView;
    mutable QSize FUniformSize;
    mutable TIconCache FLargeIcons;
    mutable TIconCache FSmallIcons;
};

// ---------------------------------------------------------------- TListItems

void TListItems::SetCount(int count) {
    FItems.clear();
    FItems.resize(size_t(std::max(0, count)));
    FOwner->FModel->Reset();
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    std::unique_ptr<TListItem>& slot = FItems[size_t(index)];
    if (!slot) {
        slot = std::make_unique<TListItem>(const_cast<TListItems*>(this), index);
        Guarded([&] { FOwner->FetchItem(*slot); });
    }
    return slot.get();
}

TListItem* TListItems::Add() {
    const int index = Count();
    if (!FUpdating)
        FOwner->FModel->BeginInsert(index);
    FItems.push_back(std::make_unique<TListItem>(this, index));
    if (!FUpdating)
        FOwner->FModel->EndInsert();
    else
        FResetPending = true;
    return FItems.back().get();
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    if (!FUpdating)
        FOwner->FModel->BeginRemove(index);
    FItems.erase(FItems.begin() + index);
    Renumber(index);
    if (!FUpdating)
        FOwner->FModel->EndRemove();
    else
        FResetPending = true;
}

void TListItems::Clear() {
    FItems.clear();
    if (FUpdating)
        FResetPending = true;
    else
        FOwner->FModel->Reset();
}

void TListItems::Invalidate() {
    if (!FOwner->OwnerData())
        return;
    for (auto& item : FItems)
        item.reset();
    FOwner->FModel->LooksChanged();
}

void TListItems::BeginUpdate() {
    ++FUpdating;
}

void TListItems::EndUpdate() {
    if (FUpdating == 0 || --FUpdating > 0)
        return;
    if (FResetPending) {
        FResetPending = false;
        FOwner->FModel->Reset();
    }
}

void TListItems::Renumber(int from) {
    for (size_t i = size_t(from); i < FItems.size(); ++i)
        if (FItems[i])
            FItems[i]->FIndex = int(i);
}

void TListItems::ItemChanged(int index) {
    if (FUpdating)
        FResetPending = true;
    else if (!FOwner->OwnerData())
        FOwner->FModel->RowChanged(index);
}

// ---------------------------------------------------------------- TListViewHeader

TListViewHeader::TListViewHeader(TCustomListView* owner)
    : QHeaderView(Qt::Horizontal), FOwner(owner) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

TRect TListViewHeader::SectionRect(int index) const {
    if (index < 0 || index >= count() || isSectionHidden(index))
        return {};
    const int left = sectionViewportPosition(index);
    return TRect(left, 0, left + sectionSize(index), height());
}

int TListViewHeader::SectionAt(const TPoint& point) const {
    for (int i = 0; i < count(); ++i)
        if (PtInRect(SectionRect(i), point))
            return i;
    return -1;
}

bool TListViewHeader::OnDivider(const TPoint& point) const {
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    for (int i = 0; i < count(); ++i) {
        const TRect r = SectionRect(i);
        if (!r.IsEmpty() && std::abs(point.X - r.Right) <= grip && point.Y >= 0 &&
            point.Y < height())
            return true;
    }
    return false;
}

void TListViewHeader::paintEvent(QPaintEvent* event) {
    bool painted = false;
    Guarded([&] { painted = FOwner->PaintHeader(event); });
    if (!painted)
        QHeaderView::paintEvent(event);
}

void TListViewHeader::mousePressEvent(QMouseEvent* event) {
    QHeaderView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        Guarded(
            [&] { FOwner->HeaderMouse(true, TPoint::FromQPoint(event->position().toPoint())); });
}

void TListViewHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Guarded(
            [&] { FOwner->HeaderMouse(false, TPoint::FromQPoint(event->position().toPoint())); });
}

// ---------------------------------------------------------------- TCustomListView

TCustomListView::TCustomListView(QWidget* parent)
    : TEditorHost(parent), FItems(this), FModel(new TListViewModel(this)),
      FIconView(new TInnerEditor<QListView>(this)), FReportView(new TInnerEditor<QTreeView>(this)),
      FHeader(new TListViewHeader(this)) {
    auto* delegate = new TListLabelDelegate(this);
    FIconView->setModel(FModel);
    FIconView->setFrameShape(QFrame::NoFrame);
    FIconView->setItemDelegate(delegate);
    FIconView->setUniformItemSizes(true);
    FIconView->setResizeMode(QListView::Adjust);
    FIconView->setMovement(QListView::Static);
    FIconView->setSelectionRectVisible(true);
    FReportView->setHeader(FHeader);
    FReportView->setModel(FModel);
    FReportView->setSelectionModel(FIconView->selectionModel());
    FReportView->setFrameShape(QFrame::NoFrame);
    FReportView->setItemDelegate(delegate);
    FReportView->setRootIsDecorated(false);
    FReportView->setItemsExpandable(false);
    FReportView->setUniformRowHeights(true);
    FReportView->setAllColumnsShowFocus(true);
    FReportView->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    FReportView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FIconView),
                                    static_cast<QAbstractItemView*>(FReportView)}) {
        view->setEditTriggers(QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::SelectedClicked);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setContextMenuPolicy(Qt::DefaultContextMenu);
        view->hide();
        ConnectScrollBars(view);
    }
    QItemSelectionModel* selection = FIconView->selectionModel();
    connect(selection, &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                CurrentChanged(current.row(), previous.row());
            });
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QModelIndex& index : deselected.indexes())
                    if (index.column() == 0)
                        Guarded([&] { SelectItem(FItems.Item(index.row()), false); });
                for (const QModelIndex& index : selected.indexes())
                    if (index.column() == 0)
                        Guarded([&] { SelectItem(FItems.Item(index.row()), true); });
            });
    connect(FHeader, &QHeaderView::sectionClicked, this,
            [this](int column) { Guarded([&] { ColumnClick(column); }); });
    ApplyViewStyle();
    SetBounds(Left(), Top(), 250, 150);
}

TCustomListView::~TCustomListView() {
    FIconView->selectionModel()->disconnect(this);
    FHeader->disconnect(this);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FIconView),
                                    static_cast<QAbstractItemView*>(FReportView)}) {
        view->verticalScrollBar()->disconnect(this);
        view->horizontalScrollBar()->disconnect(this);
    }
}

void TCustomListView::ConnectScrollBars(QAbstractItemView* view) {
    for (QScrollBar* bar : {view->verticalScrollBar(), view->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::rangeChanged, this,
                [this] { Guarded([this] { ScrollChanged(); }); });
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { Guarded([this] { ScrollChanged(); }); });
    }
}

QAbstractItemView* TCustomListView::ActiveView() const {
    if (FViewStyle == vsReport)
        return FReportView;
    return FIconView;
}

void TCustomListView::SetOwnerData(bool value) {
    if (value == FOwnerData)
        return;
    FOwnerData = value;
    FItems.Clear();
}

void TCustomListView::AddColumn(const TListColumn& column) {
    FColumns.push_back(column);
    ColumnsChanged();
    for (int i = 0; i < ColumnCount(); ++i)
        FHeader->resizeSection(i, FColumns[size_t(i)].Width);
}

void TCustomListView::SetColumn(int index, const TListColumn& column) {
    if (index < 0 || index >= ColumnCount())
        return;
    FColumns[size_t(index)] = column;
    FHeader->resizeSection(index, column.Width);
    FHeader->viewport()->update();
}

void TCustomListView::ClearColumns() {
    FColumns.clear();
    ColumnsChanged();
}

void TCustomListView::ColumnsChanged() {
    // The model starts anew with other columns; the focused item stays focused.
    const int current = ItemIndex();
    FModel->ColumnsChanged();
    if (current >= 0)
        SetItemIndex(current);
}

int TCustomListView::ColumnWidth(int index) const {
    return index >= 0 && index < FHeader->count() ? FHeader->sectionSize(index) : 0;
}

void TCustomListView::SetShowColumnHeaders(bool value) {
    FShowColumnHeaders = value;
    FReportView->setHeaderHidden(!value);
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    if (value == FViewStyle)
        return;
    FViewStyle = value;
    ApplyViewStyle();
}

void TCustomListView::ApplyViewStyle() {
    const int current = ItemIndex();
    QListView* view = FIconView;
    switch (FViewStyle) {
    case vsIcon: {
        const TImageList* images = LargeImages();
        const QSize icon = images ? QSize(images->Width(), images->Height()) : QSize(32, 32);
        view->setViewMode(QListView::IconMode);
        view->setFlow(QListView::LeftToRight);
        view->setWrapping(true);
        view->setWordWrap(true);
        view->setIconSize(icon);
        view->setGridSize(QSize(icon.width() + 48, icon.height() + 2 * fontMetrics().height() + 8));
        view->setMovement(QListView::Static);
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        break;
    }
    case vsSmallIcon:
    case vsList: {
        const TImageList* images = SmallImages();
        view->setViewMode(QListView::ListMode);
        view->setFlow(FViewStyle == vsList ? QListView::TopToBottom : QListView::LeftToRight);
        view->setWrapping(true);
        view->setWordWrap(false);
        view->setGridSize(QSize());
        view->setIconSize(images ? QSize(images->Width(), images->Height()) : QSize(16, 16));
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        break;
    }
    case vsReport:
        break;
    }
    FModel->LooksChanged();
    QAbstractItemView* shown = ActiveView();
    QAbstractItemView* hidden = shown == FIconView ? static_cast<QAbstractItemView*>(FReportView)
                                                   : static_cast<QAbstractItemView*>(FIconView);
    const bool hadFocus = hidden->hasFocus();
    hidden->hide();
    SetEditorWidget(shown);
    if (hadFocus)
        shown->setFocus();
    if (current >= 0)
        shown->scrollTo(FModel->index(current, 0));
    Guarded([this] { ScrollChanged(); });
}

void TCustomListView::SetLargeImages(TImageList* images) {
    FLargeImages = images;
    ApplyViewStyle();
}

void TCustomListView::SetSmallImages(TImageList* images) {
    FSmallImages = images;
    ApplyViewStyle();
}

void TCustomListView::SetMultiSelect(bool value) {
    FMultiSelect = value;
    const auto mode =
        value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    FIconView->setSelectionMode(mode);
    FReportView->setSelectionMode(mode);
}

TListItem* TCustomListView::Selected() const {
    const QModelIndexList rows = FIconView->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    int first = rows.first().row();
    for (const QModelIndex& index : rows)
        first = std::min(first, index.row());
    return FItems.Item(first);
}

TListItem* TCustomListView::ItemFocused() const {
    return FItems.Item(ItemIndex());
}

int TCustomListView::ItemIndex() const {
    const QModelIndex current = FIconView->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TCustomListView::SetItemIndex(int index) {
    QItemSelectionModel* selection = FIconView->selectionModel();
    if (index < 0 || index >= FItems.Count()) {
        selection->clear();
        return;
    }
    const QModelIndex target = FModel->index(index, 0);
    selection->setCurrentIndex(target,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    MakeVisible(index);
}

bool TCustomListView::IsSelected(int index) const {
    return index >= 0 && index < FItems.Count() &&
           FIconView->selectionModel()->isRowSelected(index, {});
}

void TCustomListView::SetSelected(int index, bool value) {
    if (index < 0 || index >= FItems.Count())
        return;
    FIconView->selectionModel()->select(
        FModel->index(index, 0),
        (value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
            QItemSelectionModel::Rows);
}

int TCustomListView::SelCount() const {
    return int(FIconView->selectionModel()->selectedRows().size());
}

void TCustomListView::ClearSelection() {
    FIconView->selectionModel()->clearSelection();
}

void TCustomListView::MakeVisible(int index) {
    if (index >= 0 && index < FItems.Count())
        ActiveView()->scrollTo(FModel->index(index, 0));
}

int TCustomListView::ItemAt(int x, int y) const {
    QAbstractItemView* view = ActiveView();
    const QModelIndex index = view->indexAt(view->viewport()->mapFrom(this, QPoint(x, y)));
    return index.isValid() ? index.row() : -1;
}

void TCustomListView::SetReadOnly(bool value) {
    FReadOnly = value;
}

void TCustomListView::EditCaption(int index) {
    if (index >= 0 && index < FItems.Count() && !FReadOnly)
        ActiveView()->edit(FModel->index(index, 0));
}

bool TCustomListView::IsEditing() const {
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QLineEdit*>(focus) && ActiveView()->isAncestorOf(focus);
}

void TCustomListView::AlphaSort() {
    if (OnCompare)
        SortWith(OnCompare);
    else
        SortWith([](const TListItem& a, const TListItem& b) {
            return QString::localeAwareCompare(a.Caption().toLower(), b.Caption().toLower());
        });
}

void TCustomListView::CustomSort(const TLVCompareEvent& compare) {
    SortWith(compare);
}

void TCustomListView::SortWith(const TLVCompareEvent& compare) {
    if (FOwnerData || !compare)
        return;
    const int current = ItemIndex();
    TListItem* focused = FItems.Item(current);
    std::stable_sort(FItems.FItems.begin(), FItems.FItems.end(),
                     [&](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
    FItems.Renumber(0);
    FModel->Reset();
    if (focused)
        SetItemIndex(focused->Index());
}

void TCustomListView::FetchItem(TListItem& item) {
    if (OnData)
        OnData(this, &item);
}

void TCustomListView::SelectItem(TListItem* item, bool selected) {
    if (OnSelectItem)
        OnSelectItem(this, item, selected);
}

void TCustomListView::ColumnClick(int column) {
    if (OnColumnClick)
        OnColumnClick(this, column);
}

bool TCustomListView::Edited(TListItem* item, QString& text) {
    if (OnEdited)
        OnEdited(this, item, text);
    return true;
}

void TCustomListView::CurrentChanged(int, int) {}

void TCustomListView::SetNativeScrollBarsHidden(bool hidden) {
    FNativeBarsHidden = hidden;
    const auto policy = hidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FIconView),
                                    static_cast<QAbstractItemView*>(FReportView)}) {
        view->setVerticalScrollBarPolicy(policy);
        view->setHorizontalScrollBarPolicy(policy);
    }
}

TRect TCustomListView::ItemRect(int index) const {
    if (index < 0 || index >= FItems.Count())
        return {};
    QAbstractItemView* view = ActiveView();
    QRect r = view->visualRect(FModel->index(index, 0));
    if (FViewStyle == vsReport)
        r.setWidth(FHeader->length());
    if (!r.isValid())
        return {};
    return TRect::FromQRect(r.translated(view->viewport()->mapTo(this, QPoint(0, 0))));
}

int TCustomListView::CountPerPage() const {
    QAbstractItemView* view = ActiveView();
    const QSize area = view->viewport()->size();
    const TRect first = ItemRect(0);
    if (first.IsEmpty())
        return 0;
    const int rows = area.height() / first.Height();
    if (FViewStyle == vsReport)
        return rows;
    return rows * std::max(0, area.width() / first.Width());
}

TScrollInfo TCustomListView::ScrollInfo(TScrollBarKind kind) const {
    QAbstractItemView* view = ActiveView();
    if (FViewStyle == vsReport && kind == sbVertical) {
        TScrollInfo info;
        info.Max = std::max(0, FItems.Count() - 1);
        info.Page = CountPerPage();
        info.Pos = view->verticalScrollBar()->value();
        return info;
    }
    if (FViewStyle == vsList && kind == sbHorizontal) {
        // Columns: as many as the items need at the rows that fit.
        const TRect first = ItemRect(0);
        TScrollInfo info;
        if (first.IsEmpty())
            return info;
        const int rows = std::max(1, view->viewport()->height() / first.Height());
        const int columns = (FItems.Count() + rows - 1) / rows;
        info.Max = std::max(0, columns - 1);
        info.Page = std::max(0, view->viewport()->width() / first.Width());
        info.Pos = view->horizontalScrollBar()->value() / first.Width();
        return info;
    }
    return PlatformScrollInfo(kind == sbVertical ? view->verticalScrollBar()
                                                 : view->horizontalScrollBar());
}

void TCustomListView::Scroll(int dx, int dy) {
    QAbstractItemView* view = ActiveView();
    if (FViewStyle == vsReport) {
        const int rowHeight = std::max(1, ItemRect(0).Height());
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + dy / rowHeight);
    } else {
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + dy);
    }
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + dx);
}

void TCustomListView::ScrollLine(bool forward) {
    QScrollBar* bar = ActiveView()->horizontalScrollBar();
    const int step = FViewStyle == vsList ? std::max(1, ItemRect(0).Width()) : bar->singleStep();
    bar->setValue(bar->value() + (forward ? step : -step));
}
