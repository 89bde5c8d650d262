#include "PlanData.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "Numbers.h"

namespace kolma {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The elements of the network the plan draws, by their index in the network.
struct Drawn {
    std::vector<bool> nodes, pipes, pumps;
};

// The flag of the element a place belongs to; the three rows of a pump block are one pump.
std::vector<bool>::reference drawnAt(Drawn& drawn, const CellPlace& place) {
    switch (place.table) {
        case TableId::Nodes:
            return drawn.nodes[place.row - 1];
        case TableId::Pipes:
            return drawn.pipes[place.row - 1];
        case TableId::Pumps:
            break;
    }
    return drawn.pumps[pumpBlockOf(place.row) - 1];
}

// Counts the value at the place as empty, as the plan reads a value saving refuses; false at a
// place the element cannot be drawn without (its number, its nodes, a pump's designation).
bool emptyValueAt(Network& network, const CellPlace& place) {
    const Value empty{QStringLiteral(" "), kNaN};
    const int c = place.column;
    switch (place.table) {
        case TableId::Nodes: {
            if (c == kKeyColumn)
                return false;
            NodeRecord& node = network.nodes[place.row - 1];
            Value* const values[] = {&node.knownHead, &node.inflow, &node.withdrawal, &node.ground,
                                     &node.invert};
            *values[c - kKnownHeadColumn] = empty;
            return true;
        }
        case TableId::Pipes: {
            if (c <= kEndNodeColumn)
                return false;
            PipeRecord& pipe = network.pipes[place.row - 1];
            Value* const values[] = {&pipe.length, &pipe.diameter, &pipe.roughness, &pipe.zeta};
            *values[c - kLengthColumn] = empty;
            return true;
        }
        case TableId::Pumps:
            break;
    }
    const int block = pumpBlockOf(place.row);
    PumpRecord& pump = network.pumps[block - 1];
    switch (place.row - firstPumpRow(block)) {
        case 1:
            pump.heads[c - 1] = empty;
            // An empty head ends the support points in use, unless it is the first.
            if (c > 1)
                pump.supportCount = std::min(pump.supportCount, c - 1);
            return true;
        case 2:
            pump.flows[c - 1] = empty;
            return true;
        default:
            return false;
    }
}

// Keeps the drawn pipes or pumps whose nodes are drawn, with the nodes' new indices.
template <typename Link>
void keepDrawn(std::vector<Link>& links, const std::vector<bool>& drawn,
               const std::vector<int>& newIndex) {
    const auto drawnNode = [&newIndex](int node) { return node >= 0 && newIndex[node] >= 0; };
    std::vector<Link> kept;
    for (std::size_t i = 0; i < links.size(); ++i) {
        Link& link = links[i];
        if (!drawn[i] || !drawnNode(link.startNode) || !drawnNode(link.endNode))
            continue;
        link.startNode = newIndex[link.startNode];
        link.endNode = newIndex[link.endNode];
        kept.push_back(std::move(link));
    }
    links = std::move(kept);
}

void keepDrawn(Network& network, const Drawn& drawn) {
    std::vector<int> newIndex(network.nodes.size(), -1);
    std::vector<NodeRecord> nodes;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        if (!drawn.nodes[i])
            continue;
        newIndex[i] = static_cast<int>(nodes.size());
        nodes.push_back(std::move(network.nodes[i]));
    }
    network.nodes = std::move(nodes);
    keepDrawn(network.pipes, drawn.pipes, newIndex);
    keepDrawn(network.pumps, drawn.pumps, newIndex);
}

QString number(double value) {
    return twoDecimals(value);
}

// "Name: text unit" for a value typed into the tables; nothing for an empty cell.
void addTyped(QStringList& lines, const char* name, const Value& value, const char* unit) {
    if (holdsValue(value.typed))
        lines << QStringLiteral("%1: %2 %3")
                     .arg(QString::fromUtf8(name), value.typed.trimmed(), QString::fromUtf8(unit));
}

void addResult(QStringList& lines, const char* name, double value, const char* unit) {
    if (!std::isnan(value))
        lines << QStringLiteral("%1: %2 %3")
                     .arg(QString::fromUtf8(name), number(value), QString::fromUtf8(unit));
}

