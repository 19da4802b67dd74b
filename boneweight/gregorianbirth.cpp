#include "boneweight/gregorianbirth.h"

#include "base/failure.h"
#include "boneweight/integer.h"
#include "boneweight/verses.h"
#include "boneweight/weights.h"

#include <QCoreApplication>
#include <QDateTime>

namespace {

// Where the clock stood, the birth read as standard time (and, on request, true solar time).
struct ClockReading
{
    QDate date;
    QTime time;
    calendar::SummerTime summerTime = calendar::SummerTime::NotKept;
    int summerMinutes = 60;
    std::optional<calendar::SolarTime> solar{};
    calendar::ClockNote note = calendar::ClockNote::None;
};

ClockReading readAtPlace(const calendar::Place &place, HourBy hourBy, QDate date, int hour,
                         int minute)
{
    const QTimeZone zone = calendar::placeZone(place);
    const QTime clock(hour, minute);
    const std::optional<calendar::StandardTime> standard
        = calendar::standardTime(zone, date, clock);
    if (!standard)
        throw base::Failure(
            QCoreApplication::translate("GregorianBirth",
                                        "没有%1的时区资料（请安装tzdata），无法按当地钟点换算")
                .arg(QString::fromLatin1(place.zone)));
    ClockReading reading{standard->date, standard->time, standard->summerTime};
    reading.summerMinutes = int(QDateTime(standard->date, standard->time, QTimeZone::utc())
                                    .secsTo(QDateTime(date, clock, QTimeZone::utc()))
                                / 60);
    if (hourBy == HourBy::TrueSolarTime) {
        reading.solar = calendar::trueSolarTime(standard->date, standard->time,
                                                standard->standardOffset, place.longitude);
        reading.date = reading.solar->date;
        reading.time = reading.solar->time;
    }
    reading.note = calendar::clockNote(place, date);
    return reading;
}

} // namespace

std::variant<Refusal, LunarBirth> readGregorianBirth(const BirthData &data, const BirthClock &clock)
{
    const Refusal outOfRange{QCoreApplication::translate("GregorianBirth", OutOfRangePrompt)};
    const QDate first = calendar::firstConvertibleDay();
    const QDate last = calendar::lastConvertibleDay();
    if (data.Year < first.year() || data.Year > last.year())
        return outOfRange;
    if (data.Month < 1 || data.Month > 12)
        return Refusal{QCoreApplication::translate("GregorianBirth", "%1年没有%2月")
                           .arg(data.Year)
                           .arg(data.Month)};
    const QDate date(data.Year, data.Month, 1);
    if (data.Day < 1 || data.Day > date.daysInMonth())
        return Refusal{QCoreApplication::translate("GregorianBirth", "%1年%2月没有%3日")
                           .arg(data.Year)
                           .arg(data.Month)
                           .arg(data.Day)};
    if (data.Hour < 0 || data.Hour > 23)
        return Refusal{QCoreApplication::translate("GregorianBirth", "一天只有0至23时，没有%1时")
                           .arg(data.Hour)};
    const QDate day = date.addDays(data.Day - 1);

    ClockReading read;
    if (clock.place) {
        // With a place the minute counts: zones switched at half hours, the sun at any minute.
        const int minute = strToInt(data.Minute);
        if (minute < 0 || minute > 59)
            return Refusal{
                QCoreApplication::translate("GregorianBirth", "一小时只有0至59分，没有%1分")
                    .arg(minute)};
        read = readAtPlace(*clock.place, clock.hourBy, day, data.Hour, minute);
    } else {
        const std::optional<calendar::StandardHour> standard
            = calendar::chinaStandardHour(day, data.Hour);
        if (!standard)
            throw base::Failure(QCoreApplication::translate(
                "GregorianBirth", "没有Asia/Shanghai的时区资料（请安装tzdata），无法按夏令时换算"));
        read.date = standard->date;
        read.time = QTime(standard->hour, 0);
        read.summerTime = standard->summerTime;
    }
    const QDate counted = calendar::countedDay(read.date, read.time, clock.ziHour);
    // Checked after the corrections: they may move the birth a day either way.
    const std::optional<calendar::LunarDate> lunar = calendar::toLunar(counted);
    if (!lunar)
        return outOfRange;
    return LunarBirth{
        *lunar,    read.time.hour(),  read.summerTime, read.solar, counted != read.date,
        read.note, read.summerMinutes};
}

