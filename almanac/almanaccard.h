#pragma once

// A day's almanac as the fourth tab shows it: the heading, the lunar date and the lines of the
// card, the same again as one sentence for a screen reader, and the card as rich text. Made from
// calendar/ when a day is asked for; nothing of it is computed at start-up.

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace almanac {

// The lines of the card, in the order they stand.
enum class Item { Cycles, Animal, SolarTerm, Officer, Clash, Pengzu };

struct CardLine
{
    Item item;
    QString label;     // 干支, 生肖 …
    QString value;     // 丙午年 庚子月 壬寅日
    QStringList parts; // the value as the card stacks it: Pengzu's two sayings on two lines
};

struct AlmanacCard
{
    QDate date;
    QString heading; // 2027年1月1日 星期五
    QString lunar;   // 农历丙午年十一月廿四
    QList<CardLine> lines;
    QString sentence; // the whole card read aloud, one sentence
};

// The days the card can be made for: those of the lunar calendar, 1901-02-19 to 2100-12-31.
QDate firstAlmanacDay();
QDate lastAlmanacDay();

// Nothing outside those days.
std::optional<AlmanacCard> almanacCard(QDate date);

// The card as rich text for a QTextEdit on cream: the heading and the lunar date centred, the
// lines as a table of label and value.
QString cardHtml(const AlmanacCard &card);

} // namespace almanac
