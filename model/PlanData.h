// The network as the plan (Lageplan) draws it: the nodes with their places, the pipes with their
// bends and the pumps, each with the table row it comes from, and the results of the latest
// calculation when they fit the tables. Built from the tables, the project's coordinates and the
// graph data; values, tooltip texts and the element behind a table row are read from it.
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "Network.h"
#include "PlanColours.h"
#include "PlanCoordinates.h"
#include "Results.h"

namespace kolma {

enum class PlanElementKind { Node, Pipe, Pump };

// An element of the plan by its place in the tables.
struct PlanElement {
    PlanElementKind kind = PlanElementKind::Node;
    int row = 0;  // node table row, pipe table row, or pump block (from 1)
    bool operator==(const PlanElement& other) const {
        return kind == other.kind && row == other.row;
    }
    bool operator!=(const PlanElement& other) const { return !(*this == other); }
};

// The element a table row holds: a pump block's three rows all stand for the pump.
PlanElement elementOfRow(TableId table, int row);
// The table row of an element: a pump's is its block's first row.
CellPlace placeOf(const PlanElement& element);

// The network of the tables for the plan. Tables the network snapshot refuses are drawn as far
// as they can be read: a node, pipe or pump whose number or nodes cannot be read is left out, a
// value that cannot be read counts as empty, and each such place is named in `problems`. Rows
// and blocks in the network are those of the tables.
struct PlanNetworkReading {
    Network network;
    QStringList problems;  // the texts of the network snapshot's errors, in table order
    bool complete() const { return problems.isEmpty(); }
};

PlanNetworkReading readPlanNetwork(const Tables& tables, const ProjectSettings& settings);

struct PlanNode {
    int number = 0;
    int row = 0;  // node table row
    bool knownHead = false;
    std::optional<QPointF> at;  // [m]; none until the node is placed
};

struct PlanLink {
    PlanElementKind kind = PlanElementKind::Pipe;  // a pipe or a pump
    int row = 0;                                   // pipe table row or pump block
    QString label;                                 // pipe number or pump designation
    int from = 0;                                  // node index: start node, suction side
    int to = 0;                                    // node index: end node, delivery side
    std::vector<QPointF> bends;                    // [m], from `from` to `to`
};

struct PlanData {
    Network network;
    std::optional<Results> results;
    std::vector<PlanNode> nodes;  // in network order
    std::vector<PlanLink> links;  // the pipes in table order, then the pumps

    bool drawn(const PlanLink& link) const { return nodes[link.from].at && nodes[link.to].at; }
    int unplacedCount() const;
    // The element's index in nodes or links; none when the tables have no such element.
    std::optional<int> nodeIndex(int row) const;
    std::optional<int> linkIndex(const PlanElement& element) const;
    PlanElement elementOfNode(int index) const { return {PlanElementKind::Node, nodes[index].row}; }
    PlanElement elementOfLink(int index) const { return {links[index].kind, links[index].row}; }
};

// The plan of a network: places and bends from the coordinates, results when given.
PlanData planDataOf(Network network, const PlanCoordinates& coordinates,
                    std::optional<Results> results);

// The value that colours a node or link, NaN when it has none: supply pressure [bar] or head
// [mNN] of a node; the amount of velocity [m/s], flow [l/s] or gradient [m/km] of a pipe.
double nodeValue(const PlanData& data, int node, PlanQuantity quantity);
double linkValue(const PlanData& data, int link, PlanQuantity quantity);

// The range of the node or pipe values of a quantity; none when no element has a value.
std::optional<std::pair<double, double>> valueRange(const PlanData& data, PlanQuantity quantity);

// The tooltip of an element: its input values as typed and, after a calculation, its results.
QString tooltipText(const PlanData& data, const PlanElement& element);

}  // namespace kolma
