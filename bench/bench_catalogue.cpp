// What the picture catalogues cost: decoding the palm pictures once when the window is built,
// and one page change afterwards, which only hides and shows picture controls.

#include "catalogue/picturecatalogue.h"
#include "palm/palmitems.h"
#include "palm/palmpage.h"
#include "palm/palmtopictab.h"
#include "picture/jpeg.h"

#include <QFile>
#include <QPixmap>
#include <QTabWidget>

#include <benchmark/benchmark.h>

namespace {

QStringList palmPictures()
{
    QStringList paths;
    for (int n = 1; n <= PalmItemCount; ++n)
        if (QFile::exists(palmPicturePath(n)))
            paths << palmPicturePath(n);
    return paths;
}

// From the compiled-in JPEG to the pixmap a picture label holds, for every palm picture, on a
// screen of the given fineness in percent (100: the picture itself; 200: its finer drawing; 150:
// the finer drawing made to size).
void BM_DecodeEveryPalmPicture(benchmark::State &state)
{
    const QStringList paths = palmPictures();
    if (paths.isEmpty()) {
        state.SkipWithError("no palm pictures are built in yet");
        return;
    }
    for (auto _ : state) {
        for (const QString &path : paths) {
            QPixmap pixmap = QPixmap::fromImage(builtInPicture(path, state.range(0) / 100.0));
            benchmark::DoNotOptimize(pixmap);
        }
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
    state.counters["pictures"] = double(paths.size());
}
BENCHMARK(BM_DecodeEveryPalmPicture)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("percent")
    ->Arg(100)
    ->Arg(150)
    ->Arg(200);

// One page change of "从手相看事业" on a shown palm tab, walking to the last page and back.
void BM_PageChange(benchmark::State &state)
{
    PalmPage page;
    page.resize(633, 417);
    page.PageControl2->setCurrentWidget(page.TabSheet3);
    page.show();
    PictureCatalogue &career = page.TabSheet3->catalogue();
    bool forward = true;
    for (auto _ : state) {
        if (forward ? !career.nextEnabled() : !career.previousEnabled())
            forward = !forward;
        forward ? career.NextPage() : career.PreviousPage();
    }
    benchmark::DoNotOptimize(career.CurrentPage());
}
BENCHMARK(BM_PageChange);

} // namespace
