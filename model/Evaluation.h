// The evaluation of a calculation against the limits German designs are held to: supply pressure
// above ground at every node (a minimum by the number of storeys, a maximum), flow velocity in
// every pipe (too fast, standing water), and whether each pump runs inside its curve.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "CheckValves.h"
#include "LatestResults.h"
#include "Network.h"

namespace kolma {

// The usual minimum supply pressure above ground for a number of storeys: 2,00 bar for one,
// 0,35 bar more for each further storey.
double minimumPressureForStoreys(int storeys);

struct DesignLimits {
    int storeys = 3;                    // 1 ... 5
    double maxPressure = 8.0;           // [bar]
    double maxVelocity = 2.0;           // [m/s]
    double stagnationVelocity = 0.005;  // [m/s]
    double minPressure() const { return minimumPressureForStoreys(storeys); }
};

inline constexpr int kFewestStoreys = 1;
inline constexpr int kMostStoreys = 5;

enum class NodeFlag { Ok, TooLow, TooHigh, KnownHead, NoGround };
enum class PipeFlag { Ok, TooFast, Standing, AgainstCheckValve };

struct NodeEvaluation {
    int row = 0;  // node table row
    QString number;
    double head = 0.0;      // [mNN]
    double ground = 0.0;    // [mNN]; NaN without one
    double pressure = 0.0;  // [bar]; NaN without a ground level
    NodeFlag flag = NodeFlag::Ok;
};

struct PipeEvaluation {
    int row = 0;  // pipe table row
    QString number;
    QString from;
    QString to;
    double flow = 0.0;      // [l/s]
    double velocity = 0.0;  // [m/s]
    double gradient = 0.0;  // [m/km]
    PipeFlag flag = PipeFlag::Ok;
};

// A pump's operating point as the report states it.
struct PumpEvaluation {
    int row = 0;  // first row of the pump's block
    QString type;
    QString from;
    QString to;
    double flow = 0.0;    // [l/s]
    double lift = 0.0;    // head the pump adds [m]
    bool inRange = true;  // inside the support points of its curve
};

struct Evaluation {
    DesignLimits limits;
    std::vector<NodeEvaluation> nodes;
    std::vector<PipeEvaluation> pipes;
    std::vector<PumpEvaluation> pumps;
    int tooLow = 0;
    int tooHigh = 0;
    std::optional<std::size_t> lowest;  // the node with the lowest judged pressure
};

// Judges the results of the network; known-head nodes (tanks, reservoirs) are shown but not
// judged, nor are nodes without a ground level.
Evaluation evaluate(const Network& network, const LatestResults& latest, const DesignLimits& limits,
                    const CheckValves& checkValves = {});

// "3 von 40 Knoten unter 2,70 bar, 1 über 8,00 bar; niedrigster Druck 1,85 bar an Knoten 13."
QString summaryText(const Evaluation& evaluation);

// "zu niedrig", "zu hoch", "bek. Druck", "ohne GOK", "" and "zu schnell", "Stagnation",
// "gegen Rückschlagklappe", "".
QString flagText(NodeFlag flag);
QString flagText(PipeFlag flag);

}  // namespace kolma
