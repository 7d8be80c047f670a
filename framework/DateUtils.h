#pragma once
// Date serials: a double counting days since 30 December 1899 (serial 0), the time of
// day being the fractional part. 31 January 1900 is 32; 1 January 2101 is 73416.

#include <QString>

using TDateTime = double;

constexpr int DateDelta = 693594; // days from 1 January 0001 to 30 December 1899
constexpr double MSecsPerDay = 86400000.0;

bool IsLeapYear(int year);
// Days of `month` (1..12) in `year`; 0 for a month out of range.
int DaysInMonth(int year, int month);

// False when the parts do not form a date of years 1..9999.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Raises EConvertError "Invalid argument to date encode" for an impossible date.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// Raises EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int min, int sec, int msec);

// Negative serials count back from serial 0; the fraction is always the time of day.
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime date);

TDateTime Date(); // today, time 0
TDateTime Now();  // local date and time
TDateTime Time(); // local time of day only

// The time formatted with the locale's long time format ("14:05:09").
QString FormatLongTime(TDateTime time);
