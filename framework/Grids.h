#pragma once
// A grid of cells with fixed (header) rows and columns, a current cell and per-cell
// drawing. The grid has no scroll bars: every cell lies at its place from the client
// area's top-left corner, and a control that wants all its cells seen sizes them to fit.
//
// Geometry (widget coordinates, the ones mouse events and Paint use):
//   - The border takes the outer pixels: 2 with BorderStyle bsSingle and Ctl3D (a sunken
//     edge), 1 with bsSingle without Ctl3D, 0 with bsNone. ClientRect() is the area inside.
//   - Column c starts at ClientRect().Left + the widths of the columns before it, each
//     followed by its grid line; rows likewise from ClientRect().Top.
//   - CellRect(c, r) is the cell without the grid line to its right and below it:
//     (x, y, x + ColWidths(c), y + RowHeights(r)). The line after a column is
//     GridLineWidth wide when goVertLine is set (0 otherwise); the line below a row is
//     GridLineWidth high when goHorzLine is set.
//   - MouseToCell counts a point on a grid line as part of the cell before the line.
//
// Painting: grid lines first (fixed-area lines black, the others silver, grey on a silver
// grid), then every cell: the grid fills it (fixed cells FixedColor; the current cell
// clHighlight with the font colour clHighlightText unless it is focused without
// goDrawFocusSelected; other cells Color), sets the canvas font to Font, calls DrawCell,
// then draws the raised edge of a fixed cell (when Ctl3D and the fixed area has lines:
// highlight on its top and left pixels, shadow on its bottom and right ones, inside the
// cell rectangle) and the dotted focus rectangle around the focused current cell.
// Cells paint without clipping to their rectangle, clipped to the client area.
//
// Moving the current cell: the mouse (a left press on a non-fixed cell, then dragging
// with the button held) and the keys (arrows, Home/End, Ctrl+Home/End, PgUp/PgDn by the
// visible rows) ask SelectCell first. Click (OnClick) follows a user move: after the
// release of a press that SelectCell accepted, and after a key that moved the cell.
// Programmatic moves (SetCol, SetRow, MoveColRow) ask SelectCell too but never click.

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Forms.h"

#include <functional>
#include <vector>

// Only bsNone and bsSingle apply to controls.
using TBorderStyle = TFormBorderStyle;

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 1u << 0;
constexpr TGridOptions goFixedHorzLine = 1u << 1;
constexpr TGridOptions goVertLine = 1u << 2;
constexpr TGridOptions goHorzLine = 1u << 3;
// Shift with arrows or the mouse would extend a range; kept as a flag only (the
// selection is always the current cell).
constexpr TGridOptions goRangeSelect = 1u << 4;
// The focused current cell is filled like a selected one.
constexpr TGridOptions goDrawFocusSelected = 1u << 5;
constexpr TGridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1u << 0;
constexpr TGridDrawState gdFocused = 1u << 1;
constexpr TGridDrawState gdFixed = 1u << 2;

struct TGridCoord {
    int X = -1;
    int Y = -1;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;

class TCustomGrid : public TCustomControl {
    Q_OBJECT
public:
    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    // --- Shape. Fixed rows/columns must stay fewer than the rows/columns; breaking that
    // raises EInvalidOperation and changes nothing.
    int ColCount() const { return static_cast<int>(FColWidths.size()); }
    void SetColCount(int count);
    int RowCount() const { return static_cast<int>(FRowHeights.size()); }
    void SetRowCount(int count);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int count);

    // Setting a default size gives every column (row) that size.
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int height);
    // Out-of-range indices read as the default size and are ignored when written.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int width);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions options);

    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor color);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    int BorderWidth() const;
    TRect ClientRect() const override;

    // --- The current cell. Setting it asks SelectCell first (no click notification);
    // fixed cells and cells outside the grid raise EInvalidOperation.
    int Col() const { return FCurrent.X; }
    void SetCol(int col);
    int Row() const { return FCurrent.Y; }
    void SetRow(int row);
    // The selection: the current cell (range selection is not offered).
    TGridCoord Selection() const { return FCurrent; }

    // --- Geometry (see the header comment).
    TRect CellRect(int col, int row) const;
    void MouseToCell(int x, int y, int& col, int& row) const;
    TGridCoord MouseCoord(int x, int y) const;
    // Non-fixed columns (rows) that lie wholly inside the client area.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // Repaints one cell.
    void InvalidateCell(int col, int row);

    TSelectCellEvent OnSelectCell;
    TDrawCellEvent OnDrawCell;

protected:
    // Asked before the current cell moves; the default asks OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    // Draws the cell's content after the grid filled it; the default fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Moves the current cell when SelectCell agrees; no click notification. True when the
    // cell is the current one afterwards.
    bool MoveColRow(int ACol, int ARow);
    // A user move of the current cell by mouse or keyboard: moves it and, when that
    // succeeded, runs Click.
    void FocusCell(int ACol, int ARow);

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool WantsKey(int key, TShiftState shift) const override;
    void DoEnter() override;
    void DoExit() override;

private:
    struct AxisLayout {
        int Start = 0;     // client-area edge the first cell starts at
        int LineWidth = 0; // effective grid line width on this axis
    };
    AxisLayout ColumnAxis() const;
    AxisLayout RowAxis() const;
    int ColumnLeft(int col) const;
    int RowTop(int row) const;
    int GridRight() const;  // right of the last column's line
    int GridBottom() const; // bottom of the last row's line
    bool IsFixed(int col, int row) const { return col < FFixedCols || row < FFixedRows; }
    bool IsCell(int col, int row) const;
    TGridDrawState DrawStateOf(int col, int row) const;
    TGridCoord KeyTarget(int key, TShiftState shift) const;
    void ClampCurrent();

    void PaintLines(TCanvas& canvas);
    void PaintCell(TCanvas& canvas, int col, int row);
    void PaintRaisedEdge(TCanvas& canvas, const TRect& r);
    void PaintBorder(TCanvas& canvas);

    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TGridOptions FOptions = DefaultGridOptions;
    TColor FFixedColor = clBtnFace;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    TGridCoord FCurrent{1, 1};
    bool FSelecting = false; // the left button went down on a selectable cell
};

// A grid whose cells the program draws in OnDrawCell.
class TDrawGrid : public TCustomGrid {
    Q_OBJECT
public:
    explicit TDrawGrid(QWidget* parent = nullptr);

    // The protected moves, for programs that drive the grid like a user.
    using TCustomGrid::FocusCell;
    using TCustomGrid::MoveColRow;
};
