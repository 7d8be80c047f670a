#include "framework/Grids.h"

#include "ControlsTestSupport.h"
#include "framework/Exceptions.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace ControlsTest;

namespace {

// A 5 x 5 grid (one fixed row and column) of 40 x 20 cells without a border, shown.
std::unique_ptr<TDrawGrid> MakeGrid() {
    auto grid = std::make_unique<TDrawGrid>();
    grid->SetBorderStyle(bsNone);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->SetBounds(0, 0, 220, 120);
    grid->show();
    return grid;
}

QPoint Centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

TColor PixelAt(QWidget& widget, int x, int y) {
    return FromQColor(widget.grab().toImage().pixelColor(x, y));
}

} // namespace

TEST(Grid, CellRectsExcludeTheLinesAfterThem) {
    TDrawGrid grid;
    grid.SetBorderStyle(bsNone);
    grid.SetColCount(7);
    grid.SetRowCount(7);
    grid.SetFixedCols(0);
    grid.SetDefaultColWidth(73);
    grid.SetDefaultRowHeight(32);
    grid.SetBounds(0, 0, 521, 233);
    EXPECT_EQ(grid.CellRect(0, 0), TRect(0, 0, 73, 32));
    EXPECT_EQ(grid.CellRect(1, 0), TRect(74, 0, 147, 32));
    EXPECT_EQ(grid.CellRect(2, 3), TRect(148, 99, 221, 131));
    EXPECT_EQ(grid.CellRect(7, 0), TRect()) << "outside the grid";

    // A point on a grid line belongs to the cell before it.
    int col = 0, row = 0;
    grid.MouseToCell(73, 32, col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
    grid.MouseToCell(74, 33, col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    grid.MouseToCell(7 * 74, 5, col, row);
    EXPECT_EQ(col, -1) << "right of the last line";

    // Column widths move the columns after them; a thicker line moves every later cell.
    grid.SetColWidths(1, 10);
    grid.SetGridLineWidth(2);
    EXPECT_EQ(grid.CellRect(2, 1), TRect(75 + 12, 34, 75 + 12 + 73, 34 + 32));
    // Without vertical lines the columns touch.
    grid.SetOptions(grid.Options() & ~goVertLine);
    EXPECT_EQ(grid.CellRect(1, 0), TRect(73, 0, 83, 32));

    // A border moves the client area and every cell with it.
    grid.SetBorderStyle(bsSingle);
    EXPECT_EQ(grid.BorderWidth(), 2);
    EXPECT_EQ(grid.ClientRect(), TRect(2, 2, 519, 231));
    EXPECT_EQ(grid.CellRect(0, 0), TRect(2, 2, 75, 34));
    grid.SetCtl3D(false);
    EXPECT_EQ(grid.CellRect(0, 0).Left, 1);
}

TEST(Grid, ShapeChangesKeepTheCurrentCellInside) {
    TDrawGrid grid;
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    grid.SetCol(4);
    grid.SetRow(3);
    grid.SetColCount(3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_THROW(grid.SetFixedCols(3), EInvalidOperation);
    EXPECT_THROW(grid.SetCol(0), EInvalidOperation) << "fixed cells are never current";
    EXPECT_THROW(grid.SetRow(5), EInvalidOperation);
    grid.SetFixedRows(0);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.Row(), 1);
    // Fewer columns than fixed columns take the fixed count down with them.
    grid.SetColCount(1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(grid.Col(), 0);
}

TEST(Grid, KeysMoveTheCurrentCellThroughTheVeto) {
    auto grid = MakeGrid();
    std::vector<std::pair<int, int>> asked;
    grid->OnSelectCell = [&](TObject*, int c, int r, bool& canSelect) {
        asked.emplace_back(c, r);
        canSelect = !(c == 3 && r == 2);
    };
    int clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    auto current = [&] { return std::make_pair(grid->Col(), grid->Row()); };

    SendKey(grid.get(), Qt::Key_Right);
    EXPECT_EQ(current(), std::make_pair(2, 1));
    SendKey(grid.get(), Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(2, 2));
    EXPECT_EQ(clicks, 2);
    asked.clear();
    SendKey(grid.get(), Qt::Key_Right);
    EXPECT_EQ(current(), std::make_pair(2, 2)) << "vetoed";
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 2}})) << "asked before moving";
    EXPECT_EQ(clicks, 2) << "no click without a move";

    SendKey(grid.get(), Qt::Key_End);
    EXPECT_EQ(current(), std::make_pair(4, 2));
    SendKey(grid.get(), Qt::Key_Home);
    EXPECT_EQ(current(), std::make_pair(1, 2));
    SendKey(grid.get(), Qt::Key_Left);
    EXPECT_EQ(current(), std::make_pair(1, 2)) << "the fixed column stops it";
    SendKey(grid.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(current(), std::make_pair(4, 4));
    SendKey(grid.get(), Qt::Key_PageUp);
    EXPECT_EQ(current(), std::make_pair(4, 1));
    SendKey(grid.get(), Qt::Key_PageDown);
    EXPECT_EQ(current(), std::make_pair(4, 4));
    SendKey(grid.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_EQ(clicks, 8);

    // A handler may take a key before the grid does.
    grid->OnKeyDown = [](TObject*, int& key, TShiftState) {
        if (key == Qt::Key_Down)
            key = 0;
    };
    SendKey(grid.get(), Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(1, 1));

    // The program's moves ask the veto too, but raise no click.
    grid->SetCol(3);
    grid->SetRow(2);
    EXPECT_EQ(current(), std::make_pair(3, 1));
    EXPECT_EQ(clicks, 8);
}

TEST(Grid, MouseMovesTheCurrentCellAndClicksAfterTheRelease) {
    auto grid = MakeGrid();
    grid->OnSelectCell = [](TObject*, int c, int r, bool& canSelect) {
        canSelect = !(c == 3 && r == 2);
    };
    int clicks = 0;
    std::pair<int, int> atClick;
    grid->OnClick = [&](TObject*) {
        ++clicks;
        atClick = {grid->Col(), grid->Row()};
    };
    Click(grid.get(), Centre(grid->CellRect(2, 3)));
    EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 3));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(atClick, std::make_pair(2, 3));

    Click(grid.get(), Centre(grid->CellRect(3, 2)));
    Click(grid.get(), Centre(grid->CellRect(0, 2)));
    Click(grid.get(), Centre(grid->CellRect(2, 0)));
    Click(grid.get(), QPoint(215, 115));
    EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 3))
        << "vetoed, fixed and empty places leave the current cell";
    EXPECT_EQ(clicks, 1);

    // Dragging with the button held moves the cell along; one click at the release.
    SendMouse(grid.get(), QEvent::MouseButtonPress, Centre(grid->CellRect(1, 1)), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(grid.get(), QEvent::MouseMove, Centre(grid->CellRect(4, 4)), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(4, 4));
    EXPECT_EQ(clicks, 1);
    SendMouse(grid.get(), QEvent::MouseButtonRelease, Centre(grid->CellRect(4, 4)), Qt::LeftButton,
              {});
    EXPECT_EQ(clicks, 2);
}

