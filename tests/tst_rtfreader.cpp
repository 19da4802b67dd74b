// The RTF reader on small hand-written pieces, one group of rows per feature, on files written
// the way word processors write them, and on input that is broken on purpose.

#include "logcapture.h"
#include "richtext/rtfreader.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using richtext::RtfReport;

namespace {

QString read(const QByteArray &rtf, RtfReport *report = nullptr)
{
    QTextDocument document;
    const RtfReport r = richtext::RtfReader(&document).import(rtf);
    if (report)
        *report = r;
    // Raw text keeps what toPlainText() flattens (no-break spaces, line separators); only the
    // paragraph separators become "\n".
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// The character format of the last character of the first occurrence of a marker.
QTextCharFormat formatAt(const QTextDocument &document, const QString &marker)
{
    const qsizetype at = document.toPlainText().indexOf(marker);
    if (at < 0)
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(int(at + marker.size())); // a cursor shows the format before it
    return cursor.charFormat();
}

// A text as pieces to compare across writers: each line cut at its tabs (a table's cells, a list
// item's marker), spaces of every kind run together, soft hyphens and list markers left out.
QStringList pieces(QString text)
{
    static const QRegularExpression marker(u"^(?:\\x{2022}|-|\\d+\\.)(?:\\s+|$)"_qs);
    static const QRegularExpression spaces(u"[\\s\\x{a0}\\x{3000}]+"_qs);
    text.remove(QChar(0xfeff)).remove(QChar(0xad));
    QStringList result;
    for (const QString &line : text.split(u'\n'))
        for (QString piece : line.split(u'\t')) {
            piece = piece.replace(spaces, u" "_qs).trimmed().remove(marker);
            if (!piece.isEmpty())
                result << piece;
        }
    return result;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void charFormat_data();
    void charFormat();
    void paragraphFormat_data();
    void paragraphFormat();
    void badInput_data();
    void badInput();
    void files_data();
    void files();
    void otherWriters_data();
    void otherWriters();
    void importReplacesContent();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    const QByteArray song936
        = R"({\fonttbl{\f0\fnil\fcharset134 \'cb\'ce\'cc\'e5;}{\f1\fcharset0 Arial;}})";
    QTest::newRow("hex pairs in 936")
        << QByteArray(R"({\rtf1\ansi\ansicpg936 \'d5\'c6\'ce\'c6})") << u"掌纹"_qs;
    QTest::newRow("hex in 1252") << QByteArray(R"({\rtf1\ansi caf\'e9 \'93q\'94})")
                                 << u"café “q”"_qs;
    QTest::newRow("fcharset134 over ansicpg1252")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0)" + song936 + R"(\'d5\'c6\f1\'e9})")
        << u"掌é"_qs;
    QTest::newRow("fcharset0 under ansicpg936")
        << QByteArray(R"({\rtf1\ansi\ansicpg936\deff1)" + song936 + R"(\'e9\f0\'d5\'c6})")
        << u"é掌"_qs;
    QTest::newRow("raw GBK bytes")
        << QByteArray("{\\rtf1\\ansicpg936 \xd5\xc6\r\n\xce\xc6}") << u"掌纹"_qs;
    QTest::newRow("pair across a 1 MB chunk")
        << "{\\rtf1\\ansicpg936 " + QByteArray(1024 * 1024 - 1, 'a') + "\xd5\xc6}"
        << QString(1024 * 1024 - 1, u'a') + u"掌"_qs;
    QTest::newRow("lone lead byte") << QByteArray(R"({\rtf1\ansicpg936 \'d5}x)") << u"\uFFFD"_qs;
    QTest::newRow("u with fallback")
        << QByteArray(R"({\rtf1\uc1\u25484?\u32441?!})") << u"掌纹!"_qs;
    QTest::newRow("u negative") << QByteArray(R"({\rtf1\u-3913?})") << u"\uF0B7"_qs;
    QTest::newRow("u surrogate pair")
        << QByteArray(R"({\rtf1\u-10179?\u-8694?})") << u"\U0001F60A"_qs;
    QTest::newRow("uc2 hex fallback")
        << QByteArray(R"({\rtf1\ansicpg936\uc2\u25484\'d5\'c6\u32441\'ce\'c6.})") << u"掌纹."_qs;
    QTest::newRow("uc0") << QByteArray(R"({\rtf1\uc0\u25484 a})") << u"掌a"_qs;
    QTest::newRow("uc ends with group") << QByteArray(R"({\rtf1{\uc3\u25484 a}bc})") << u"掌bc"_qs;
    QTest::newRow("bin skips braces") << QByteArray("{\\rtf1 a\\bin4 }{\\'b}b}") << u"ab"_qs;
    QTest::newRow("escaped signs")
        << QByteArray(R"({\rtf1 \{a\}\\ b\~c\_d\-e})") << u"{a}\\ b\u00A0c\u2011de"_qs;
    QTest::newRow("named signs") << QByteArray(
        R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})")
                                 << u"—–•‘’“”"_qs;
    QTest::newRow("par line tab") << QByteArray("{\\rtf1 a\\par b\\line c\\tab d\\\ne}")
                                  << u"a\nb\u2028c\td\ne"_qs;
    QTest::newRow("file line breaks ignored") << QByteArray("{\\rtf1 a\r\nb\nc\rd}") << u"abcd"_qs;
    QTest::newRow("word delimiter space") << QByteArray(R"({\rtf1\b  two\b0 x})") << u" twox"_qs;
    QTest::newRow("unknown words") << QByteArray(R"({\rtf1\foo\bar-12 a\zz9 b})") << u"ab"_qs;
    QTest::newRow("skipped destinations")
        << QByteArray(R"({\rtf1{\info{\title t}}{\stylesheet{\s1 h;}}{\*\generator g;}a)"
                      R"({\pict\pngblip 89504e47}{\object{\objdata 0102}}{\header h}{\footer f}b})")
        << u"ab"_qs;
    QTest::newRow("field keeps result")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "u"}{\fldrslt site}}.})")
        << u"see site."_qs;
    QTest::newRow("starred group read if its word is known")
        << QByteArray(R"({\rtf1 a{\*\fldrslt b}{\*\bkmkstart c}{\* x}d})") << u"abd"_qs;
    QTest::newRow("field without star")
        << QByteArray(R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 3}}})") << u"3"_qs;
    QTest::newRow("hidden text") << QByteArray(R"({\rtf1 a{\v hid\par den}b\v c\v0 d})")
                                 << u"abd"_qs;
    QTest::newRow("tables are not text")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 A;}}{\colortbl;\red1\green2\blue3;}x})") << u"x"_qs;
    QTest::newRow("text after the end") << QByteArray(R"({\rtf1 a}b)") << u"a"_qs;
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    RtfReport report;
    QCOMPARE(read(rtf, &report), text);
    QCOMPARE(report.unbalancedGroups, 0);
}

