#pragma once
// Text entry and list controls.
//
// TCustomEdit and TCustomMemo host a native Qt editor (QLineEdit, QPlainTextEdit) as an
// inner child window, so editing, caret, selection, input methods and the clipboard are
// Qt's. The control around it (TEditorHost) paints the frame and places the inner editor
// at EditorRect: the client area inset by EditorMargins. A skinned edit sets BorderStyle
// bsNone, paints its own frame in Paint, moves the editor with SetEditorMargins and makes
// the editor's background transparent. Keys typed in the editor go through the control's
// key dispatch (OnKeyDown, OnKeyPress, the form's shortcuts) before the editor sees them,
// mouse events reach the control's mouse handlers in the control's coordinates, and the
// editor's focus is the control's (OnEnter, OnExit).
//
// TCustomListBox paints its items itself (standard or owner-drawn with a fixed item
// height), so a skinned list can draw every item and drive it from external scroll bars.

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Strings.h"

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QProxyStyle;
class QPlainTextEdit;
class QTextDocument;
class QScrollBar;
class QWheelEvent;

// Only bsNone and bsSingle apply to controls.
using TBorderStyle = TFormBorderStyle;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollBarKind { sbHorizontal, sbVertical };

// A scroll range the platform's way: positions run from Min to Max - Page + 1, Page is
// the visible part. For a memo's vertical bar the unit is a line, Max the last line's
// index once the text is taller than the window; horizontally the unit is a pixel.
struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend constexpr bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// ---------------------------------------------------------------------------------------

class TEditorHost : public TCustomControl {
    Q_OBJECT
public:
    explicit TEditorHost(QWidget* parent = nullptr);
    ~TEditorHost() override;

    // bsSingle with Ctl3D: a 2-pixel sunken edge; without Ctl3D a 1-pixel black frame.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    int BorderWidth() const;
    // Inside the border.
    TRect ClientRect() const override;

    // Where the inner editor lies: the client area less these margins.
    void SetEditorMargins(int left, int top, int right, int bottom);
    TRect EditorRect() const;
    // A transparent editor paints no background, so the control's Paint shows through.
    bool EditorTransparent() const { return FEditorTransparent; }
    void SetEditorTransparent(bool value);

    // When set (the default), the selection is not shown while the control is unfocused.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);

    // The inner editor window.
    QWidget* EditorWidget() const { return FEditor; }

protected:
    // Makes `editor` (a new child of this control) the inner editor.
    void SetEditorWidget(QWidget* editor);
    // The frame: the border and the client area in Color.
    void Paint() override;
    void SizeChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    // Keeps the editor's palette in step with Color, the font colour and HideSelection.
    virtual void UpdateEditorPalette();
    // The font the editor is given: the control's.
    virtual QFont EditorFont() const;
    // Gives the editor EditorFont(); one that holds its font while hidden takes it when it
    // shows or is used (SettleEditor).
    void ApplyEditorFont();
    // For a line or text editor, which lays its text out anew in every font it is given,
    // each font laid out costing an engine of its own: while the editor is off the screen,
    // the fonts the control passes through as its window is built (a default, then the
    // skin's) only leave the last one to be applied. Set before SetEditorWidget.
    void HoldEditorFontWhileHidden() { FHoldsFontWhileHidden = true; }
    // Before the editor handles an event that may show, read or change its text: the held
    // font reaches it.
    virtual void SettleEditor() const;

private:
    template <class Editor> friend class TInnerEditor;
    // Called by the inner editor.
    void EditorMouseEvent(QMouseEvent* event, QWidget* source);
    void EditorFocusIn(Qt::FocusReason reason);
    void EditorFocusOut(Qt::FocusReason reason);
    bool EditorContextMenu(const QPoint& globalPos);
    // After the editor took the focus (the edit's AutoSelect).
    virtual void EditorEntered(Qt::FocusReason) {}
    // False keeps a key the control's dispatch left over from the editor.
    virtual bool EditorTakesKey(const QKeyEvent&) const { return true; }
    // A wheel turn over the editor; true when handled.
    virtual bool EditorWheel(QWheelEvent*) { return false; }
    void LayoutEditor();

    QWidget* FEditor = nullptr;
    bool FHoldsFontWhileHidden = false;
    mutable bool FEditorFontPending = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    TRect FEditorMargins;
    bool FEditorTransparent = false;
    bool FHideSelection = true;
    bool FEntered = false;
};

// ---------------------------------------------------------------------------------------

class TCustomEdit : public TEditorHost {
    Q_OBJECT
public:
    explicit TCustomEdit(QWidget* parent = nullptr);
    ~TCustomEdit() override;

