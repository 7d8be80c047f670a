#pragma once
// Tree and list views. Both host a Qt item view as their inner window (see TEditorHost), so
// items, selection, keyboard, label editing and item painting are Qt's:
//   TCustomTreeView  a QTreeWidget whose items are TTreeNode objects
//   TCustomListView  one item model over TListItems, shown by a QListView in the list, small
//                    icon and icon styles and by a QTreeView with a column header in report
//                    style; with OwnerData the items are fetched through OnData as they are
//                    shown, so long listings cost only what is on screen
//
// Scroll states are reported the platform's way (TScrollInfo): the tree's vertical unit is a
// visible item and its horizontal one a pixel; the list counts report rows vertically and
// list-style columns horizontally, and pixels everywhere else.

#include "framework/ImgList.h"
#include "framework/StdCtrls.h"

#include <QHeaderView>
#include <QPointer>
#include <QTreeWidgetItem>
#include <functional>
#include <memory>
#include <vector>

class QListView;
class QTreeView;
class QTreeWidget;
class TCustomTreeView;
class TCustomListView;
class TListViewModel;

// Data a node or list item owns and frees with itself.
class TItemData {
public:
    virtual ~TItemData() = default;
};

// ---------------------------------------------------------------- tree view

class TTreeNode : public QTreeWidgetItem {
public:
    static constexpr int NodeType = QTreeWidgetItem::UserType + 1;
    explicit TTreeNode(const QString& text);
    ~TTreeNode() override;

    QString Text() const { return text(0); }
    void SetText(const QString& value) { setText(0, value); }
    TTreeNode* Parent() const;
    int Count() const { return childCount(); }
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstChild() const { return Item(0); }
    // The next node on the same level, or nullptr.
    TTreeNode* GetNextSibling() const;
    // Number of ancestors (0 for a top-level node).
    int Level() const;
    int Index() const;

    // With no children loaded yet, true still shows an expand button (lazy filling).
    bool HasChildren() const;
    void SetHasChildren(bool value);
    bool Expanded() const { return isExpanded(); }
    void Expand(bool recurse = false);
    void Collapse(bool recurse = false);
    bool Selected() const { return isSelected(); }
    // Scrolls the node into view, expanding its ancestors.
    void MakeVisible();
    void DeleteChildren();

    // Images of the tree's image list: normal, and while the node is selected.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int value);

    TItemData* Data() const { return FData.get(); }
    void SetData(std::unique_ptr<TItemData> data) { FData = std::move(data); }

    QVariant data(int column, int role) const override;

private:
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    std::unique_ptr<TItemData> FData;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, QString& S)>;

// The nodes of one tree.
class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
    // Every node, expanded or not.
    int Count() const;
    TTreeNode* GetFirstNode() const;
    // A new last child of `parent` (a top-level node for nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const QString& text);
    // A new node placed right before `sibling`, on its level.
    TTreeNode* Insert(TTreeNode* sibling, const QString& text);
    void Delete(TTreeNode* node);
    void Clear();
    // Top-level nodes.
    int RootCount() const;
    TTreeNode* Root(int index) const;
    // While updating (counted) the tree does not repaint.
    void BeginUpdate();
    void EndUpdate();

private:
    TCustomTreeView* FOwner;
    int FUpdating = 0;
};

class TCustomTreeView : public TEditorHost {
    Q_OBJECT
public:
    explicit TCustomTreeView(QWidget* parent = nullptr);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return &FNodes; }
    TTreeNode* Selected() const;
    // Selects and focuses the node (nullptr clears the selection); raises OnChange.
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    // The node at a point of the client area, or nullptr.
    TTreeNode* GetNodeAt(int x, int y) const;

    // Not owned; cleared when the list is destroyed.
    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* images);
    TImageList* StateImages() const { return FStateImages.data(); }
    void SetStateImages(TImageList* images) { FStateImages = images; }

    // No label editing.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool ShowButtons() const;
    void SetShowButtons(bool value);
    bool ShowRoot() const;
    void SetShowRoot(bool value);
    // Keeps the native scroll bars hidden; the view still scrolls (external bars drive it).
    void SetNativeScrollBarsHidden(bool hidden);

    // --- Scrolling
    TScrollInfo ScrollInfo(TScrollBarKind kind) const;
    // Items that fit fully in the window.
    int VisibleCount() const;
    // Nodes shown at the moment (expanded ones' children included).
    int ShownNodeCount() const;
    // Scrolls to a position of the range ScrollInfo reports.
    void ScrollToPosition(TScrollBarKind kind, int position);

    QTreeWidget* TreeWidget() const { return FTree; }

    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;
    // The user finished editing a label; S is the new text and may be changed.
    TTVEditedEvent OnEdited;

