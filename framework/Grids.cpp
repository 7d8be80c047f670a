#include "framework/Grids.h"

#include "framework/ControlBorders.h"
#include "framework/Exceptions.h"

#include <algorithm>

using namespace ControlBorders;

namespace {

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    if (r.IsEmpty())
        return;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(r);
}

[[noreturn]] void GridIndexError() {
    throw EInvalidOperation(QStringLiteral("Grid index out of range"));
}

} // namespace

TCustomGrid::TCustomGrid(QWidget* parent)
    : TCustomControl(parent), FColWidths(5, 64), FRowHeights(5, 24) {
    // Click is the notification after a user move of the current cell, not after every
    // release of the button; double clicks are raised from MouseDown.
    SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
    SetColor(clWindow);
    SetTabStop(true);
    setFocusPolicy(Qt::StrongFocus);
    SetBounds(Left(), Top(), 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// ---------------------------------------------------------------------------------------
// Shape

void TCustomGrid::SetColCount(int count) {
    if (count < 1)
        throw EInvalidOperation(QStringLiteral("Grid index out of range"));
    if (count == ColCount())
        return;
    if (count <= FFixedCols)
        FFixedCols = count - 1;
    FColWidths.resize(static_cast<size_t>(count), FDefaultColWidth);
    ClampCurrent();
    Invalidate();
}

void TCustomGrid::SetRowCount(int count) {
    if (count < 1)
        throw EInvalidOperation(QStringLiteral("Grid index out of range"));
    if (count == RowCount())
        return;
    if (count <= FFixedRows)
        FFixedRows = count - 1;
    FRowHeights.resize(static_cast<size_t>(count), FDefaultRowHeight);
    ClampCurrent();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int count) {
    if (count < 0 || count >= ColCount())
        throw EInvalidOperation(
            QStringLiteral("Fixed column count must be less than column count"));
    FFixedCols = count;
    ClampCurrent();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int count) {
    if (count < 0 || count >= RowCount())
        throw EInvalidOperation(QStringLiteral("Fixed row count must be less than row count"));
    FFixedRows = count;
    ClampCurrent();
    Invalidate();
}

void TCustomGrid::ClampCurrent() {
    FCurrent.X = std::clamp(FCurrent.X, FFixedCols, ColCount() - 1);
    FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, RowCount() - 1);
}

void TCustomGrid::SetDefaultColWidth(int width) {
    width = std::max(0, width);
    FDefaultColWidth = width;
    std::fill(FColWidths.begin(), FColWidths.end(), width);
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    height = std::max(0, height);
    FDefaultRowHeight = height;
    std::fill(FRowHeights.begin(), FRowHeights.end(), height);
    Invalidate();
}

int TCustomGrid::ColWidths(int col) const {
    return col >= 0 && col < ColCount() ? FColWidths[static_cast<size_t>(col)] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= ColCount())
        return;
    FColWidths[static_cast<size_t>(col)] = std::max(0, width);
    Invalidate();
}

int TCustomGrid::RowHeights(int row) const {
    return row >= 0 && row < RowCount() ? FRowHeights[static_cast<size_t>(row)] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= RowCount())
        return;
    FRowHeights[static_cast<size_t>(row)] = std::max(0, height);
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int width) {
    width = std::max(0, width);
    if (width == FGridLineWidth)
        return;
    FGridLineWidth = width;
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions options) {
    if (options == FOptions)
        return;
    FOptions = options;
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor color) {
    if (color == FFixedColor)
        return;
    FFixedColor = color;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle style) {
    style = style == bsNone ? bsNone : bsSingle;
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    Invalidate();
}

void TCustomGrid::SetCtl3D(bool value) {
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    Invalidate();
}

int TCustomGrid::BorderWidth() const {
    return ControlBorderWidth(FBorderStyle, FCtl3D);
}

TRect TCustomGrid::ClientRect() const {
    return InsideBorder(this, BorderWidth());
}

// ---------------------------------------------------------------------------------------
// Geometry

TCustomGrid::AxisLayout TCustomGrid::ColumnAxis() const {
    return {ClientRect().Left, (FOptions & goVertLine) ? FGridLineWidth : 0};
}

TCustomGrid::AxisLayout TCustomGrid::RowAxis() const {
    return {ClientRect().Top, (FOptions & goHorzLine) ? FGridLineWidth : 0};
}

int TCustomGrid::ColumnLeft(int col) const {
    AxisLayout axis = ColumnAxis();
    int x = axis.Start;
    for (int c = 0; c < col; ++c)
        x += FColWidths[static_cast<size_t>(c)] + axis.LineWidth;
    return x;
}

int TCustomGrid::RowTop(int row) const {
    AxisLayout axis = RowAxis();
    int y = axis.Start;
    for (int r = 0; r < row; ++r)
        y += FRowHeights[static_cast<size_t>(r)] + axis.LineWidth;
    return y;
}

