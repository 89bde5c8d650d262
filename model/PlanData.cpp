#include "PlanData.h"

#include <cmath>
#include <limits>
#include <memory>

#include "CellTable.h"
#include "Numbers.h"

namespace kolma {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A table with more unreadable places than this is not drawn at all.
constexpr int kMaxSkippedPlaces = 200;

const QString kNoValueCell = QStringLiteral("---");  // one token, no value

std::unique_ptr<CellTable> copyOf(const CellTable& table) {
    auto copy = std::make_unique<CellTable>(table.colCount(), table.rowCount());
    std::vector<CellWrite> writes;
    writes.reserve(static_cast<std::size_t>(table.colCount()) * table.rowCount());
    for (int row = 0; row < table.rowCount(); ++row)
        for (int col = 0; col < table.colCount(); ++col)
            writes.push_back({col, row, table.cell(col, row)});
    copy->setCells(writes);
    return copy;
}

// Works on a copy of the tables, taking out what the network snapshot cannot read, and remembers
// which row of the tables each remaining row was.
class ReadablePart {
public:
    ReadablePart(const Tables& tables, const ProjectSettings& settings)
        : pipes_(copyOf(*tables.pipes)),
          pumps_(copyOf(*tables.pumps)),
          nodes_(copyOf(*tables.nodes)),
          settings_(settings) {
        for (int r = 0; r < pipes_->rowCount(); ++r)
            pipeRow_.push_back(r);
        for (int r = 0; r < nodes_->rowCount(); ++r)
            nodeRow_.push_back(r);
        for (int b = 0; b <= pumpBlockCount(*pumps_); ++b)
            pumpBlock_.push_back(b);
    }

    PlanNetworkReading read(const TableError& first) {
        PlanNetworkReading reading;
        reading.problems << first.message();
        std::optional<CellPlace> place = first.place;
        for (int skipped = 0; skipped < kMaxSkippedPlaces; ++skipped) {
            if (!takeOut(place))
                break;
            try {
                reading.network = networkOf({pipes_.get(), pumps_.get(), nodes_.get()}, settings_);
                restoreRows(reading.network);
                return reading;
            } catch (const TableError& next) {
                reading.problems << next.message();
                place = next.place;
            }
        }
        reading.network = Network();
        return reading;
    }

private:
    // Takes the unreadable place out; false when that changes nothing, so reading again would
    // fail at the same place.
    bool takeOut(const std::optional<CellPlace>& place) {
        if (!place) {
            if (settings_ == defaultSettings())
                return false;
            settings_ = defaultSettings();
            return true;
        }
        const int row = place->row;
        const bool key = place->column <= kEndNodeColumn;
        switch (place->table) {
            case TableId::Nodes:
                if (place->column == kKeyColumn)
                    return removeRow(*nodes_, nodeRow_, row);
                return replace(*nodes_, place->column, row, QStringLiteral(" "));
            case TableId::Pipes:
                if (key)
                    return removeRow(*pipes_, pipeRow_, row);
                return replace(*pipes_, place->column, row, kNoValueCell);
            case TableId::Pumps: {
                const int block = pumpBlockOf(row);
                if (key && row == firstPumpRow(block))
                    return removeBlock(block);
                return replace(*pumps_, place->column, row, kNoValueCell);
            }
        }
        return false;
    }

    static bool replace(CellTable& table, int col, int row, const QString& text) {
        if (table.cell(col, row) == text)
            return false;
        table.setCell(col, row, text);
        return true;
    }

    // Moves the records below the row up by one; the row labels in column 0 stay.
    static bool removeRow(CellTable& table, std::vector<int>& origin, int row) {
        if (row < 1 || row >= table.rowCount())
            return false;
        std::vector<CellWrite> writes;
        for (int r = row; r < table.rowCount(); ++r)
            for (int c = kKeyColumn; c < table.colCount(); ++c)
                writes.push_back(
                    {c, r, r + 1 < table.rowCount() ? table.cell(c, r + 1) : QStringLiteral(" ")});
        table.setCells(writes);
        origin.erase(origin.begin() + row);
        origin.push_back(0);
        return true;
    }

    bool removeBlock(int block) {
        const int first = firstPumpRow(block);
        if (block < 1 || first >= pumps_->rowCount())
            return false;
        std::vector<CellWrite> writes;
        for (int r = first; r < pumps_->rowCount(); ++r) {
            const int from = r + kPumpBlockRows;
            for (int c = kKeyColumn; c < pumps_->colCount(); ++c)
                writes.push_back(
                    {c, r,
                     from < pumps_->rowCount() ? pumps_->cell(c, from) : QStringLiteral(" ")});
        }
        pumps_->setCells(writes);
        pumpBlock_.erase(pumpBlock_.begin() + block);
        pumpBlock_.push_back(0);
        return true;
    }

    void restoreRows(Network& network) const {
        for (NodeRecord& node : network.nodes)
            node.row = nodeRow_[node.row];
        for (PipeRecord& pipe : network.pipes)
            pipe.row = pipeRow_[pipe.row];
        for (PumpRecord& pump : network.pumps)
            pump.block = pumpBlock_[pump.block];
    }

    std::unique_ptr<CellTable> pipes_, pumps_, nodes_;
    ProjectSettings settings_;
    std::vector<int> pipeRow_, nodeRow_, pumpBlock_;  // copy row (block) -> table row (block)
};

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

PlanNetworkReading readPlanNetwork(const Tables& tables, const ProjectSettings& settings) {
    try {
        return {networkOf(tables, settings), {}};
    } catch (const TableError& error) {
        return ReadablePart(tables, settings).read(error);
    }
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
