#pragma once
// Regional settings of the user, from the system locale.

#include <QString>
#include <QStringList>

namespace Locale {

// The seven abbreviated weekday names, Sunday first.
QStringList ShortDayNames();
// The long time format as a QTime format string ("HH:mm:ss"). Qt's long format may
// name the time zone; that part is dropped, since a clock shows the time only.
QString LongTimeFormat();

} // namespace Locale
