#include "mole/moleitems.h"
#include "picture/jpeg.h"
#include "text/gbk.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// The content of the 104 mole items as the two mole tabs show it: titles, the lengths and openings
// of the analyses, the texts given in full, and the built-in pictures.

namespace {

// The face titles as the catalogue lists them, padded to a five-character name's width.
const char *const kFaceTitles[FaceMoleCount] = {
    " 满天星痣",  "南斗星君痣", "  三星痣",   "皈依三宝痣", "五福临门痣", "四季如意痣",
    "阴阳和合痣", "三元及第痣", "  梅花痣",   "高朋满座痣", "  来财痣",   " 顺风耳痣",
    "喜上眉梢痣", "克夫克妻痣", "  流泪痣",   "目不识丁痣", "法令严明痣", "满室春风痣",
    "满地金钱痣", "鸳鸯拜堂痣", "五心烦燥痣", "三星在户痣", " 福禄寿痣",  "三餐不保痣",
    "公侯宰相痣", "千杯不醉痣", "  观音痣",   "双凤朝阳痣", "一枝独秀痣", "吉星高照痣",
    "一门吉庆痣", "一世快乐痣", "少年得意痣", "他乡成名痣", "青童白虎痣", "克父克母痣",
    "父子不和痣", "大官大贵痣", "独占鳌头痣", "一本忠心痣", "每餐必晕痣", "寿比彭祖痣",
    "必定如意痣", "丰衣足食痣", "出口成章痣", "聪明有志痣", "养子送终痣", "财运不利痣",
    "伏羲大帝痣", "财禄归仓痣", "  牢狱痣",   "神农大帝痣", "福星高照痣", "疾病不断痣",
    "贪官污吏痣", "水厄火灾痣", "妨妻损子痣", "多灾多难痣", "酒色成凶痣", "少子少财痣",
    "大权双握痣", "金榜题名痣", "孤苦伶仃痣", "六亲无靠痣", "  巨富痣",   "福禄双全痣",
    "加产买田痣", "盘古开天痣", "佛门至尊痣", "防妻杀夫痣", "公平正直痣", "女中丈夫痣",
    "朝三暮四痣", "财源广进痣", "三仙俱到痣", "大众情人痣", "口角是非痣", "寿比南山痣",
    "尅夫伤子痣", "偷人养汉痣", "相夫教子痣", "丁财两旺痣", "他乡成功痣", "尅子孤寡痣",
    "离婚再嫁痣", "助夫致富痣",
};

// What every body analysis opens with, before its "，".
const char *const kBodyOpenings[BodyMoleCount] = {
    "两肘前有痣者",       "两肘后有痣者",   "两腋之下有痣者",   "两膝之上有痣者",
    "大腿之上有痣者",     "阴部之上有痣者", "手心之上有痣者",   "喉部之上有痣者",
    "侧腹部之上有痣者",   "足心之上长痣者", "足侧之背上有痣者", "两乳之中间长痣者",
    "两乳中间之下长痣者", "两乳之上长痣者", "肚脐之两旁长痣者", "肚脐的中间上长痣者",
    "手臂之上长痣者",     "两肘外长痣者",
};

const MoleItem &item(const QString &key)
{
    const int n = key.mid(1).toInt();
    return key.startsWith(u'g') ? faceMoles()[std::size_t(n - 1)] : bodyMoles()[std::size_t(n - 1)];
}

QString keyOf(char kind, int n)
{
    return QStringLiteral("%1%2").arg(QLatin1Char(kind)).arg(n, 2, 10, QLatin1Char('0'));
}

void addRowPerItem()
{
    QTest::addColumn<QString>("key");
    for (int n = 1; n <= FaceMoleCount; ++n)
        QTest::newRow(qPrintable(keyOf('g', n))) << keyOf('g', n);
    for (int n = 1; n <= BodyMoleCount; ++n)
        QTest::newRow(qPrintable(keyOf('k', n))) << keyOf('k', n);
}

// Runs of four characters, to catch two readings written from one another.
QSet<QString> quadgrams(const QString &text)
{
    QSet<QString> out;
    for (qsizetype i = 0; i + 4 <= text.size(); ++i)
        out.insert(text.mid(i, 4));
    return out;
}

} // namespace

class TestMoleContent : public QObject
{
    Q_OBJECT
private slots:
    void faceTitle_data();
    void faceTitle();
    void analysis_data() { addRowPerItem(); }
    void analysis();
    void givenTexts_data();
    void givenTexts();
    void analysesNotNearlyTheSame();
    void picture_data() { addRowPerItem(); }
    void picture();
};

void TestMoleContent::faceTitle_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("title");
    for (int n = 1; n <= FaceMoleCount; ++n)
        QTest::newRow(qPrintable(keyOf('g', n))) << n << QString::fromUtf8(kFaceTitles[n - 1]);
}