QString nodeTooltip(const PlanData& data, int index) {
    const NodeRecord& node = data.network.nodes[index];
    QStringList lines{QStringLiteral("Knoten %1 (Zeile %2)").arg(node.number).arg(node.row)};
    if (node.hasKnownHead())
        addTyped(lines, "bek. Druck", node.knownHead, "mNN");
    addTyped(lines, "Zugabe", node.inflow, "l/s");
    addTyped(lines, "Entnahme", node.withdrawal, "l/s");
    addTyped(lines, "GOK", node.ground, "mNN");
    addTyped(lines, "RS", node.invert, "mNN");
    if (!data.nodes[index].at)
        lines << QStringLiteral("noch ohne Lage");
    if (data.results) {
        const NodeResult& result = data.results->nodes[index];
        addResult(lines, "Energiehöhe", result.head, "mNN");
        addResult(lines, "Versorgungsdruck", result.pressure, "bar");
    }
    return lines.join(QLatin1Char('\n'));
}

QString pipeTooltip(const PlanData& data, int pipeIndex) {
    const PipeRecord& pipe = data.network.pipes[pipeIndex];
    QStringList lines{QStringLiteral("Strang %1 (Zeile %2): Knoten %3 – %4")
                          .arg(pipe.number.typed.trimmed())
                          .arg(pipe.row)
                          .arg(data.network.nodes[pipe.startNode].number)
                          .arg(data.network.nodes[pipe.endNode].number)};
    addTyped(lines, "Länge", pipe.length, "m");
    addTyped(lines, "di", pipe.diameter, "mm");
    addTyped(lines, "ks", pipe.roughness, "mm");
    addTyped(lines, "zeta", pipe.zeta, "");
    if (data.results) {
        const PipeResult& result = data.results->pipes[pipeIndex];
        addResult(lines, "Durchfluss", result.flow, "l/s");
        addResult(lines, "Geschwindigkeit", result.velocity, "m/s");
        addResult(lines, "Gefälle", result.gradient, "m/km");
    }
    for (QString& line : lines)
        line = line.trimmed();
    return lines.join(QLatin1Char('\n'));
}

QString pumpTooltip(const PlanData& data, int pumpIndex) {
    const PumpRecord& pump = data.network.pumps[pumpIndex];
    QStringList lines{QStringLiteral("Pumpe %1 (Block %2): Knoten %3 – %4")
                          .arg(pump.type.trimmed())
                          .arg(pump.block)
                          .arg(data.network.nodes[pump.startNode].number)
                          .arg(data.network.nodes[pump.endNode].number),
                      QStringLiteral("Kennlinie: %1 Stützpunkte").arg(pump.supportCount)};
    if (data.results)
        addResult(lines, "Förderhöhe",
                  data.results->nodes[pump.endNode].head - data.results->nodes[pump.startNode].head,
                  "m");
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

PlanElement elementOfRow(TableId table, int row) {
    switch (table) {
        case TableId::Pipes:
            return {PlanElementKind::Pipe, row};
        case TableId::Pumps:
            return {PlanElementKind::Pump, pumpBlockOf(row)};
        case TableId::Nodes:
            break;
    }
    return {PlanElementKind::Node, row};
}

CellPlace placeOf(const PlanElement& element) {
    switch (element.kind) {
        case PlanElementKind::Pipe:
            return {TableId::Pipes, element.row, kKeyColumn};
        case PlanElementKind::Pump:
            return {TableId::Pumps, firstPumpRow(element.row), kKeyColumn};
        case PlanElementKind::Node:
            break;
    }
    return {TableId::Nodes, element.row, kKeyColumn};
}

PlanNetworkReading readPlanNetwork(const Tables& tables, const ProjectSettings& settings) {
    PlanNetworkReading reading{readNetwork(tables, settings), {}};
    Network& network = reading.network;
    Drawn drawn{std::vector<bool>(network.nodes.size(), true),
                std::vector<bool>(network.pipes.size(), true),
                std::vector<bool>(network.pumps.size(), true)};
    for (const TableProblem& problem : network.problems) {
        // Saving keeps text that is no number, and so does the plan.
        if (problem.kind == TableProblem::Kind::NotANumber)
            continue;
        if (!problem.place) {  // a setting: the plan draws none, but it has no results either
            reading.problems << problem.message;
            continue;
        }
        auto drawnHere = drawnAt(drawn, *problem.place);
        // An element's number and nodes are read before its values, so an element left out is
        // named once, for the reason it is left out.
        if (!drawnHere)
            continue;
        reading.problems << problem.message;
        if (!emptyValueAt(network, *problem.place))
            drawnHere = false;
    }
    keepDrawn(network, drawn);
    return reading;
}

int PlanData::unplacedCount() const {
    int count = 0;
    for (const PlanNode& node : nodes)
        if (!node.at)
            ++count;
    return count;
}

std::optional<int> PlanData::nodeIndex(int row) const {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].row == row)
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> PlanData::linkIndex(const PlanElement& element) const {
    for (std::size_t i = 0; i < links.size(); ++i)
        if (links[i].kind == element.kind && links[i].row == element.row)
            return static_cast<int>(i);
    return std::nullopt;
}

