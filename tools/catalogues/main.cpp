// Writes the 繁體 editions' catalogues, edition/translations/lorvex_zh_TW.ts and lorvex_zh_HK.ts,
// from the texts marked in the sources (as lupdate lists them, without locations) and the
// introduction we ship, each translated by the converter the program uses for a user's own text,
// with our phrase list, and with each region's words for the interface:
//
//   catalogues SOURCES.ts assets/sxjj.txt OUTPUT_FOLDER
//
// The same input gives the same bytes; nothing in the output depends on the day or the machine.
// CMake's target `catalogues` runs lupdate and this tool over the tree.

#include "richtext/rtfreader.h"
#include "text/hanconvert.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <cstdio>
#include <stdexcept>

namespace {

// The catalogue's context of the introduction's fragments (see palm/palmintropage.cpp).
constexpr char IntroductionContext[] = "PalmIntroduction";

// The readings keep their words character by character; every other context is the interface.
const QSet<QString> &readingContexts()
{
    static const QSet<QString> contexts{
        QStringLiteral("Verses"),    QStringLiteral("PlainWords"),
        QStringLiteral("PalmItems"), QStringLiteral("FaceMoles"),
        QStringLiteral("BodyMoles"), QString::fromLatin1(IntroductionContext)};
    return contexts;
}

using Messages = QMap<QString, QSet<QString>>; // context -> source texts

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void readLupdateOutput(const QString &path, Messages &messages)
{
    const QByteArray bytes = readFile(path); // the reader keeps no copy
    QXmlStreamReader xml(bytes);
    QString context;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            messages[context].insert(xml.readElementText());
    }
    if (xml.hasError())
        throw std::runtime_error("bad lupdate output: " + xml.errorString().toStdString());
}

// The introduction as the page shows it, fragment by fragment: the keys it looks up.
void readIntroduction(const QString &path, Messages &messages)
{
    QTextDocument document;
    richtext::importRichOrPlain(&document, readFile(path));
    // A fragment without a Chinese character or a quotation mark reads the same in every edition
    // and is never looked up.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (!text::staysAsWritten(it.fragment().text()))
                messages[QString::fromLatin1(IntroductionContext)].insert(it.fragment().text());
}

QString escaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\'':
            out += u"&apos;";
            break;
        default:
            if (c.unicode() < 0x20 && c != u'\n' && c != u'\t')
                out += QStringLiteral("&#x%1;").arg(c.unicode(), 0, 16);
            else
                out += c;
        }
    }
    return out;
}

QByteArray catalogue(const Messages &messages, text::Edition edition, const char *language)
{
    const text::HanConverter converter(edition);
    QString ts = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                                "<TS version=\"2.1\" language=\"%1\" sourcelanguage=\"zh_CN\">\n")
                     .arg(QLatin1String(language));
    for (auto it = messages.cbegin(); it != messages.cend(); ++it) {
        const text::Words words
            = readingContexts().contains(it.key()) ? text::Words::Reading : text::Words::Interface;
        QStringList sources(it->cbegin(), it->cend());
        sources.sort();
        ts += QStringLiteral("<context>\n    <name>%1</name>\n").arg(escaped(it.key()));
        for (const QString &source : sources) {
            const QString translation = converter.convert(source, words);
            if (translation.isEmpty())
                throw std::runtime_error("no translation for a text of " + it.key().toStdString());
            ts += QStringLiteral("    <message>\n        <source>%1</source>\n"
                                 "        <translation>%2</translation>\n    </message>\n")
                      .arg(escaped(source), escaped(translation));
        }
        ts += QStringLiteral("</context>\n");
    }
    ts += QStringLiteral("</TS>\n");
    return ts.toUtf8();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: catalogues SOURCES.ts sxjj.txt OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        Messages messages;
        readLupdateOutput(args[1], messages);
        readIntroduction(args[2], messages);
        write(args[3] + QStringLiteral("/lorvex_zh_TW.ts"),
              catalogue(messages, text::Edition::Taiwan, "zh_TW"));
        write(args[3] + QStringLiteral("/lorvex_zh_HK.ts"),
              catalogue(messages, text::Edition::HongKong, "zh_HK"));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "catalogues: %s\n", e.what());
        return 1;
    }
    return 0;
}
