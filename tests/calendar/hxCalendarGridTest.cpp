#include "calendar/hxCalendar.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "platform/Locale.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The calendar as the calendar window sets it up: no border, 521 x 233, 宋体 12 px navy.
std::unique_ptr<ThxCalendar> MakeCalendar(int year, int month, int day) {
    auto calendar = std::make_unique<ThxCalendar>();
    calendar->SetBorderStyle(bsNone);
    calendar->SetBounds(0, 0, 521, 233);
    calendar->Font()->SetName(QStringLiteral("宋体"));
    calendar->Font()->SetHeight(-12);
    calendar->Font()->SetColor(clNavy);
    calendar->SetYear(year);
    calendar->SetMonth(month);
    calendar->SetDay(day);
    return calendar;
}

void ClickAt(QWidget* widget, QPoint pos) {
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, Qt::LeftButton, {}, {});
    QApplication::sendEvent(widget, &release);
}

QPoint CentreOf(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The cell (column, row) showing day `day` of the shown month.
TGridCoord CellOfDay(const ThxCalendar& calendar, int day) {
    for (int row = 1; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (calendar.DayCellText(col, row) == QString::number(day))
                return {col, row};
    return {};
}

TColor Pixel(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

// The topmost row inside `r` holding a pixel that `match` accepts, or -1.
int FirstRowWith(const QImage& image, const TRect& r, const std::function<bool(QColor)>& match) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (match(image.pixelColor(x, y)))
                return y;
    return -1;
}

// Text is anti-aliased on the white cells: a pixel of coverage a mixes the text colour with
// white. For text colours with a zero channel the coverage shows in the lightest channel, and
// the text colour can be recovered from the pixel.
bool IsInkOf(QColor c, TColor ink) {
    const int coverage = 255 - std::min({c.red(), c.green(), c.blue()});
    if (coverage < 60)
        return false;
    auto source = [&](int channel) { return 255 - (255 - channel) * 255 / coverage; };
    return std::abs(source(c.red()) - GetRValue(ink)) <= 40 &&
           std::abs(source(c.green()) - GetGValue(ink)) <= 40 &&
           std::abs(source(c.blue()) - GetBValue(ink)) <= 40;
}
bool IsPurple(QColor c) {
    return IsInkOf(c, RGB(128, 0, 128));
}
bool IsRed(QColor c) {
    return IsInkOf(c, RGB(255, 0, 0));
}
bool IsMaroon(QColor c) {
    return IsInkOf(c, RGB(128, 0, 0));
}
bool IsNavy(QColor c) {
    return IsInkOf(c, RGB(0, 0, 128));
}

// How far below the point it is drawn at the text's first ink lies, in the calendar's font.
int InkOffset(const ThxCalendar& calendar, const QString& text, TColor color) {
    TBitmap bitmap(80, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect(0, 0, 80, 40));
    canvas.Font.Assign(*calendar.Font());
    canvas.Font.SetColor(color);
    canvas.TextOut(0, 0, text);
    canvas.EndPaint();
    const QImage image = bitmap.ToQImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsInkOf(image.pixelColor(x, y), color))
                return y;
    return -1;
}

// Text drawn at `top` puts its first ink a few pixels lower, within the line.
void ExpectTextFrom(int firstInkRow, int top, int size) {
    EXPECT_GE(firstInkRow, top);
    EXPECT_LE(firstInkRow, top + size + 3);
}

} // namespace

