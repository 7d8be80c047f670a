#include "calendar/LunarCalendar.h"
#include "framework/DateUtils.h"
#include "framework/Exceptions.h"
#include "platform/Gbk.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {
LunarDate Lunar(int year, int month, int day, bool leap = false) {
    LunarDate d;
    d.Year = year;
    d.Month = month;
    d.Day = day;
    d.IsLeap = leap;
    return d;
}

LunarDate LunarOf(int year, int month, int day) {
    return SolarToLunar(EncodeDate(year, month, day));
}

// Month lengths read straight from the raw words, independently of the engine's readers.
int RawMonthDays(int year, int month) {
    return (LunarYearTable[year - 1900] >> (16 - month)) & 1 ? 30 : 29;
}
int RawLeapMonth(int year) {
    int low = LunarYearTable[year - 1900] & 0xF;
    return low == 15 ? 0 : low;
}
int RawLeapDays(int year) {
    return (LunarYearTable[year + 1 - 1900] & 0xF) == 15 ? 30 : 29;
}

// Milliseconds from the first term of 1900 (6 January 1900 02:05) to a term's moment.
long long TermMsecs(int year, int k) {
    return std::llround(SolarTermDate(year, k) * MSecsPerDay - (7 * MSecsPerDay + 125 * 60000.0));
}
} // namespace

::std::ostream& operator<<(::std::ostream& os, const LunarDate& d) {
    return os << d.Year << '-' << d.Month << '-' << d.Day << (d.IsLeap ? " leap" : "");
}

TEST(LunarTable, ReadsWordsAsDocumented) {
    // 1906 (5554) has a leap fourth month of 30 days because 1907 (56AF) ends in F.
    EXPECT_EQ(LeapMonthOf(1906), 4);
    EXPECT_EQ(LeapMonthDays(1906), 30);
    EXPECT_EQ(LeapMonthOf(1907), 0);
    EXPECT_EQ(LeapMonthDays(1907), 0);
    // 2033 (4AFB): leap after month 11, 29 days since 2034 (4AD0) ends in 0.
    EXPECT_EQ(LeapMonthOf(2033), 11);
    EXPECT_EQ(LeapMonthDays(2033), 29);
    // 1900 (4BD8): months 29,30,29,29,30,29,30,30,30,30,29,30 plus a 29-day leap eighth month.
    const int months1900[12] = {29, 30, 29, 29, 30, 29, 30, 30, 30, 30, 29, 30};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(LunarMonthDays(1900, m), months1900[m - 1]) << m;
    EXPECT_EQ(LeapMonthOf(1900), 8);
    EXPECT_EQ(LunarYearDays(1900), 355 + 29);
    // 2100 (D520) is the last word; its year has no leap month and 354 days.
    EXPECT_EQ(LeapMonthDays(2100), 0);
    EXPECT_EQ(LunarYearDays(2100), 354);
    // Out-of-table arguments read nothing.
    EXPECT_EQ(LunarYearDays(1899), 0);
    EXPECT_EQ(LunarYearDays(2101), 0);
    EXPECT_EQ(LeapMonthOf(2101), 0);
    EXPECT_EQ(LunarMonthDays(2006, 0), 0);
    EXPECT_EQ(LunarMonthDays(2006, 13), 0);
}

TEST(LunarTable, LongLeapMarkerFollowsOnlyLeapYears) {
    // A word ending in F only lengthens the previous year's leap month, so that year must have one.
    for (int year = 1901; year <= 2100; ++year) {
        if ((LunarYearTable[year - 1900] & 0xF) == 15) {
            EXPECT_NE(RawLeapMonth(year - 1), 0) << year;
        }
        int days = LunarYearDays(year);
        EXPECT_TRUE(days == 353 || days == 354 || days == 355 || days == 383 || days == 384 ||
                    days == 385)
            << year << ": " << days;
    }
}

TEST(SolarToLunar, RangeEnds) {
    EXPECT_EQ(SolarToLunar(32), Lunar(1900, 1, 1));
    EXPECT_EQ(SolarToLunar(32.999), Lunar(1900, 1, 1));
    EXPECT_EQ(SolarToLunar(31.5), LunarDate{});
    EXPECT_EQ(LunarOf(1900, 1, 30), LunarDate{});
    EXPECT_EQ(LunarOf(2101, 1, 1), LunarDate{});
    EXPECT_EQ(SolarToLunar(-1000), LunarDate{});
    EXPECT_EQ(SolarToLunar(std::numeric_limits<double>::quiet_NaN()), LunarDate{});
    EXPECT_EQ(LunarOf(2100, 12, 31), Lunar(2100, 12, 1));
    EXPECT_TRUE(LunarOf(2101, 1, 1).IsNull());
}