// Each row names a marker character and the whole format it must have: a format that leaks
// out of its group or survives \plain shows up in a property the row didn't set.
void TestRtfReader::charFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("flags"); // b i u s, in this order, "-" for off
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("family");

    const QByteArray head = R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fnil)"
                            R"(\fcharset134 \'cb\'ce\'cc\'e5;}}{\colortbl ;\red255\green0\blue0;)"
                            R"(\red0\green0\blue255;})";
    const QColor none, red(255, 0, 0), blue(0, 0, 255);
    const QString times = u"Times New Roman"_qs;
    auto row = [&](const char *name, const char *body, const char *marker, const char *flags,
                   QColor fg, QColor bg, double points, const QString &family) {
        QTest::newRow(name) << head + body + "}" << QString::fromUtf8(marker)
                            << QString::fromLatin1(flags) << fg << bg << points << family;
    };
    row("plain", "aX", "aX", "----", none, none, 0, times);
    row("bold", R"(\b aX\b0 b)", "aX", "b---", none, none, 0, times);
    row("bold off", R"(\b a\b0 X)", "aX", "----", none, none, 0, times);
    row("italic", R"(\i aX)", "aX", "-i--", none, none, 0, times);
    row("underline", R"(\ul aX)", "aX", "--u-", none, none, 0, times);
    row("ulnone", R"(\ul a\ulnone X)", "aX", "----", none, none, 0, times);
    row("strike", R"(\strike aX)", "aX", "---s", none, none, 0, times);
    row("colour", R"(\cf1 aX)", "aX", "----", red, none, 0, times);
    row("auto colour", R"(\cf1 a\cf0 X)", "aX", "----", none, none, 0, times);
    row("highlight", R"(\highlight2 aX)", "aX", "----", none, blue, 0, times);
    row("cb", R"(\cb1 aX)", "aX", "----", none, red, 0, times);
    row("size", R"(\fs21 aX)", "aX", "----", none, none, 10.5, times);
    row("font 936 name", R"(\f1 aX)", "aX", "----", none, none, 0, u"宋体"_qs);
    row("group restores", R"({\b\i\cf1\fs40\f1 a}X)", "aX", "----", none, none, 0, times);
    row("plain resets", R"(\b\i\ul\strike\cf1\highlight2\fs30\f1 a\plain X)", "aX", "----", none,
        none, 0, times);
    row("all at once", R"(\b\i\ul\strike\cf2\highlight1\fs30\f1 aX)", "aX", "bius", blue, red, 15,
        u"宋体"_qs);
    row("nested keeps outer", R"(\b{\i a}X)", "aX", "b---", none, none, 0, times);
}

