#include "Evaluation.h"

#include <cmath>

#include "Numbers.h"

namespace kolma {
namespace {

constexpr double kPressureOfOneStorey = 2.00;  // [bar]
constexpr double kPressurePerStorey = 0.35;    // [bar]

NodeFlag judge(const NodeRecord& node, double pressure, const DesignLimits& limits) {
    if (node.hasKnownHead())
        return NodeFlag::KnownHead;
    if (!std::isfinite(pressure))
        return NodeFlag::NoGround;
    if (pressure < limits.minPressure())
        return NodeFlag::TooLow;
    if (pressure > limits.maxPressure)
        return NodeFlag::TooHigh;
    return NodeFlag::Ok;
}

PipeFlag judge(double velocity, const DesignLimits& limits) {
    const double v = std::fabs(velocity);
    if (v > limits.maxVelocity)
        return PipeFlag::TooFast;
    if (v < limits.stagnationVelocity)
        return PipeFlag::Standing;
    return PipeFlag::Ok;
}

}  // namespace

double minimumPressureForStoreys(int storeys) {
    return kPressureOfOneStorey + kPressurePerStorey * (storeys - 1);
}

Evaluation evaluate(const Network& network, const LatestResults& latest, const DesignLimits& limits,
                    const CheckValves& checkValves) {
    const Results& results = latest.results;
    Evaluation e;
    e.limits = limits;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        const NodeRecord& node = network.nodes[i];
        const NodeResult& result = results.nodes[i];
        NodeEvaluation n{node.row,           node.numberText, result.head,
                         node.ground.number, result.pressure, judge(node, result.pressure, limits)};
        e.tooLow += n.flag == NodeFlag::TooLow;
        e.tooHigh += n.flag == NodeFlag::TooHigh;
        const bool judged =
            n.flag == NodeFlag::Ok || n.flag == NodeFlag::TooLow || n.flag == NodeFlag::TooHigh;
        if (judged && (!e.lowest || n.pressure < e.nodes[*e.lowest].pressure))
            e.lowest = e.nodes.size();
        e.nodes.push_back(n);
    }
    for (std::size_t p = 0; p < network.pipes.size(); ++p) {
        const PipeRecord& pipe = network.pipes[p];
        const PipeResult& result = results.pipes[p];
        e.pipes.push_back({pipe.row, pipe.number.typed, network.nodes[pipe.startNode].numberText,
                           network.nodes[pipe.endNode].numberText, result.flow, result.velocity,
                           result.gradient, judge(result.velocity, limits)});
    }
    for (std::size_t k = 0; k < latest.pumps.size() && k < network.pumps.size(); ++k) {
        const PumpRecord& pump = network.pumps[k];
        const PumpResult& result = latest.pumps[k];
        e.pumps.push_back(
            {firstPumpRow(pump.block), pump.type, network.nodes[pump.startNode].numberText,
             network.nodes[pump.endNode].numberText, result.flow, result.lift(), result.inRange});
    }
    // Water against a check valve is the plainer fault than its speed.
    for (const int p : pipesAgainstCheckValves(network, results, checkValves))
        e.pipes[static_cast<std::size_t>(p)].flag = PipeFlag::AgainstCheckValve;
    return e;
}

QString summaryText(const Evaluation& e) {
    QString text = QStringLiteral("%1 von %2 Knoten unter %3 bar, %4 über %5 bar")
                       .arg(e.tooLow)
                       .arg(e.nodes.size())
                       .arg(twoDecimals(e.limits.minPressure()))
                       .arg(e.tooHigh)
                       .arg(twoDecimals(e.limits.maxPressure));
    if (e.lowest) {
        const NodeEvaluation& lowest = e.nodes[*e.lowest];
        text += QStringLiteral("; niedrigster Druck %1 bar an Knoten %2")
                    .arg(twoDecimals(lowest.pressure), lowest.number);
    }
    return text + QLatin1Char('.');
}

QString flagText(NodeFlag flag) {
    switch (flag) {
        case NodeFlag::TooLow:
            return QStringLiteral("zu niedrig");
        case NodeFlag::TooHigh:
            return QStringLiteral("zu hoch");
        case NodeFlag::KnownHead:
            return QStringLiteral("bek. Druck");
        case NodeFlag::NoGround:
            return QStringLiteral("ohne GOK");
        case NodeFlag::Ok:
            break;
    }
    return QString();
}

QString flagText(PipeFlag flag) {
    switch (flag) {
        case PipeFlag::TooFast:
            return QStringLiteral("zu schnell");
        case PipeFlag::Standing:
            return QStringLiteral("Stagnation");
        case PipeFlag::AgainstCheckValve:
            return QStringLiteral("gegen Rückschlagklappe");
        case PipeFlag::Ok:
            break;
    }
    return QString();
}

}  // namespace kolma