TEST(SolarToLunar, KnownDates) {
    EXPECT_EQ(LunarOf(2006, 1, 29), Lunar(2006, 1, 1));
    EXPECT_EQ(LunarOf(2006, 1, 28), Lunar(2005, 12, 29));
    EXPECT_EQ(LunarOf(2006, 8, 23), Lunar(2006, 7, 30));
    EXPECT_EQ(LunarOf(2006, 8, 24), Lunar(2006, 7, 1, true));
    EXPECT_EQ(LunarOf(2006, 9, 21), Lunar(2006, 7, 29, true));
    EXPECT_EQ(LunarOf(2006, 9, 22), Lunar(2006, 8, 1));
    EXPECT_EQ(LunarOf(2006, 10, 6), Lunar(2006, 8, 15)); // mid-autumn 2006
    EXPECT_EQ(LunarOf(2020, 5, 23), Lunar(2020, 4, 1, true));
    EXPECT_EQ(LunarOf(2033, 12, 22), Lunar(2033, 11, 1, true));
    EXPECT_EQ(LunarOf(2034, 2, 18), Lunar(2033, 12, 30));
    EXPECT_EQ(LunarOf(2034, 2, 19), Lunar(2034, 1, 1));
    EXPECT_EQ(LunarOf(2009, 5, 28), Lunar(2009, 5, 5));
    EXPECT_EQ(LunarOf(2009, 6, 27), Lunar(2009, 5, 5, true));
    EXPECT_EQ(LunarOf(2014, 2, 14), Lunar(2014, 1, 15));
    // Lunar New Year's Days.
    const int newYears[][3] = {{1949, 1, 29}, {2000, 2, 5},  {2008, 2, 7},
                               {2020, 1, 25}, {2023, 1, 22}, {2024, 2, 10}};
    for (const auto& d : newYears)
        EXPECT_EQ(LunarOf(d[0], d[1], d[2]), Lunar(d[0], 1, 1)) << d[0];
    // The time of day does not matter.
    EXPECT_EQ(SolarToLunar(EncodeDate(2006, 8, 24) + 0.99), Lunar(2006, 7, 1, true));
}

TEST(SolarToLunar, EveryDayAdvancesByOneAlongTheTable) {
    const double first = EncodeDate(1900, 1, 31);
    const double last = EncodeDate(2100, 12, 31);
    LunarDate prev = SolarToLunar(first);
    ASSERT_EQ(prev, Lunar(1900, 1, 1));
    int leapMonthsSeen = 0;
    int newYearsEves = 0;
    for (double date = first + 1; date <= last; date += 1) {
        LunarDate cur = SolarToLunar(date);
        if (cur.Day != 1) {
            ASSERT_EQ(cur, Lunar(prev.Year, prev.Month, prev.Day + 1, prev.IsLeap)) << date;
        } else {
            // The month that just ended had its full table length.
            int length = prev.IsLeap ? RawLeapDays(prev.Year) : RawMonthDays(prev.Year, prev.Month);
            ASSERT_EQ(prev.Day, length) << date;
            LunarDate expected;
            if (!prev.IsLeap && RawLeapMonth(prev.Year) == prev.Month)
                expected = Lunar(prev.Year, prev.Month, 1, true);
            else if (prev.Month < 12)
                expected = Lunar(prev.Year, prev.Month + 1, 1);
            else
                expected = Lunar(prev.Year + 1, 1, 1);
            ASSERT_EQ(cur, expected) << date;
            if (cur.IsLeap)
                ++leapMonthsSeen;
            // The day before every New Year's Day, and only that day, is New Year's Eve.
            if (expected.Month == 1 && !expected.IsLeap) {
                EXPECT_EQ(LunarFestivalOf(prev), QStringLiteral("*除夕")) << date - 1;
                ++newYearsEves;
            }
        }
        if (cur.Day != 1 || cur.Month != 1) {
            ASSERT_NE(LunarFestivalOf(prev), QStringLiteral("*除夕")) << date - 1;
        }
        prev = cur;
    }
    int leapYears = 0;
    for (int year = 1900; year <= 2100; ++year)
        leapYears += RawLeapMonth(year) != 0;
    EXPECT_EQ(leapMonthsSeen, leapYears);
    EXPECT_EQ(newYearsEves, 200); // 1900 .. 2099; the eve of 2101 lies beyond the range
    EXPECT_EQ(prev, Lunar(2100, 12, 1));
}

