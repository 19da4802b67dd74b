#include "catalogue/picturecatalogue.h"
#include "mole/moleitems.h"
#include "palm/palmitems.h"
#include "picture/jpeg.h"
#include "text/gbk.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <vector>

// The content of the 217 palm items as the six catalogues show it: where each item lands, what
// its reading may contain, and its picture. The checks on how readings are written (no two alike,
// varied frames, one meaning to a sign) hold for the mole readings too.

Q_DECLARE_METATYPE(PalmTopic)

namespace {

enum class Readings { Palm, FaceMoles, BodyMoles, All };

struct Reading
{
    QString key;
    QString text;
};

// The catalogue pages as laid out for the six topic tabs, one row per page.
struct PageRange
{
    PalmTopic topic;
    int page;
    int first;
    int last;
};

const PageRange kPages[] = {
    {PalmTopic::Career, 1, 1, 8},           {PalmTopic::Career, 2, 9, 16},
    {PalmTopic::Career, 3, 17, 24},         {PalmTopic::Career, 4, 25, 32},
    {PalmTopic::Career, 5, 33, 40},         {PalmTopic::Career, 6, 41, 45},
    {PalmTopic::Wealth, 1, 46, 53},         {PalmTopic::Wealth, 2, 54, 55},
    {PalmTopic::Love, 1, 56, 63},           {PalmTopic::Love, 2, 64, 71},
    {PalmTopic::Love, 3, 72, 79},           {PalmTopic::Love, 4, 80, 85},
    {PalmTopic::Family, 1, 86, 93},         {PalmTopic::Family, 2, 94, 101},
    {PalmTopic::Family, 3, 102, 109},       {PalmTopic::Family, 4, 110, 117},
    {PalmTopic::Family, 5, 118, 125},       {PalmTopic::Family, 6, 126, 133},
    {PalmTopic::Family, 7, 134, 140},       {PalmTopic::Wisdom, 1, 141, 148},
    {PalmTopic::Wisdom, 2, 149, 156},       {PalmTopic::Wisdom, 3, 157, 164},
    {PalmTopic::Wisdom, 4, 165, 172},       {PalmTopic::Wisdom, 5, 173, 180},
    {PalmTopic::Wisdom, 6, 181, 188},       {PalmTopic::Wisdom, 7, 189, 196},
    {PalmTopic::Wisdom, 8, 197, 200},       {PalmTopic::WomensHealth, 1, 201, 208},
    {PalmTopic::WomensHealth, 2, 209, 216}, {PalmTopic::WomensHealth, 3, 217, 217},
};

// The only half-width characters any reading may hold, and where.
const QHash<int, QString> kHalfWidth = {
    {65, QStringLiteral("X")},
    {79, QStringLiteral("X")},
};

QString analysisOf(int number)
{
    return QString::fromUtf8(palmItems()[std::size_t(number - 1)].analysis);
}

// A topic's catalogue paged the way its tab pages it: eight slots a page.
PictureCatalogue catalogueOf(PalmTopic topic)
{
    CatalogueSetup setup;
    for (const PalmTopicRange &range : PalmTopics)
        if (range.topic == topic)
            for (int n = range.first; n <= range.last; ++n)
                setup.Items << CatalogueItem{palmItemKey(n), {}, analysisOf(n), {}};
    for (int slot = 0; slot < 8; ++slot)
        setup.Slots << QRect(slot * 101, 0, 100, 142);
    return PictureCatalogue(setup);
}

// Half-width means ASCII here, plus the half-width forms block.
bool isHalfWidth(QChar c)
{
    return c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFFEF);
}

// The runs of four characters in a reading. GBK has nothing outside the Basic Multilingual
// Plane, so a QChar is a character here.
QSet<QString> fourGrams(const QString &text)
{
    QSet<QString> grams;
    for (qsizetype i = 0; i + 4 <= text.size(); ++i)
        grams.insert(text.mid(i, 4));
    return grams;
}

qsizetype sharedCount(const QSet<QString> &a, const QSet<QString> &b)
{
    const QSet<QString> &smaller = a.size() <= b.size() ? a : b;
    const QSet<QString> &larger = a.size() <= b.size() ? b : a;
    return std::count_if(smaller.cbegin(), smaller.cend(),
                         [&larger](const QString &gram) { return larger.contains(gram); });
}

QList<Reading> readingsOf(Readings which)
{
    QList<Reading> out;
    if (which == Readings::Palm || which == Readings::All)
        for (int n = 1; n <= PalmItemCount; ++n)
            out.append({palmItemKey(n), analysisOf(n)});
    if (which == Readings::FaceMoles || which == Readings::All)
        for (const MoleItem &item : faceMoles())
            out.append({QString::fromLatin1(item.key), QString::fromUtf8(item.analysis)});
    if (which == Readings::BodyMoles || which == Readings::All)
        for (const MoleItem &item : bodyMoles())
            out.append({QString::fromLatin1(item.key), QString::fromUtf8(item.analysis)});
    return out;
}