void TestRtfReader::charFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, marker);
    QFETCH(QString, flags);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    QFETCH(double, points);
    QFETCH(QString, family);

    QTextDocument document;
    richtext::RtfReader(&document).import(rtf);
    const QTextCharFormat f = formatAt(document, marker);
    const QString seen = QString(f.fontWeight() >= QFont::Bold ? u'b' : u'-')
                         + (f.fontItalic() ? u'i' : u'-') + (f.fontUnderline() ? u'u' : u'-')
                         + (f.fontStrikeOut() ? u's' : u'-');
    QCOMPARE(seen, flags);
    QCOMPARE(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(),
             foreground);
    QCOMPARE(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color() : QColor(),
             background);
    QCOMPARE(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : 0.0, points);
    QCOMPARE(f.fontFamilies().toStringList().value(0), family);
}

void TestRtfReader::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<double>>("margins"); // left, right, indent, top, bottom in pixels

    const QList<double> zero{0, 0, 0, 0, 0};
    QTest::newRow("left") << QByteArray(R"({\rtf1 a\par})") << 0 << int(Qt::AlignLeft) << zero;
    QTest::newRow("centre") << QByteArray(R"({\rtf1\qc a\par})") << 0 << int(Qt::AlignHCenter)
                            << zero;
    QTest::newRow("right") << QByteArray(R"({\rtf1\qr a})") << 0 << int(Qt::AlignRight) << zero;
    QTest::newRow("justify") << QByteArray(R"({\rtf1\qj a})") << 0 << int(Qt::AlignJustify) << zero;
    QTest::newRow("indents and spacing")
        << QByteArray(R"({\rtf1\li720\ri360\fi-360\sb150\sa60 a\par})") << 0 << int(Qt::AlignLeft)
        << QList<double>{48, 24, -24, 10, 4};
    QTest::newRow("set at the par that ends it")
        << QByteArray(R"({\rtf1 a\qc\par b\par})") << 0 << int(Qt::AlignHCenter) << zero;
    QTest::newRow("carried to the next") << QByteArray(R"({\rtf1\qc\li300 a\par b\par})") << 1
                                         << int(Qt::AlignHCenter) << QList<double>{20, 0, 0, 0, 0};
    QTest::newRow("pard resets") << QByteArray(R"({\rtf1\qc\li300 a\par\pard b\par})") << 1
                                 << int(Qt::AlignLeft) << zero;
    QTest::newRow("absurd twips clamp") << QByteArray(R"({\rtf1\li99999999 a})") << 0
                                        << int(Qt::AlignLeft) << QList<double>{2112, 0, 0, 0, 0};
}

