#include "richtext/rtfreader.h"

#include "richtext/rtfimporter.h"
#include "text/gbk.h"

#include <QTextDocument>

namespace richtext {

Q_LOGGING_CATEGORY(lcRtf, "lorvex.rtf")

namespace {

void logReport(const RtfReport &report)
{
    if (report.unbalancedGroups > 0)
        qCWarning(lcRtf,
                  "read in part: %d groups left open at the end or closed past the outermost",
                  report.unbalancedGroups);
    if (report.tooDeepGroups > 0)
        qCWarning(lcRtf, "read in part: %d groups nested too deep were passed over",
                  report.tooDeepGroups);
    if (report.badEscapes > 0)
        qCWarning(lcRtf, "read in part: %d escapes without their hex digits or bytes passed over",
                  report.badEscapes);
    if (report.truncated)
        qCWarning(lcRtf,
                  "read in part: the document reached its size limit, the rest was not read");
}

} // namespace

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
    logReport(report);
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