void addRowPerReadings()
{
    QTest::addColumn<Readings>("which");
    QTest::newRow("palm") << Readings::Palm;
    QTest::newRow("face moles") << Readings::FaceMoles;
    QTest::newRow("body moles") << Readings::BodyMoles;
}

// The clauses of a reading, between its punctuation marks.
QStringList clausesOf(const QString &text)
{
    static const QRegularExpression marks(QStringLiteral("[，。；、：！？]"));
    return text.split(marks, Qt::SkipEmptyParts);
}

QSet<QString> pairsOf(const QString &clause)
{
    QSet<QString> pairs;
    for (qsizetype i = 0; i + 2 <= clause.size(); ++i)
        pairs.insert(clause.mid(i, 2));
    return pairs;
}

void addRowPerItem()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= PalmItemCount; ++n)
        QTest::newRow(qPrintable(QStringLiteral("Image%1").arg(n))) << n;
}

} // namespace

Q_DECLARE_METATYPE(Readings)

class TestPalmContent : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void analysis_data();
    void analysis();
    void givenTexts_data();
    void givenTexts();
    void analysesNotNearlyAlike_data() { addRowPerReadings(); }
    void analysesNotNearlyAlike();
    void framesVaried_data() { addRowPerReadings(); }
    void framesVaried();
    void explanationsNotRepeated();
    void signHasOneMeaning_data();
    void signHasOneMeaning();
    void wordingKept_data();
    void wordingKept();
    void picture_data();
    void picture();
};

void TestPalmContent::placement_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<PalmTopic>("topic");
    QTest::addColumn<int>("page");
    int expectedNext = 1;
    for (const PageRange &range : kPages) {
        QVERIFY2(range.first == expectedNext, "the page table skips or repeats an item");
        for (int n = range.first; n <= range.last; ++n)
            QTest::newRow(qPrintable(QStringLiteral("Image%1").arg(n)))
                << n << range.topic << range.page;
        expectedNext = range.last + 1;
    }
    QCOMPARE(expectedNext, PalmItemCount + 1);
}

void TestPalmContent::placement()
{
    QFETCH(int, number);
    QFETCH(PalmTopic, topic);
    QFETCH(int, page);

    const PalmItem &item = palmItems()[std::size_t(number - 1)];
    QCOMPARE(item.number, number);
    QCOMPARE(palmItemKey(number), QStringLiteral("Image") + QString::number(number));

    int topicsHolding = 0;
    for (const PalmTopicRange &range : PalmTopics)
        if (number >= range.first && number <= range.last) {
            ++topicsHolding;
            QCOMPARE(range.topic, topic);
        }
    QCOMPARE(topicsHolding, 1);

    const PictureCatalogue catalogue = catalogueOf(topic);
    const int index = catalogue.indexOf(palmItemKey(number));
    QVERIFY(index >= 0);
    QCOMPARE(catalogue.pageOf(index), page);
}

void TestPalmContent::analysis_data()
{
    addRowPerItem();
}

void TestPalmContent::analysis()
{
    QFETCH(int, number);
    const QString text = analysisOf(number);

    const qsizetype length = text.toUcs4().size();
    QVERIFY2(length >= 17 && length <= 75, qPrintable(QString::number(length) + " characters"));
    QVERIFY(text::fitsGbk(text));

    QString halfWidth;
    for (QChar c : text)
        if (isHalfWidth(c))
            halfWidth += c;
    QCOMPARE(halfWidth, kHalfWidth.value(number));
    // The allowed one sits inside the text, never at an end.
    if (!halfWidth.isEmpty()) {
        QVERIFY(!isHalfWidth(text.front()));
        QVERIFY(!isHalfWidth(text.back()));
    }
}

