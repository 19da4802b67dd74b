// The introduction file is the one outside input the RTF reader sees: feed it arbitrary bytes,
// as RTF and through the RTF-or-plain choice, lay the document out at the text area's width, and
// let the sanitizers watch.

#include "richtext/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArrayView>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // The reader's warnings are made as in the program, then dropped: written out, a million of
    // them would only slow the run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Font lookup fills its caches once and keeps them for the run; do that here, so that the
    // leak check of the first input doesn't count them.
    QTextDocument warmUp(QStringLiteral("字 a"));
    warmUp.setTextWidth(337);
    (void)warmUp.documentLayout()->documentSize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    richtext::RtfReader(&document).import(bytes);
    document.setTextWidth(337);
    (void)document.documentLayout()->documentSize();
    (void)document.toPlainText();

    QTextDocument chosen;
    richtext::importRichOrPlain(&chosen, bytes);
    (void)chosen.toPlainText();
    return 0;
}
