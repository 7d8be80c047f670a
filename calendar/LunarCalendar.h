#pragma once
// The Chinese lunar calendar: Gregorian date serials to lunar dates, Chinese names of lunar
// years, months and days, the 24 solar terms and the festival tables. Every function is pure;
// the tables are constants. Needs Qt Core only, so tools can use it without widgets.

#include "framework/DateUtils.h"

#include <QString>
#include <QStringView>
#include <cstdint>

// A lunar date; all four fields zero means "outside the supported range".
struct LunarDate {
    std::int32_t Year = 0;  // numbered like the Gregorian year in which it begins
    std::int32_t Month = 0; // 1..12
    std::int32_t Day = 0;   // 1..30
    bool IsLeap = false;    // the leap month that repeats Month

    bool IsNull() const { return Year == 0 && Month == 0 && Day == 0 && !IsLeap; }
    bool operator==(const LunarDate&) const = default;
};

// The supported lunar years and the date serials they span: [LunarFirstSerial, LunarEndSerial).
constexpr int LunarFirstYear = 1900;
constexpr int LunarLastYear = 2100;
constexpr double LunarFirstSerial = 32;      // 31 January 1900 = lunar 1900-1-1
constexpr double LunarEndSerial = 73416;     // 1 January 2101, the first day not covered
constexpr int LunarYearNameFirstYear = 1864; // a 甲子 year

// One word per lunar year 1900..2100: bit 15 - (m - 1) set = month m has 30 days; the low four
// bits name the month the leap month follows (0 or 15: none). Low bits 15 in the next year's
// word make the leap month 30 days long.
extern const std::uint16_t LunarYearTable[LunarLastYear - LunarFirstYear + 1];

extern const QStringView HeavenlyStems[10];
extern const QStringView EarthlyBranches[12];
extern const QStringView ZodiacAnimals[12];
extern const QStringView ChineseNumerals[11]; // index 1..10; index 0 is empty
extern const QStringView SolarTermNames[24];
extern const int SolarTermMinutes[24]; // minutes after the year's first term (小寒)
// Rows "MMDD" + mark (blank or '*') + text.
extern const QStringView SolarFestivals[23];
extern const QStringView LunarFestivals[10];

// Table reads. Years outside 1900..2100 and months outside 1..12 give 0.
int LeapMonthOf(int lunarYear);               // month the leap month follows, 1..12, or 0
int LeapMonthDays(int lunarYear);             // 29 or 30, 0 without a leap month
int LunarMonthDays(int lunarYear, int month); // 29 or 30 for the ordinary month
int LunarYearDays(int lunarYear);             // all days, leap month included

// The lunar date of a Gregorian date serial (time of day ignored); all zero outside
// 31 January 1900 .. 31 December 2100.
LunarDate SolarToLunar(TDateTime date);

// 丙戌(狗年). Empty for years before 1864, where the sexagenary count of this table starts.
QString LunarYearName(int lunarYear);
// 七月, 闰七月; "月" (or "闰月") alone for a month outside 1..12.
QString LunarMonthName(int month, bool isLeap);
// 初一 .. 三十; empty outside 1..30.
QString LunarDayName(int day);
// Year name + month name + day name (丙戌(狗年)七月廿二); empty for the all-zero record.
QString LunarDateText(const LunarDate& date);
// What a day cell shows under the day number: the month name on a month's first day, else the
// day name; empty for the all-zero record.
QString LunarDayLabel(const LunarDate& date);

// The moment of solar term k (0..23) of Gregorian year `year`, as a date serial with time.
// Raises EListError for k outside 0..23.
TDateTime SolarTermDate(int year, int k);
// The name of the solar term that falls on the date's day, or empty.
QString SolarTermOf(TDateTime date);

// The festival row matching the date from its mark character on ("*元旦", " 情人节"), or empty.
QString SolarFestivalOf(TDateTime date);
// The same for a lunar date; a leap month matches like its ordinary month. The last day of the
// lunar year (the twelfth month's 29th or 30th) matches the New Year's Eve row "0100*除夕".
QString LunarFestivalOf(const LunarDate& date);
// The lunar year's last day, the day before the next lunar New Year.
bool IsLunarNewYearsEve(const LunarDate& date);