protected:
    virtual void Change(TTreeNode* node);
    // Before a node's children are shown: false keeps it collapsed.
    virtual bool CanExpand(TTreeNode* node);
    virtual void Expanded(TTreeNode* node);
    virtual void Collapsed(TTreeNode* node);
    // A label edit ends with `text`; false keeps the old label.
    virtual bool Edited(TTreeNode* node, QString& text);
    // The native scroll range or position changed.
    virtual void ScrollChanged() {}

private:
    friend class TTreeNodes;
    friend class TTreeLabelDelegate;
    void ItemExpanded(QTreeWidgetItem* item);

    QTreeWidget* FTree;
    TTreeNodes FNodes;
    QPointer<TImageList> FImages;
    QPointer<TImageList> FStateImages;
    bool FReadOnly = false;
    bool FShowRoot = true;
    bool FExpanding = false;
};

class TTreeView : public TCustomTreeView {
    Q_OBJECT
public:
    using TCustomTreeView::TCustomTreeView;
};

// ---------------------------------------------------------------- list view

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListItems;

class TListItem {
public:
    TListItem(TListItems* owner, int index) : FOwner(owner), FIndex(index) {}

    int Index() const { return FIndex; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    // The texts of the report columns after the first.
    const QStringList& SubItems() const { return FSubItems; }
    void SetSubItems(const QStringList& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const;

    TItemData* Data() const { return FData.get(); }
    void SetData(std::unique_ptr<TItemData> data) { FData = std::move(data); }

private:
    friend class TListItems;
    void Changed();

    TListItems* FOwner;
    int FIndex;
    QString FCaption;
    QStringList FSubItems;
    int FImageIndex = -1;
    std::unique_ptr<TItemData> FData;
};

// The items of one list view. With the view's OwnerData only Count is kept; an item is
// made and filled through OnData when it is first asked for, and kept until the count or
// the view's content changes.
class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : FOwner(owner) {}
    ~TListItems();

    int Count() const { return static_cast<int>(FItems.size()); }
    // Owner data: sets the count and forgets every fetched item.
    void SetCount(int count);
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    void Delete(int index);
    void Clear();
    // Forgets the fetched items of an owner-data list so they are asked for again.
    void Invalidate();
    // While updating (counted) changes are shown only at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListItem;
    friend class TCustomListView;
    void Renumber(int from);
    void ItemChanged(int index);

    TCustomListView* FOwner;
    mutable std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdating = 0;
    bool FResetPending = false;
};

class TListColumn {
public:
    QString Caption;
    // Pixels.
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
};

using TLVNotifyEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, int Column)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, QString& S)>;
using TLVCompareEvent = std::function<int(const TListItem& a, const TListItem& b)>;

// The column header of the report style. Its owner can paint it and follows its presses.
class TListViewHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TListViewHeader(TCustomListView* owner);
    // The section of column `index` in the header's coordinates.
    TRect SectionRect(int index) const;
    // The first column whose section contains the point, -1 for none.
    int SectionAt(const TPoint& point) const;
    // The point lies on a divider, where a press resizes a column.
    bool OnDivider(const TPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TCustomListView* FOwner;
};

class TCustomListView : public TEditorHost {
    Q_OBJECT
public:
    explicit TCustomListView(QWidget* parent = nullptr);
    ~TCustomListView() override;