TEST(CalendarGrid, EveryFirstWeekdayLandsInRowOneWithTheCurrentCellOnTheDay) {
    // 2006: January starts on a Sunday, May on a Monday, August on a Tuesday, November on a
    // Wednesday, June on a Thursday, September on a Friday, April on a Saturday.
    struct Case {
        int Month;
        int SundayFirstColumn; // column of day 1 with StartOfWeek 0
    };
    const Case cases[] = {{1, 0}, {5, 1}, {8, 2}, {11, 3}, {6, 4}, {9, 5}, {4, 6}};
    const QStringList names = Locale::ShortDayNames();
    for (int startOfWeek : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << "month " << c.Month << ", week from " << startOfWeek);
            auto calendar = MakeCalendar(2006, c.Month, 15);
            calendar->SetStartOfWeek(startOfWeek);
            const int column = (c.SundayFirstColumn - startOfWeek + 7) % 7;
            EXPECT_EQ(calendar->LeadDay(), 1 - column);
            EXPECT_EQ(calendar->DayCellText(column, 1), "1");
            if (column > 0) {
                EXPECT_EQ(calendar->DayCellText(column - 1, 1), "");
            }
            EXPECT_EQ(calendar->DayCellText(0, 0), names[startOfWeek]);
            EXPECT_EQ(calendar->DayCellText(6, 0), names[(startOfWeek + 6) % 7]);
            // The current cell shows the selected day, for the 15th and the month's last day.
            EXPECT_EQ(calendar->DayCellText(calendar->Col(), calendar->Row()), "15");
            const int last = calendar->DaysInShownMonth();
            calendar->SetDay(last);
            EXPECT_EQ(calendar->DayCellText(calendar->Col(), calendar->Row()),
                      QString::number(last));
            const int after = column + last; // cells from row 1, column 0
            if (after < 42) {
                EXPECT_EQ(calendar->DayCellText(after % 7, after / 7 + 1), "");
            }
        }
    }
    // Sunday first: a month starting on a Saturday has LeadDay -5; Monday first, a month
    // starting on a Monday has day 1 in column 0.
    auto april = MakeCalendar(2006, 4, 1);
    EXPECT_EQ(april->LeadDay(), -5);
    EXPECT_EQ(april->Col(), 6);
    EXPECT_EQ(april->Row(), 1);
    auto may = MakeCalendar(2006, 5, 1);
    may->SetStartOfWeek(1);
    EXPECT_EQ(may->LeadDay(), 1);
    EXPECT_EQ(may->Col(), 0);
}

TEST(CalendarGrid, SettersChangeOnlyRealDatesAndFireOnChange) {
    auto calendar = MakeCalendar(2006, 1, 31);
    int changes = 0;
    calendar->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, calendar.get());
        ++changes;
    };
    EXPECT_FALSE(calendar->UseCurrentDate());

    // Values that change nothing.
    calendar->SetMonth(13);
    calendar->SetMonth(0);
    calendar->SetMonth(1);
    calendar->SetYear(-3);
    calendar->SetDay(32);
    calendar->SetDay(31);
    calendar->SetDateElement(4, 5);
    calendar->SetStartOfWeek(1); // re-lays without OnChange
    calendar->SetStartOfWeek(7); // out of range
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(calendar->StartOfWeek(), 1);
    EXPECT_EQ(calendar->SelectedDate(), EncodeDate(2006, 1, 31));
    EXPECT_EQ(calendar->GetDateElement(0), -1);

    // 31 January -> February selects the month's last day.
    calendar->SetMonth(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(calendar->SelectedDate(), EncodeDate(2006, 2, 28));
    EXPECT_EQ(calendar->DayCellText(calendar->Col(), calendar->Row()), "28");
    // 29 February of a leap year -> a common year.
    calendar->SetYear(2008);
    calendar->SetDay(29);
    calendar->SetYear(2009);
    EXPECT_EQ(calendar->SelectedDate(), EncodeDate(2009, 2, 28));
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(calendar->DaysInShownMonth(), 28);
    EXPECT_EQ(calendar->DaysInMonthOf(2000, 2), 29);
    EXPECT_EQ(calendar->DaysInMonthOf(1900, 2), 28);

    // A year the calendar cannot hold raises and keeps the date.
    EXPECT_THROW(calendar->SetYear(10000), EConvertError);
    EXPECT_EQ(calendar->SelectedDate(), EncodeDate(2009, 2, 28));
    EXPECT_EQ(changes, 4);

    // Back to today, without OnChange.
    calendar->SetUseCurrentDate(true);
    EXPECT_EQ(calendar->SelectedDate(), Date());
    EXPECT_EQ(changes, 4);
}

