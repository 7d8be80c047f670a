#include "calendar/LunarCalendar.h"

#include "framework/Exceptions.h"

#include <cmath>

const std::uint16_t LunarYearTable[LunarLastYear - LunarFirstYear + 1] = {
    0x4BD8, 0x4AE0, 0xA570, 0x54D5, 0xD260, 0xD950, 0x5554, 0x56AF, 0x9AD0, 0x55D2, // 1900
    0x4AE0, 0xA5B6, 0xA4D0, 0xD250, 0xD295, 0xB54F, 0xD6A0, 0xADA2, 0x95B0, 0x4977, // 1910
    0x497F, 0xA4B0, 0xB4B5, 0x6A50, 0x6D40, 0xAB54, 0x2B6F, 0x9570, 0x52F2, 0x4970, // 1920
    0x6566, 0xD4A0, 0xEA50, 0x6A95, 0x5ADF, 0x2B60, 0x86E3, 0x92EF, 0xC8D7, 0xC95F, // 1930
    0xD4A0, 0xD8A6, 0xB55F, 0x56A0, 0xA5B4, 0x25DF, 0x92D0, 0xD2B2, 0xA950, 0xB557, // 1940
    0x6CA0, 0xB550, 0x5355, 0x4DAF, 0xA5B0, 0x4573, 0x52BF, 0xA9A8, 0xE950, 0x6AA0, // 1950
    0xAEA6, 0xAB50, 0x4B60, 0xAAE4, 0xA570, 0x5260, 0xF263, 0xD950, 0x5B57, 0x56A0, // 1960
    0x96D0, 0x4DD5, 0x4AD0, 0xA4D0, 0xD4D4, 0xD250, 0xD558, 0xB540, 0xB6A0, 0x95A6, // 1970
    0x95BF, 0x49B0, 0xA974, 0xA4B0, 0xB27A, 0x6A50, 0x6D40, 0xAF46, 0xAB60, 0x9570, // 1980
    0x4AF5, 0x4970, 0x64B0, 0x74A3, 0xEA50, 0x6B58, 0x5AC0, 0xAB60, 0x96D5, 0x92E0, // 1990
    0xC960, 0xD954, 0xD4A0, 0xDA50, 0x7552, 0x56A0, 0xABB7, 0x25D0, 0x92D0, 0xCAB5, // 2000
    0xA950, 0xB4A0, 0xBAA4, 0xAD50, 0x55D9, 0x4BA0, 0xA5B0, 0x5176, 0x52BF, 0xA930, // 2010
    0x7954, 0x6AA0, 0xAD50, 0x5B52, 0x4B60, 0xA6E6, 0xA4E0, 0xD260, 0xEA65, 0xD530, // 2020
    0x5AA0, 0x76A3, 0x96D0, 0x4AFB, 0x4AD0, 0xA4D0, 0xD0B6, 0xD25F, 0xD520, 0xDD45, // 2030
    0xB5A0, 0x56D0, 0x55B2, 0x49B0, 0xA577, 0xA4B0, 0xAA50, 0xB255, 0x6D2F, 0xADA0, // 2040
    0x4B63, 0x937F, 0x49F8, 0x4970, 0x64B0, 0x68A6, 0xEA5F, 0x6B20, 0xA6C4, 0xAAEF, // 2050
    0x92E0, 0xD2E3, 0xC960, 0xD557, 0xD4A0, 0xDA50, 0x5D55, 0x56A0, 0xA6D0, 0x55D4, // 2060
    0x52D0, 0xA9B8, 0xA950, 0xB4A0, 0xB6A6, 0xAD50, 0x55A0, 0xABA4, 0xA5B0, 0x52B0, // 2070
    0xB273, 0x6930, 0x7337, 0x6AA0, 0xAD50, 0x4B55, 0x4B6F, 0xA570, 0x54E4, 0xD260, // 2080
    0xE968, 0xD520, 0xDAA0, 0x6AA6, 0x56DF, 0x4AE0, 0xA9D4, 0xA4D0, 0xD150, 0xF252, // 2090
    0xD520,                                                                         // 2100
};

const QStringView HeavenlyStems[10] = {u"甲", u"乙", u"丙", u"丁", u"戊",
                                       u"己", u"庚", u"辛", u"壬", u"癸"};
const QStringView EarthlyBranches[12] = {u"子", u"丑", u"寅", u"卯", u"辰", u"巳",
                                         u"午", u"未", u"申", u"酉", u"戌", u"亥"};