QString convertedLine(const LunarBirth &birth)
{
    const QString date
        = QCoreApplication::translate("GregorianBirth", "农历%1年%2%3 %4时")
              .arg(birth.date.year)
              .arg(calendar::monthName(birth.date.month, birth.date.kind),
                   calendar::dayName(birth.date.day), calendar::hourBranch(birth.hour));
    QString line = date
                   + QCoreApplication::translate("GregorianBirth", " · %1年（属%2）")
                         .arg(calendar::stemBranch(birth.date.year),
                              calendar::zodiacAnimal(birth.date.year));
    if (birth.summerTime == calendar::SummerTime::TakenBack)
        line += birth.summerMinutes == 60
                    ? QCoreApplication::translate("GregorianBirth", " · 已按夏令时减一小时")
                    : QCoreApplication::translate("GregorianBirth", " · 已按夏令时减%1分钟")
                          .arg(birth.summerMinutes);
    return line;
}

QStringList convertedLines(const LunarBirth &birth)
{
    QStringList lines{convertedLine(birth)};
    if (birth.solar)
        lines << calendar::solarTimeLine(*birth.solar);
    if (birth.note == calendar::ClockNote::LocalClocksDiffered)
        lines << QCoreApplication::translate("GregorianBirth", "1949年10月前各地钟点不一");
    if (birth.countedNextDay)
        lines << QCoreApplication::translate("GregorianBirth", "子时从23点起，算作次日");
    return lines;
}

int totalWeight(const LunarBirth &birth)
{
    return YearWeight(birth.date.year) + MonthWeight(birth.date.month) + DayWeight(birth.date.day)
           + HourWeight(birth.hour);
}

namespace {

ConvertedReading weighed(const BirthData &data, const LunarBirth &lunar, QStringList converted)
{
    const int total = totalWeight(lunar);
    return {{WeightLine(total), VerseText(total), total, data}, std::move(converted), lunar};
}

} // namespace

std::optional<std::variant<Refusal, ConvertedReading>> reckonGregorian(const BirthTexts &texts,
                                                                       const BirthClock &clock)
{
    const BirthParts parts = cutBirthTexts(texts);
    if (!isCompleteChoice(parts))
        return std::nullopt;
    const BirthData data = convertBirthParts(parts);
    const std::variant<Refusal, LunarBirth> birth = readGregorianBirth(data, clock);
    if (const auto *refusal = std::get_if<Refusal>(&birth))
        return *refusal;
    const LunarBirth &lunar = std::get<LunarBirth>(birth);
    return weighed(data, lunar, convertedLines(lunar));
}

std::optional<std::variant<Refusal, ConvertedReading>> reckonLunar(const BirthTexts &texts,
                                                                   calendar::ZiHour rule)
{
    const std::optional<Reading> reading = reckon(texts);
    if (!reading)
        return std::nullopt;
    const BirthData &data = reading->data;
    const calendar::LunarDate picked{data.Year, data.Month, calendar::MonthKind::Ordinary,
                                     data.Day};
    if (rule == calendar::ZiHour::SameDay || data.Hour != 23)
        return ConvertedReading{*reading, {}, LunarBirth{picked, data.Hour}};
    const std::optional<calendar::LunarDate> next
        = calendar::countedLunarDay(picked, QTime(23, 0), rule);
    if (!next) {
        // A day the calendar holds whose next day it lacks lies at the end of its range.
        if (calendar::toGregorian(picked) || data.Year < calendar::firstConvertibleDay().year()
            || data.Year > calendar::lastConvertibleDay().year())
            return Refusal{QCoreApplication::translate("GregorianBirth",
                                                       "23点换日只收农历1901年至2100年的生日")};
        return Refusal{
            QCoreApplication::translate("GregorianBirth", "农历%1年没有%2月%3日，无法按23点换日")
                .arg(data.Year)
                .arg(data.Month)
                .arg(data.Day)};
    }
    LunarBirth lunar{*next, data.Hour};
    lunar.countedNextDay = true;
    return weighed(data, lunar, convertedLines(lunar));
}