void TestMoleContent::faceTitle()
{
    QFETCH(int, number);
    QFETCH(QString, title);
    const MoleItem &mole = faceMoles()[std::size_t(number - 1)];
    QCOMPARE(QString::fromUtf8(mole.key), keyOf('g', number));
    QCOMPARE(QString::fromUtf8(mole.title), title);

    // Padded on the left to the width of five characters: 8, 9 or 10 bytes in code page 936.
    const QByteArray bytes = text::toGbk(title);
    const qsizetype spaces = title.size() - QStringView(title).trimmed().size();
    QVERIFY2(bytes.size() >= 8 && bytes.size() <= 10, bytes.constData());
    QCOMPARE(spaces + 2 * (title.size() - spaces), qsizetype(bytes.size()));
    QCOMPARE(spaces, 5 - (title.size() - spaces));
    QVERIFY(title.endsWith(QStringLiteral("痣")));
    // The padding is the catalogue's indent: no space after the name's first character.
    QVERIFY(!title.mid(spaces).contains(QRegularExpression(QStringLiteral("\\s"))));
}

void TestMoleContent::analysis()
{
    QFETCH(QString, key);
    const MoleItem &mole = item(key);
    const QString text = QString::fromUtf8(mole.analysis);
    const bool face = key.startsWith(u'g');
    QCOMPARE(QString::fromUtf8(mole.key), key);

    const QByteArray bytes = text::toGbk(text);
    const qsizetype least = face ? 94 : 50, most = face ? 210 : 98;
    QVERIFY2(bytes.size() >= least && bytes.size() <= most,
             qPrintable(QStringLiteral("%1 bytes").arg(bytes.size())));
    // Every character, the title's too ("尅"), has a GBK form and comes back unchanged.
    const QString title = QString::fromUtf8(mole.title);
    QVERIFY(text::fitsGbk(text) && text::fitsGbk(title));
    QCOMPARE(text::fromGbk(text::toGbk(title + text)), title + text);
    // One paragraph of full-width text.
    for (const QChar c : text)
        QVERIFY2(c.unicode() >= 0x80, qPrintable(QStringLiteral("half-width %1").arg(c)));

    if (face)
        return;
    QVERIFY(title.isEmpty());
    const QString opening = QString::fromUtf8(kBodyOpenings[key.mid(1).toInt() - 1]);
    QVERIFY2(text.startsWith(opening + QStringLiteral("，")), qPrintable(text.left(12)));
}

void TestMoleContent::givenTexts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("g01") << "g01"
                         << QStringLiteral(
                                "生在发际及眉毛之上，布满整个额头，主此人天生佛教徒，生来"
                                "就是仙体，亦为佛门中人，自有福禄，若不出家修道，反在人"
                                "间贪恋酒色，财气，将烦恼不断，伤心之至。");
    QTest::newRow("g04") << "g04"
                         << QStringLiteral("在头顶火星的位置，有九个痣排列成方形。心地善良，不贪恋"
                                           "酒色财气，一生清高，自得平安，快活自在。");
    QTest::newRow("k01") << "k01"
                         << QStringLiteral("两肘前有痣者，代表积极向上，待人和气，事业努力，小进田"
                                           "产。");
    QTest::newRow("k12") << "k12"
                         << QStringLiteral("两乳之中间长痣者，叫做男女宫，代表会生贵子，贵女。");
}

void TestMoleContent::givenTexts()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QCOMPARE(QString::fromUtf8(item(key).analysis), text);
}

void TestMoleContent::analysesNotNearlyTheSame()
{
    // Readings may share a turn of phrase, not a third of their wording.
    QList<std::pair<QString, QSet<QString>>> readings;
    for (int n = 1; n <= FaceMoleCount; ++n)
        readings.append(
            {keyOf('g', n), quadgrams(QString::fromUtf8(item(keyOf('g', n)).analysis))});
    for (int n = 1; n <= BodyMoleCount; ++n)
        readings.append(
            {keyOf('k', n), quadgrams(QString::fromUtf8(item(keyOf('k', n)).analysis))});
    for (qsizetype i = 0; i < readings.size(); ++i)
        for (qsizetype j = i + 1; j < readings.size(); ++j) {
            const auto &[keyA, a] = readings.at(i);
            const auto &[keyB, b] = readings.at(j);
            const qsizetype shared = QSet<QString>(a).intersect(b).size();
            const qsizetype smaller = std::max<qsizetype>(1, std::min(a.size(), b.size()));
            if (3 * shared > smaller)
                QFAIL(qPrintable(QStringLiteral("%1 and %2 share %3 of %4 runs")
                                     .arg(keyA, keyB)
                                     .arg(shared)
                                     .arg(smaller)));
        }
}

void TestMoleContent::picture()
{
    QFETCH(QString, key);
    const QString path = QStringLiteral(":/pictures/mole/%1.jpg").arg(key);
    QVERIFY2(QFile::exists(path), qPrintable(path + " is not built in"));
    const QImage image = builtInPicture(path);
    QVERIFY2(!image.isNull(), qPrintable(path + " does not decode"));
    // k18 is a row taller; its slot cuts the extra row off.
    const QSize size = key.startsWith(u'g')          ? QSize(70, 92)
                       : key == QLatin1String("k18") ? QSize(120, 178)
                                                     : QSize(120, 177);
    QCOMPARE(image.size(), size);
}

QTEST_GUILESS_MAIN(TestMoleContent)
#include "tst_molecontent.moc"
