#include "tarnholm/report.h"

#include "tarnholm/element_laws.h"
#include "tarnholm/texts.h"

namespace tarnholm {

namespace {

constexpr double kInverseG = 0.1019367991845056;  // 1 / 9.81 [s^2/m]
constexpr double kToPercent = 100.0;
constexpr double kFromPercent = 0.01;

// The formats print counters with "%hd". Only a run stopped at the largest bound, 32767, has a
// counter beyond it, which then prints as -32768; the bound texts are decided on the full value.
short AsPrinted(int value) {
    return static_cast<short>(value);
}

void WriteBoundExceeded(const Network& net, int counter, FILE* report) {
    if (net.maxIterations < counter) {
        std::fputs(text::kBoundExceeded1, report);
        std::fputs(text::kBoundExceeded2, report);
    }
}

// A table of the results begins after an empty line with its two heading lines.
void WriteTableHeading(const char* names, const char* units, FILE* report) {
    std::fputs("\n\n", report);
    std::fputs(names, report);
    std::fputs(units, report);
}

void WriteNodeTable(const Network& net, FILE* report) {
    WriteTableHeading(text::kNodeHeader1, text::kNodeHeader2, report);
    for (int i = 0; i < net.nodeCount; ++i) {
        const double inflow = net.netInflow[i] * kLitresPerCubicMetre;
        std::fprintf(report, text::kNodeRow, net.nodeNumber[i], net.head[i], net.elevation[i],
                     net.head[i] - net.elevation[i], inflow);
    }
}

void WritePipeTable(const Network& net, FILE* report) {
    if (net.pipeCount <= 0) {
        return;
    }
    WriteTableHeading(text::kPipeHeader1, text::kPipeHeader2, report);
    for (const Pipe& pipe : net.pipes) {
        const double v = PipeVelocity(pipe);
        const double difference = net.head[pipe.startNode] - net.head[pipe.endNode];
        const double gradient = difference * kToPercent / pipe.length;
        // A fitting entered as a pipe of length 0 has no gradient, but it has a head loss: the
        // way through the gradient would give 0 x infinity there.
        const double headLoss =
            pipe.length == 0.0 ? difference : gradient * pipe.length * kFromPercent;
        const double localLoss = pipe.zeta * v * v * 0.5 * kInverseG;
        std::fprintf(report, text::kPipeRow, net.nodeNumber[pipe.startNode],
                     net.nodeNumber[pipe.endNode], pipe.newFlow, v, gradient, headLoss, localLoss);
    }
}

void WritePumpTable(const Network& net, FILE* report) {
    if (net.pumpCount <= 0) {
        return;
    }
    WriteTableHeading(text::kPumpHeader1, text::kPumpHeader2, report);
    for (int p = 0; p < net.pumpCount; ++p) {
        const Pump& pump = net.pumps[p];
        const double headDifference = net.head[pump.startNode] - net.head[pump.endNode];
        std::fprintf(report, text::kPumpRow, net.nodeNumber[pump.startNode],
                     net.nodeNumber[pump.endNode], pump.newFlow, headDifference,
                     net.pumpNames[p].data());
        if (!PumpInRange(pump, headDifference)) {
            std::fputs(text::kPumpOutOfRange1, report);
            std::fputs(text::kPumpOutOfRange2, report);
        }
    }
}

}  // namespace

double PipeVelocity(const Pipe& pipe) {
    // A flow in l/s over an area in mm^2 is a velocity in 1000 m/s, hence the 0.001.
    return pipe.newFlow / (pipe.diameter * pipe.diameter * kPiArea * 0.25 * 0.001);
}

bool PumpInRange(const Pump& pump, double headDifference) {
    const int n = SupportCount(pump);
    const double lift = -headDifference;
    // The upper head bound is the second support head, not the first.
    return lift >= pump.supportHead[n - 1] && lift <= pump.supportHead[1] &&
           pump.newFlow >= pump.supportFlow[0] && pump.newFlow <= pump.supportFlow[n - 1];
}

void WriteResults(Network& net, int counter, FILE* report) {
    for (const Pump& pump : net.pumps) {
        if (pump.startNode == pump.endNode) {
            continue;  // such a pump changed no inflow
        }
        net.netInflow[pump.startNode] = pump.savedStartInflow;
        net.netInflow[pump.endNode] = pump.savedEndInflow;
    }
    std::fputs("\n\n", report);
    std::fputs(text::kResultsDashes, report);
    std::fputs(text::kResultsTitle, report);
    std::fputs(text::kResultsDashes, report);
    std::fputs("\n\n", report);
    WriteBoundExceeded(net, counter, report);
    std::fprintf(report, text::kMaxIterations, net.maxIterations);
    std::fprintf(report, text::kPassesUsed, AsPrinted(counter));
    WriteNodeTable(net, report);
    WritePipeTable(net, report);
    WritePumpTable(net, report);
    std::fputs("\n\n", report);
    WriteBoundExceeded(net, counter, report);
}

void WriteGraphData(const Network& net, int counter, FILE* graph) {
    std::fprintf(graph, text::kGraphCount, net.maxIterations);
    std::fprintf(graph, text::kGraphCount, AsPrinted(counter));
    std::fputs("\n\n", graph);
    std::fprintf(graph, text::kGraphListCount, net.nodeCount);
    for (int i = 0; i < net.nodeCount; ++i) {
        std::fprintf(graph, text::kGraphHead, net.head[i]);
    }
    std::fputs("\n\n", graph);
    std::fprintf(graph, text::kGraphListCount, net.pipeCount);
    for (const Pipe& pipe : net.pipes) {
        std::fprintf(graph, text::kGraphPipe, pipe.newFlow, PipeVelocity(pipe));
    }
}

}  // namespace tarnholm
