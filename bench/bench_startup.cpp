// Start-up: building the whole main window (every control of the three tabs; the catalogue
// pictures wait until shown) and running FormCreate, on the offscreen platform. The wall
// time and peak memory to the first frame, against the floor, come from startup.py.

#include "app/form1.h"
#include "app/program.h"

#include <benchmark/benchmark.h>

static void BM_CreateMainWindow(benchmark::State &state)
{
    setUpApplication(); // the program's name, font and icon, as before its window
    for (auto _ : state) {
        TForm1 form;
        form.FormCreate();
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond);