TEST(Grid, CellsAreFilledBeforeAndFramedAfterTheirDrawing) {
    auto grid = MakeGrid();
    const TColor fixed = RGB(10, 200, 30);
    grid->SetFixedColor(fixed);
    grid->SetColor(RGB(250, 250, 240));
    grid->clearFocus();
    ASSERT_FALSE(grid->hasFocus());
    std::map<std::pair<int, int>, TGridDrawState> states;
    TColor fontInSelected = clNone;
    grid->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState state) {
        states[{c, r}] = state;
        if (state & gdSelected)
            fontInSelected = grid->Canvas()->Font.Color();
    };
    QImage image = grid->grab().toImage();
    auto pixel = [&](int x, int y) { return FromQColor(image.pixelColor(x, y)); };

    EXPECT_EQ(states.size(), 25u);
    EXPECT_EQ(states[std::make_pair(0, 3)], gdFixed);
    EXPECT_EQ(states[std::make_pair(2, 0)], gdFixed);
    EXPECT_EQ(states[std::make_pair(1, 1)], gdSelected) << "current, the grid unfocused";
    EXPECT_EQ(states[std::make_pair(2, 2)], 0u);
    EXPECT_EQ(fontInSelected, clHighlightText);

    TRect current = grid->CellRect(1, 1);
    EXPECT_EQ(pixel(Centre(current).x(), Centre(current).y()), ColorToRGB(clHighlight));
    TRect plain = grid->CellRect(2, 2);
    EXPECT_EQ(pixel(plain.Left, plain.Top), RGB(250, 250, 240));
    TRect header = grid->CellRect(2, 0);
    EXPECT_EQ(pixel(Centre(header).x(), Centre(header).y()), fixed);
    // The raised edge of a fixed cell lies inside its rectangle.
    EXPECT_EQ(pixel(header.Left, header.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(header.Right - 1, header.Bottom - 1), ColorToRGB(clBtnShadow));
    // Lines: black in the fixed area, silver between the other cells.
    EXPECT_EQ(pixel(header.Right, header.Top + 5), clBlack);
    EXPECT_EQ(pixel(plain.Right, plain.Top + 5), clSilver);
    EXPECT_EQ(pixel(plain.Left + 5, plain.Bottom), clSilver);
    // Beyond the last column: the grid's colour.
    EXPECT_EQ(pixel(215, 50), RGB(250, 250, 240));

    // The program draws over the fill.
    grid->OnDrawCell = [&](TObject*, int c, int r, TRect rect, TGridDrawState) {
        if (c == 3 && r == 3) {
            grid->Canvas()->Brush.Color = clRed;
            grid->Canvas()->FillRect(TRect(rect.Left, rect.Top, rect.Left + 4, rect.Top + 4));
        }
    };
    TRect drawn = grid->CellRect(3, 3);
    EXPECT_EQ(PixelAt(*grid, drawn.Left + 1, drawn.Top + 1), clRed);
    EXPECT_EQ(PixelAt(*grid, drawn.Left + 6, drawn.Top + 6), RGB(250, 250, 240));

    // Without Ctl3D the fixed cells have no edge.
    grid->SetCtl3D(false);
    EXPECT_EQ(PixelAt(*grid, header.Left, header.Top), fixed);
}

TEST(Grid, TheFocusedCellIsHighlightedOnlyWithDrawFocusSelected) {
    auto grid = MakeGrid();
    grid->activateWindow();
    grid->setFocus();
    if (!WaitFor([&] { return grid->hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";
    TGridDrawState state = 0;
    grid->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState s) {
        if (c == grid->Col() && r == grid->Row())
            state = s;
    };
    TRect current = grid->CellRect(1, 1);
    // Without the option the focused cell keeps the grid's colour (and has a focus frame).
    EXPECT_EQ(PixelAt(*grid, Centre(current).x(), Centre(current).y()), ColorToRGB(clWindow));
    EXPECT_EQ(state, gdSelected | gdFocused);
    grid->SetOptions(grid->Options() | goDrawFocusSelected);
    EXPECT_EQ(PixelAt(*grid, Centre(current).x(), Centre(current).y()), ColorToRGB(clHighlight));
}
