// The network of the three input tables and the settings as one plain value: pipes, pumps with
// their support points, nodes with their heights, heads, inflows and withdrawals, and node
// numbers resolved to node indices (the position in the node list). Every value keeps the text
// it was typed as, which is what the project file holds, and the number the solver reads from
// that text. Reading the tables notes every problem with its place, in the order in which
// saving meets them: values saving cannot write, node numbers that are no whole number, node
// references the node list lacks, and values that are no number (saving keeps those; the solver
// reads them as 0).
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
    int startNode = 0;  // node index of AKN; -1 when the node list lacks it
    int endNode = 0;    // node index of EKN; -1 likewise
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

// What is wrong with a value of the tables or the settings.
struct TableProblem {
    enum class Kind {
        Unsaveable,   // empty, or more than one token: saving refuses it
        MissingNode,  // a pipe or pump names a node the node list lacks: saving refuses it
        NotWhole,     // a node number or reference that is no whole number
        NotANumber,   // a value the solver would read as 0 or as a part of it
    };
    Kind kind;
    std::optional<CellPlace> place;  // none for a setting
    QString message;
};

struct Network {
    ProjectSettings settings;
    double viscosity = 0.0;  // [10^-6 m²/s]; NaN when the setting is no number
    int maxIterations = 0;
    std::vector<PipeRecord> pipes;
    std::vector<PumpRecord> pumps;
    std::vector<NodeRecord> nodes;       // node index = position
    std::vector<TableProblem> problems;  // in the order in which saving meets them

    int knownHeadCount() const;
};

// The network of the tables with every problem noted, for the network check.
Network readNetwork(const Tables& tables, const ProjectSettings& settings);

// The network of the tables, as saving needs it: raises, for the first problem that saving
// meets, InputRejected for a value that cannot be saved or a node reference missing from the
// node list, and TableError with the general conversion text ("'x' ist kein gültiger
// Integerwert") for a node number that is not a whole number.
Network networkOf(const Tables& tables, const ProjectSettings& settings);

// Raises TableError for the first value that is no number (or a viscosity the solver cannot
// use), for analyses that need numbers.
void requireNumbers(const Network& network);

// The number the solver reads from a cell text: the text after the decimal conversion of saving
// must be a whole decimal number; NaN for anything else, placeholders included.
double solverNumber(const QString& text);

}  // namespace kolma
