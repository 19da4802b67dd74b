// What reading the introduction costs: our sxjj.txt as the page reads it at start-up, a 10 MB
// RTF file of the kind word processors write, and 100 MB files that run into the reader's caps
// (peak memory is reported as a counter).

#include "richtext/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

QByteArray sxjj()
{
    QFile file(QStringLiteral(LORVEX_SOURCE_DIR "/assets/sxjj.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Paragraphs of GBK text in \'hh escapes with bold, colour and \u runs, as Word writes them.
QByteArray generatedRtf(qsizetype size)
{
    QByteArray rtf
        = R"({\rtf1\ansi\ansicpg936\deff0{\fonttbl{\f0\fnil\fcharset134 \'cb\'ce\'cc\'e5;})"
          R"({\f1\fswiss\fcharset0 Arial;}}{\colortbl ;\red128\green0\blue0;})"
          "\r\n";
    const QByteArray paragraph
        = R"(\pard\qj\sa60\f0\fs20{\b \'d5\'c6\'ce\'c6\'a3\'ba}\'ca\'d6\'cf\'e0\'d6\'ae\'d1\'a7)"
          R"(\'b9\'db\'ca\'d6\'d0\'ce\'a1\'a2\'d5\'c6\'c9\'ab\'a1\'a2\'d5\'c6\'ce\'c6\f1  Arial text )"
          R"(\f0{\cf1\i \'ba\'ec\'c9\'ab}\uc2\u25484\'d5\'c6\u32441\'ce\'c6\par)"
          "\r\n";
    rtf.reserve(size + paragraph.size());
    while (rtf.size() < size)
        rtf += paragraph;
    return rtf + '}';
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void read(benchmark::State &state, const QByteArray &bytes, bool layout)
{
    for (auto _ : state) {
        QTextDocument document;
        richtext::importRichOrPlain(&document, bytes);
        if (layout) {
            document.setTextWidth(337);
            benchmark::DoNotOptimize(document.documentLayout()->documentSize());
        }
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["peak_rss_mb"] = double(peakRssKb()) / 1024;
}

// Start-up's share: read and lay out the introduction at r1's width.
void BM_ReadSxjj(benchmark::State &state)
{
    const QByteArray bytes = sxjj();
    if (bytes.isEmpty()) {
        state.SkipWithError("assets/sxjj.txt is missing");
        return;
    }
    read(state, bytes, true);
}
BENCHMARK(BM_ReadSxjj)->Unit(benchmark::kMicrosecond);

void BM_Read10MbRtf(benchmark::State &state)
{
    read(state, generatedRtf(10 * 1024 * 1024), false);
}
BENCHMARK(BM_Read10MbRtf)->Unit(benchmark::kMillisecond);

// 100 MB of plain text in one group: stops at the character cap.
void BM_Read100MbText(benchmark::State &state)
{
    QByteArray rtf = R"({\rtf1 )";
    rtf += QByteArray(100 * 1024 * 1024, 'a');
    read(state, rtf + '}', false);
}
BENCHMARK(BM_Read100MbText)->Unit(benchmark::kMillisecond)->Iterations(1);

// 100 MB of short runs and paragraphs: stops at the cap on runs and paragraphs.
void BM_Read100MbPieces(benchmark::State &state)
{
    QByteArray rtf = R"({\rtf1 )";
    while (rtf.size() < 100 * 1024 * 1024)
        rtf += R"({\b a}b\par )";
    read(state, rtf + '}', false);
}
BENCHMARK(BM_Read100MbPieces)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