void TestRtfReader::paragraphFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QFETCH(int, alignment);
    QFETCH(QList<double>, margins);

    QTextDocument document;
    richtext::RtfReader(&document).import(rtf);
    const QTextBlockFormat f = document.findBlockByNumber(block).blockFormat();
    QCOMPARE(int(f.alignment() & Qt::AlignHorizontal_Mask), alignment);
    const QList<double> seen{f.leftMargin(), f.rightMargin(), f.textIndent(), f.topMargin(),
                             f.bottomMargin()};
    QCOMPARE(seen, margins);
}

void TestRtfReader::badInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unbalanced");
    QTest::addColumn<int>("tooDeep");
    QTest::addColumn<int>("badEscapes");

    QTest::newRow("empty") << QByteArray() << QString() << 0 << 0 << 0;
    QTest::newRow("unclosed") << QByteArray(R"({\rtf1{\b a)") << u"a"_qs << 2 << 0 << 0;
    QTest::newRow("closed too often") << QByteArray(R"(}}{\rtf1 a})") << u"a"_qs << 2 << 0 << 0;
    QTest::newRow("a million groups")
        << QByteArray(1000000, '{') + "a" + QByteArray(1000000, '}') + "b" << QString() << 0
        << 1000000 - 512 << 0;
    QTest::newRow("deep but shallow text")
        << "{\\rtf1 a" + QByteArray(2000, '{') + "x" + QByteArray(2000, '}') + "b}" << u"ab"_qs << 0
        << 2000 - 511 << 0;
    QTest::newRow("bin past the end")
        << QByteArray(R"({\rtf1 a\bin999999 b})") << u"a"_qs << 1 << 0 << 1;
    QTest::newRow("bin past 32 bits")
        << QByteArray(R"({\rtf1 a\bin99999999999999999999 b})") << u"a"_qs << 1 << 0 << 1;
    QTest::newRow("bin negative") << QByteArray(R"({\rtf1 a\bin-5 b})") << u"ab"_qs << 0 << 0 << 0;
    QTest::newRow("truncated hex") << QByteArray(R"({\rtf1 a\'4)") << u"a"_qs << 1 << 0 << 1;
    QTest::newRow("hex without digits")
        << QByteArray(R"({\rtf1 a\'zz})") << u"azz"_qs << 0 << 0 << 1;
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << u"a"_qs << 1 << 0 << 1;
    QTest::newRow("absurd word") << "{\\rtf1 a\\" + QByteArray(100000, 'b') + " c}" << u"ac"_qs << 0
                                 << 0 << 0;
    QTest::newRow("parameter past 32 bits")
        << QByteArray(R"({\rtf1\fs99999999999999999999\u99999999999?a\u-99999999999?b})")
        << u"ab"_qs << 0 << 0 << 0;
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\\'00c}", 16) << u"abc"_qs << 0 << 0 << 0;
    QTest::newRow("colour index out of range")
        << QByteArray(R"({\rtf1\cf77\highlight-3 a})") << u"a"_qs << 0 << 0 << 0;
    QTest::newRow("font table without semicolons")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset134 A}{\f1 B}}\f0\'d5\'c6})") << u"掌"_qs << 0
        << 0 << 0;
}

void TestRtfReader::badInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    RtfReport report;
    const LogCapture log("lorvex.rtf");
    QCOMPARE(read(rtf, &report), text);
    QFETCH(int, unbalanced);
    QFETCH(int, tooDeep);
    QFETCH(int, badEscapes);
    // One warning for each kind of thing passed over, and none for a file read whole.
    QCOMPARE(log.messages().size(), (unbalanced > 0) + (tooDeep > 0) + (badEscapes > 0));
    QCOMPARE(report.unbalancedGroups, unbalanced);
    QCOMPARE(report.tooDeepGroups, tooDeep);
    QCOMPARE(report.badEscapes, badEscapes);
    QVERIFY(!report.truncated);
}

