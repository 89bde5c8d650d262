// How long "Datei editieren" takes to show a file, up to 10 MB: many short lines, and one line
// without a blank that the editor shows split.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>

#include "EditorFile.h"

namespace {

QByteArray shortLines(int bytes) {
    QByteArray text;
    while (text.size() < bytes)
        text += "|  12-13   |      12.50|         0.64|     0.21|     0.31|     0.00|\n";
    return text;
}

QByteArray oneLine(int bytes) {
    return QByteArray(bytes, '7');
}

void showFile(benchmark::State& state, QByteArray (*content)(int)) {
    const QByteArray bytes = content(static_cast<int>(state.range(0)) * 1024 * 1024);
    for (auto _ : state) {
        QPlainTextEdit editor;
        editor.resize(770, 450);
        editor.show();
        kolma::EditorFile file(editor);
        file.show(bytes);
        editor.repaint();
        QApplication::processEvents();
    }
    state.SetLabel(content == shortLines ? "short lines" : "one line, shown split");
}

void ShortLines(benchmark::State& state) {
    showFile(state, shortLines);
}
void OneLongLine(benchmark::State& state) {
    showFile(state, oneLine);
}

BENCHMARK(ShortLines)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OneLongLine)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