const QStringView ZodiacAnimals[12] = {u"鼠", u"牛", u"虎", u"兔", u"龙", u"蛇",
                                       u"马", u"羊", u"猴", u"鸡", u"狗", u"猪"};
const QStringView ChineseNumerals[11] = {u"",   u"一", u"二", u"三", u"四", u"五",
                                         u"六", u"七", u"八", u"九", u"十"};

const QStringView SolarTermNames[24] = {u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分",
                                        u"清明", u"谷雨", u"立夏", u"小满", u"芒种", u"夏至",
                                        u"小暑", u"大暑", u"立秋", u"处暑", u"白露", u"秋分",
                                        u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至"};
const int SolarTermMinutes[24] = {0,      21208,  42467,  63836,  85337,  107014, 128867, 150921,
                                  173149, 195551, 218072, 240693, 263343, 285989, 308563, 331033,
                                  353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};

const QStringView SolarFestivals[23] = {u"0101*元旦",
                                        u"0214 情人节",
                                        u"0308 妇女节",
                                        u"0312 植树节",
                                        u"0315 消费者权益日",
                                        u"0401 愚人节",
                                        u"0501 劳动节",
                                        u"0504 青年节",
                                        u"0512 护士节",
                                        u"0601 儿童节",
                                        u"0701 建党节 香港回归纪念",
                                        u"0801 建军节",
                                        u"0808 父亲节",
                                        u"0909 毛泽东逝世纪念",
                                        u"0910 教师节",
                                        u"0928 孔子诞辰",
                                        u"1001*国庆节",
                                        u"1006 老人节",
                                        u"1024 联合国日",
                                        u"1112 孙中山诞辰纪念",
                                        u"1220 澳门回归纪念",
                                        u"1225 Christmas Day",
                                        u"1226 毛泽东诞辰纪念"};
const QStringView LunarFestivals[10] = {
    u"0101*春节",   u"0115 元宵节", u"0505 端午节", u"0707 七夕情人节", u"0715 中元节",
    u"0815 中秋节", u"0909 重阳节", u"1208 腊八节", u"1224 小年",       u"0100*除夕"};

namespace {
bool InTable(int lunarYear) {
    return lunarYear >= LunarFirstYear && lunarYear <= LunarLastYear;
}

std::uint16_t WordOf(int lunarYear) {
    return LunarYearTable[lunarYear - LunarFirstYear];
}

// The low four bits of a year's word; for the year after the table's end there is no word.
int LowBitsOf(int lunarYear) {
    return InTable(lunarYear) ? (WordOf(lunarYear) & 0xF) : 0;
}

// Nearest integer, ties to the even neighbour, whatever the floating-point rounding mode.
double RoundHalfEven(double value) {
    double lower = std::floor(value);
    double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Scans festival rows in order; the last row keyed `key` wins. Returns the row from its mark on.
template <std::size_t N> QString FestivalOf(const QStringView (&rows)[N], const QString& key) {
    QString result;
    for (QStringView row : rows) {
        if (row.left(4) == key)
            result = row.mid(4).toString();
    }
    return result;
}

// "一" .. "十" for 1..10, "十一" and "十二" for 11 and 12.
QString MonthNumeral(int month) {
    if (month >= 1 && month <= 10)
        return ChineseNumerals[month].toString();
    if (month == 11 || month == 12)
        return ChineseNumerals[10].toString() + ChineseNumerals[month - 10].toString();
    return {};
}
} // namespace

int LeapMonthOf(int lunarYear) {
    int low = LowBitsOf(lunarYear);
    return low == 15 ? 0 : low;
}

int LeapMonthDays(int lunarYear) {
    if (LeapMonthOf(lunarYear) == 0)
        return 0;
    return LowBitsOf(lunarYear + 1) == 15 ? 30 : 29;
}

int LunarMonthDays(int lunarYear, int month) {
    if (!InTable(lunarYear) || month < 1 || month > 12)
        return 0;
    return (WordOf(lunarYear) & (0x8000 >> (month - 1))) ? 30 : 29;
}

int LunarYearDays(int lunarYear) {
    if (!InTable(lunarYear))
        return 0;
    int days = 12 * 29;
    for (std::uint16_t bit = 0x8000; bit > 0x8; bit >>= 1) {
        if (WordOf(lunarYear) & bit)
            ++days;
    }
    return days + LeapMonthDays(lunarYear);
}

LunarDate SolarToLunar(TDateTime date) {
    // Also rejects NaN, which compares false both ways.
    if (!(date >= LunarFirstSerial && date < LunarEndSerial))
        return {};
    int offset = static_cast<int>(std::trunc(date - LunarFirstSerial));

    // Whole years first; the year that overshoots is taken back. An offset of exactly 0
    // leaves the date on the first day of the (already advanced) year.
    int year = LunarFirstYear;
    int yearLength = 0;
    while (offset > 0) {
        yearLength = LunarYearDays(year);
        offset -= yearLength;
        ++year;
    }
    if (offset < 0) {
        offset += yearLength;
        --year;
    }

    LunarDate result;
    int leap = LeapMonthOf(year);
    int month = 0;
    int length = 0;
    while (offset >= 0) {
        ++month;
        length = LunarMonthDays(year, month);
        offset -= length;
        if (offset >= 0 && month == leap) {
            length = LeapMonthDays(year);
            offset -= length;
            if (offset < 0)
                result.IsLeap = true;
        }
    }
    offset += length;
    result.Year = year;
    result.Month = month;
    result.Day = offset + 1;
    return result;
}

QString LunarYearName(int lunarYear) {
    if (lunarYear < LunarYearNameFirstYear)
        return {};
    int n = lunarYear - LunarYearNameFirstYear;
    return HeavenlyStems[n % 10].toString() + EarthlyBranches[n % 12].toString() + u'(' +
           ZodiacAnimals[n % 12].toString() + QStringLiteral("年)");
}

QString LunarMonthName(int month, bool isLeap) {
    QString name = isLeap ? QStringLiteral("闰") : QString();
    return name + MonthNumeral(month) + QStringLiteral("月");
}

QString LunarDayName(int day) {
    if (day >= 1 && day <= 10)
        return QStringLiteral("初") + ChineseNumerals[day].toString();
    if (day >= 11 && day <= 19)
        return QStringLiteral("十") + ChineseNumerals[day - 10].toString();
    if (day == 20)
        return QStringLiteral("二十");
    if (day >= 21 && day <= 29)
        return QStringLiteral("廿") + ChineseNumerals[day - 20].toString();
    if (day == 30)
        return QStringLiteral("三十");
    return {};
}

QString LunarDateText(const LunarDate& date) {
    if (date.IsNull())
        return {};
    return LunarYearName(date.Year) + LunarMonthName(date.Month, date.IsLeap) +
           LunarDayName(date.Day);
}

QString LunarDayLabel(const LunarDate& date) {
    if (date.IsNull())
        return {};
    return date.Day == 1 ? LunarMonthName(date.Month, date.IsLeap) : LunarDayName(date.Day);
}

TDateTime SolarTermDate(int year, int k) {
    if (k < 0 || k > 23)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(k));
    double msecs = RoundHalfEven((year - 1900) * 31556925974.7 + SolarTermMinutes[k] * 60000.0);
    // 6 January 1900 02:05:00 is serial 7 plus 125 minutes. Adding whole milliseconds before the
    // one division keeps a term at midnight exactly on its day.
    const double firstTermMsecs = 7 * MSecsPerDay + 125 * 60000.0;
    return (firstTermMsecs + msecs) / MSecsPerDay;
}

QString SolarTermOf(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    if (month < 1)
        return {};
    const double wholeDay = std::trunc(date);
    int k = 2 * (month - 1);
    if (std::trunc(SolarTermDate(year, k)) == wholeDay)
        return SolarTermNames[k].toString();
    if (std::trunc(SolarTermDate(year, k + 1)) == wholeDay)
        return SolarTermNames[k + 1].toString();
    return {};
}

QString SolarFestivalOf(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return FestivalOf(SolarFestivals, TwoDigits(month) + TwoDigits(day));
}

bool IsLunarNewYearsEve(const LunarDate& date) {
    if (date.Month != 12 || !InTable(date.Year))
        return false;
    int leap = LeapMonthOf(date.Year);
    if (date.IsLeap)
        return leap == 12 && date.Day == LeapMonthDays(date.Year);
    // With a leap twelfth month the ordinary twelfth month is not the year's last.
    return leap != 12 && date.Day == LunarMonthDays(date.Year, 12);
}

QString LunarFestivalOf(const LunarDate& date) {
    // "0100" reads as the day before 1-1; no real date builds that key, so New Year's Eve is
    // keyed by what it is, the year's last day.
    QString key = IsLunarNewYearsEve(date) ? QStringLiteral("0100")
                                           : TwoDigits(date.Month) + TwoDigits(date.Day);
    return FestivalOf(LunarFestivals, key);
}