int TCustomGrid::GridRight() const {
    return ColumnLeft(ColCount());
}

int TCustomGrid::GridBottom() const {
    return RowTop(RowCount());
}

bool TCustomGrid::IsCell(int col, int row) const {
    return col >= 0 && col < ColCount() && row >= 0 && row < RowCount();
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (!IsCell(col, row))
        return TRect();
    int x = ColumnLeft(col);
    int y = RowTop(row);
    return TRect(x, y, x + ColWidths(col), y + RowHeights(row));
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
    TGridCoord cell;
    AxisLayout columns = ColumnAxis();
    for (int c = 0, left = columns.Start; c < ColCount() && x >= left; ++c) {
        int next = left + ColWidths(c) + columns.LineWidth;
        if (x < next)
            cell.X = c;
        left = next;
    }
    AxisLayout rows = RowAxis();
    for (int r = 0, top = rows.Start; r < RowCount() && y >= top; ++r) {
        int next = top + RowHeights(r) + rows.LineWidth;
        if (y < next)
            cell.Y = r;
        top = next;
    }
    if (cell.X < 0 || cell.Y < 0)
        return TGridCoord();
    return cell;
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    TGridCoord cell = MouseCoord(x, y);
    col = cell.X;
    row = cell.Y;
}

int TCustomGrid::VisibleColCount() const {
    int right = ClientRect().Right;
    int count = 0;
    for (int c = FFixedCols; c < ColCount() && CellRect(c, 0).Right <= right; ++c)
        ++count;
    return count;
}

int TCustomGrid::VisibleRowCount() const {
    int bottom = ClientRect().Bottom;
    int count = 0;
    for (int r = FFixedRows; r < RowCount() && CellRect(0, r).Bottom <= bottom; ++r)
        ++count;
    return count;
}

void TCustomGrid::InvalidateCell(int col, int row) {
    TRect r = CellRect(col, row);
    if (!r.IsEmpty())
        update(r.ToQRect());
}

// ---------------------------------------------------------------------------------------
// The current cell

void TCustomGrid::SetCol(int col) {
    if (col < FFixedCols || col >= ColCount())
        GridIndexError();
    MoveColRow(col, FCurrent.Y);
}

void TCustomGrid::SetRow(int row) {
    if (row < FFixedRows || row >= RowCount())
        GridIndexError();
    MoveColRow(FCurrent.X, row);
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    FireEvent(OnSelectCell, this, ACol, ARow, canSelect);
    return canSelect;
}

bool TCustomGrid::MoveColRow(int ACol, int ARow) {
    if (!IsCell(ACol, ARow) || IsFixed(ACol, ARow))
        return false;
    if (!SelectCell(ACol, ARow))
        return false;
    TGridCoord target{ACol, ARow};
    if (target != FCurrent) {
        InvalidateCell(FCurrent.X, FCurrent.Y);
        FCurrent = target;
        InvalidateCell(FCurrent.X, FCurrent.Y);
    }
    return true;
}

void TCustomGrid::FocusCell(int ACol, int ARow) {
    if (MoveColRow(ACol, ARow))
        Click();
}

// ---------------------------------------------------------------------------------------
// Mouse and keys

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus() && !hasFocus())
            setFocus(Qt::MouseFocusReason);
        if (Shift.Contains(ssDouble)) {
            DblClick();
        } else {
            TGridCoord cell = MouseCoord(X, Y);
            FSelecting = cell.X >= 0 && !IsFixed(cell.X, cell.Y) && MoveColRow(cell.X, cell.Y);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    if (FSelecting && Shift.Contains(ssLeft)) {
        TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= 0 && !IsFixed(cell.X, cell.Y) && cell != FCurrent)
            MoveColRow(cell.X, cell.Y);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FSelecting) {
        FSelecting = false;
        Click();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

TGridCoord TCustomGrid::KeyTarget(int key, TShiftState shift) const {
    const int firstCol = FFixedCols, lastCol = ColCount() - 1;
    const int firstRow = FFixedRows, lastRow = RowCount() - 1;
    const int page = std::max(1, VisibleRowCount());
    const bool ctrl = shift.Contains(ssCtrl);
    TGridCoord t = FCurrent;
    switch (key) {
    case Qt::Key_Left:
        t.X -= 1;
        break;
    case Qt::Key_Right:
        t.X += 1;
        break;
    case Qt::Key_Up:
        t.Y -= 1;
        break;
    case Qt::Key_Down:
        t.Y += 1;
        break;
    case Qt::Key_Home:
        t.X = firstCol;
        if (ctrl)
            t.Y = firstRow;
        break;
    case Qt::Key_End:
        t.X = lastCol;
        if (ctrl)
            t.Y = lastRow;
        break;
    case Qt::Key_PageUp:
        t.Y = std::max(firstRow, t.Y - page);
        break;
    case Qt::Key_PageDown:
        t.Y = std::min(lastRow, t.Y + page);
        break;
    default:
        return TGridCoord();
    }
    if (t.X < firstCol || t.X > lastCol || t.Y < firstRow || t.Y > lastRow)
        return FCurrent; // at the edge: the key is used, nothing moves
    return t;
}

void TCustomGrid::KeyDown(int& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    TGridCoord target = KeyTarget(Key, Shift);
    if (target.X < 0)
        return;
    Key = 0;
    if (target != FCurrent)
        FocusCell(target.X, target.Y);
}

bool TCustomGrid::WantsKey(int key, TShiftState shift) const {
    return KeyTarget(key, shift).X >= 0 || TCustomControl::WantsKey(key, shift);
}

void TCustomGrid::DoEnter() {
    InvalidateCell(FCurrent.X, FCurrent.Y);
    TCustomControl::DoEnter();
}

void TCustomGrid::DoExit() {
    FSelecting = false;
    InvalidateCell(FCurrent.X, FCurrent.Y);
    TCustomControl::DoExit();
}

// ---------------------------------------------------------------------------------------
// Painting

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    FireEvent(OnDrawCell, this, ACol, ARow, ARect, AState);
}