    QString Text() const override;
    void SetText(const QString& text) override;

    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);
    // A non-null character hides the text behind it.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar ch);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    // Typed and set text is converted to this case.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase charCase);
    // Entering the edit by keyboard selects all its text.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // Blank pixels left and right of the text inside the editor.
    void SetTextMargins(int left, int right);

    // Selection, in characters.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const;
    // Replaces the selection (or inserts at the caret).
    void SetSelText(const QString& text);
    void SelectAll();
    // Deletes the selected text; nothing without a selection.
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Clear() { SetText(QString()); }

    bool CanUndo() const;
    void Undo();
    // Forgets the undo history (text, caret and selection stay).
    void ClearUndo();
    // Set by user edits; cleared by hand.
    bool Modified() const;
    void SetModified(bool value);

    // The line edit, given the text set while it was not on the screen.
    QLineEdit* Editor() const;

    // After every change of the text, by the user or the program.
    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    void EditorEntered(Qt::FocusReason reason) override;
    void SettleEditor() const override;
    void UpdateEchoMode();

    QLineEdit* FLineEdit;
    // Text set while the edit is not on the screen, until it shows or the line edit is used.
    // A line edit lays its text out at once in the font it has then, and a window not yet
    // shown may still change its fonts (the skin loads after the controls are made): laid out
    // early, the text costs font engines, with fallbacks for its characters, that nothing
    // draws with.
    mutable std::optional<QString> FPendingText;
    int FMaxLength = 0;
    QChar FPasswordChar;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    TAlignment FAlignment = taLeftJustify;
    QProxyStyle* FPasswordStyle = nullptr; // owned by the line edit
};

// ---------------------------------------------------------------------------------------

class TMemoFill;

class TCustomMemo : public TEditorHost {
    Q_OBJECT
public:
    explicit TCustomMemo(QWidget* parent = nullptr);
    ~TCustomMemo() override;

    // The memo's lines, read from and written to the editor directly. The text ends
    // without a line break unless it has an empty last line; a trailing line break does
    // not count as a line ("a\r\n" is one line).
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings& lines);
    // The whole text with CR LF line breaks.
    QString Text() const override;
    void SetText(const QString& text) override;

    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    // Keeps the editor's own scroll bars hidden whatever ScrollBars says; they still
    // scroll (an external bar drives them).
    bool NativeScrollBarsHidden() const { return FNativeBarsHidden; }
    void SetNativeScrollBarsHidden(bool hidden);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    // Return inserts a line break (otherwise it goes to the form's default button).
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    // Tab inserts a tab (otherwise it moves the focus).
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value);

    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const;
    void SetSelText(const QString& text);
    void SelectAll();
    // Selects `length` characters from `column` of `line` (clamped to that line) and scrolls
    // the selection into the middle of the view.
    void SelectInLine(int line, int column, int length);
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Clear();
    bool CanUndo() const;
    void Undo();
    void ClearUndo();
    bool Modified() const;
    void SetModified(bool value);

    // The editor's own scroll state (see TScrollInfo).
    TScrollInfo ScrollInfo(TScrollBarKind kind) const;
    // The first visible line.
    int TopLine() const;
    // Scrolls by whole lines (negative: up) or to a line; clamped to the range.
    void ScrollLines(int count);
    void ScrollTo(int line);
    // Horizontal scrolling in pixels.
    void ScrollHorzBy(int pixels);
    void ScrollHorzTo(int position);
    // Lines that fit in the editor's height.
    int VisibleLineCount() const;

    QPlainTextEdit* Editor() const;
    // The editor before its held font reaches it (see HoldEditorFontWhileHidden): for wiring
    // signals and event filters and for its document, none of which depend on the font.
    QPlainTextEdit* UnsettledEditor() const { return FTextEdit; }

    // A long new text shows its first screenful at once; the rest is added over the next
    // turns of the event loop. Whatever reads or changes the text, and any input to the
    // editor, adds the rest first, so no caller sees a part. Filling() is true until then.
    bool Filling() const;
    void FinishFilling() const;

    // Called with each new document of the editor before its text goes in, to colour it
    // (a highlighter made for the document goes with it).
    std::function<void(QTextDocument*)> OnNewDocument;
    // The text in a monospaced face; characters it lacks (Chinese) come from the memo's font.
    bool Monospaced() const { return FMonospaced; }
    void SetMonospaced(bool value);

    TNotifyEvent OnChange;
    // The editor's scroll position or range changed (either direction).
    TNotifyEvent OnScroll;

protected:
    virtual void Change();
    virtual void Scrolled();
    // A wheel turn over the memo (delta > 0 away from the user); true when handled,
    // otherwise the editor scrolls natively.
    virtual bool DoMouseWheel(int delta, TShiftState shift);
    bool WantsKey(int key, TShiftState shift) const override;
    QFont EditorFont() const override;

