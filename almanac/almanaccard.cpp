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

// The line's label, as the card and the sentence name it.
const char *const labels[6] = {
    QT_TRANSLATE_NOOP("AlmanacCard", "干支"), QT_TRANSLATE_NOOP("AlmanacCard", "生肖"),
    QT_TRANSLATE_NOOP("AlmanacCard", "节气"), QT_TRANSLATE_NOOP("AlmanacCard", "建除"),
    QT_TRANSLATE_NOOP("AlmanacCard", "冲煞"), QT_TRANSLATE_NOOP("AlmanacCard", "彭祖百忌"),
};

// The card's inks on its cream: a seal red for the day, a brown for the labels (both above 8:1,
// so that the thin strokes of small type still read at 4.5:1 on the pixels).
constexpr char kDayInk[] = "#8c1c13";
constexpr char kLabelInk[] = "#5a4a3a";
// The lines: their type size, their indent from the card's margin and the room above each, in
// pixels; the labels' column, in characters.
constexpr int kLineSize = 17;
constexpr int kIndent = 40;
constexpr int kLineGap = 12;
constexpr qsizetype kLabelColumn = 4;

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
                       .arg(calendar::weekdayName(date.dayOfWeek()));
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
    // Plain paragraphs rather than a table, which took twice as long to lay out (bench/README.md):
    // the labels are set right in a column four characters wide by full-width spaces (kept, not
    // folded as HTML folds spaces), every character of the Song face being one em wide.
    const QString paragraph
        = QStringLiteral("<p style=\"font-size:%1px; margin-left:%2px; margin-top:%3px; "
                         "margin-bottom:0px; white-space:pre-wrap\">");
    // A value's further parts stand under its first, behind the same spaces as the label.
    const QString underLabel = QStringLiteral("<br/>") + QString(kLabelColumn + 1, u'\u3000');
    for (const CardLine &line : card.lines) {
        const QString padding(std::max<qsizetype>(0, kLabelColumn - line.label.size()), u'\u3000');
        QStringList parts;
        for (const QString &part : line.parts)
            parts << part.toHtmlEscaped();
        html += paragraph.arg(kLineSize).arg(kIndent).arg(kLineGap)
                + QStringLiteral("%2<span style=\"color:%1\">%3</span>\u3000%4</p>")
                      .arg(QLatin1String(kLabelInk), padding, line.label.toHtmlEscaped(),
                           parts.join(underLabel));
    }
    return html;
}

} // namespace almanac