PlanData planDataOf(Network network, const PlanCoordinates& coordinates,
                    std::optional<Results> results) {
    PlanData data;
    data.network = std::move(network);
    data.results = std::move(results);
    for (const NodeRecord& record : data.network.nodes) {
        PlanNode node{record.number, record.row, record.hasKnownHead(), std::nullopt};
        const auto place = coordinates.nodes.find(record.number);
        if (place != coordinates.nodes.end())
            node.at = place->second.at;
        data.nodes.push_back(node);
    }
    for (const PipeRecord& pipe : data.network.pipes) {
        PlanLink link{PlanElementKind::Pipe, pipe.row,     pipe.number.typed.trimmed(),
                      pipe.startNode,        pipe.endNode, {}};
        const auto bends = coordinates.bends.find(link.label);
        if (bends != coordinates.bends.end())
            link.bends = bends->second;
        data.links.push_back(std::move(link));
    }
    for (const PumpRecord& pump : data.network.pumps)
        data.links.push_back({PlanElementKind::Pump,
                              pump.block,
                              pump.type.trimmed(),
                              pump.startNode,
                              pump.endNode,
                              {}});
    return data;
}

double nodeValue(const PlanData& data, int node, PlanQuantity quantity) {
    if (!data.results)
        return kNaN;
    const NodeResult& result = data.results->nodes[node];
    switch (quantity) {
        case PlanQuantity::Pressure:
            return result.pressure;
        case PlanQuantity::Head:
            return result.head;
        default:
            return kNaN;
    }
}

double linkValue(const PlanData& data, int link, PlanQuantity quantity) {
    if (!data.results || data.links[link].kind != PlanElementKind::Pipe)
        return kNaN;
    const PipeResult& result = data.results->pipes[link];
    switch (quantity) {
        case PlanQuantity::Velocity:
            return std::fabs(result.velocity);
        case PlanQuantity::Flow:
            return std::fabs(result.flow);
        case PlanQuantity::Gradient:
            return std::fabs(result.gradient);
        default:
            return kNaN;
    }
}

std::optional<std::pair<double, double>> valueRange(const PlanData& data, PlanQuantity quantity) {
    std::optional<std::pair<double, double>> range;
    const auto take = [&range](double value) {
        if (std::isnan(value))
            return;
        if (!range)
            range = std::make_pair(value, value);
        range->first = std::min(range->first, value);
        range->second = std::max(range->second, value);
    };
    if (coloursNodes(quantity))
        for (std::size_t i = 0; i < data.nodes.size(); ++i)
            take(nodeValue(data, static_cast<int>(i), quantity));
    if (coloursPipes(quantity))
        for (std::size_t i = 0; i < data.links.size(); ++i)
            take(linkValue(data, static_cast<int>(i), quantity));
    return range;
}

QString tooltipText(const PlanData& data, const PlanElement& element) {
    if (element.kind == PlanElementKind::Node) {
        const auto index = data.nodeIndex(element.row);
        return index ? nodeTooltip(data, *index) : QString();
    }
    const auto index = data.linkIndex(element);
    if (!index)
        return QString();
    if (element.kind == PlanElementKind::Pipe)
        return pipeTooltip(data, *index);
    return pumpTooltip(data, *index - static_cast<int>(data.network.pipes.size()));
}

}  // namespace kolma