TEST(LunarNames, YearsMonthsAndDays) {
    EXPECT_EQ(LunarYearName(1900), QStringLiteral("庚子(鼠年)"));
    EXPECT_EQ(LunarYearName(2008), QStringLiteral("戊子(鼠年)"));
    EXPECT_EQ(LunarYearName(2100), QStringLiteral("庚申(猴年)"));
    EXPECT_EQ(LunarYearName(2006), QStringLiteral("丙戌(狗年)"));
    EXPECT_EQ(LunarYearName(1864), QStringLiteral("甲子(鼠年)"));
    EXPECT_EQ(LunarYearName(1923), QStringLiteral("癸亥(猪年)")); // end of a sixty-year cycle
    EXPECT_EQ(LunarYearName(1863), QString());
    EXPECT_EQ(LunarYearName(0), QString());
    for (int year = 1900; year <= 2100; ++year) {
        EXPECT_EQ(LunarYearName(year), LunarYearName(year + 60));
        EXPECT_EQ(LunarYearName(year).mid(3), LunarYearName(year + 12).mid(3)); // same animal
        EXPECT_EQ(Gbk::AnsiLength(LunarYearName(year)), 10) << year;
    }

    const char* months[] = {"一月", "二月", "三月", "四月", "五月",   "六月",
                            "七月", "八月", "九月", "十月", "十一月", "十二月"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(LunarMonthName(m, false), QString::fromUtf8(months[m - 1]));
        EXPECT_EQ(LunarMonthName(m, true), QStringLiteral("闰") + QString::fromUtf8(months[m - 1]));
    }
    EXPECT_EQ(LunarMonthName(0, false), QStringLiteral("月"));
    EXPECT_EQ(LunarMonthName(0, true), QStringLiteral("闰月"));
    EXPECT_EQ(LunarMonthName(13, false), QStringLiteral("月"));

    EXPECT_EQ(LunarDayName(1), QStringLiteral("初一"));
    EXPECT_EQ(LunarDayName(10), QStringLiteral("初十"));
    EXPECT_EQ(LunarDayName(11), QStringLiteral("十一"));
    EXPECT_EQ(LunarDayName(19), QStringLiteral("十九"));
    EXPECT_EQ(LunarDayName(20), QStringLiteral("二十"));
    EXPECT_EQ(LunarDayName(21), QStringLiteral("廿一"));
    EXPECT_EQ(LunarDayName(29), QStringLiteral("廿九"));
    EXPECT_EQ(LunarDayName(30), QStringLiteral("三十"));
    EXPECT_EQ(LunarDayName(0), QString());
    EXPECT_EQ(LunarDayName(31), QString());
    EXPECT_EQ(LunarDayName(-1), QString());
}

TEST(LunarNames, DateTextsAndDayLabels) {
    EXPECT_EQ(LunarDateText(LunarOf(2006, 8, 15)), QStringLiteral("丙戌(狗年)七月廿二"));
    EXPECT_EQ(LunarDateText(LunarOf(2006, 1, 29)), QStringLiteral("丙戌(狗年)一月初一"));
    EXPECT_EQ(LunarDateText(LunarOf(2006, 9, 21)), QStringLiteral("丙戌(狗年)闰七月廿九"));
    EXPECT_EQ(LunarDateText(LunarOf(1850, 1, 1)), QString());
    EXPECT_EQ(LunarDayLabel(LunarOf(2006, 8, 24)), QStringLiteral("闰七月"));
    EXPECT_EQ(LunarDayLabel(LunarOf(2006, 8, 25)), QStringLiteral("初二"));
    EXPECT_EQ(LunarDayLabel(LunarOf(2034, 2, 18)), QStringLiteral("三十"));
    EXPECT_EQ(LunarDayLabel(LunarDate{}), QString());
}

TEST(SolarTerms, KnownDaysAndEveryTermInItsMonth) {
    EXPECT_EQ(SolarTermOf(EncodeDate(2008, 2, 4)), QStringLiteral("立春"));
    EXPECT_EQ(SolarTermOf(EncodeDate(2006, 12, 22)), QStringLiteral("冬至"));
    EXPECT_EQ(SolarTermOf(EncodeDate(2006, 12, 21)), QString());
    EXPECT_EQ(SolarTermOf(EncodeDate(1900, 1, 6)), QStringLiteral("小寒"));
    EXPECT_EQ(SolarTermOf(EncodeDate(2008, 2, 4) + 0.9), QStringLiteral("立春"));
    EXPECT_EQ(SolarTermOf(-700000), QString()); // before year 1
    // The first term of 1900 is 6 January 1900 02:05.
    EXPECT_NEAR(SolarTermDate(1900, 0), 7 + 125.0 / 1440, 1e-9);
    EXPECT_EQ(TermMsecs(1900, 23), 504758LL * 60000);

    // Each month holds its own two terms, every year of the lunar range and far beyond it.
    for (int year : {1, 1000, 1899, 2500, 9999}) {
        for (int k = 0; k < 24; ++k)
            EXPECT_EQ(SolarTermOf(std::trunc(SolarTermDate(year, k))), SolarTermNames[k])
                << year << " " << k;
    }
    int found = 0;
    for (double date = EncodeDate(1900, 1, 1); date <= EncodeDate(2100, 12, 31); date += 1)
        found += !SolarTermOf(date).isEmpty();
    EXPECT_EQ(found, 201 * 24);

    EXPECT_THROW(SolarTermDate(2006, 24), EListError);
    EXPECT_THROW(SolarTermDate(2006, -1), EListError);
}

