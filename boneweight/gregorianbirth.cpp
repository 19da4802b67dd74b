#include "boneweight/gregorianbirth.h"

#include "base/failure.h"
#include "boneweight/verses.h"
#include "boneweight/weights.h"

using namespace Qt::Literals::StringLiterals;

std::variant<Refusal, LunarBirth> readGregorianBirth(const BirthData &data)
{
    const Refusal outOfRange{QString::fromUtf8(OutOfRangePrompt)};
    const QDate first = calendar::firstConvertibleDay();
    const QDate last = calendar::lastConvertibleDay();
    if (data.Year < first.year() || data.Year > last.year())
        return outOfRange;
    if (data.Month < 1 || data.Month > 12)
        return Refusal{u"%1年没有%2月"_s.arg(data.Year).arg(data.Month)};
    const QDate date(data.Year, data.Month, 1);
    if (data.Day < 1 || data.Day > date.daysInMonth())
        return Refusal{u"%1年%2月没有%3日"_s.arg(data.Year).arg(data.Month).arg(data.Day)};
    if (data.Hour < 0 || data.Hour > 23)
        return Refusal{u"一天只有0至23时，没有%1时"_s.arg(data.Hour)};

    const std::optional<calendar::StandardHour> standard
        = calendar::chinaStandardHour(date.addDays(data.Day - 1), data.Hour);
    if (!standard)
        throw base::Failure(u"没有Asia/Shanghai的时区资料（请安装tzdata），无法按夏令时换算"_s);
    // Checked after the correction: summer time only ever takes a birth back.
    const std::optional<calendar::LunarDate> lunar = calendar::toLunar(standard->date);
    if (!lunar)
        return outOfRange;
    return LunarBirth{*lunar, standard->hour, standard->summerTime};
}

QString convertedLine(const LunarBirth &birth)
{
    const QString date
        = u"农历%1年%2%3 %4时"_s.arg(birth.date.year)
              .arg(calendar::monthName(birth.date.month, birth.date.kind),
                   calendar::dayName(birth.date.day), calendar::hourBranch(birth.hour));
    const QString line = date
                         + u" · %1年（属%2）"_s.arg(calendar::stemBranch(birth.date.year),
                                                    calendar::zodiacAnimal(birth.date.year));
    if (birth.summerTime == calendar::SummerTime::TakenBack)
        return line + u" · 已按夏令时减一小时"_s;
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
    const std::variant<Refusal, LunarBirth> birth = readGregorianBirth(convertBirthParts(parts));
    if (const auto *refusal = std::get_if<Refusal>(&birth))
        return *refusal;
    const LunarBirth &lunar = std::get<LunarBirth>(birth);
    const int total = totalWeight(lunar);
    return ConvertedReading{{WeightLine(total), VerseText(total)}, convertedLine(lunar)};
}
