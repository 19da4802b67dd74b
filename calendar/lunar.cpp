#include "calendar/lunar.h"

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

const char16_t stems[] = u"甲乙丙丁戊己庚辛壬癸";
const char16_t branches[] = u"子丑寅卯辰巳午未申酉戌亥";
const char16_t animals[] = u"鼠牛虎兔龙蛇马羊猴鸡狗猪";
const char16_t numerals[] = u"一二三四五六七八九十";

} // namespace

QString stemBranch(int lunarYear)
{
    const int place = cyclePlace(lunarYear);
    return QString(QChar(stems[place % 10])) + QChar(branches[place % 12]);
}

QString zodiacAnimal(int lunarYear)
{
    return QString(QChar(animals[cyclePlace(lunarYear) % 12]));
}

QString monthName(int month, MonthKind kind)
{
    if (month < 1 || month > 12)
        return {};
    QString name = kind == MonthKind::Leap ? u"闰"_s : QString();
    if (month == 1)
        name += u'正';
    else if (month <= 10)
        name += QChar(numerals[month - 1]);
    else
        name += QString(QChar(u'十')) + QChar(numerals[month - 11]);
    return name + u'月';
}

QString dayName(int day)
{
    if (day < 1 || day > 30)
        return {};
    if (day == 20)
        return u"二十"_s;
    if (day == 30)
        return u"三十"_s;
    static const char16_t tens[] = u"初十廿";
    const int ten = (day - 1) / 10;
    const int unit = (day - 1) % 10;
    return QString(QChar(tens[ten])) + QChar(numerals[unit]);
}

QString hourBranch(int hour)
{
    if (hour < 0 || hour > 23)
        return {};
    return QString(QChar(branches[(hour + 1) / 2 % 12]));
}

} // namespace calendar