TEST(SolarTerms, MillisecondsRoundHalfToEven) {
    // Five years times 31556925974.7 ms ends in exactly .5: 157784629873.5 rounds up to the
    // even ...874, and 473353889620.5 (fifteen years) down to the even ...620.
    EXPECT_EQ(TermMsecs(1905, 0), 157784629874LL);
    EXPECT_EQ(TermMsecs(1915, 0), 473353889620LL);
    EXPECT_EQ(TermMsecs(1915, 2), 473353889620LL + 42467LL * 60000);
    EXPECT_EQ(TermMsecs(1895, 0), -157784629874LL);
    EXPECT_EQ(TermMsecs(1885, 0), -473353889620LL);
    EXPECT_EQ(TermMsecs(1901, 0), 31556925975LL);
}

TEST(Festivals, GregorianRowsFromTheirMark) {
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2014, 2, 14)), QStringLiteral(" 情人节"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 1, 1)), QStringLiteral("*元旦"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(1850, 10, 1)), QStringLiteral("*国庆节"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 10, 1) + 0.5), QStringLiteral("*国庆节"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 7, 1)), QStringLiteral(" 建党节 香港回归纪念"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 12, 25)), QStringLiteral(" Christmas Day"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 12, 26)), QStringLiteral(" 毛泽东诞辰纪念"));
    EXPECT_EQ(SolarFestivalOf(EncodeDate(2006, 1, 2)), QString());
    EXPECT_EQ(SolarFestivalOf(-700000), QString());
    int days = 0;
    for (double date = EncodeDate(2006, 1, 1); date <= EncodeDate(2006, 12, 31); date += 1)
        days += !SolarFestivalOf(date).isEmpty();
    EXPECT_EQ(days, 23);
}

TEST(Festivals, LunarRowsLeapMonthsAndNewYearsEve) {
    EXPECT_EQ(LunarFestivalOf(LunarOf(2006, 1, 29)), QStringLiteral("*春节"));
    EXPECT_EQ(LunarFestivalOf(LunarOf(2014, 2, 14)), QStringLiteral(" 元宵节"));
    EXPECT_EQ(LunarFestivalOf(LunarOf(2009, 5, 28)), QStringLiteral(" 端午节"));
    EXPECT_EQ(LunarFestivalOf(LunarOf(2009, 6, 27)), QStringLiteral(" 端午节"));
    EXPECT_EQ(LunarFestivalOf(LunarOf(2006, 10, 6)), QStringLiteral(" 中秋节"));
    EXPECT_EQ(LunarFestivalOf(Lunar(2006, 12, 8)), QStringLiteral(" 腊八节"));
    EXPECT_EQ(LunarFestivalOf(Lunar(2006, 12, 24)), QStringLiteral(" 小年"));
    EXPECT_EQ(LunarFestivalOf(Lunar(2006, 1, 2)), QString());
    EXPECT_EQ(LunarFestivalOf(LunarDate{}), QString());

    // New Year's Eve on a 29-day twelfth month (2005) and on a 30-day one (2033).
    EXPECT_EQ(LunarMonthDays(2005, 12), 29);
    EXPECT_EQ(LunarFestivalOf(LunarOf(2006, 1, 28)), QStringLiteral("*除夕"));
    EXPECT_EQ(LunarMonthDays(2033, 12), 30);
    EXPECT_EQ(LunarFestivalOf(LunarOf(2034, 2, 18)), QStringLiteral("*除夕"));
    EXPECT_EQ(LunarFestivalOf(LunarOf(2034, 2, 17)), QString()); // 12-29 of a 30-day month
    // A twelfth month that is not the year's last, and dates outside the table, are no eve.
    EXPECT_FALSE(IsLunarNewYearsEve(Lunar(2033, 12, 30, true)));
    EXPECT_FALSE(IsLunarNewYearsEve(Lunar(2101, 12, 30)));
    EXPECT_FALSE(IsLunarNewYearsEve(Lunar(2033, 11, 30)));
}