void TestPalmContent::givenTexts_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("Image1") << 1
                            << QStringLiteral("事业纹直上离宫之人，代表他的事业一帆风顺，到老亦有福"
                                              "有禄。");
    QTest::newRow("Image45") << 45
                             << QStringLiteral("冲天纹未破乾宫而冲过天纹者，代表自己及父母都富而且"
                                               "贵，其人也聪明有才华。");
    QTest::newRow("Image46") << 46
                             << QStringLiteral("六秀纹长者，叫做禄马纹，代表富贵，再有支纹者，代表"
                                               "事业多方发展，财源广进。");
    QTest::newRow("Image55") << 55
                             << QStringLiteral("天纹上还有横纹，若是直纹，代表会有横财，如图所示，"
                                               "但不可有其它斜纹穿过。");
    QTest::newRow("Image56") << 56
                             << QStringLiteral("天纹一端起自巽宫，一端弯下者，男女均主自作多情，到"
                                               "处留情。常经历到爱情苦果。");
    QTest::newRow("Image65") << 65
                             << QStringLiteral("天纹出现X纹者，男女都宜晚婚，婚事常遭父母及小人破"
                                               "坏。");
    QTest::newRow("Image86") << 86
                             << QStringLiteral("由乾位冲兑卦者，代表其人少年败家产，老年孤贫，早婚"
                                               "尅，自己健康亦不好。");
    QTest::newRow("Image140") << 140
                              << QStringLiteral("家风纹末端向上弯者，男女都代表不容易找到结婚对象，"
                                                "考虑太多，终必孤芳自赏，到老孤独。");
    QTest::newRow("Image141") << 141
                              << QStringLiteral("天纹在无名指下中断者，男女都代表因用情不专，导致分"
                                                "离。");
    QTest::newRow("Image200") << 200
                              << QStringLiteral("掌纹乱如麻，粗乱多贫苦，纹乱心事多，虽然是富贵人家"
                                                "也不快乐，严重者导致事业失败。");
    QTest::newRow("Image201") << 201
                              << QStringLiteral(
                                     "三才纹多毛，聪明反被聪明误，常会因判断错误而导致失"
                                     "败，如果平时守规矩，按部就班地做事，则可减少麻烦。");
    QTest::newRow("Image217") << 217
                              << QStringLiteral("小指短小瘦弱且弯曲，若再苍白无力，会性冷淡，并且不"
                                                "容易受孕。");
}

void TestPalmContent::givenTexts()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(analysisOf(number), text);
}

void TestPalmContent::analysesNotNearlyAlike()
{
    // Readings of one sign on different places share its wording ("人纹有支纹伸向……") and stay
    // under a third of the shorter reading's four-character runs; a copy with a few words changed,
    // or two readings poured into one template, go over it.
    QFETCH(Readings, which);
    constexpr double mostShared = 1.0 / 3;
    const QList<Reading> readings = readingsOf(which);
    std::vector<QSet<QString>> grams;
    for (const Reading &reading : readings)
        grams.push_back(fourGrams(reading.text));

    QStringList tooAlike;
    for (std::size_t a = 0; a < grams.size(); ++a)
        for (std::size_t b = a + 1; b < grams.size(); ++b) {
            const qsizetype shared = sharedCount(grams[a], grams[b]);
            const qsizetype shorter = std::min(grams[a].size(), grams[b].size());
            if (shared > mostShared * double(shorter))
                tooAlike << QStringLiteral("%1/%2 %3 of %4")
                                .arg(readings[qsizetype(a)].key, readings[qsizetype(b)].key)
                                .arg(shared)
                                .arg(shorter);
        }
    QVERIFY2(tooAlike.isEmpty(), qPrintable(tooAlike.join(QStringLiteral(", "))));
}

void TestPalmContent::framesVaried()
{
    // Where a reading turns from its feature to its meaning, at the first comma, its frame shows:
    // "……者，代表……" two hundred times over reads as one sentence. No frame may carry more than
    // a tenth of the readings.
    QFETCH(Readings, which);
    const QList<Reading> readings = readingsOf(which);
    QHash<QString, int> readingsIn;
    for (const Reading &reading : readings) {
        const qsizetype comma = reading.text.indexOf(QChar(0xFF0C));
        if (comma > 0)
            ++readingsIn[reading.text.mid(comma - 1, 4)];
    }
    const qsizetype most = std::max<qsizetype>(1, readings.size() / 10);
    for (auto frame = readingsIn.cbegin(); frame != readingsIn.cend(); ++frame)
        QVERIFY2(frame.value() <= most,
                 qPrintable(frame.key() + QStringLiteral(" in %1 readings").arg(frame.value())));
}

void TestPalmContent::explanationsNotRepeated()
{
    // A sign's meaning may be named the same way everywhere ("奸门主夫妻之情", seven characters),
    // but a longer clause told twice nearly word for word ("星纹落在宫上主骤得所长") makes two
    // readings say one thing. No two readings, palm or mole, share a clause of eight characters
    // or more with over two thirds of the shorter one's character pairs in common.
    constexpr qsizetype longClause = 8;
    const QList<Reading> readings = readingsOf(Readings::All);
    QList<QList<std::pair<QString, QSet<QString>>>> clauses;
    for (const Reading &reading : readings) {
        QList<std::pair<QString, QSet<QString>>> own;
        // The first clause names the sign and its place, in the words every reading of that
        // sign shares; the explaining comes after it.
        const QStringList all = clausesOf(reading.text);
        for (const QString &clause : all.mid(1))
            if (clause.size() >= longClause)
                own.append({clause, pairsOf(clause)});
        clauses.append(own);
    }
    QStringList repeated;
    for (qsizetype a = 0; a < readings.size(); ++a)
        for (qsizetype b = a + 1; b < readings.size(); ++b)
            for (const auto &[clauseA, pairsA] : clauses[a])
                for (const auto &[clauseB, pairsB] : clauses[b]) {
                    const qsizetype shorter = std::min(pairsA.size(), pairsB.size());
                    if (3 * sharedCount(pairsA, pairsB) > 2 * shorter)
                        repeated << QStringLiteral("%1 \"%2\" / %3 \"%4\"")
                                        .arg(readings[a].key, clauseA, readings[b].key, clauseB);
                }
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QStringLiteral(", "))));
}

