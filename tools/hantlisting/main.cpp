// hantlisting: the texts a reader of the 繁體 editions reads, for reading them through.
//
//   hantlisting texts  SXJJ [SOURCE...]   kind, key, Simplified, Taiwan, Hong Kong; a "*" marks
//                                         a text the phrase list writes otherwise than OpenCC
//   hantlisting choices SXJJ [SOURCE...]  every character OpenCC's character table writes more
//                                         than one way, with its context and each edition's choice
//   hantlisting counts SXJJ [SOURCE...]   per kind, how many texts the phrase list changes
//
// SXJJ is the introduction (RTF or plain); each SOURCE is a C++ file whose string literals with
// Han characters in them are the control texts and messages. From the source folder, with
// SOURCES=$(ls {app,base,boneweight,calendar,keep,palm,mole,catalogue}/*.{cpp,h} | grep -v -E
// 'verses.cpp|lunartable'): build/dev/tools/hantlisting/hantlisting texts assets/sxjj.txt $SOURCES

#include "boneweight/verses.h"
#include "mole/moleitems.h"
#include "palm/palmitems.h"
#include "richtext/rtfreader.h"
#include "text/hanconvert.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QMap>
#include <QTextDocument>

#include <iostream>

namespace {

struct Text
{
    QString kind;
    QString key;
    QString simplified;
};

bool hasHan(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x3400 && c.unicode() < 0xa000)
            return true;
    return false;
}

// The string literals of a C++ file, comments skipped; adjacent literals stay apart.
QStringList literalsOf(const QString &code)
{
    QStringList found;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code.sliced(i).startsWith(u"//")) {
            i = code.indexOf(u'\n', i);
            if (i < 0)
                break;
        } else if (code.sliced(i).startsWith(u"/*")) {
            i = code.indexOf(u"*/", i);
            if (i < 0)
                break;
            ++i;
        } else if (code[i] == u'\'') {
            for (++i; i < code.size() && code[i] != u'\''; ++i)
                i += code[i] == u'\\';
        } else if (code[i] == u'"') {
            QString literal;
            for (++i; i < code.size() && code[i] != u'"'; ++i) {
                if (code[i] == u'\\' && i + 1 < code.size())
                    literal += code[i++];
                literal += code[i];
            }
            found << literal;
        }
    }
    return found;
}

QList<Text> gatherTexts(const QStringList &arguments)
{
    QList<Text> texts;
    for (int total = 21; total <= 71; ++total) {
        texts.append({QStringLiteral("verse"), QString::number(total), VerseText(total)});
        texts.append({QStringLiteral("weight"), QString::number(total), WeightLine(total)});
    }
    for (const PalmItem &item : palmItems())
        texts.append({QStringLiteral("analysis"), palmItemKey(item.number),
                      QString::fromUtf8(item.analysis)});
    QList<MoleItem> moles(faceMoles().cbegin(), faceMoles().cend());
    moles.append(QList<MoleItem>(bodyMoles().cbegin(), bodyMoles().cend()));
    for (const MoleItem &item : moles) {
        if (*item.title)
            texts.append({QStringLiteral("title"), QString::fromLatin1(item.key),
                          QString::fromUtf8(item.title)});
        texts.append({QStringLiteral("analysis"), QString::fromLatin1(item.key),
                      QString::fromUtf8(item.analysis)});
    }
    QFile intro(arguments.value(0));
    if (!intro.open(QIODevice::ReadOnly))
        qFatal("cannot read the introduction %s", qPrintable(intro.fileName()));
    QTextDocument document;
    richtext::importRichOrPlain(&document, intro.readAll());
    int line = 0;
    for (const QString &paragraph : document.toPlainText().split(u'\n'))
        if (++line, hasHan(paragraph))
            texts.append({QStringLiteral("intro"), QString::number(line), paragraph});
    for (const QString &path : arguments.sliced(1)) {
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        for (const QString &literal : literalsOf(QString::fromUtf8(source.readAll())))
            if (hasHan(literal))
                texts.append({QStringLiteral("control"), path, literal});
    }
    return texts;
}

// OpenCC's character table: the characters it may write more than one way, with their writings.
QHash<QChar, QString> ambiguousCharacters()
{
    QHash<QChar, QString> found;
    for (const text::OpenCCEntry &entry : text::openCCDictionary("STCharacters.ocd2"))
        if (entry.values.size() >= 2 && entry.key.size() == 1)
            found.insert(entry.key.front(), entry.values.join(QString()));
    return found;
}

void print(const QString &line)
{
    std::cout << line.toStdString() << '\n';
}

QString oneLine(QString s)
{
    return s.replace(u'\n', u'⏎').replace(u'\t', u' ');
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments().sliced(1);
    if (arguments.size() < 2) {
        std::cerr << "usage: hantlisting texts|choices|counts SXJJ [SOURCE...]\n";
        return 2;
    }
    const QString mode = arguments.front();
    const QList<Text> texts = gatherTexts(arguments.sliced(1));
    const text::HanConverter taiwan(text::Edition::Taiwan);
    const text::HanConverter hongKong(text::Edition::HongKong);

    if (mode == u"texts") {
        for (const Text &t : texts) {
            const QString tw = taiwan.convert(t.simplified);
            const QString hk = hongKong.convert(t.simplified);
            const bool ours = tw != taiwan.convertWithOpenCCOnly(t.simplified)
                              || hk != hongKong.convertWithOpenCCOnly(t.simplified);
            print(QStringList{t.kind, t.key + (ours ? QStringLiteral("*") : QString()),
                              oneLine(t.simplified), oneLine(tw), oneLine(hk)}
                      .join(u'\t'));
        }
    } else if (mode == u"choices") {
        const QHash<QChar, QString> ambiguous = ambiguousCharacters();
        for (const Text &t : texts) {
            const QString &s = t.simplified;
            const QString tw = taiwan.convert(s);
            const QString hk = hongKong.convert(s);
            for (qsizetype i = 0; i < s.size(); ++i) {
                if (!ambiguous.contains(s[i]))
                    continue;
                // OpenCC's writings keep the length; where they do not, no choice is shown.
                const auto at = [&](const QString &converted) {
                    return converted.size() == s.size() ? QString(converted[i])
                                                        : QStringLiteral("?");
                };
                const qsizetype from = qMax<qsizetype>(0, i - 5);
                print(QStringList{t.kind, t.key, QString(s[i]), ambiguous.value(s[i]), at(tw),
                                  at(hk), oneLine(s.mid(from, 11)),
                                  tw.size() == s.size() ? oneLine(tw.mid(from, 11)) : tw}
                          .join(u'\t'));
            }
        }
    } else if (mode == u"counts") {
        QMap<QString, std::array<int, 3>> counts; // kind -> texts, changed in tw, changed in hk
        for (const Text &t : texts) {
            auto &c = counts[t.kind];
            ++c[0];
            c[1] += taiwan.convert(t.simplified) != taiwan.convertWithOpenCCOnly(t.simplified);
            c[2] += hongKong.convert(t.simplified) != hongKong.convertWithOpenCCOnly(t.simplified);
        }
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            print(QStringLiteral("%1\t%2 texts\t%3 changed in Taiwan\t%4 in Hong Kong")
                      .arg(it.key())
                      .arg(it.value()[0])
                      .arg(it.value()[1])
                      .arg(it.value()[2]));
    } else {
        std::cerr << "unknown listing " << mode.toStdString() << '\n';
        return 2;
    }
    return 0;
}
