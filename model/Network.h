// The network of the three input tables and the settings as one plain value: pipes, pumps with
// their support points, nodes with their heights, heads, inflows and withdrawals, and node
// numbers resolved to node indices (the position in the node list). Every value keeps the text
// it was typed as, which is what the project file holds, and the number the solver reads from
// that text. Taking the snapshot applies the checks of saving, in the order of saving; values
// that are no number are collected rather than refused, since the solver reads them as 0 and
// saving has always kept them.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "KolmaError.h"
#include "ProjectSettings.h"
#include "Tables.h"

namespace kolma {

enum class TableId { Pipes, Pumps, Nodes };

// "Rohrtabelle", "Pumpentabelle", "Knotentabelle".
QString tableName(TableId table);

// Where a value stands in the tables.
struct CellPlace {
    TableId table;
    int row;     // table row
    int column;  // table column
};

// An error about a value of the tables (a place) or of the settings (no place).
class TableError : public KolmaError {
public:
    TableError(const QString& message, std::optional<CellPlace> place)
        : KolmaError(message), place(place) {}
    std::optional<CellPlace> place;
};

// A value that cannot be saved (empty, or more than one token), or a node reference missing
// from the node list; shown as an input error.
class InputRejected : public TableError {
public:
    using TableError::TableError;
};

// A cell's text as typed and the number the solver reads from it.
struct Value {
    QString typed;
    double number = 0.0;  // NaN when the text is no number or stands for an empty value
    bool isNumber() const { return number == number; }
    // The number, or the given value for an empty cell and for text that is no number.
    double orElse(double fallback) const { return isNumber() ? number : fallback; }
};

struct PipeRecord {
    int row = 0;        // pipe table row
    Value number;       // Strangnr.
    int startNode = 0;  // node index of AKN
    int endNode = 0;    // node index of EKN
    Value length;       // [m]
    Value diameter;     // di [mm]
    Value roughness;    // ks [mm]
    Value zeta;         // [-]
};

struct PumpRecord {
    int block = 0;                            // pump block, from 1
    QString type;                             // Pumpennr. (designation) as typed
    int startNode = 0;                        // suction side
    int endNode = 0;                          // delivery side
    int supportCount = 0;                     // support points in use, from the heads
    std::array<Value, kSupportPoints> heads;  // h1 ... h8 [m]
    std::array<Value, kSupportPoints> flows;  // Q1 ... Q8 [l/s]
};

struct NodeRecord {
    int row = 0;         // node table row; the node index is row - 1
    QString numberText;  // Knotnum as typed
    int number = 0;      // Knotnum
    Value knownHead;     // bek. Druck [mNN]; a known head when it holds a value
    Value inflow;        // Zugabe [l/s]
    Value withdrawal;    // Entnahme [l/s]
    Value ground;        // GOK [mNN]
    Value invert;        // RS [mNN]
    bool hasKnownHead() const;
};

// A value cell whose text is no number although a number belongs there.
struct ValueProblem {
    CellPlace place;
    QString text;
    // "Rohrtabelle, Zeile 3, Spalte \"Länge\": 'abc' ist keine Zahl."
    QString message() const;
};

struct Network {
    ProjectSettings settings;
    double viscosity = 0.0;  // [10^-6 m²/s]; NaN when the setting is no number
    int maxIterations = 0;
    std::vector<PipeRecord> pipes;
    std::vector<PumpRecord> pumps;
    std::vector<NodeRecord> nodes;  // node index = position
    std::vector<ValueProblem> valueProblems;

    int knownHeadCount() const;
    // The index of the first node with the number.
    std::optional<int> nodeIndex(int number) const;
};

// The network of the tables. Raises InputRejected for a value that cannot be saved or a node
// reference missing from the node list, and TableError with the general conversion text
// ("'x' ist kein gültiger Integerwert") for a node number that is not a whole number.
Network networkOf(const Tables& tables, const ProjectSettings& settings);

// Raises TableError for the first value problem of the network, for analyses that need numbers.
void requireNumbers(const Network& network);

// The number the solver reads from a cell text: the text after the decimal conversion of saving
// must be a whole decimal number; NaN for anything else, placeholders included.
double solverNumber(const QString& text);

}  // namespace kolma