TEST(CalendarGrid, ClicksSelectDaysButNotHeaderOrEmptyCells) {
    auto calendar = MakeCalendar(2006, 8, 15); // 1 August 2006 is a Tuesday: column 2
    calendar->show();
    int changes = 0, clicks = 0;
    calendar->OnChange = [&](TObject*) { ++changes; };
    calendar->OnClick = [&](TObject*) { ++clicks; };

    ClickAt(calendar.get(), CentreOf(calendar->CellRect(0, 1))); // empty, before day 1
    ClickAt(calendar.get(), CentreOf(calendar->CellRect(3, 0))); // header
    ClickAt(calendar.get(), CentreOf(calendar->CellRect(6, 6))); // empty, after day 31
    EXPECT_EQ(calendar->Day(), 15);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(clicks, 0);

    TGridCoord day9 = CellOfDay(*calendar, 9);
    ClickAt(calendar.get(), CentreOf(calendar->CellRect(day9.X, day9.Y)));
    EXPECT_EQ(calendar->Day(), 9);
    EXPECT_EQ(calendar->Col(), day9.X);
    EXPECT_EQ(calendar->Row(), day9.Y);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);

    // Arrow keys stop at empty cells: day 1 is the first cell of row 1 that has a day.
    calendar->SetDay(1);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, {});
    QApplication::sendEvent(calendar.get(), &left);
    EXPECT_EQ(calendar->Day(), 1);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, {});
    QApplication::sendEvent(calendar.get(), &right);
    EXPECT_EQ(calendar->Day(), 2);

    // Read-only: the user cannot move the selection, the program still can.
    calendar->SetReadOnly(true);
    TGridCoord day20 = CellOfDay(*calendar, 20);
    ClickAt(calendar.get(), CentreOf(calendar->CellRect(day20.X, day20.Y)));
    QApplication::sendEvent(calendar.get(), &right);
    EXPECT_EQ(calendar->Day(), 2);
    calendar->SetDay(20);
    EXPECT_EQ(calendar->Col(), day20.X);
    EXPECT_EQ(calendar->Row(), day20.Y);
    calendar->SetMonth(9);
    EXPECT_EQ(calendar->DayCellText(calendar->Col(), calendar->Row()), "20");
}

TEST(CalendarGrid, CellsFillTheControl) {
    auto calendar = MakeCalendar(2006, 8, 15);
    EXPECT_EQ(calendar->DefaultColWidth(), 73);
    EXPECT_EQ(calendar->DefaultRowHeight(), 32);
    calendar->SetBounds(0, 0, 300, 200);
    // Seven columns and rows share what the 3-pixel edges leave: 294 / 7 and 194 / 7.
    EXPECT_EQ(calendar->DefaultColWidth(), 42);
    EXPECT_EQ(calendar->DefaultRowHeight(), 27);
    EXPECT_EQ(calendar->RowCount(), 7);
    EXPECT_EQ(calendar->ColCount(), 7);
    EXPECT_EQ(calendar->FixedRows(), 1);
    EXPECT_EQ(calendar->FixedCols(), 0);
}

