#include "calendar/lunar.h"

#include <QCoreApplication>

#include "calendar/lunartable.h"

using namespace Qt::Literals::StringLiterals;

namespace calendar {

namespace {

using detail::lunarYears;

const QDate firstDay(1901, 2, 19);
const QDate lastDay(2100, 12, 31);

const detail::LunarYear *entryOf(int lunarYear)
{
    const int index = lunarYear - detail::firstLunarYear;
    if (index < 0 || index >= int(lunarYears.size()))
        return nullptr;
    return &lunarYears[std::size_t(index)];
}

qint64 newYearDay(int lunarYear, const detail::LunarYear &entry)
{
    return QDate(lunarYear, entry.newYearMonth, entry.newYearDay).toJulianDay();
}

int monthCount(const detail::LunarYear &entry)
{
    return entry.leapMonth ? 13 : 12;
}

int monthLength(const detail::LunarYear &entry, int index)
{
    return (entry.longMonths >> index) & 1 ? 30 : 29;
}

// The place of a month in its year: the leap month comes right after the month it repeats.
int monthIndex(const detail::LunarYear &entry, int month, MonthKind kind)
{
    const bool afterLeap = entry.leapMonth && month > entry.leapMonth;
    return month - 1 + (afterLeap || kind == MonthKind::Leap ? 1 : 0);
}

} // namespace

QDate firstConvertibleDay()
{
    return firstDay;
}

QDate lastConvertibleDay()
{
    return lastDay;
}

std::optional<LunarDate> toLunar(QDate date)
{
    if (!date.isValid() || date < firstDay || date > lastDay)
        return std::nullopt;
    int year = date.year();
    const detail::LunarYear *entry = entryOf(year);
    const qint64 julianDay = date.toJulianDay();
    if (julianDay < newYearDay(year, *entry))
        entry = entryOf(--year); // before 正月初一: the lunar year that began the year before
    int offset = int(julianDay - newYearDay(year, *entry));
    for (int index = 0; index < monthCount(*entry); ++index) {
        const int length = monthLength(*entry, index);
        if (offset < length) {
            const bool leap = entry->leapMonth && index == entry->leapMonth;
            const bool afterLeap = entry->leapMonth && index > entry->leapMonth;
            return LunarDate{year, index + (afterLeap || leap ? 0 : 1),
                             leap ? MonthKind::Leap : MonthKind::Ordinary, offset + 1};
        }
        offset -= length;
    }
    return std::nullopt; // unreachable while the table is whole
}

std::optional<QDate> toGregorian(const LunarDate &date)
{
    const detail::LunarYear *entry = entryOf(date.year);
    if (!entry || date.month < 1 || date.month > 12 || date.day < 1
        || (date.kind == MonthKind::Leap && date.month != entry->leapMonth))
        return std::nullopt;
    const int target = monthIndex(*entry, date.month, date.kind);
    if (date.day > monthLength(*entry, target))
        return std::nullopt;
    qint64 julianDay = newYearDay(date.year, *entry) + date.day - 1;
    for (int index = 0; index < target; ++index)
        julianDay += monthLength(*entry, index);
    const QDate result = QDate::fromJulianDay(julianDay);
    if (result > lastDay)
        return std::nullopt; // the last month of 2100 is known only up to its first day
    return result;
}

std::optional<int> leapMonthOf(int lunarYear)
{
    const detail::LunarYear *entry = entryOf(lunarYear);
    if (!entry)
        return std::nullopt;
    return entry->leapMonth;
}

namespace {

// The cycle of sixty counts from 甲子, which 1984 (and 4 CE) was.
int cyclePlace(int lunarYear)
{
    return ((lunarYear - 4) % 60 + 60) % 60;
}

// The names, each marked for the 繁體 editions' catalogues: 龙 is 龍 there, 闰 is 閏.
constexpr const char *kStems[]
    = {QT_TRANSLATE_NOOP("Calendar", "甲"), QT_TRANSLATE_NOOP("Calendar", "乙"),
       QT_TRANSLATE_NOOP("Calendar", "丙"), QT_TRANSLATE_NOOP("Calendar", "丁"),
       QT_TRANSLATE_NOOP("Calendar", "戊"), QT_TRANSLATE_NOOP("Calendar", "己"),
       QT_TRANSLATE_NOOP("Calendar", "庚"), QT_TRANSLATE_NOOP("Calendar", "辛"),
       QT_TRANSLATE_NOOP("Calendar", "壬"), QT_TRANSLATE_NOOP("Calendar", "癸")};
constexpr const char *kBranches[]
    = {QT_TRANSLATE_NOOP("Calendar", "子"), QT_TRANSLATE_NOOP("Calendar", "丑"),
       QT_TRANSLATE_NOOP("Calendar", "寅"), QT_TRANSLATE_NOOP("Calendar", "卯"),
       QT_TRANSLATE_NOOP("Calendar", "辰"), QT_TRANSLATE_NOOP("Calendar", "巳"),
       QT_TRANSLATE_NOOP("Calendar", "午"), QT_TRANSLATE_NOOP("Calendar", "未"),
       QT_TRANSLATE_NOOP("Calendar", "申"), QT_TRANSLATE_NOOP("Calendar", "酉"),
       QT_TRANSLATE_NOOP("Calendar", "戌"), QT_TRANSLATE_NOOP("Calendar", "亥")};
constexpr const char *kAnimals[]
    = {QT_TRANSLATE_NOOP("Calendar", "鼠"), QT_TRANSLATE_NOOP("Calendar", "牛"),
       QT_TRANSLATE_NOOP("Calendar", "虎"), QT_TRANSLATE_NOOP("Calendar", "兔"),
       QT_TRANSLATE_NOOP("Calendar", "龙"), QT_TRANSLATE_NOOP("Calendar", "蛇"),
       QT_TRANSLATE_NOOP("Calendar", "马"), QT_TRANSLATE_NOOP("Calendar", "羊"),
       QT_TRANSLATE_NOOP("Calendar", "猴"), QT_TRANSLATE_NOOP("Calendar", "鸡"),
       QT_TRANSLATE_NOOP("Calendar", "狗"), QT_TRANSLATE_NOOP("Calendar", "猪")};
constexpr const char *kMonths[]
    = {QT_TRANSLATE_NOOP("Calendar", "正月"),   QT_TRANSLATE_NOOP("Calendar", "二月"),
       QT_TRANSLATE_NOOP("Calendar", "三月"),   QT_TRANSLATE_NOOP("Calendar", "四月"),
       QT_TRANSLATE_NOOP("Calendar", "五月"),   QT_TRANSLATE_NOOP("Calendar", "六月"),
       QT_TRANSLATE_NOOP("Calendar", "七月"),   QT_TRANSLATE_NOOP("Calendar", "八月"),
       QT_TRANSLATE_NOOP("Calendar", "九月"),   QT_TRANSLATE_NOOP("Calendar", "十月"),
       QT_TRANSLATE_NOOP("Calendar", "十一月"), QT_TRANSLATE_NOOP("Calendar", "十二月")};
constexpr const char *kDays[]
    = {QT_TRANSLATE_NOOP("Calendar", "初一"), QT_TRANSLATE_NOOP("Calendar", "初二"),
       QT_TRANSLATE_NOOP("Calendar", "初三"), QT_TRANSLATE_NOOP("Calendar", "初四"),
       QT_TRANSLATE_NOOP("Calendar", "初五"), QT_TRANSLATE_NOOP("Calendar", "初六"),
       QT_TRANSLATE_NOOP("Calendar", "初七"), QT_TRANSLATE_NOOP("Calendar", "初八"),
       QT_TRANSLATE_NOOP("Calendar", "初九"), QT_TRANSLATE_NOOP("Calendar", "初十"),
       QT_TRANSLATE_NOOP("Calendar", "十一"), QT_TRANSLATE_NOOP("Calendar", "十二"),
       QT_TRANSLATE_NOOP("Calendar", "十三"), QT_TRANSLATE_NOOP("Calendar", "十四"),
       QT_TRANSLATE_NOOP("Calendar", "十五"), QT_TRANSLATE_NOOP("Calendar", "十六"),
       QT_TRANSLATE_NOOP("Calendar", "十七"), QT_TRANSLATE_NOOP("Calendar", "十八"),
       QT_TRANSLATE_NOOP("Calendar", "十九"), QT_TRANSLATE_NOOP("Calendar", "二十"),
       QT_TRANSLATE_NOOP("Calendar", "廿一"), QT_TRANSLATE_NOOP("Calendar", "廿二"),
       QT_TRANSLATE_NOOP("Calendar", "廿三"), QT_TRANSLATE_NOOP("Calendar", "廿四"),
       QT_TRANSLATE_NOOP("Calendar", "廿五"), QT_TRANSLATE_NOOP("Calendar", "廿六"),
       QT_TRANSLATE_NOOP("Calendar", "廿七"), QT_TRANSLATE_NOOP("Calendar", "廿八"),
       QT_TRANSLATE_NOOP("Calendar", "廿九"), QT_TRANSLATE_NOOP("Calendar", "三十")};

constexpr const char *kWeekdays[]
    = {QT_TRANSLATE_NOOP("Calendar", "星期一"), QT_TRANSLATE_NOOP("Calendar", "星期二"),
       QT_TRANSLATE_NOOP("Calendar", "星期三"), QT_TRANSLATE_NOOP("Calendar", "星期四"),
       QT_TRANSLATE_NOOP("Calendar", "星期五"), QT_TRANSLATE_NOOP("Calendar", "星期六"),
       QT_TRANSLATE_NOOP("Calendar", "星期日")};

QString name(const char *source)
{
    return QCoreApplication::translate("Calendar", source);
}

} // namespace

QString stemBranch(int lunarYear)
{
    const int place = cyclePlace(lunarYear);
    return name(kStems[place % 10]) + name(kBranches[place % 12]);
}

QString zodiacAnimal(int lunarYear)
{
    return name(kAnimals[cyclePlace(lunarYear) % 12]);
}

QString monthName(int month, MonthKind kind)
{
    if (month < 1 || month > 12)
        return {};
    const QString ordinary = name(kMonths[month - 1]);
    if (kind == MonthKind::Leap)
        return QCoreApplication::translate("Calendar", "闰%1").arg(ordinary);
    return ordinary;
}

QString dayName(int day)
{
    if (day < 1 || day > 30)
        return {};
    return name(kDays[day - 1]);
}

QString hourBranch(int hour)
{
    if (hour < 0 || hour > 23)
        return {};
    return name(kBranches[(hour + 1) / 2 % 12]);
}

QString weekdayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return name(kWeekdays[dayOfWeek - 1]);
}

} // namespace calendar