void TestRtfReader::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bold"); // a word shown in bold

    QTest::newRow("WordPad 936") << "wordpad936.rtf" << u"掌纹\n红色abc，是\n"_qs << u"掌纹"_qs;
    QTest::newRow("Word 936") << "word936.rtf" << u"手相简介\n生命线(1)“天纹”。红字\n"_qs
                              << u"手相简介"_qs;
    QTest::newRow("Word 1252") << "word1252.rtf"
                               << u"Café naïve – “quoted”\nSee the site, 掌纹§\n"_qs << u"Café"_qs;
    QTest::newRow("LibreOffice 936")
        << "libreoffice936.rtf" << u"八卦 x乾坎艮震 red\ntail\n"_qs << u"八卦"_qs;
    QTest::newRow("TextEdit") << "textedit.rtf" << u"Palm \n掌纹\nend"_qs << QString();
    QTest::newRow("plain text 936")
        << "plain936.txt" << u"手相学\n第二行 line\n\n末行"_qs << QString();
}

// Whole files through the choice the text area makes: RTF formatted, anything else plain GBK.
void TestRtfReader::files()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, bold);

    QFile input(QFINDTESTDATA("data/rtf/" + file));
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray bytes = input.readAll();
    QTextDocument document;
    const LogCapture log("lorvex.rtf");
    const RtfReport report = richtext::importRichOrPlain(&document, bytes);
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.joined()));
    QCOMPARE(document.toPlainText(), text);
    QCOMPARE(report.unbalancedGroups + report.badEscapes + report.tooDeepGroups, 0);
    if (!bold.isEmpty())
        QCOMPARE(formatAt(document, bold.left(1)).fontWeight(), QFont::Bold);
}

// Files LibreOffice, AbiWord and pandoc wrote from one page each, read against the page as plain
// text: from the writer itself, or for pandoc from LibreOffice reading pandoc's file
// (tests/data/rtf/writers/README.md).
void TestRtfReader::otherWriters_data()
{
    QTest::addColumn<QString>("name");
    for (const char *writer : {"libreoffice", "abiword", "pandoc"})
        for (const char *page : {"simplified", "traditional", "latin"})
            QTest::newRow(qPrintable(QStringLiteral("%1-%2").arg(writer, page)))
                << QStringLiteral("%1-%2").arg(writer, page);
    // A header and footer, a comment, a bookmark, a picture and tables in tables: none of their
    // text is the page's but the tables'.
    QTest::newRow("libreoffice-features") << QStringLiteral("libreoffice-features");
}

void TestRtfReader::otherWriters()
{
    QFETCH(QString, name);
    QFile rtf(QFINDTESTDATA("data/rtf/writers/" + name + ".rtf"));
    QFile text(QFINDTESTDATA("data/rtf/writers/" + name + ".txt"));
    QVERIFY(rtf.open(QIODevice::ReadOnly) && text.open(QIODevice::ReadOnly));
    QTextDocument document;
    const LogCapture log("lorvex.rtf");
    const RtfReport report = richtext::importRichOrPlain(&document, rtf.readAll());
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.joined()));
    QCOMPARE(report.unbalancedGroups + report.badEscapes + report.tooDeepGroups, 0);
    QCOMPARE(pieces(document.toPlainText()), pieces(QString::fromUtf8(text.readAll())));
}

void TestRtfReader::importReplacesContent()
{
    QTextDocument document(u"old"_qs);
    richtext::RtfReader(&document).import(R"({\rtf1 new})");
    QCOMPARE(document.toPlainText(), u"new"_qs);
    QVERIFY(!document.isUndoAvailable());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
