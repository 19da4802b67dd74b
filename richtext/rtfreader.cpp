#include "richtext/rtfreader.h"

#include "richtext/rtfimporter.h"
#include "text/gbk.h"

#include <QTextDocument>

namespace richtext {

bool isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

RtfReader::RtfReader(QTextDocument *document)
    : m_document(document)
{}

RtfReport RtfReader::import(QByteArrayView rtf)
{
    const bool undo = m_document->isUndoRedoEnabled();
    m_document->setUndoRedoEnabled(false); // a reading is no edit to take back
    m_document->clear();
    const RtfReport report = RtfImporter(m_document, rtf).run();
    m_document->setUndoRedoEnabled(undo);
    return report;
}

RtfReport importRichOrPlain(QTextDocument *document, QByteArrayView bytes)
{
    if (isRtf(bytes))
        return RtfReader(document).import(bytes);
    static const QString lineBreaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r")};
    QString text = text::fromGbk(bytes);
    for (const QString &lineBreak : lineBreaks)
        text.replace(lineBreak, QStringLiteral("\n"));
    text.remove(QChar(0)); // a NUL byte has nothing to show
    document->setPlainText(text);
    return {};
}

} // namespace richtext
