#include "platform/Locale.h"

#include <QLocale>

namespace Locale {

QStringList ShortDayNames() {
    const QLocale locale = QLocale::system();
    QStringList names;
    names << locale.dayName(7, QLocale::ShortFormat); // Qt counts Monday = 1 ... Sunday = 7
    for (int day = 1; day <= 6; ++day)
        names << locale.dayName(day, QLocale::ShortFormat);
    return names;
}

QString LongTimeFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // Remove the unquoted time-zone letters "t" (with the blanks next to them);
    // quoted literal text stays untouched.
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

} // namespace Locale