void TestPalmContent::signHasOneMeaning_data()
{
    // A place or mark, under each name the readings call it by; where a reading says what it
    // stands for ("泪堂主子女"), every reading says the same.
    QTest::addColumn<QStringList>("names");
    QTest::newRow("泪堂") << QStringList{QStringLiteral("泪堂"), QStringLiteral("眼下")};
    QTest::newRow("天庭") << QStringList{QStringLiteral("天庭"), QStringLiteral("上停")};
    QTest::newRow("地阁") << QStringList{QStringLiteral("地阁"), QStringLiteral("下停")};
    QTest::newRow("奸门") << QStringList{QStringLiteral("奸门"), QStringLiteral("眼尾")};
    QTest::newRow("颧骨") << QStringList{QStringLiteral("颧骨"), QStringLiteral("颧")};
    QTest::newRow("山根") << QStringList{QStringLiteral("山根")};
    QTest::newRow("日角") << QStringList{QStringLiteral("日角")};
    QTest::newRow("月角") << QStringList{QStringLiteral("月角")};
    QTest::newRow("发际") << QStringList{QStringLiteral("发际")};
    QTest::newRow("腮骨") << QStringList{QStringLiteral("腮骨")};
}

void TestPalmContent::signHasOneMeaning()
{
    QFETCH(QStringList, names);
    // "腮骨主意志" and "腮骨有痣主……" both say what the place stands for.
    const QRegularExpression says(
        QStringLiteral("(?:%1)(?:有痣|之痣|受损)?主(\\p{Han})").arg(names.join(u'|')));
    QHash<QString, QStringList> readingsSaying; // first character of the meaning, readings
    for (const Reading &reading : readingsOf(Readings::All)) {
        auto it = says.globalMatch(reading.text);
        while (it.hasNext())
            readingsSaying[it.next().captured(1)] << reading.key;
    }
    QStringList meanings;
    for (auto m = readingsSaying.cbegin(); m != readingsSaying.cend(); ++m)
        meanings << m.key() + QStringLiteral(": ") + m.value().join(u' ');
    QVERIFY2(readingsSaying.size() <= 1, qPrintable(meanings.join(QStringLiteral("; "))));
}

void TestPalmContent::wordingKept_data()
{
    QTest::addColumn<QString>("pattern");
    // Folk readings speak of youth, middle years and old age, never of a birthday to wait for:
    // not in years (三十岁, 三十以后, 年过五十), decades (四旬) or the classics' names for them.
    QTest::newRow("age") << QStringLiteral(
        "[一二三四五六七八九十百]+岁|[一二三四五六七八九十]旬|[二三四五六七八九]十|年过[一二三四五"
        "六七八九十]|而立|不惑|知天命|花甲|古稀");
    // A reading is one run of text: no space, half- or full-width, anywhere in it.
    QTest::newRow("space") << QStringLiteral("\\s");
    // The drawn 井 mark has one name, 井字纹.
    QTest::newRow("井字纹") << QStringLiteral("网状纹");
    // Words of the office and the computer, not of the folk.
    QTest::newRow("office") << QStringLiteral("兼容|以权谋|异性缘|开创事业|培养|效率|沟通");
}

void TestPalmContent::wordingKept()
{
    QFETCH(QString, pattern);
    const QRegularExpression words(pattern);
    for (const Reading &reading : readingsOf(Readings::All)) {
        const QRegularExpressionMatch match = words.match(reading.text);
        QVERIFY2(!match.hasMatch(),
                 qPrintable(reading.key + QStringLiteral(": ") + match.captured()));
    }
}

void TestPalmContent::picture_data()
{
    addRowPerItem();
}

void TestPalmContent::picture()
{
    QFETCH(int, number);
    const QString path = palmPicturePath(number);
    QVERIFY2(QFile::exists(path), qPrintable(path + " is not built in"));
    const QImage image = builtInPicture(path);
    QVERIFY2(!image.isNull(), qPrintable(path + " does not decode"));
    // One picture is a row taller; its slot cuts the extra row off.
    QCOMPARE(image.size(), number == 56 ? QSize(100, 143) : QSize(100, 142));
}

QTEST_GUILESS_MAIN(TestPalmContent)
#include "tst_palmcontent.moc"
