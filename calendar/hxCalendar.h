#pragma once
// The calendar grid's unit. The lunar engine it paints with lives in LunarCalendar.h, which
// needs no widgets; the grid control is declared here and forwards to those free functions.
//
// ThxCalendar is a 7 x 7 month view on the framework grid: row 0 names the weekdays, rows
// 1..6 hold the days of the selected month, each with its lunar day, solar term and
// festivals. One day is always selected; Year, Month and Day read and write it.

#include "calendar/LunarCalendar.h"
#include "framework/Grids.h"

// 0 = Sunday, 1 = Monday, ... 6 = Saturday.
using TDayOfWeek = int;

class ThxCalendar : public TCustomGrid {
    Q_OBJECT
public:
    // Index values of the date elements.
    static constexpr int YearIndex = 1;
    static constexpr int MonthIndex = 2;
    static constexpr int DayIndex = 3;

    explicit ThxCalendar(QWidget* parent = nullptr);
    ~ThxCalendar() override;

    // The elements of the selected date; any other index reads -1.
    int GetDateElement(int index) const;
    // A value below 1, a month above 12, a day beyond the shown month and the current value
    // change nothing. A year or month without the selected day selects that month's last
    // day. A date the calendar cannot hold (a year above 9999) raises EConvertError and
    // changes nothing. Otherwise the date moves, UseCurrentDate clears, the month is laid
    // out again and OnChange fires.
    void SetDateElement(int index, int value);
    int Year() const { return GetDateElement(YearIndex); }
    int Month() const { return GetDateElement(MonthIndex); }
    int Day() const { return GetDateElement(DayIndex); }
    void SetYear(int value) { SetDateElement(YearIndex, value); }
    void SetMonth(int value) { SetDateElement(MonthIndex, value); }
    void SetDay(int value) { SetDateElement(DayIndex, value); }

    TDateTime SelectedDate() const { return FDate; }
    // The day number column 0 of row 1 stands for (-5 .. 1).
    int LeadDay() const { return FLeadDay; }

    // The weekday of column 0; 0..6, other values are ignored. Re-lays the month without
    // OnChange.
    TDayOfWeek StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TDayOfWeek value);
    // True while the selected date is today's as read at construction; setting it true
    // selects today again (without OnChange).
    bool UseCurrentDate() const { return FUseCurrentDate; }
    void SetUseCurrentDate(bool value);
    // The user cannot move the selection; the date elements can still be written.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }

    virtual int DaysInMonthOf(int year, int month) const;
    virtual int DaysInShownMonth() const;
    virtual bool IsLeapYearOf(int year) const;
    // Places the selected month in the rows and moves the current cell to the selected day.
    virtual void LayoutMonth();

    // Row 0: the locale's short weekday name; other rows: the day number or "".
    QString DayCellText(int col, int row) const;

    // The user's click: OnClick, then the clicked day becomes the selected one.
    void Click() override;

    // After the selected date changed through Year, Month or Day.
    TNotifyEvent OnChange;

protected:
    virtual void NotifyChange();
    bool SelectCell(int ACol, int ARow) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void Resize() override;

private:
    void FitCellsToClient();

    TDateTime FDate = 0;
    int FLeadDay = 1;
    bool FReadOnly = false;
    TDayOfWeek FStartOfWeek = 0;
    bool FInLayout = false;
    bool FUseCurrentDate = true;
};
