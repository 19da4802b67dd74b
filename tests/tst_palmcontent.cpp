#include "catalogue/picturecatalogue.h"
#include "palm/palmitems.h"
#include "picture/jpeg.h"
#include "text/gbk.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <vector>

// The content of the 217 palm items as the six catalogues show it: where each item lands, what
// its reading may contain, and its picture.

Q_DECLARE_METATYPE(PalmTopic)

namespace {

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
    {74, QStringLiteral(" ")},
    {79, QStringLiteral("X")},
    {149, QStringLiteral(" ")},
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

void addRowPerItem()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= PalmItemCount; ++n)
        QTest::newRow(qPrintable(QStringLiteral("Image%1").arg(n))) << n;
}

} // namespace

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
    void analysesNotNearlyAlike();
    void framesVaried();
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
    // Readings of one sign on different lines share its wording ("人纹有支纹伸向……") and stay
    // under a third of the shorter reading's four-character runs; a copy with a few words changed,
    // or two readings poured into one template, go over it.
    constexpr double mostShared = 1.0 / 3;
    std::vector<QSet<QString>> grams;
    for (int n = 1; n <= PalmItemCount; ++n)
        grams.push_back(fourGrams(analysisOf(n)));

    QStringList tooAlike;
    for (std::size_t a = 0; a < grams.size(); ++a)
        for (std::size_t b = a + 1; b < grams.size(); ++b) {
            const qsizetype shared = sharedCount(grams[a], grams[b]);
            const qsizetype shorter = std::min(grams[a].size(), grams[b].size());
            if (shared > mostShared * double(shorter))
                tooAlike << QStringLiteral("Image%1/Image%2 %3 of %4")
                                .arg(a + 1)
                                .arg(b + 1)
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
    QHash<QString, int> readingsIn;
    for (int n = 1; n <= PalmItemCount; ++n) {
        const QString text = analysisOf(n);
        const qsizetype comma = text.indexOf(QChar(0xFF0C));
        if (comma > 0)
            ++readingsIn[text.mid(comma - 1, 4)];
    }
    for (auto frame = readingsIn.cbegin(); frame != readingsIn.cend(); ++frame)
        QVERIFY2(frame.value() <= PalmItemCount / 10,
                 qPrintable(frame.key() + QStringLiteral(" in %1 readings").arg(frame.value())));
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
