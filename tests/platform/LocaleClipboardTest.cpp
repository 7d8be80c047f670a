#include "platform/Clipboard.h"
#include "platform/Locale.h"

#include <QLocale>
#include <QTime>
#include <gtest/gtest.h>

TEST(Locale, WeekdaysStartOnSundayAndTheClockFormatHasNoZone) {
    const QStringList days = Locale::ShortDayNames();
    ASSERT_EQ(days.size(), 7);
    EXPECT_EQ(days[0], QLocale::system().dayName(7, QLocale::ShortFormat));
    EXPECT_EQ(days[1], QLocale::system().dayName(1, QLocale::ShortFormat));
    const QString format = Locale::LongTimeFormat();
    EXPECT_FALSE(format.isEmpty());
    const QString shown = QTime(14, 5, 9).toString(format);
    EXPECT_TRUE(shown.contains("05") && shown.contains("09")) << shown.toStdString();
    EXPECT_EQ(shown, shown.trimmed());
}

TEST(Clipboard, RoundTripsChineseText) {
    ASSERT_TRUE(SetClipboardText(QStringLiteral("<p>雪花特效</p>")));
    EXPECT_EQ(GetClipboardText(), QStringLiteral("<p>雪花特效</p>"));
}
