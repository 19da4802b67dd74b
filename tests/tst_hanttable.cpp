// The 繁體 editions' table of built-in texts: that it holds every built-in text the program has,
// that each entry is what the converter writes today, and that the program looks texts up there
// without asking OpenCC, which it loads only for a text of someone else's.

#include "app/builtintexts.h"
#include "base/edition.h"
#include "boneweight/verses.h"
#include "mole/moleitems.h"
#include "palm/palmitems.h"
#include "text/hanconvert.h"
#include "text/hanttable.h"

#include <QApplication>
#include <QFont>
#include <QRawFont>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <set>

using text::Edition;

class TestHantTable : public QObject
{
    Q_OBJECT
private slots:
    void tableHoldsEveryBuiltInText();
    void tableIsTheConvertersWriting();
    void textsAroundSpacesStayAsWritten();
    void everyCharacterHasItsFace_data();
    void everyCharacterHasItsFace();
    void builtInTextsNeedNoOpenCC_data();
    void builtInTextsNeedNoOpenCC();
    void otherTextsWaitForOpenCC();
};

void TestHantTable::tableHoldsEveryBuiltInText()
{
    std::set<QString> wanted;
    for (const QString &text : builtInTexts()) {
        const QStringView core = text::coreOf(text);
        if (!text::staysAsWritten(core))
            wanted.insert(core.toString());
    }
    std::set<QString> held;
    for (const text::ConvertedAhead &entry : text::convertedAheadTable())
        held.insert(QString::fromStdU16String(std::u16string(entry.simplified)));
    for (const QString &text : wanted)
        QVERIFY2(held.count(text),
                 qPrintable(u"not in the table (run tools/hanttable): "_qs + text));
    for (const QString &text : held)
        QVERIFY2(wanted.count(text), qPrintable(u"no longer built in: "_qs + text));
    QVERIFY(held.size() > 1000);
}

void TestHantTable::tableIsTheConvertersWriting()
{
    const auto table = text::convertedAheadTable();
    for (std::size_t i = 1; i < table.size(); ++i)
        QVERIFY(table[i - 1].simplified < table[i].simplified);
    for (const Edition edition : {Edition::Taiwan, Edition::HongKong}) {
        const text::HanConverter converter(edition);
        int differs = 0;
        for (const text::ConvertedAhead &entry : table) {
            const QString simplified = QString::fromStdU16String(std::u16string(entry.simplified));
            const std::optional<QString> ahead = text::convertedAhead(edition, simplified);
            QVERIFY(ahead);
            QCOMPARE(*ahead, converter.convert(simplified));
            differs += *ahead != simplified;
        }
        QVERIFY(differs > 900);
    }
    QVERIFY(!text::convertedAhead(Edition::Taiwan, u"不在表里的话"));
}

// A text without a character from U+2E80 on is never looked up: no key of the dictionaries
// s2tw and s2hk use (nor of our list) may then be written without one.
namespace {
QStringList dictionaryKeys(const char *name)
{
    QStringList keys;
    for (const text::OpenCCEntry &entry : text::openCCDictionary(name))
        keys << entry.key;
    return keys;
}
} // namespace

void TestHantTable::textsAroundSpacesStayAsWritten()
{
    std::set<QString> lowKeys;
    for (const char *name :
         {"STPhrases.ocd2", "STCharacters.ocd2", "TWVariants.ocd2", "HKVariants.ocd2"}) {
        const QStringList keys = dictionaryKeys(name);
        QVERIFY2(keys.size() > 10, name);
        for (const QString &key : keys)
            if (text::staysAsWritten(key))
                lowKeys.insert(key);
    }
    for (const text::HantPhrase &phrase : text::hantPhrases())
        if (text::staysAsWritten(QString::fromUtf8(phrase.simplified)))
            lowKeys.insert(QString::fromUtf8(phrase.simplified));
    QVERIFY2(lowKeys.empty(), qPrintable(lowKeys.empty() ? QString() : *lowKeys.begin()));
    QVERIFY(text::staysAsWritten(u"Lorvex 2004   V 5.01\n'OK'"));
    QVERIFY(!text::staysAsWritten(u"“OK”"));
    QVERIFY(!text::staysAsWritten(u"1/6页"));
}

// A character the Simplified face draws is drawn, converted, by the edition's own face: none
// falls back to a face of another design (s2hk's 説 has no glyph in UMing HK, for one).
void TestHantTable::everyCharacterHasItsFace_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("family");
    QTest::newRow("tw") << Edition::Taiwan << "AR PL UMing TW";
    QTest::newRow("hk") << Edition::HongKong << "AR PL UMing HK";
}

void TestHantTable::everyCharacterHasItsFace()
{
    QFETCH(Edition, edition);
    QFETCH(QString, family);
    const QRawFont simplified = QRawFont::fromFont(QFont(u"AR PL SungtiL GB"_qs));
    const QRawFont face = QRawFont::fromFont(QFont(family));
    QCOMPARE(face.familyName(), family);
    const text::HanConverter converter(edition);
    int drawn = 0;
    for (const QString &key : dictionaryKeys("STCharacters.ocd2")) {
        const auto characters = key.toUcs4();
        if (!std::all_of(characters.begin(), characters.end(),
                         [&](char32_t c) { return simplified.supportsCharacter(c); }))
            continue;
        const QString written = converter.convert(key);
        for (const char32_t c : written.toUcs4())
            QVERIFY2(face.supportsCharacter(c), qPrintable(key + u" → "_qs + written));
        ++drawn;
    }
    QVERIFY(drawn > 2000);
}

void TestHantTable::builtInTextsNeedNoOpenCC_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("simplified");
    for (const Edition edition : {Edition::Taiwan, Edition::HongKong}) {
        const char *tag = edition == Edition::Taiwan ? "tw" : "hk";
        const auto row = [&](const char *name, const QString &text) {
            QTest::addRow("%s %s", name, tag) << edition << text;
        };
        row("tab caption", u"看手相"_qs);
        row("face title, padded", QString::fromUtf8(faceMoles()[0].title));
        row("indicator", u"2/6页"_qs);
        row("verse", VerseText(27));
        row("analysis, indented, line break",
            u"    "_qs + QString::fromUtf8(palmItems()[0].analysis) + u'\n');
        row("no Chinese at all", u"Lorvex 2004"_qs);
    }
}

void TestHantTable::builtInTextsNeedNoOpenCC()
{
    QFETCH(Edition, edition);
    QFETCH(QString, simplified);
    base::setEdition(edition);
    const QString shown = base::displayText(simplified);
    QVERIFY(!base::converterRequested());
    QCOMPARE(shown, text::HanConverter(edition).convert(simplified));
}

void TestHantTable::otherTextsWaitForOpenCC()
{
    const QString own = QStringLiteral("我自己写的手相说明：看掌纹要在白天。");
    QVERIFY(!text::convertedAhead(Edition::Taiwan, own));
    const QString expected = text::HanConverter(Edition::Taiwan).convert(own);
    base::setEdition(Edition::Taiwan);
    QTextDocument document;
    document.setPlainText(own);
    base::convertDocument(&document);
    QVERIFY(base::converterRequested());
    // Converted once OpenCC is there, on this thread, without the caller waiting for it.
    QTRY_COMPARE_WITH_TIMEOUT(document.toPlainText(), expected, 20000);
    // A message of the moment waits for it.
    QCOMPARE(base::displayText(u"无法保存到“/tmp/x”"_qs),
             text::HanConverter(Edition::Taiwan).convert(u"无法保存到“/tmp/x”"_qs));
}

QTEST_MAIN(TestHantTable)
#include "tst_hanttable.moc"
