#include "NodeOrderTables.h"

#include <QHash>
#include <QStringList>
#include <optional>
#include <vector>

#include "CellTable.h"
#include "NodeOrder.h"
#include "Numbers.h"
#include "TableOperations.h"

namespace kolma {
namespace {

const QString kUnchanged = QStringLiteral("Die Knotentabelle bleibt unverändert.");
const QString kPumpCycle = QStringLiteral(
    "Keine Knotenreihenfolge setzt bei jeder Pumpe die Saugseite vor die Druckseite: die Pumpen "
    "bilden einen Kreis.\n");

// The node list as a graph over its rows; a node reference the list lacks is named in `problem`.
struct TableGraph {
    OrderGraph graph;
    QString problem;
};

class NodeLookup {
public:
    explicit NodeLookup(const CellTable& nodes) {
        const int count = listLength(nodes);
        for (int row = count; row >= 1; --row)  // the first row of a number wins, as on saving
            index_.insert(strictInt(nodes.cell(kKeyColumn, row)), row - 1);
        count_ = count;
    }
    int count() const { return count_; }
    std::optional<int> find(const QString& cell) const {
        const auto it = index_.constFind(strictInt(cell));
        if (it == index_.constEnd())
            return std::nullopt;
        return *it;
    }

private:
    QHash<int, int> index_;
    int count_ = 0;
};

// The link of row `row` of a grid, or the text of the missing node.
std::optional<Link> linkOf(const NodeLookup& lookup, const CellTable& grid, int row,
                           QString& problem, const QString& element) {
    const auto a = lookup.find(grid.cell(kStartNodeColumn, row));
    const auto b = lookup.find(grid.cell(kEndNodeColumn, row));
    if (a && b)
        return Link{*a, *b};
    const QString missing = grid.cell(a ? kEndNodeColumn : kStartNodeColumn, row).trimmed();
    problem = QStringLiteral("Knoten %1 (%2 %3) fehlt in der Knotentabelle.")
                  .arg(missing, element, grid.cell(kKeyColumn, row));
    return std::nullopt;
}

TableGraph readTableGraph(const Tables& tables) {
    const NodeLookup lookup(*tables.nodes);
    TableGraph result;
    OrderGraph& graph = result.graph;
    graph.nodeCount = lookup.count();
    for (int row = 1; row <= graph.nodeCount; ++row)
        if (holdsValue(tables.nodes->cell(kKnownHeadColumn, row)))
            graph.knownHeadNodes.push_back(row - 1);
    const int pipes = listLength(*tables.pipes);
    for (int row = 1; row <= pipes; ++row) {
        const auto link =
            linkOf(lookup, *tables.pipes, row, result.problem, QStringLiteral("Strang"));
        if (!link)
            return result;
        graph.pipes.push_back(*link);
    }
    const int pumps = pumpListLength(*tables.pumps);
    for (int block = 1; block <= pumps; ++block) {
        const auto link = linkOf(lookup, *tables.pumps, firstPumpRow(block), result.problem,
                                 QStringLiteral("Pumpe"));
        if (!link)
            return result;
        graph.pumps.push_back(*link);
    }
    return result;
}

// Rows 1 ... order.size() of the node table in the new order; order[k] is the old index of the
// node that goes to row k + 1.
void reorderNodeRows(CellTable& nodes, const std::vector<int>& order) {
    const int columns = nodes.colCount() - 1;
    std::vector<QStringList> rows;
    for (int row = 1; row <= static_cast<int>(order.size()); ++row)
        rows.push_back(rowValues(nodes, row, columns));
    for (int k = 0; k < static_cast<int>(order.size()); ++k)
        for (int col = 1; col <= columns; ++col)
            nodes.setCell(col, k + 1, rows[order[k]][col - 1]);
}

// Swaps start and end node of every pipe whose start node now lies after its end node; returns
// how many were swapped.
int turnPipesRound(CellTable& pipes, const OrderGraph& graph, const std::vector<int>& position) {
    int turned = 0;
    for (int i = 0; i < static_cast<int>(graph.pipes.size()); ++i) {
        const Link& pipe = graph.pipes[i];
        if (position[pipe.a] <= position[pipe.b])
            continue;
        const int row = i + 1;
        const QString start = pipes.cell(kStartNodeColumn, row);
        pipes.setCell(kStartNodeColumn, row, pipes.cell(kEndNodeColumn, row));
        pipes.setCell(kEndNodeColumn, row, start);
        ++turned;
    }
    return turned;
}

QString optimisedMessage(const NodeOrderResult& result, int turned) {
    return QStringLiteral(
               "Knotenreihenfolge optimiert.\n"
               "Profil der Knotenmatrix vorher: %1 Werte, nachher: %2 Werte.\n"
               "Rohre mit getauschtem Anfangs- und Endknoten: %3")
        .arg(result.profileBefore)
        .arg(result.profileAfter)
        .arg(turned);
}

QString alreadyGoodMessage(long long profile) {
    return QStringLiteral(
               "Die Knotenreihenfolge ist bereits günstig (Profil der Knotenmatrix: %1 Werte).\n")
               .arg(profile) +
           kUnchanged;
}

}  // namespace

NodeOrderResult KnotenreihenfolgeOptimieren(const Tables& tables) {
    const TableGraph read = readTableGraph(tables);
    NodeOrderResult result;
    if (!read.problem.isEmpty()) {
        result.message = read.problem + QLatin1Char('\n') + kUnchanged;
        return result;
    }
    const OrderGraph& graph = read.graph;
    const std::vector<int> given = identityOrder(graph.nodeCount);
    result.profileBefore = profileSize(graph, given);
    result.profileAfter = result.profileBefore;
    const std::optional<std::vector<int>> order = goodNodeOrder(graph);
    if (!order) {
        result.message = kPumpCycle + kUnchanged;
        return result;
    }
    result.profileAfter = profileSize(graph, *order);
    const bool reordered = *order != given;
    if (reordered)
        reorderNodeRows(*tables.nodes, *order);
    const int turned = turnPipesRound(*tables.pipes, graph, positionsOf(*order));
    result.changed = reordered || turned > 0;
    result.message = result.changed ? optimisedMessage(result, turned)
                                    : alreadyGoodMessage(result.profileBefore);
    return result;
}

}  // namespace kolma
