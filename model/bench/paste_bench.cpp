// Entering a whole pipe table from a spreadsheet: pasting 1000 rows of 7 values into the pipe
// table with the history recording, undoing that paste, and copying the table back out.
#include <benchmark/benchmark.h>

#include <QStringList>
#include <memory>

#include "EditHistory.h"
#include "Project.h"
#include "TableInput.h"
#include "TableOperations.h"

namespace {

using namespace kolma;

constexpr int kRows = 1000;

// 1000 pipes as a German spreadsheet copies them, with decimal commas, and half of the lengths
// with points as an English one would.
QString pipeBlock() {
    QStringList lines;
    for (int i = 1; i <= kRows; ++i)
        lines << QStringLiteral("%1\t%2\t%3\t%4%5%6\t150\t0,1\t1,5")
                     .arg(i)
                     .arg(i)
                     .arg(i + 1)
                     .arg(100 + i % 37)
                     .arg(i % 2 ? QLatin1Char('.') : QLatin1Char(','))
                     .arg(i % 10);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

struct Fixture {
    Fixture() { TabellenZuruecksetzen(project.tables()); }
    Project project;
    EditHistory history{project};
};

void BM_Paste1000Pipes(benchmark::State& state) {
    const QString block = pipeBlock();
    for (auto _ : state) {
        state.PauseTiming();
        auto fixture = std::make_unique<Fixture>();
        state.ResumeTiming();
        const Outcome refusal = pasteBlock(fixture->project.pipes(), TableId::Pipes, 1, 1, block);
        benchmark::DoNotOptimize(refusal);
        state.PauseTiming();
        fixture.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paste1000Pipes)->Unit(benchmark::kMillisecond);

void BM_UndoPasteOf1000Pipes(benchmark::State& state) {
    const QString block = pipeBlock();
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        pasteBlock(fixture.project.pipes(), TableId::Pipes, 1, 1, block);
        state.ResumeTiming();
        fixture.history.undo();
    }
}
BENCHMARK(BM_UndoPasteOf1000Pipes)->Unit(benchmark::kMillisecond);

void BM_Copy1000Pipes(benchmark::State& state) {
    Fixture fixture;
    pasteBlock(fixture.project.pipes(), TableId::Pipes, 1, 1, pipeBlock());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            copiedText(fixture.project.pipes(), 1, 1, kPipeTableColumns - 1, kRows, true));
}
BENCHMARK(BM_Copy1000Pipes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
