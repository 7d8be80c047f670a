#include "calendar/hxCalendar.h"

#include "framework/Canvas.h"
#include "framework/DateUtils.h"
#include "platform/Locale.h"

#include <algorithm>

namespace {

constexpr TColor HeaderGrey = RGB(201, 201, 201);
constexpr TColor TermRed = RGB(255, 0, 0);
constexpr TColor FestivalMaroon = RGB(128, 0, 0);
constexpr TColor LunarPurple = RGB(128, 0, 128);
constexpr int DaysPerWeek = 7;

// Clears a flag when the scope ends, also when it ends through an exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~FlagScope() { FFlag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& FFlag;
};

void SetBold(TFont& font, bool bold) {
    TFontStyles style = font.Style();
    if (bold)
        style.Include(fsBold);
    else
        style.Exclude(fsBold);
    font.SetStyle(style);
}

// What a day cell shows besides its number.
struct DayInfo {
    QString Term;      // solar term, drawn in red on the second line
    QString LunarText; // lunar month name on a month's first day, else the lunar day name
    QString Festival;  // Gregorian then lunar festival, each with its mark character
};

DayInfo DayInfoOf(TDateTime date) {
    DayInfo info;
    const LunarDate lunar = SolarToLunar(date);
    info.Term = SolarTermOf(date);
    if (info.Term.isEmpty())
        info.LunarText = LunarDayLabel(lunar);
    info.Festival = SolarFestivalOf(date) + LunarFestivalOf(lunar);
    return info;
}

} // namespace

ThxCalendar::ThxCalendar(QWidget* parent) : TCustomGrid(parent) {
    SetColCount(DaysPerWeek);
    SetRowCount(7);
    SetFixedCols(0);
    SetFixedRows(1);
    SetOptions((Options() & ~goRangeSelect) | goDrawFocusSelected);
    FUseCurrentDate = true;
    FDate = Date();
    FitCellsToClient();
    LayoutMonth();
}

ThxCalendar::~ThxCalendar() = default;

// ---------------------------------------------------------------------------------------
// The selected date

int ThxCalendar::GetDateElement(int index) const {
    int y = 0, m = 0, d = 0;
    DecodeDate(FDate, y, m, d);
    switch (index) {
    case YearIndex:
        return y;
    case MonthIndex:
        return m;
    case DayIndex:
        return d;
    default:
        return -1;
    }
}

void ThxCalendar::SetDateElement(int index, int value) {
    if (value < 1)
        return;
    int y = 0, m = 0, d = 0;
    DecodeDate(FDate, y, m, d);
    switch (index) {
    case YearIndex:
        if (value == y)
            return;
        y = value;
        break;
    case MonthIndex:
        if (value > 12 || value == m)
            return;
        m = value;
        break;
    case DayIndex:
        if (value > DaysInShownMonth() || value == d)
            return;
        d = value;
        break;
    default:
        return;
    }
    // 31 January -> February, 29 February -> a common year: the month's last day.
    d = std::min(d, DaysInMonthOf(y, m));
    const TDateTime date = EncodeDate(y, m, d); // raises before anything changed
    FDate = date;
    FUseCurrentDate = false;
    LayoutMonth();
    NotifyChange();
}

void ThxCalendar::SetStartOfWeek(TDayOfWeek value) {
    if (value < 0 || value >= DaysPerWeek || value == FStartOfWeek)
        return;
    FStartOfWeek = value;
    LayoutMonth();
}

void ThxCalendar::SetUseCurrentDate(bool value) {
    if (value == FUseCurrentDate)
        return;
    FUseCurrentDate = value;
    if (value) {
        FDate = Date();
        LayoutMonth();
    }
}

void ThxCalendar::NotifyChange() {
    FireEvent(OnChange, this);
}

// ---------------------------------------------------------------------------------------
// The month

