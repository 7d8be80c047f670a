// zarvo-lunar: prints the lunar calendar data of one Gregorian date or of a range, one line per
// day, tab-separated and UTF-8, for scripts and checks.

#include "calendar/LunarCalendar.h"
#include "framework/DateUtils.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {
const char* const kUsage =
    "Usage: zarvo-lunar DATE [LAST-DATE]\n"
    "       zarvo-lunar --help\n"
    "\n"
    "Prints one line per day from DATE to LAST-DATE (both YYYY-MM-DD, years 1..9999).\n"
    "Fields, tab-separated: date, serial, lunar year, lunar month, lunar day, leap flag (0/1),\n"
    "year name, month name, day name, solar term, Gregorian festival, lunar festival.\n"
    "Festival texts begin with their mark character ('*' or a blank). Outside the lunar range\n"
    "(31 January 1900 .. 31 December 2100) the lunar numbers are 0 and the lunar names empty.\n";

struct ArgumentError {
    QString message;
};

// Parses YYYY-MM-DD into a date serial; raises ArgumentError with a readable reason.
TDateTime ParseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)-(\\d{1,2})-(\\d{1,2})$"));
    QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw ArgumentError{QStringLiteral("'%1' is not a date of the form YYYY-MM-DD").arg(text)};
    bool ok = false;
    int year = match.captured(1).toInt(&ok);
    if (!ok || year < 1 || year > 9999)
        throw ArgumentError{QStringLiteral("'%1': the year must be 1..9999").arg(text)};
    TDateTime date = 0;
    if (!TryEncodeDate(year, match.captured(2).toInt(), match.captured(3).toInt(), date))
        throw ArgumentError{QStringLiteral("'%1' is not a valid date").arg(text)};
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
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        Print(stdout, QString::fromLatin1(kUsage));
        return 0;
    }
    try {
        if (args.isEmpty() || args.size() > 2)
            throw ArgumentError{QStringLiteral("expected one date or two dates")};
        TDateTime first = ParseDate(args[0]);
        TDateTime last = args.size() == 2 ? ParseDate(args[1]) : first;
        if (last < first)
            throw ArgumentError{
                QStringLiteral("the range is reversed: %1 comes after %2").arg(args[0], args[1])};
        for (TDateTime date = first; date <= last; date += 1)
            Print(stdout, DayLine(date));
    } catch (const ArgumentError& error) {
        Print(stderr, QStringLiteral("zarvo-lunar: %1\n").arg(error.message));
        Print(stderr, QString::fromLatin1(kUsage));
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
