// zarvo-lunar: prints the lunar calendar data of one Gregorian date or of a range, one line per
// day, tab-separated and UTF-8, for scripts and checks.

#include "calendar/LunarCalendar.h"
#include "framework/DateUtils.h"

#include "ToolCli.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

using ToolCli::UsageError;

const ToolCli::TToolInfo& Tool() {
    static const ToolCli::TToolInfo tool{
        QStringLiteral("zarvo-lunar"),
        {QStringLiteral("DATE [LAST-DATE]")},
        QStringLiteral(
            "Prints one line per day from DATE to LAST-DATE (both YYYY-MM-DD, years 1..9999),\n"
            "twelve tab-separated UTF-8 fields:\n"
            "\n"
            "   1  date              the Gregorian date, YYYY-MM-DD\n"
            "   2  serial            the day's date serial: days since 30 December 1899\n"
            "                        (1899-12-30 is 0, 2006-01-28 is 38745)\n"
            "   3  lunar year        the Chinese lunar year the day falls in\n"
            "   4  lunar month       1..12\n"
            "   5  lunar day         1..30\n"
            "   6  leap flag         1 in a leap (intercalary) month, else 0\n"
            "   7  year name         the year's stem-branch name and animal: 丙戌(狗年)\n"
            "   8  month name        闰七月 for a leap month\n"
            "   9  day name          初一 .. 三十\n"
            "  10  solar term        the solar term that begins on the day, else empty\n"
            "  11  Gregorian festival\n"
            "  12  lunar festival\n"
            "\n"
            "Festival texts begin with their mark character ('*' for a public holiday, else a\n"
            "blank). Outside the lunar range (31 January 1900 .. 31 December 2100) the lunar\n"
            "numbers are 0 and the lunar names empty.\n"),
        {}};
    return tool;
}

// Parses YYYY-MM-DD into a date serial; raises a UsageError with a readable reason.
TDateTime ParseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)-(\\d{1,2})-(\\d{1,2})$"));
    QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw UsageError{QStringLiteral("'%1' is not a date of the form YYYY-MM-DD").arg(text)};
    bool ok = false;
    int year = match.captured(1).toInt(&ok);
    if (!ok || year < 1 || year > 9999)
        throw UsageError{QStringLiteral("'%1': the year must be 1..9999").arg(text)};
    TDateTime date = 0;
    if (!TryEncodeDate(year, match.captured(2).toInt(), match.captured(3).toInt(), date))
        throw UsageError{QStringLiteral("'%1' is not a valid date").arg(text)};
    return date;
}

QString DayLine(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    LunarDate lunar = SolarToLunar(date);
    bool inRange = !lunar.IsNull();
    QStringList fields{QStringLiteral("%1-%2-%3")
                           .arg(year, 4, 10, QLatin1Char('0'))
                           .arg(month, 2, 10, QLatin1Char('0'))
                           .arg(day, 2, 10, QLatin1Char('0')),
                       QString::number(static_cast<long long>(date)),
                       QString::number(lunar.Year),
                       QString::number(lunar.Month),
                       QString::number(lunar.Day),
                       lunar.IsLeap ? QStringLiteral("1") : QStringLiteral("0"),
                       inRange ? LunarYearName(lunar.Year) : QString(),
                       inRange ? LunarMonthName(lunar.Month, lunar.IsLeap) : QString(),
                       inRange ? LunarDayName(lunar.Day) : QString(),
                       SolarTermOf(date),
                       SolarFestivalOf(date),
                       LunarFestivalOf(lunar)};
    return fields.join(u'\t') + u'\n';
}

void Print(FILE* stream, const QString& text) {
    QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}
} // namespace

int main(int argc, char** argv) {
    return ToolCli::RunTool(Tool(), argc, argv, [](const QStringList& args) {
        const ToolCli::TArguments arguments = ToolCli::Parse(args, Tool().Options);
        arguments.ExpectPositional(1, 2, QStringLiteral("the date (YYYY-MM-DD)"));
        const QStringList& dates = arguments.Positional();
        const TDateTime first = ParseDate(dates[0]);
        const TDateTime last = dates.size() == 2 ? ParseDate(dates[1]) : first;
        if (last < first)
            throw UsageError{
                QStringLiteral("the range is reversed: %1 comes after %2").arg(dates[0], dates[1])};
        for (TDateTime date = first; date <= last; date += 1)
            Print(stdout, DayLine(date));
        return 0;
    });
}
