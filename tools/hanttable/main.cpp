// Writes text/hanttable.inc: every built-in text (app/builtintexts.h) with how the Taiwan and
// Hong Kong editions write it, converted by the program's own converter and phrase list.
//
//     QT_QPA_PLATFORM=offscreen build/dev/tools/hanttable/hanttable text/hanttable.inc
//
// Run it again after changing a built-in text or the phrase list; tst_hanttable says when the
// table no longer matches.

#include "app/builtintexts.h"
#include "text/hanconvert.h"
#include "text/hanttable.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

namespace {

// A UTF-16 literal's body: the characters themselves (the file is UTF-8), with quotes,
// backslashes and control characters escaped.
QByteArray literal(std::u16string_view text)
{
    QString body;
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\')
            body += u'\\' + QChar(c);
        else if (c == u'\n')
            body += QStringLiteral("\\n");
        else if (c < 0x20)
            body += QStringLiteral("\\%1").arg(int(c), 3, 8, QLatin1Char('0'));
        else
            body += QChar(c);
    }
    return "u\"" + body.toUtf8() + '"';
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hanttable OUTPUT.inc\n");
        return 2;
    }
    std::set<std::u16string> keys;
    for (const QString &text : builtInTexts()) {
        const QStringView core = text::coreOf(text);
        if (!text::staysAsWritten(core))
            keys.emplace(core.utf16(), std::size_t(core.size()));
    }
    const text::HanConverter taiwan(text::Edition::Taiwan);
    const text::HanConverter hongKong(text::Edition::HongKong);

    QByteArray out = "// Written by tools/hanttable; do not edit. Each entry: Simplified, Taiwan "
                     "(empty: as the\n"
                     "// Simplified), Hong Kong (empty: as Taiwan).\n";
    out += "constexpr std::array<ConvertedAhead, " + QByteArray::number(qsizetype(keys.size()))
           + "> kConvertedAhead{{\n";
    for (const std::u16string &key : keys) {
        const QString simplified = QString::fromStdU16String(key);
        const QString tw = taiwan.convert(simplified);
        const QString hk = hongKong.convert(simplified);
        out += "    {" + literal(key) + ", "
               + literal(tw == simplified ? std::u16string() : tw.toStdU16String()) + ", "
               + literal(hk == tw ? std::u16string() : hk.toStdU16String()) + "},\n";
    }
    out += "}};\n";
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        std::fprintf(stderr, "hanttable: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%zu texts\n", keys.size());
    return 0;
}