bool ThxCalendar::IsLeapYearOf(int year) const {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int ThxCalendar::DaysInMonthOf(int year, int month) const {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return Days[month - 1] + (month == 2 && IsLeapYearOf(year) ? 1 : 0);
}

int ThxCalendar::DaysInShownMonth() const {
    return DaysInMonthOf(Year(), Month());
}

void ThxCalendar::LayoutMonth() {
    FlagScope inLayout(FInLayout);
    const int firstWeekday = DayOfWeek(EncodeDate(Year(), Month(), 1)); // 1 = Sunday
    const int w = (firstWeekday - FStartOfWeek + DaysPerWeek) % DaysPerWeek;
    FLeadDay = 2 - w;
    if (FLeadDay == 2)
        FLeadDay = -5;
    const int offset = Day() - FLeadDay;
    MoveColRow(offset % DaysPerWeek, offset / DaysPerWeek + 1);
    Invalidate();
}

QString ThxCalendar::DayCellText(int col, int row) const {
    if (row == 0) {
        const QStringList names = Locale::ShortDayNames();
        const int weekday = (FStartOfWeek + col) % DaysPerWeek;
        return weekday < names.size() ? names[weekday] : QString();
    }
    const int n = FLeadDay + col + (row - 1) * DaysPerWeek;
    if (n >= 1 && n <= DaysInShownMonth())
        return QString::number(n);
    return QString();
}

// ---------------------------------------------------------------------------------------
// User moves

bool ThxCalendar::SelectCell(int ACol, int ARow) {
    if (FReadOnly && !FInLayout)
        return false;
    if (DayCellText(ACol, ARow).isEmpty())
        return false;
    return TCustomGrid::SelectCell(ACol, ARow);
}

void ThxCalendar::Click() {
    TCustomGrid::Click();
    const QString text = DayCellText(Col(), Row());
    if (!text.isEmpty())
        SetDay(text.toInt());
}

void ThxCalendar::Resize() {
    FitCellsToClient();
    TCustomGrid::Resize();
}

void ThxCalendar::FitCellsToClient() {
    const TRect client = ClientRect();
    const int lines = (DaysPerWeek - 1) * GridLineWidth();
    SetDefaultColWidth((client.Width() - lines) / DaysPerWeek);
    SetDefaultRowHeight((client.Height() - lines) / DaysPerWeek);
}

// ---------------------------------------------------------------------------------------
// Painting

void ThxCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    (void)AState;
    TCanvas& canvas = *Canvas();
    TFont& font = canvas.Font;
    const int size = font.Size();
    const int height = font.Height();
    const TColor base = Font()->Color();
    const int left = ARect.Left, top = ARect.Top;

    const QString text = DayCellText(ACol, ARow);
    DayInfo info;
    if (ARow > 0 && !text.isEmpty())
        info = DayInfoOf(EncodeDate(Year(), Month(), text.toInt()));

    // Draws `what` opaquely in the cell at (x, y), bold and `bump` points larger.
    auto drawNumber = [&](int x, int y, const QString& what, int bump, bool bold) {
        font.SetColor(base);
        font.SetSize(size + bump);
        SetBold(font, bold);
        canvas.TextRect(ARect, x, y, what);
        font.SetHeight(height);
        SetBold(font, false);
    };

    if (!info.Term.isEmpty()) {
        drawNumber(left + 10, top + 2, text + info.Festival, 2, true);
        font.SetColor(TermRed);
        canvas.TextOut(left + 10 + size, top + 2 * size + 1, info.Term);
        return;
    }

    int bump = 2;
    if (!info.Festival.isEmpty()) {
        drawNumber(left + 2, top + 2, text, 2, true);
        font.SetColor(FestivalMaroon);
        canvas.TextOut(left + 2 * size + 1, top + 4, info.Festival);
    } else if (ARow == 0) {
        canvas.Brush.Color = HeaderGrey;
        bump = 0;
        const int x = left + (ARect.Width() - 4 * size) / 2;
        const int y = top + 2 + (ARect.Height() - 2 * size) / 2;
        drawNumber(x, y, text, bump, false);
    } else {
        drawNumber(left + 10, top + 2, text, bump, true);
    }

    font.SetColor(LunarPurple);
    if (!info.LunarText.isEmpty())
        canvas.TextOut(left + 10 + size, top + 2 * (size + bump) - 3, info.LunarText);
}