private:
    friend class TMemoStrings;
    void ReplaceText(const QString& lf);
    bool EditorTakesKey(const QKeyEvent& event) const override;
    bool EditorWheel(QWheelEvent* event) override;
    void UpdateScrollBarPolicy();

    QPlainTextEdit* FTextEdit;
    std::unique_ptr<TStrings> FLines;
    std::unique_ptr<TMemoFill> FFill;
    bool FMonospaced = false;
    TScrollStyle FScrollBars = ssNone;
    bool FNativeBarsHidden = false;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

// ---------------------------------------------------------------------------------------

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

// Item states for drawing, with the platform's values.
using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 0x0001;
constexpr TOwnerDrawState odGrayed = 0x0002;
constexpr TOwnerDrawState odDisabled = 0x0004;
constexpr TOwnerDrawState odChecked = 0x0008;
constexpr TOwnerDrawState odFocused = 0x0010;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox : public TCustomControl {
    Q_OBJECT
public:
    explicit TCustomListBox(QWidget* parent = nullptr);
    ~TCustomListBox() override;

    // The items with their objects (not owned). With Sorted, added items take their
    // place in the locale's order, case-insensitive.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings& items);
    // Replaces the items at once with `items`, which must already be in the list's order
    // when Sorted (AnsiSortText gives that order); no selection. For long listings.
    void SetOrderedItems(const QStringList& items);
    int Count() const;
    void Clear();

    // The selected (in a multi-selection: the focused) item, -1 for none. Setting it
    // scrolls it into view; it raises no click notification.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    int TopIndex() const { return FTopIndex; }
    // Clamped so the last page stays full.
    void SetTopIndex(int index);
    // The fixed item height of lbOwnerDrawFixed; lbStandard items are as high as the font.
    int ItemHeight() const;
    void SetItemHeight(int height);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);

    // Several items can be selected: a click selects one item, Ctrl+click toggles one,
    // Shift+click and Shift+arrows select a range.
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void ClearSelection();

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    int BorderWidth() const;
    // The item area: inside the border, left of a shown native scroll bar.
    TRect ClientRect() const override;
    // Shows the list's own vertical scroll bar when the items do not fit (default on).
    bool NativeScrollBar() const { return FNativeScrollBar; }
    void SetNativeScrollBar(bool value);

    // The item at a point of the client area, or -1. Below the last item: -1 when
    // `existing`, otherwise Count().
    int ItemAtPos(const TPoint& pos, bool existing) const;
    // An item's rectangle (also for items scrolled out of view).
    TRect ItemRect(int index) const;
    // Items that fit in the client area (at least 1).
    int PageSize() const;
    // The vertical scroll state: Min 0, Max Count - 1, Page PageSize, Pos TopIndex.
    TScrollInfo ScrollInfo() const;
    // The first item after `startIndex` (wrapping; -1 starts at the top) whose text
    // begins with `text`, case-insensitive; -1 when none does or `text` is empty.
    int SearchPrefix(const QString& text, int startIndex = -1) const;
    // Scrolls so the item is visible.
    void MakeVisible(int index);

    // Draws item Index in Rect. The canvas is prepared as for a standard item (brush and
    // font colour for the state) but not filled; the handler fills.
    TDrawItemEvent OnDrawItem;
    // TopIndex, the item count or the page size changed.
    TNotifyEvent OnScroll;

protected:
    // Draws one item; the default fires OnDrawItem for owner-drawn lists and otherwise
    // fills the rectangle and writes the text 2 pixels in.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void SizeChanged() override;
    void FontChanged() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TListBoxStrings;
    void ItemsChanged();
    // A move of the focused item by the user: selects, scrolls, and clicks when changed.
    void UserSelect(int index, TShiftState shift);
    void SelectRange(int from, int to);
    void UpdateNativeScrollBar();
    void ScrollChanged();

    std::unique_ptr<TStrings> FItems;
    std::vector<bool> FSelectedFlags; // multi-selection, parallel to the items
    int FItemIndex = -1;
    int FAnchor = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    bool FSorted = false;
    bool FMultiSelect = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FNativeScrollBar = true;
    QScrollBar* FScrollBar = nullptr;
    bool FTracking = false;
    QString FSearchText;
    QElapsedTimer FSearchTimer;
    TScrollInfo FNotifiedScroll{-1, -1, -1, -1};
};

// Public faces of the custom controls.
class TEdit : public TCustomEdit {
    Q_OBJECT
public:
    using TCustomEdit::TCustomEdit;
};

class TMemo : public TCustomMemo {
    Q_OBJECT
public:
    using TCustomMemo::TCustomMemo;
};

class TListBox : public TCustomListBox {
    Q_OBJECT
public:
    using TCustomListBox::TCustomListBox;
};
