// The 繁體 conversion: which locale gives which edition, our phrase list against reference
// writings, that every entry of the list changes what OpenCC alone writes, and that no character
// only Simplified writes is left in any verse, weight line, analysis or title.

#include "boneweight/gregorianbirth.h"
#include "boneweight/verses.h"
#include "mole/moleitems.h"
#include "palm/palmitems.h"
#include "text/openccdictionary.h"

#include <QTest>

using text::Edition;
Q_DECLARE_METATYPE(text::Words)

Q_DECLARE_METATYPE(text::Edition)

class TestHant : public QObject
{
    Q_OBJECT
private slots:
    void editionForLocale_data();
    void editionForLocale();
    void writing_data();
    void writing();
    void everyEntryChangesOpenCC_data();
    void everyEntryChangesOpenCC();
    void nothingSimplifiedIsLeft_data();
    void nothingSimplifiedIsLeft();
    void lunarLine_data();
    void lunarLine();
};

void TestHant::editionForLocale_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Edition>("edition");
    QTest::newRow("zh_TW") << "zh_TW" << Edition::Taiwan;
    QTest::newRow("zh-TW as Qt lists it") << "zh-TW" << Edition::Taiwan;
    QTest::newRow("zh_TW.UTF-8") << "zh_TW.UTF-8" << Edition::Taiwan;
    QTest::newRow("zh_Hant_TW") << "zh_Hant_TW" << Edition::Taiwan;
    QTest::newRow("zh_HK") << "zh_HK" << Edition::HongKong;
    QTest::newRow("zh_MO") << "zh_MO" << Edition::HongKong;
    QTest::newRow("zh_CN") << "zh_CN" << Edition::Simplified;
    QTest::newRow("zh_SG") << "zh_SG" << Edition::Simplified;
    QTest::newRow("C") << "C" << Edition::Simplified;
    QTest::newRow("en_US") << "en_US" << Edition::Simplified;
    QTest::newRow("en_HK, English in Hong Kong") << "en_HK" << Edition::Simplified;
}

void TestHant::editionForLocale()
{
    QFETCH(QString, name);
    QFETCH(Edition, edition);
    QCOMPARE(text::editionForLocale(QLocale(name)), edition);
}

