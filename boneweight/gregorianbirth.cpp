#include "boneweight/gregorianbirth.h"

#include "base/failure.h"
#include "boneweight/verses.h"
#include "boneweight/weights.h"

#include <QCoreApplication>

std::variant<Refusal, LunarBirth> readGregorianBirth(const BirthData &data)
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

    const std::optional<calendar::StandardHour> standard
        = calendar::chinaStandardHour(date.addDays(data.Day - 1), data.Hour);
    if (!standard)
        throw base::Failure(QCoreApplication::translate(
            "GregorianBirth", "没有Asia/Shanghai的时区资料（请安装tzdata），无法按夏令时换算"));
    // Checked after the correction: summer time only ever takes a birth back.
    const std::optional<calendar::LunarDate> lunar = calendar::toLunar(standard->date);
    if (!lunar)
        return outOfRange;
    return LunarBirth{*lunar, standard->hour, standard->summerTime};
}

QString convertedLine(const LunarBirth &birth)
{
    const QString date
        = QCoreApplication::translate("GregorianBirth", "农历%1年%2%3 %4时")
              .arg(birth.date.year)
              .arg(calendar::monthName(birth.date.month, birth.date.kind),
                   calendar::dayName(birth.date.day), calendar::hourBranch(birth.hour));
    const QString line = date
                         + QCoreApplication::translate("GregorianBirth", " · %1年（属%2）")
                               .arg(calendar::stemBranch(birth.date.year),
                                    calendar::zodiacAnimal(birth.date.year));
    if (birth.summerTime == calendar::SummerTime::TakenBack)
        return line + QCoreApplication::translate("GregorianBirth", " · 已按夏令时减一小时");
    return line;
}

int totalWeight(const LunarBirth &birth)
{
    return YearWeight(birth.date.year) + MonthWeight(birth.date.month) + DayWeight(birth.date.day)
           + HourWeight(birth.hour);
}

std::optional<std::variant<Refusal, ConvertedReading>> reckonGregorian(const BirthTexts &texts)
{
    const BirthParts parts = cutBirthTexts(texts);
    if (!isCompleteChoice(parts))
        return std::nullopt;
    const BirthData data = convertBirthParts(parts);
    const std::variant<Refusal, LunarBirth> birth = readGregorianBirth(data);
    if (const auto *refusal = std::get_if<Refusal>(&birth))
        return *refusal;
    const LunarBirth &lunar = std::get<LunarBirth>(birth);
    const int total = totalWeight(lunar);
    return ConvertedReading{{WeightLine(total), VerseText(total), total, data},
                            convertedLine(lunar)};
}
