#include "almanac/almanaccard.h"

#include "calendar/almanac.h"
#include "calendar/lunar.h"
#include "calendar/solarterms.h"

#include <QCoreApplication>
#include <QTimeZone>

namespace almanac {

namespace {

QString translated(const char *source)
{
    return QCoreApplication::translate("AlmanacCard", source);
}

const char *const weekdays[7] = {
    QT_TRANSLATE_NOOP("AlmanacCard", "星期一"), QT_TRANSLATE_NOOP("AlmanacCard", "星期二"),
    QT_TRANSLATE_NOOP("AlmanacCard", "星期三"), QT_TRANSLATE_NOOP("AlmanacCard", "星期四"),
    QT_TRANSLATE_NOOP("AlmanacCard", "星期五"), QT_TRANSLATE_NOOP("AlmanacCard", "星期六"),
    QT_TRANSLATE_NOOP("AlmanacCard", "星期日"),
};

// The line's label, as the card and the sentence name it.
const char *const labels[6] = {
    QT_TRANSLATE_NOOP("AlmanacCard", "干支"), QT_TRANSLATE_NOOP("AlmanacCard", "生肖"),
    QT_TRANSLATE_NOOP("AlmanacCard", "节气"), QT_TRANSLATE_NOOP("AlmanacCard", "建除"),
    QT_TRANSLATE_NOOP("AlmanacCard", "冲煞"), QT_TRANSLATE_NOOP("AlmanacCard", "彭祖百忌"),
};

// The card's inks on its cream: a seal red for the day, a brown for the labels (both above 5:1).
constexpr char kDayInk[] = "#8c1c13";
constexpr char kLabelInk[] = "#6e6050";

QString termText(QDate date)
{
    if (const std::optional<int> term = calendar::solarTermOn(date)) {
        // The moment the Sun reaches the term, on China's clock as the day is counted.
        const QDateTime moment
            = calendar::solarTermMoment(date.year(), *term).toTimeZone(QTimeZone(8 * 3600));
        return QCoreApplication::translate("AlmanacCard", "今日%1，%2交节")
            .arg(calendar::solarTermName(*term), moment.time().toString(QStringLiteral("HH:mm")));
    }
    if (const std::optional<calendar::NextSolarTerm> next = calendar::nextSolarTerm(date))
        return QCoreApplication::translate("AlmanacCard", "距%1还有%2天")
            .arg(calendar::solarTermName(next->term))
            .arg(next->days);
    return {};
}

} // namespace

QDate firstAlmanacDay()
{
    return calendar::firstConvertibleDay();
}

QDate lastAlmanacDay()
{
    return calendar::lastConvertibleDay();
}

QString weekdayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return translated(weekdays[dayOfWeek - 1]);
}

std::optional<AlmanacCard> almanacCard(QDate date)
{
    const std::optional<calendar::AlmanacDay> day = calendar::almanacDay(date);
    const std::optional<calendar::LunarDate> lunar = calendar::toLunar(date);
    if (!day || !lunar)
        return std::nullopt;
    using calendar::cycleName;
    AlmanacCard card;
    card.date = date;
    card.heading = QCoreApplication::translate("AlmanacCard", "%1年%2月%3日 %4")
                       .arg(date.year())
                       .arg(date.month())
                       .arg(date.day())
                       .arg(weekdayName(date.dayOfWeek()));
    card.lunar = QCoreApplication::translate("AlmanacCard", "农历%1年%2%3")
                     .arg(cycleName(day->year), calendar::monthName(lunar->month, lunar->kind),
                          calendar::dayName(lunar->day));
    const auto add = [&card](Item item, const QString &value, QStringList parts = {}) {
        card.lines.append({item, translated(labels[int(item)]), value,
                           parts.isEmpty() ? QStringList{value} : parts});
    };
    // The year of the stems and branches is the almanac's, from 立春, as its month is.
    add(Item::Cycles,
        QCoreApplication::translate("AlmanacCard", "%1年 %2月 %3日")
            .arg(cycleName(day->solarYear), cycleName(day->month), cycleName(day->day)));
    add(Item::Animal,
        QCoreApplication::translate("AlmanacCard", "%1年").arg(calendar::animalName(day->animal)));
    add(Item::SolarTerm, termText(date));
    add(Item::Officer, QCoreApplication::translate("AlmanacCard", "%1日")
                           .arg(calendar::officerName(day->officer)));
    add(Item::Clash, calendar::clashText(*day));
    const QStringList sayings{calendar::pengzuStemSaying(day->day.stem()),
                              calendar::pengzuBranchSaying(day->day.branch())};
    add(Item::Pengzu,
        QCoreApplication::translate("AlmanacCard", "%1；%2").arg(sayings[0], sayings[1]), sayings);

    QStringList parts;
    for (const CardLine &line : std::as_const(card.lines))
        parts << QCoreApplication::translate("AlmanacCard", "%1：%2").arg(line.label, line.value);
    card.sentence = QCoreApplication::translate("AlmanacCard", "%1，%2，%3。")
                        .arg(card.heading, card.lunar,
                             parts.join(QCoreApplication::translate("AlmanacCard", "，")));
    return card;
}

QString cardHtml(const AlmanacCard &card)
{
    QString html = QStringLiteral("<div align=\"center\" style=\"font-size:30px; "
                                  "color:%1\">%2</div>"
                                  "<div align=\"center\" style=\"font-size:20px; "
                                  "margin-top:8px\">%3</div><hr/>")
                       .arg(QLatin1String(kDayInk), card.heading.toHtmlEscaped(),
                            card.lunar.toHtmlEscaped());
    html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"7\" "
                           "style=\"font-size:17px\">");
    for (const CardLine &line : card.lines) {
        QStringList parts;
        for (const QString &part : line.parts)
            parts << part.toHtmlEscaped();
        html += QStringLiteral("<tr><td width=\"18%\" align=\"right\" style=\"color:%1\">%2</td>"
                               "<td>%3</td></tr>")
                    .arg(QLatin1String(kLabelInk), line.label.toHtmlEscaped(),
                         parts.join(QStringLiteral("<br/>")));
    }
    html += QStringLiteral("</table>");
    return html;
}

} // namespace almanac