// References: how the Ministry of Education's dictionary (Taiwan) and the Hong Kong list of
// character forms write these words.
void TestHant::writing_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("simplified");
    QTest::addColumn<QString>("traditional");
    QTest::addColumn<text::Words>("words");
    auto words = text::Words::Reading;
    const auto both = [&words](const char *name, const char *simplified, const char *tw,
                               const char *hk) {
        QTest::newRow((QByteArray(name) + " tw").constData())
            << Edition::Taiwan << QString::fromUtf8(simplified) << QString::fromUtf8(tw) << words;
        QTest::newRow((QByteArray(name) + " hk").constData())
            << Edition::HongKong << QString::fromUtf8(simplified) << QString::fromUtf8(hk) << words;
    };
    both("命里", "命里有时", "命裡有時", "命裏有時");
    both("相冲, 冲煞", "相冲冲煞", "相沖沖煞", "相沖沖煞");
    both("冲 of rushing", "冲过天纹", "衝過天紋", "衝過天紋");
    both("余", "衣食有余", "衣食有餘", "衣食有餘");
    both("天干, 才干", "天干才干", "天干才幹", "天干才幹");
    both("头发, 发财", "头发发财", "頭髮發財", "頭髮發財");
    both("发中", "藏于发中", "藏於髮中", "藏於髮中");
    both("皇后, 后来", "皇后后来", "皇后後來", "皇后後來");
    both("农历, 经历", "农历经历", "農曆經歷", "農曆經歷");
    both("钟情", "一见钟情", "一見鍾情", "一見鍾情");
    both("特征, 象征", "特征象征", "特徵象徵", "特徵象徵");
    both("尅", "早婚尅", "早婚剋", "早婚剋");
    both("quotation marks", "按“算一卦”，无法保存到“/tmp/a b”",
         "按「算一卦」，無法保存到「/tmp/a b」", "按「算一卦」，無法保存到「/tmp/a b」");
    both("南斗", "南斗星君痣", "南斗星君痣", "南斗星君痣");
    both("斗口, 奋斗", "围成斗口，肯奋斗", "圍成斗口，肯奮鬥", "圍成斗口，肯奮鬥");
    both("克", "克夫克妻克父克母", "剋夫剋妻剋父剋母", "剋夫剋妻剋父剋母");
    both("乾宫", "乾宫有星纹", "乾宮有星紋", "乾宮有星紋");
    both("冲兑, rushing into a palace", "由乾位冲兑卦者", "由乾位衝兌卦者", "由乾位衝兑卦者");
    both("Taiwan's 想像 身分 算帳 獨占", "想象 身份 算账 独占鳌头", "想像 身分 算帳 獨占鰲頭",
         "想象 身份 算賬 獨佔鰲頭");
    both("发际 after 经", "从头顶经发际直下", "從頭頂經髮際直下", "從頭頂經髮際直下");
    both("发际", "额上发际之下", "額上髮際之下", "額上髮際之下");
    both("向明", "宜向明白人请教，伸向明堂", "宜向明白人請教，伸向明堂",
         "宜向明白人請教，伸向明堂");
    both("升", "名位步步高升，升迁", "名位步步高升，升遷", "名位步步高升，升遷");
    both("财谷", "财谷有余", "財穀有餘", "財穀有餘");
    both("凶", "凶祸频临 大凶 酒色成凶痣", "凶禍頻臨 大凶 酒色成凶痣", "凶禍頻臨 大凶 酒色成凶痣");
    both("荫", "福荫 庇荫 祖荫", "福蔭 庇蔭 祖蔭", "福蔭 庇蔭 祖蔭");
    // A user's own text: the phrase list's hair (髮) and 編製 stay where they belong.
    both("发中, 编制 elsewhere", "研发中心、开发中、突发中风、人员编制",
         "研發中心、開發中、突發中風、人員編制", "研發中心、開發中、突發中風、人員編制");
    // Character conversion, not s2twp's vocabulary: 联系 stays 聯繫.
    both("联系", "联系", "聯繫", "聯繫");
    both("着", "沉着", "沉著", "沉着");
    both("empty", "", "", "");
    // The interface's words as each region's software says them (Microsoft's Taiwan and Hong
    // Kong terminology); a reading keeps its words.
    words = text::Words::Interface;
    both("file menu", "文件(&F)", "檔案(&F)", "檔案(&F)");
    both("copy, save", "复制结果(&C) 保存为图片(&S)…", "複製結果(&C) 儲存為圖片(&S)…",
         "複製結果(&C) 儲存為圖片(&S)…");
    both("print, printer", "打印机“%1”没有接受这份打印。", "印表機「%1」沒有接受這份列印。",
         "打印機「%1」沒有接受這份列印。");
    both("quit, help", "退出(&X) 帮助(&H)", "結束(&X) 說明(&H)", "結束(&X) 說明(&H)");
    both("a document", "PDF 文档 (*.pdf)", "PDF 文件 (*.pdf)", "PDF 文件 (*.pdf)");
    both("made by", "Lorvex 工作室 编制", "Lorvex 工作室 編製", "Lorvex 工作室 編製");
    both("the prompt", "请输入出生资料!", "請輸入出生資料！", "請輸入出生資料！");
    both("a branch, a clash", "丑时 冲%1", "丑時 沖%1", "丑時 沖%1");
}

void TestHant::writing()
{
    QFETCH(Edition, edition);
    QFETCH(QString, simplified);
    QFETCH(QString, traditional);
    QFETCH(text::Words, words);
    const text::HanConverter converter(edition);
    QCOMPARE(converter.convert(simplified, words), traditional);
}