TEST(CalendarGrid, PaintsHeaderSelectionLunarTextsTermsAndFestivals) {
    // August 2006: 1 August is the Gregorian festival 建军节; 8 August the solar term 立秋;
    // 24 August the first day of the leap seventh lunar month. The 15th is selected.
    auto calendar = MakeCalendar(2006, 8, 15);
    const int size = calendar->Font()->Size();
    ASSERT_EQ(size, 9);
    const QImage image = calendar->grab().toImage();

    // Header cells: grey 201 inside the raised edge, navy text.
    const TRect header = calendar->CellRect(4, 0);
    EXPECT_EQ(Pixel(image, header.Left + 3, header.Bottom - 3), RGB(201, 201, 201));
    EXPECT_EQ(Pixel(image, header.Left, header.Top), ColorToRGB(clBtnHighlight)) << "raised edge";
    EXPECT_NE(FirstRowWith(image, header, IsNavy), -1);

    // The selected cell is filled with the highlight colour; others with the window colour.
    const TGridCoord selected = CellOfDay(*calendar, 15);
    const TRect sel = calendar->CellRect(selected.X, selected.Y);
    EXPECT_EQ(Pixel(image, sel.Right - 2, sel.Bottom - 2), ColorToRGB(clHighlight));
    const TGridCoord plain = CellOfDay(*calendar, 16);
    const TRect day16 = calendar->CellRect(plain.X, plain.Y);
    EXPECT_EQ(Pixel(image, day16.Right - 2, day16.Bottom - 2), ColorToRGB(clWindow));
    // An empty cell is filled too.
    EXPECT_EQ(Pixel(image, calendar->CellRect(0, 1).Right - 2, calendar->CellRect(0, 1).Top + 5),
              ColorToRGB(clWindow));

    // A plain day: bold navy number on the first line, the lunar day in purple from
    // Top + 2 * Size + 1, starting at Left + 10 + Size.
    const int lunarTop = day16.Top + 2 * size + 1;
    EXPECT_EQ(FirstRowWith(image, day16, IsPurple),
              lunarTop + InkOffset(*calendar, LunarDayName(23), RGB(128, 0, 128)));
    EXPECT_EQ(FirstRowWith(image,
                           TRect(day16.Left, day16.Top, day16.Left + 10 + size, day16.Bottom),
                           IsPurple),
              -1);
    ExpectTextFrom(FirstRowWith(image, day16, IsNavy), day16.Top + 2, size + 2);
    EXPECT_LT(FirstRowWith(image, day16, IsNavy), lunarTop);
    EXPECT_EQ(
        FirstRowWith(image, TRect(day16.Left, day16.Top, day16.Left + 10, day16.Bottom), IsNavy),
        -1);

    // A solar term that is a festival too (立秋, 父亲节): number and festival in navy on the
    // first line, the term in red on the second, no lunar day.
    const TGridCoord termCell = CellOfDay(*calendar, 8);
    ASSERT_EQ(SolarTermOf(EncodeDate(2006, 8, 8)), QStringLiteral("立秋"));
    const TRect term = calendar->CellRect(termCell.X, termCell.Y);
    EXPECT_EQ(FirstRowWith(image, term, IsRed),
              term.Top + 2 * size + 1 + InkOffset(*calendar, QStringLiteral("立秋"), clRed));
    EXPECT_EQ(
        FirstRowWith(image, TRect(term.Left, term.Top, term.Left + 10 + size, term.Bottom), IsRed),
        -1);
    EXPECT_EQ(FirstRowWith(image, term, IsPurple), -1);
    EXPECT_NE(FirstRowWith(image, TRect(term.Left + 30, term.Top, term.Right, term.Top + 2 * size),
                           IsNavy),
              -1)
        << "the festival follows the day number";

    // A festival: the number from Left + 2, the festival in maroon from Left + 2 * Size + 1,
    // Top + 4, and the lunar day in purple below.
    const TGridCoord festivalCell = CellOfDay(*calendar, 1);
    const TRect festival = calendar->CellRect(festivalCell.X, festivalCell.Y);
    EXPECT_EQ(FirstRowWith(
                  image,
                  TRect(festival.Left, festival.Top, festival.Left + 2 * size + 1, festival.Bottom),
                  IsMaroon),
              -1);
    ExpectTextFrom(FirstRowWith(image, festival, IsMaroon), festival.Top + 4, size);
    EXPECT_EQ(FirstRowWith(image, festival, IsRed), -1);
    ExpectTextFrom(FirstRowWith(image, festival, IsPurple), festival.Top + 2 * size + 1, size);
    EXPECT_NE(FirstRowWith(
                  image,
                  TRect(festival.Left, festival.Top, festival.Left + 10, festival.Top + 2 * size),
                  IsNavy),
              -1)
        << "the festival day's number starts at Left + 2";
}