    TListItems* Items() { return &FItems; }
    const TListItems* Items() const { return &FItems; }
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool value);

    // The report columns; change them through the functions below.
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    const TListColumn& Column(int index) const { return FColumns.at(size_t(index)); }
    void AddColumn(const TListColumn& column);
    void SetColumn(int index, const TListColumn& column);
    void ClearColumns();
    // The width of a column as the header shows it (the user may have dragged it).
    int ColumnWidth(int index) const;
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool value);

    TViewStyle ViewStyle() const { return FViewStyle; }
    virtual void SetViewStyle(TViewStyle value);

    // Not owned; cleared when the list is destroyed. Icons use the large images, the other
    // styles the small ones.
    TImageList* LargeImages() const { return FLargeImages.data(); }
    void SetLargeImages(TImageList* images);
    TImageList* SmallImages() const { return FSmallImages.data(); }
    void SetSmallImages(TImageList* images);

    // --- Selection
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    // The first selected item, or nullptr.
    TListItem* Selected() const;
    TListItem* ItemFocused() const;
    // The focused item's index, -1 for none. Setting selects that item alone.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool IsSelected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void ClearSelection();
    // Scrolls the item into view.
    void MakeVisible(int index);
    // The item at a point of the client area, -1 for none.
    int ItemAt(int x, int y) const;

    // No label editing.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Starts editing the item's label.
    void EditCaption(int index);
    bool IsEditing() const;

    // Sorts the items (not owner data) by OnCompare or by caption.
    void AlphaSort();
    void CustomSort(const TLVCompareEvent& compare);

    // --- Scrolling and measures, in the units the header comment gives.
    void SetNativeScrollBarsHidden(bool hidden);
    TScrollInfo ScrollInfo(TScrollBarKind kind) const;
    // Scrolls by pixels (report rows: by whole rows of those pixels).
    void Scroll(int dx, int dy);
    // One line step left or right (list style: one column).
    void ScrollLine(bool forward);
    // Items that fit fully in the window (rows in report style; rows x columns in list
    // style).
    int CountPerPage() const;
    // The rectangle item `index` takes in the view, or an empty one.
    TRect ItemRect(int index) const;

    // The inner views and the header, for the skinned views and tests.
    QListView* IconView() const { return FIconView; }
    QTreeView* ReportView() const { return FReportView; }
    TListViewHeader* Header() const { return FHeader; }

    TLVNotifyEvent OnData;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVEditedEvent OnEdited;
    TLVCompareEvent OnCompare;

protected:
    // Fills an owner-data item; the default fires OnData.
    virtual void FetchItem(TListItem& item);
    virtual void SelectItem(TListItem* item, bool selected);
    virtual void ColumnClick(int column);
    virtual bool Edited(TListItem* item, QString& text);
    virtual void ScrollChanged() {}
    // Paints the column header instead of Qt; false lets Qt paint it.
    virtual bool PaintHeader(QPaintEvent*) { return false; }
    // A mouse button went down or up on the header (after Qt handled it).
    virtual void HeaderMouse(bool, const TPoint&) {}

private:
    friend class TListItems;
    friend class TListItem;
    friend class TListViewModel;
    friend class TListViewHeader;
    friend class TListLabelDelegate;
    void ApplyViewStyle();
    void ColumnsChanged();
    void ConnectScrollBars(QAbstractItemView* view);
    QAbstractItemView* ActiveView() const;
    void CurrentChanged(int row, int previous);
    void SortWith(const TLVCompareEvent& compare);

    TListItems FItems;
    bool FOwnerData = false;
    std::vector<TListColumn> FColumns;
    bool FShowColumnHeaders = true;
    TViewStyle FViewStyle = vsIcon;
    QPointer<TImageList> FLargeImages;
    QPointer<TImageList> FSmallImages;
    bool FMultiSelect = false;
    bool FReadOnly = false;
    bool FNativeBarsHidden = false;
    TListViewModel* FModel;
    QListView* FIconView;
    QTreeView* FReportView;
    TListViewHeader* FHeader;
};

class TListView : public TCustomListView {
    Q_OBJECT
public:
    using TCustomListView::TCustomListView;
};
