// What a longitudinal section shows, prepared from the node sequence, the three input tables and
// the graph data file: per node its heights and station, per segment its pipe values or the mark
// of a pump, and the height range. Single precision where the drawing has always kept single
// precision values, so that labels and coordinates come out the same.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "GraphData.h"
#include "NodeSequence.h"
#include "Tables.h"

namespace kolma {

// The diameter of a segment that no pipe joins: a pump. Any diameter above the largest that a
// pipe may have marks such a segment.
inline constexpr float kNoPipeDiameter = 100001.0f;
inline constexpr float kLargestPipeDiameter = 100000.0f;
// Pixels by which a node's values stand left of its vertical, unless it ends a pump.
inline constexpr int kLabelShift = 11;

struct SectionNode {
    QString number;                // node number as entered in the sequence
    int row = 0;                   // zero-based node-table row, the node's index in the graph data
    float ground = 0.0f;           // GOK [mNN]
    float invert = 0.0f;           // RS [mNN]
    double energy = 0.0;           // energy height [mNN]
    int labelShift = kLabelShift;  // [px]; 0 for the end node of a pump
    float station = 0.0f;          // cumulative length from the first node [m]
};

struct SectionSegment {
    float length = 0.0f;               // [m]; 1 for a pump
    float diameter = kNoPipeDiameter;  // inner diameter [mm]
    float flow = 0.0f;                 // [l/s]
    float velocity = 0.0f;             // [m/s]
    bool isPump() const { return diameter > kLargestPipeDiameter; }
};

struct SectionData {
    std::vector<SectionNode> nodes;        // n entries
    std::vector<SectionSegment> segments;  // n - 1 entries, segment k joins nodes k and k + 1
    float zmin = 0.0f;                     // lowest height drawn [mNN]
    float zmax = 0.0f;                     // highest height drawn [mNN]
    float range = 0.0f;                    // |zmax - zmin| [m]
    float totalLength = 0.0f;              // sum of the segment lengths [m]
    // A section needs two nodes; fewer draw nothing, without a message. Every two neighbouring
    // nodes need the segment between them.
    bool drawable() const { return nodes.size() >= 2 && segments.size() + 1 == nodes.size(); }
};

struct SectionPreparation {
    SectionData data;
    std::optional<SectionFailure> failure;  // set: show it and draw nothing
};

// Prepares the section along the node numbers of `sequence` from the tables and the graph data
// file (read afresh each time).
SectionPreparation prepareSection(const QStringList& sequence, const Tables& tables,
                                  const QString& graphFile);

// The same from graph data already read.
SectionPreparation prepareSection(const QStringList& sequence, const Tables& tables,
                                  const GraphData& graph);

}  // namespace kolma