TEST(CalendarGrid, DaysOutsideTheLunarRangeShowNoLunarDay) {
    auto calendar = MakeCalendar(1900, 1, 15); // lunar dates start on 31 January 1900
    const int size = calendar->Font()->Size();
    const QImage image = calendar->grab().toImage();
    const TGridCoord before = CellOfDay(*calendar, 16);
    const TRect early = calendar->CellRect(before.X, before.Y);
    EXPECT_EQ(FirstRowWith(image, early, IsPurple), -1);
    EXPECT_NE(FirstRowWith(image, early, IsNavy), -1);
    const TGridCoord first = CellOfDay(*calendar, 31);
    const TRect newYear = calendar->CellRect(first.X, first.Y);
    ExpectTextFrom(FirstRowWith(image, newYear, IsPurple), newYear.Top + 2 * size + 1, size);
    EXPECT_NE(FirstRowWith(image, newYear, IsMaroon), -1) << "*春节";
}

namespace {

// The width of the ink `text` leaves in the calendar's font at `points`, bold or not.
int InkWidth(const ThxCalendar& calendar, const QString& text, int points, bool bold) {
    TBitmap bitmap(120, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect(0, 0, 120, 40));
    canvas.Font.Assign(*calendar.Font());
    canvas.Font.SetSize(points);
    canvas.Font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    canvas.TextOut(0, 0, text);
    canvas.EndPaint();
    const QImage image = bitmap.ToQImage();
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsNavy(image.pixelColor(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < 0 ? 0 : right - left + 1;
}

// The columns of `r` holding ink that `match` accepts: first and last, or (-1, -1).
std::pair<int, int> InkColumns(const QImage& image, const TRect& r,
                               const std::function<bool(QColor)>& match) {
    int first = -1, last = -1;
    for (int x = r.Left; x < r.Right; ++x)
        for (int y = r.Top; y < r.Bottom; ++y)
            if (match(image.pixelColor(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(CalendarGrid, TheLunarNewYearShowsItsFestivalAndTheMonthName) {
    // 29 January 2006 is 正月初一 (春节) and no solar term.
    ASSERT_TRUE(SolarTermOf(EncodeDate(2006, 1, 29)).isEmpty());
    auto calendar = MakeCalendar(2006, 1, 15);
    const int size = calendar->Font()->Size();
    const QImage image = calendar->grab().toImage();
    const TGridCoord cell = CellOfDay(*calendar, 29);
    const TRect r = calendar->CellRect(cell.X, cell.Y);
    const int secondLine = r.Top + 2 * size + 1;

    // The day number: bold, in the font's navy, from (Left + 2, Top + 2), left of the festival.
    const TRect numberArea(r.Left, r.Top, r.Left + 2 * size + 1, secondLine);
    const auto [numberLeft, numberRight] = InkColumns(image, numberArea, IsNavy);
    EXPECT_GE(numberLeft, r.Left + 2);
    EXPECT_LE(numberLeft, r.Left + 4);
    ExpectTextFrom(FirstRowWith(image, numberArea, IsNavy), r.Top + 2, size + 2);
    const int boldWidth = InkWidth(*calendar, "29", size + 2, true);
    EXPECT_NE(boldWidth, InkWidth(*calendar, "29", size + 2, false));
    EXPECT_NEAR(numberRight - numberLeft + 1, boldWidth, 1);

    // "*春节" in maroon to its right, from Top + 4.
    const auto [festivalLeft, festivalRight] = InkColumns(image, r, IsMaroon);
    EXPECT_GE(festivalLeft, r.Left + 2 * size + 1);
    EXPECT_GT(festivalRight, festivalLeft + size);
    ExpectTextFrom(FirstRowWith(image, r, IsMaroon), r.Top + 4, size);

    // 一月 in purple on the second line, from Left + 10 + Size; no term in red.
    EXPECT_EQ(LunarMonthName(1, false), QStringLiteral("一月"));
    EXPECT_EQ(FirstRowWith(image, r, IsPurple),
              secondLine + InkOffset(*calendar, QStringLiteral("一月"), RGB(128, 0, 128)));
    EXPECT_GE(InkColumns(image, r, IsPurple).first, r.Left + 10 + size);
    EXPECT_EQ(FirstRowWith(image, r, IsRed), -1);
}
