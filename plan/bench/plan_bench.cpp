// Speed of the plan on a network of 1000 nodes and 1000 pipes (a 25 x 40 grid of streets, each
// row a main, the rows joined at their west end and once more in the middle), with results:
// opening the plan window on stored places, the automatic layout of every node, a redraw after
// zooming or panning (a frame at 60 Hz has 16 ms), and finding the element under a click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include "PlanDrawing.h"
#include "PlanLayout.h"
#include "PlanView.h"
#include "Project.h"
#include "TFormLageplan.h"
#include "TableOperations.h"

namespace kolma {
namespace {

constexpr int kRows = 25;
constexpr int kColumns = 40;
constexpr double kSpacing = 80.0;  // [m]
const QSize kView(1200, 800);

// The network in a project's tables, every node placed on the grid with a little jitter.
struct BenchNetwork {
    BenchNetwork() {
        TabellenZuruecksetzen(project.tables());
        CellTable& nodes = project.nodes();
        CellTable& pipes = project.pipes();
        QRandomGenerator random(7);
        PlanCoordinates coordinates;
        for (int i = 0; i < kRows * kColumns; ++i) {
            const int number = i + 1;
            const QStringList row = {
                QString::number(number), i == 0 ? "150" : " ", " ", "0,5", "100", "98"};
            for (int c = 0; c < row.size(); ++c)
                nodes.setCell(c + 1, number, row[c]);
            coordinates.nodes[number] = {QPointF((i % kColumns) * kSpacing + random.bounded(20.0),
                                                 (i / kColumns) * kSpacing + random.bounded(20.0)),
                                         Placement::Given};
        }
        int pipe = 0;
        const auto addPipe = [&](int a, int b) {
            ++pipe;
            const QStringList row = {QString::number(pipe),
                                     QString::number(a),
                                     QString::number(b),
                                     "80",
                                     "150",
                                     "0,1",
                                     "0"};
            for (int c = 0; c < row.size(); ++c)
                pipes.setCell(c + 1, pipe, row[c]);
        };
        for (int r = 0; r < kRows; ++r)
            for (int c = 1; c < kColumns; ++c)
                addPipe(r * kColumns + c, r * kColumns + c + 1);
        for (int r = 1; r < kRows; ++r)
            addPipe((r - 1) * kColumns + 1, r * kColumns + 1);
        addPipe(kColumns / 2, kColumns + kColumns / 2);  // 975 + 24 + 1 = 1000 pipes
        project.setCoordinates(coordinates);

        Network network = networkOf(project.tables(), project.settings());
        GraphData graph;
        graph.headerRead = true;
        graph.nodeCount = static_cast<int>(network.nodes.size());
        graph.pipeCount = static_cast<int>(network.pipes.size());
        for (int i = 0; i < graph.nodeCount; ++i)
            graph.heads.push_back(150.0 - random.bounded(60.0));
        for (int p = 0; p < graph.pipeCount; ++p) {
            graph.flows.push_back(random.bounded(20.0) - 5.0);
            graph.velocities.push_back(graph.flows.back() / 17.7);
        }
        data = planDataOf(network, coordinates, resultsOf(network, graph));
    }

    Project project;
    PlanData data;
};

BenchNetwork& benchNetwork() {
    static BenchNetwork network;
    return network;
}

PlanLook pressureLook(const PlanData& data) {
    PlanLook look;
    look.quantity = PlanQuantity::Pressure;
    look.limits = classLimits(data, look.quantity, {});
    return look;
}

// The window's rebuild from the tables and the stored places, and its first paint.
void BM_OpenPlanWithStoredPlaces(benchmark::State& state) {
    BenchNetwork& net = benchNetwork();
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        TFormLageplan window(net.project, {});
        window.Plan->resize(kView);
        window.Plan->showAll();
        window.Plan->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_LayoutOfAllNodes(benchmark::State& state) {
    BenchNetwork& net = benchNetwork();
    for (auto _ : state) {
        const PlanLayoutRequest request =
            layoutRequest(net.data, net.project.coordinates(), LayoutScope::All);
        benchmark::DoNotOptimize(
            withLayout(net.project.coordinates(), net.data, request, layoutNetwork(request.input)));
    }
}

// Builds and paints the plan at `zoom` times the scale that shows it all, its centre moved by
// `shift` screen widths; each iteration zooms or pans a step further, as the wheel or a drag
// does.
void redraw(benchmark::State& state, double zoom, double shift, bool pan) {
    BenchNetwork& net = benchNetwork();
    const PlanLook look = pressureLook(net.data);
    PlanGeometry g =
        PlanGeometry::fitting(QRectF(QPointF(), kView), planBounds(net.data), 1.0, 24.0);
    g.scale *= zoom;
    g.centre += QPointF(shift * kView.width() / g.scale, 0);
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    // The window keeps its measure of the labels from paint to paint.
    const TextSize textSize = fontTextSize(planFont(), &image);
    int step = 0;
    for (auto _ : state) {
        PlanGeometry frame = g;
        if (pan)
            frame.centre += QPointF((step % 50) * 4.0 / g.scale, 0);
        else
            frame.scale *= 1.0 + (step % 10) * 0.025;
        ++step;
        image.fill(Qt::white);
        QPainter painter(&image);
        drawPlan(painter, frame, net.data, look, &textSize);
    }
}

void BM_RedrawAfterZoom_WholeNetwork(benchmark::State& state) {
    redraw(state, 1.0, 0.0, false);
}
void BM_RedrawAfterZoom_Quarter(benchmark::State& state) {
    redraw(state, 4.0, 0.0, false);
}
void BM_RedrawAfterPan_WholeNetwork(benchmark::State& state) {
    redraw(state, 1.0, 0.0, true);
}
void BM_RedrawAfterPan_Quarter(benchmark::State& state) {
    redraw(state, 4.0, 0.1, true);
}

void BM_HitTestOfAClick(benchmark::State& state) {
    BenchNetwork& net = benchNetwork();
    const PlanGeometry g =
        PlanGeometry::fitting(QRectF(QPointF(), kView), planBounds(net.data), 1.0, 24.0);
    QRandomGenerator random(11);
    for (auto _ : state) {
        const QPointF click(random.bounded(double(kView.width())),
                            random.bounded(double(kView.height())));
        benchmark::DoNotOptimize(elementAt(g, net.data, click, 4.0));
    }
}

BENCHMARK(BM_OpenPlanWithStoredPlaces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutOfAllNodes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterZoom_WholeNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterZoom_Quarter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterPan_WholeNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterPan_Quarter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestOfAClick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kolma

// Painting needs an application with fonts; the offscreen platform needs no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
