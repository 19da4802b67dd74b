#include "boneweight/reckoning.h"

#include "boneweight/integer.h"
#include "boneweight/verses.h"
#include "boneweight/weights.h"
#include "text/gbk.h"

namespace {

// Month and day items are one or two digits and a double-byte unit: "1月" is 3 bytes and keeps
// one, "12月" is 4 and keeps two.
QByteArray cutMonthOrDay(const QByteArray &bytes)
{
    return text::leadingBytes(bytes, bytes.size() == 3 ? 1 : 2);
}

} // namespace

BirthParts cutBirthTexts(const BirthTexts &texts)
{
    return {
        text::leadingBytes(text::toGbk(texts.year), 4),
        cutMonthOrDay(text::toGbk(texts.month)),
        cutMonthOrDay(text::toGbk(texts.day)),
        text::toGbk(texts.hour),
        text::toGbk(texts.minute),
    };
}

bool isCompleteChoice(const BirthParts &parts)
{
    // What the placeholders "出生年份", "月份", "日期", "时" and "分" cut down to.
    static const QByteArray year = text::toGbk(u"出生");
    static const QByteArray month = text::toGbk(u"月");
    static const QByteArray day = text::toGbk(u"日");
    static const QByteArray hour = text::toGbk(u"时");
    static const QByteArray minute = text::toGbk(u"分");
    return parts.year != year && parts.month != month && parts.day != day && parts.hour != hour
           && parts.minute != minute;
}

BirthData convertBirthParts(const BirthParts &parts)
{
    BirthData data;
    data.Year = strToInt(parts.year);
    data.Month = strToInt(parts.month);
    data.Day = strToInt(parts.day);
    data.Hour = strToInt(parts.hour);
    data.Minute = parts.minute;
    return data;
}

int totalWeight(const BirthData &data)
{
    return YearWeight(data.Year) + MonthWeight(data.Month) + DayWeight(data.Day)
           + HourWeight(data.Hour);
}

std::optional<Reading> reckon(const BirthTexts &texts)
{
    const BirthParts parts = cutBirthTexts(texts);
    if (!isCompleteChoice(parts))
        return std::nullopt;
    const BirthData data = convertBirthParts(parts);
    const int total = totalWeight(data);
    return Reading{WeightLine(total), VerseText(total), total, data};
}
