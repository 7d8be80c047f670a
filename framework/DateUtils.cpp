#include "framework/DateUtils.h"

#include "framework/Exceptions.h"

#include "platform/Locale.h"
#include <QDateTime>

#include <QLocale>
#include <cmath>

namespace {
const int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Whole days since 1 January 0001 (day 1) and milliseconds of the day.
void SplitSerial(TDateTime dt, long long& days, long long& msecOfDay) {
    double whole = std::trunc(dt);
    msecOfDay = std::llround(std::fabs(dt - whole) * MSecsPerDay);
    days = static_cast<long long>(whole) + DateDelta;
    if (msecOfDay >= static_cast<long long>(MSecsPerDay))
        msecOfDay = static_cast<long long>(MSecsPerDay) - 1;
}
} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12)
        return 0;
    return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    long long d = day;
    for (int m = 1; m < month; ++m)
        d += DaysInMonth(year, m);
    long long y = year - 1;
    d += y * 365 + y / 4 - y / 100 + y / 400 - DateDelta;
    date = static_cast<double>(d);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 ||
        msec >= 1000)
        return false;
    time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    long long days = 0;
    long long msec = 0;
    SplitSerial(date, days, msec);
    if (days <= 0) {
        year = month = day = 0;
        return;
    }
    // Count back from day 1 of year 1 in 400-, 100-, 4- and 1-year cycles.
    long long t = days - 1;
    long long y = 1;
    const long long d400 = 146097, d100 = 36524, d4 = 1461;
    y += (t / d400) * 400;
    t %= d400;
    long long c = t / d100;
    if (c == 4)
        c = 3;
    y += c * 100;
    t -= c * d100;
    y += (t / d4) * 4;
    t %= d4;
    long long i = t / 365;
    if (i == 4)
        i = 3;
    y += i;
    t -= i * 365;
    int m = 1;
    while (t >= DaysInMonth(static_cast<int>(y), m)) {
        t -= DaysInMonth(static_cast<int>(y), m);
        ++m;
    }
    year = static_cast<int>(y);
    month = m;
    day = static_cast<int>(t) + 1;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
    long long days = 0;
    long long ms = 0;
    SplitSerial(time, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime date) {
    long long days = 0;
    long long ms = 0;
    SplitSerial(date, days, ms);
    // Day 1 (1 January 0001) was a Monday, so day 0 is a Sunday.
    long long r = days % 7;
    if (r < 0)
        r += 7;
    return static_cast<int>(r) + 1;
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Now() {
    QDateTime now = QDateTime::currentDateTime();
    QDate d = now.date();
    QTime t = now.time();
    return EncodeDate(d.year(), d.month(), d.day()) +
           EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

TDateTime Time() {
    double now = Now();
    return now - std::trunc(now);
}

QString FormatLongTime(TDateTime time) {
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(time, h, m, s, ms);
    return QLocale::system().toString(QTime(h, m, s), Locale::LongTimeFormat());
}