TGridDrawState TCustomGrid::DrawStateOf(int col, int row) const {
    if (IsFixed(col, row))
        return gdFixed;
    if (TGridCoord{col, row} != FCurrent)
        return 0;
    return hasFocus() ? (gdSelected | gdFocused) : gdSelected;
}

void TCustomGrid::Paint() {
    TCanvas& canvas = *Canvas();
    int saved = canvas.SaveState();
    TRect client = ClientRect();
    canvas.IntersectClipRect(client);
    // Beyond the last column and row: the grid's colour.
    Fill(canvas, TRect(GridRight(), client.Top, client.Right, client.Bottom), Color());
    Fill(canvas, TRect(client.Left, GridBottom(), GridRight(), client.Bottom), Color());
    PaintLines(canvas);
    for (int row = 0; row < RowCount(); ++row)
        for (int col = 0; col < ColCount(); ++col)
            PaintCell(canvas, col, row);
    canvas.RestoreState(saved);
    PaintBorder(canvas);
}

void TCustomGrid::PaintLines(TCanvas& canvas) {
    const int colLine = ColumnAxis().LineWidth;
    const int rowLine = RowAxis().LineWidth;
    if (colLine == 0 && rowLine == 0)
        return;
    const TColor lineColor = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
    auto segmentColor = [&](int col, int row, TGridOptions fixedLine, TGridOptions line) {
        if (IsFixed(col, row))
            return (FOptions & fixedLine) ? clBlack : FFixedColor;
        return (FOptions & line) ? lineColor : Color();
    };
    // Vertical segments first; horizontal ones then take the crossings.
    for (int row = 0; row < RowCount(); ++row)
        for (int col = 0; col < ColCount(); ++col) {
            TRect cell = CellRect(col, row);
            Fill(canvas, TRect(cell.Right, cell.Top, cell.Right + colLine, cell.Bottom + rowLine),
                 segmentColor(col, row, goFixedVertLine, goVertLine));
        }
    for (int row = 0; row < RowCount(); ++row)
        for (int col = 0; col < ColCount(); ++col) {
            TRect cell = CellRect(col, row);
            Fill(canvas, TRect(cell.Left, cell.Bottom, cell.Right + colLine, cell.Bottom + rowLine),
                 segmentColor(col, row, goFixedHorzLine, goHorzLine));
        }
}

void TCustomGrid::PaintCell(TCanvas& canvas, int col, int row) {
    TRect r = CellRect(col, row);
    TGridDrawState state = DrawStateOf(col, row);
    canvas.Font.Assign(*Font());
    canvas.Brush.Style = bsSolid;
    if (state & gdFixed) {
        canvas.Brush.Color = FFixedColor;
    } else if ((state & gdSelected) && (!(state & gdFocused) || (FOptions & goDrawFocusSelected))) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.SetColor(clHighlightText);
    } else {
        canvas.Brush.Color = Color();
    }
    canvas.FillRect(r);
    DrawCell(col, row, r, state);
    const TGridOptions fixedLines = goFixedVertLine | goFixedHorzLine;
    if ((state & gdFixed) && FCtl3D && (FOptions & fixedLines) == fixedLines)
        PaintRaisedEdge(canvas, r);
    if (state & gdFocused)
        canvas.DrawFocusRect(r);
}

void TCustomGrid::PaintRaisedEdge(TCanvas& canvas, const TRect& r) {
    Bevel(canvas, r, clBtnHighlight, clBtnShadow);
}

void TCustomGrid::PaintBorder(TCanvas& canvas) {
    PaintControlBorder(canvas, width(), height(), FBorderStyle, FCtl3D);
}

// ---------------------------------------------------------------------------------------

TDrawGrid::TDrawGrid(QWidget* parent) : TCustomGrid(parent) {}
