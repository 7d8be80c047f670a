#include "framework/DateUtils.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

TEST(DateSerials, KnownSerialsAndRoundTrips) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 6), 7.0);
    EXPECT_EQ(EncodeDate(1900, 1, 31), 32.0);
    EXPECT_EQ(EncodeDate(2101, 1, 1), 73416.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    for (double serial : {-693593.0, -1.0, 0.0, 32.0, 38930.0, 73416.0, 2958465.0}) {
        int y, m, d;
        DecodeDate(serial, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), serial) << serial;
    }
    int y, m, d;
    DecodeDate(EncodeDate(2000, 2, 29) + 0.75, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000229);
}

TEST(DateSerials, RejectsImpossibleDatesAndTimes) {
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST(DateSerials, TimeOfDayAndWeekday) {
    int h, mi, s, ms;
    DecodeTime(EncodeDate(2006, 8, 1) + EncodeTime(13, 45, 30, 250), h, mi, s, ms);
    EXPECT_EQ(h, 13);
    EXPECT_EQ(mi, 45);
    EXPECT_EQ(s, 30);
    EXPECT_EQ(ms, 250);
    // A negative serial keeps its fraction as the time of day: -1.25 is 29 Dec 1899 06:00.
    DecodeTime(-1.25, h, mi, s, ms);
    EXPECT_EQ(h, 6);
    int y, m, d;
    DecodeDate(-1.25, y, m, d);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(DayOfWeek(EncodeDate(2006, 8, 1)), 3);   // a Tuesday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1);  // a Sunday
}

TEST(DateSerials, LongTimeTextShowsTheTimeOnly) {
    QString text = FormatLongTime(EncodeTime(13, 5, 9, 0));
    EXPECT_TRUE(text.contains(QStringLiteral("05"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("09"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("UTC"))) << text.toStdString();
}