void TestHant::everyEntryChangesOpenCC_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("simplified");
    QTest::addColumn<QString>("tw");
    QTest::addColumn<QString>("hk");
    for (const text::HantPhrase &phrase : text::hantPhrases())
        QTest::newRow(phrase.simplified)
            << Edition::Taiwan << QString::fromUtf8(phrase.simplified)
            << QString::fromUtf8(phrase.taiwan) << QString::fromUtf8(phrase.hongKong);
}

// An entry that OpenCC writes the same way in both standards is dead weight in the list.
void TestHant::everyEntryChangesOpenCC()
{
    QFETCH(QString, simplified);
    QFETCH(QString, tw);
    QFETCH(QString, hk);
    const text::HanConverter taiwan(Edition::Taiwan);
    const text::HanConverter hongKong(Edition::HongKong);
    QVERIFY(taiwan.convertWithOpenCCOnly(simplified) != tw
            || hongKong.convertWithOpenCCOnly(simplified) != hk);
    QCOMPARE(taiwan.convert(simplified), tw);
    QCOMPARE(hongKong.convert(simplified), hk);
}

void TestHant::nothingSimplifiedIsLeft_data()
{
    QTest::addColumn<Edition>("edition");
    for (Edition edition : {Edition::Taiwan, Edition::HongKong})
        QTest::newRow(edition == Edition::Taiwan ? "tw" : "hk") << edition;
}

// Every verse, weight line, palm analysis and mole title and analysis.
void TestHant::nothingSimplifiedIsLeft()
{
    QFETCH(Edition, edition);
    const QSet<char32_t> leftOver = text::simplifiedOnlyCharacters(edition);
    QVERIFY(leftOver.contains(U'发') && leftOver.contains(U'这') && !leftOver.contains(U'斗'));
    QCOMPARE(leftOver.contains(U'户'), edition == Edition::Taiwan);
    QStringList texts;
    for (int total = 21; total <= 71; ++total)
        texts << VerseText(total) << WeightLine(total);
    for (const PalmItem &item : palmItems())
        texts << QString::fromUtf8(item.analysis);
    for (const MoleItem &item : faceMoles())
        texts << QString::fromUtf8(item.title) << QString::fromUtf8(item.analysis);
    for (const MoleItem &item : bodyMoles())
        texts << QString::fromUtf8(item.analysis);
    QCOMPARE(texts.size(), 51 * 2 + 217 + 86 * 2 + 18);
    const text::HanConverter converter(edition);
    for (const QString &simplified : texts) {
        for (char32_t c : converter.convert(simplified).toUcs4())
            QVERIFY2(!leftOver.contains(c), qPrintable(simplified));
    }
}

void TestHant::lunarLine_data()
{
    nothingSimplifiedIsLeft_data();
}

// The lunar line of a birth in every year of the cycle and every hour: the stems and branches are
// written alike in all three editions (丑 of the branches is not 醜, ugly), the rest as each
// standard writes it.
void TestHant::lunarLine()
{
    QFETCH(Edition, edition);
    const QHash<QChar, QChar> traditional = {
        {u'农', u'農'}, {u'历', u'曆'}, {u'时', u'時'}, {u'属', u'屬'}, {u'闰', u'閏'},
        {u'龙', u'龍'}, {u'马', u'馬'}, {u'鸡', u'雞'}, {u'猪', u'豬'}, {u'减', u'減'},
    };
    const text::HanConverter converter(edition);
    for (int year = 1984; year < 1984 + 60; ++year) {
        const auto kind = year % 5 ? calendar::MonthKind::Ordinary : calendar::MonthKind::Leap;
        const auto summer
            = year % 7 ? calendar::SummerTime::NotKept : calendar::SummerTime::TakenBack;
        const LunarBirth birth{{year, year % 12 + 1, kind, year % 30 + 1}, year % 24, summer};
        const QString line = convertedLine(birth);
        QString expected = line;
        for (QChar &c : expected)
            c = traditional.value(c, c);
        QCOMPARE(converter.convert(line), expected);
    }
}

QTEST_GUILESS_MAIN(TestHant)
#include "tst_hant.moc"
