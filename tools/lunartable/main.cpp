// Writes calendar/lunartable.cpp, the compact table of the lunar years 1901 to 2100, from the Hong
// Kong Observatory's day-by-day table (hko-1901-2100.csv):
//
//   lunartable ../shared/calendar/hko-1901-2100.csv calendar/lunartable.cpp
//
// Each lunar year becomes the Gregorian month and day of its 正月初一, its leap month (0 for
// none) and one bit per month, in the order the months come, set when the month has 30 days. The
// tool checks every row as it goes (dates one day apart, day names counting up from 初二, month
// names in order, 29 or 30 days a month) and writes nothing when a row breaks the pattern.

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList monthNames
    = {u"正月"_s, u"二月"_s, u"三月"_s, u"四月"_s, u"五月"_s,   u"六月"_s,
       u"七月"_s, u"八月"_s, u"九月"_s, u"十月"_s, u"十一月"_s, u"十二月"_s};
const QStringList dayNames
    = {u"初一"_s, u"初二"_s, u"初三"_s, u"初四"_s, u"初五"_s, u"初六"_s, u"初七"_s, u"初八"_s,
       u"初九"_s, u"初十"_s, u"十一"_s, u"十二"_s, u"十三"_s, u"十四"_s, u"十五"_s, u"十六"_s,
       u"十七"_s, u"十八"_s, u"十九"_s, u"二十"_s, u"廿一"_s, u"廿二"_s, u"廿三"_s, u"廿四"_s,
       u"廿五"_s, u"廿六"_s, u"廿七"_s, u"廿八"_s, u"廿九"_s, u"三十"_s};

struct Month
{
    int number = 0;
    bool leap = false;
    int days = 0;
};

struct Year
{
    QDate newYear;
    QList<Month> months;
};

[[noreturn]] void fail(int line, const QString &why)
{
    std::fprintf(stderr, "lunartable: line %d: %s\n", line, qPrintable(why));
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lunartable hko-1901-2100.csv lunartable.cpp\n");
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "lunartable: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextStream in(&input);
    const QRegularExpression dateForm(QStringLiteral("^(\\d{4})年(\\d{2})月(\\d{2})日$"));

    QList<Year> years;
    QDate previous;
    int line = 1;
    int expectedDay = 0; // 0 until the first 正月 of the file
    in.readLine();       // the column names
    while (!in.atEnd()) {
        ++line;
        const QStringList cells = in.readLine().split(QLatin1Char(','));
        if (cells.size() < 2)
            fail(line, QStringLiteral("fewer than two columns"));
        const auto m = dateForm.match(cells[0]);
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!m.hasMatch() || !date.isValid() || (previous.isValid() && previous.addDays(1) != date))
            fail(line, QStringLiteral("not the day after the row before: ") + cells[0]);
        previous = date;

        QString name = cells[1];
        const bool leap = name.startsWith(u'闰');
        if (leap)
            name.remove(0, 1);
        if (const qsizetype month = monthNames.indexOf(name); month >= 0) {
            if (month == 0 && !leap)
                years.append({date, {}});
            if (years.isEmpty())
                continue; // the lunar year that began in 1900
            QList<Month> &months = years.last().months;
            if (!months.isEmpty() && months.last().days < 29)
                fail(line, QStringLiteral("a month of fewer than 29 days ends here"));
            const int expected = months.isEmpty() ? 1 : months.last().number + (leap ? 0 : 1);
            if (month + 1 != expected || (leap && months.isEmpty()))
                fail(line, QStringLiteral("month out of order: ") + cells[1]);
            months.append({int(month) + 1, leap, 1});
            expectedDay = 2;
        } else if (expectedDay > 0) {
            if (dayNames.indexOf(name) + 1 != expectedDay || leap)
                fail(line, QStringLiteral("day out of order: ") + cells[1]);
            ++years.last().months.last().days;
            ++expectedDay;
        }
    }
    if (years.size() != 200 || years.first().newYear != QDate(1901, 2, 19))
        fail(line, QStringLiteral("expected the lunar years 1901 to 2100"));

    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)) {
        std::fprintf(stderr, "lunartable: cannot write %s\n", argv[2]);
        return 1;
    }
    QTextStream out(&output);
    out << "// Written by tools/lunartable from the Hong Kong Observatory's table of the Gregorian "
           "and\n"
           "// Chinese lunar calendars, 1901-2100 (hko-1901-2100.csv, published data). Do not "
           "edit.\n"
           "\n"
           "#include \"calendar/lunartable.h\"\n"
           "\n"
           "namespace calendar::detail {\n"
           "\n"
           "// clang-format off\n"
           "const std::array<LunarYear, 200> lunarYears = {{\n"
           "    // 正月初一 (month, day), leap month, months of 30 days (bit i: the year's (i+1)th "
           "month)\n";
    for (const Year &year : years) {
        int leapMonth = 0;
        unsigned bits = 0;
        for (qsizetype i = 0; i < year.months.size(); ++i) {
            const Month &month = year.months[i];
            if (month.leap)
                leapMonth = month.number;
            if (month.days == 30)
                bits |= 1u << i;
        }
        out << QStringLiteral("    {%1, %2, %3, 0x%4}, // %5")
                   .arg(year.newYear.month())
                   .arg(year.newYear.day(), 2)
                   .arg(leapMonth, 2)
                   .arg(bits, 4, 16, QLatin1Char('0'))
                   .arg(year.newYear.year());
        if (&year == &years.last()) // the table ends on the first day of this year's last month
            out << ", its last month cut off at 2100-12-31";
        out << '\n';
    }
    out << "}};\n"
           "// clang-format on\n"
           "\n"
           "} // namespace calendar::detail\n";
    return 0;
}
