// Import of networks from EPANET input files (".inp"): the file is read and checked as a whole
// first, then the three tables and the viscosity setting are filled as if typed. A file that
// cannot be taken over is refused with one message naming section and line (or every element
// that cannot be taken over), and the tables stay as they were.
#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "CheckValves.h"
#include "EquivalentRoughness.h"
#include "KolmaError.h"
#include "PlanCoordinates.h"
#include "ProjectSettings.h"
#include "TableOperations.h"
#include "Tables.h"

namespace kolma {

// A file the import refuses; the text names what and where.
class EpanetRefusal : public KolmaError {
public:
    using KolmaError::KolmaError;
};

// Refusals: "Das EPANET-Netz wird nicht übernommen." with what and where, and that the tables
// stay as they were.
[[noreturn]] void refuseEpanetLine(const QString& section, int line, const QString& what);
[[noreturn]] void refuseEpanetFile(const QString& what);

enum class EpanetNodeKind { Junction, Reservoir, Tank };
enum class EpanetPipeStatus { Open, Closed, CheckValve };

// The network as read, already in the program's units (m, mm, l/s, mNN).
struct EpanetNode {
    QString id;
    EpanetNodeKind kind = EpanetNodeKind::Junction;
    double elevation = 0.0;  // ground level and pipe invert [mNN]
    double head = 0.0;       // known head of reservoirs and tanks [mNN]
    double demand = 0.0;     // withdrawal [l/s]; negative: inflow
    int line = 0;            // line of the file that defines the node
};

struct EpanetPipe {
    QString id;
    QString from;
    QString to;
    double length = 0.0;     // [m]
    double diameter = 0.0;   // [mm]
    double roughness = 0.0;  // D-W: ks [mm]; H-W: C [-]; C-M: Manning's n [s/m^(1/3)]
    double minorLoss = 0.0;  // zeta [-]
    EpanetPipeStatus status = EpanetPipeStatus::Open;
    int line = 0;
};

struct EpanetPump {
    QString id;
    QString from;               // suction side
    QString to;                 // delivery side
    std::vector<double> flows;  // support flows [l/s], ascending, speed applied
    std::vector<double> heads;  // support heads [m]
    bool closed = false;        // switched off in [STATUS]
    int line = 0;
};

// A throttle control valve (TCV) or general purpose valve (GPV): valves the solver can take as
// a short pipe with a loss coefficient. Pressure and flow control valves it cannot represent,
// and the import refuses them.
struct EpanetValve {
    QString id;
    QString from;
    QString to;
    QString type;           // "TCV" or "GPV"
    double diameter = 0.0;  // [mm]
    double zeta = 0.0;      // loss coefficient as a short pipe [-]
    QString curve;          // a GPV's head loss curve, which a short pipe cannot follow
    bool closed = false;    // closed in [STATUS]: left out like a closed pipe
    int line = 0;
};

struct EpanetNetwork {
    QString units = QStringLiteral("GPM");
    HeadLossFormula headLoss = HeadLossFormula::HazenWilliams;
    double relativeViscosity = 1.0;  // relative to water at 20 °C
    std::vector<EpanetNode> nodes;   // junctions, reservoirs, tanks in file order
    std::vector<EpanetPipe> pipes;
    std::vector<EpanetPump> pumps;
    std::vector<EpanetValve> valves;
    QStringList ignoredSections;  // sections with data that a steady calculation does not use
    // The map of the network: node places and the bends of links by ID, in the file's map units
    // (whatever the user drew in; the plan takes them as metres).
    QHash<QString, QPointF> coordinates;
    QHash<QString, std::vector<QPointF>> vertices;
};

// The flow unit a UNITS option names, spelled as EPANET reads it (any case, the unit's name at
// the start, "SI" for LPS): "CFS", "GPM", "MGD", "IMGD", "AFD", "LPS", "LPM", "MLD", "CMH" or
// "CMD"; none for a unit EPANET does not know.
std::optional<QString> flowUnitNamed(const QString& word);
// Litres per second in one flow unit (one of the names above).
double litresPerSecond(const QString& flowUnit);
// Whether the flow unit makes lengths and heads feet and diameters inches.
bool usesFeet(const QString& flowUnits);

// Kinematic viscosity of water at 20 °C in 10^-6 m²/s, the reference of the VISCOSITY option.
inline constexpr double kWater20Viscosity = 1.1e-5 * kFoot * kFoot * 1e6;
// Flow velocity at which a Hazen-Williams or Manning roughness is first matched by an equivalent
// ks, and kept for pipes whose computed flow gives ks no say (laminar or standing water).
inline constexpr double kReferenceVelocity = 1.0;  // [m/s]
// The import matches each pipe's ks at its computed flow again until no ks changes by more than
// this share, or the rounds run out.
inline constexpr double kRoughnessTolerance = 0.01;
inline constexpr int kMaxRoughnessRounds = 10;

// A valve taken over as a short pipe: this long, this rough.
inline constexpr double kValvePipeLength = 1.0;     // [m]
inline constexpr double kValvePipeRoughness = 0.1;  // [mm]

// Reads the text of an ".inp" file; raises EpanetRefusal for anything it cannot take over.
EpanetNetwork parseInp(const QString& text);

// The question put to the user before throttle and general purpose valves become short pipes,
// naming each with its loss coefficient; empty when the network has none.
QString valveQuestion(const EpanetNetwork& network);

// What the import writes into the tables and tells the user.
struct ImportPlan {
    std::vector<QStringList> nodeRows;  // columns 1 to 6 of the node table, in the chosen order
    std::vector<QStringList> pipeRows;  // columns 1 to 7 of the pipe table
    std::vector<PumpBlock> pumps;
    QString viscosity;  // text of the viscosity setting
    QString idMapping;  // text of the ".ids" file; empty when every ID was kept
    QStringList notes;  // lines of the message: what was converted, left out, renumbered
    // Node places by node number and pipe bends by pipe number, from the start to the end node
    // the pipe table names.
    PlanCoordinates coordinates;
    CheckValves checkValves;  // of the CV pipes, by pipe and node number
};

// Numbers, orders and converts the network; raises EpanetRefusal when it does not fit the tables,
// when no node order can satisfy the pumps, or when it has valves and `valvesAsPipes` is false.
// A Hazen-Williams or Manning network is computed (in-process) to match each pipe's ks at its
// own flow. `idsFile` is named in the notes.
ImportPlan planImport(const EpanetNetwork& network, const QString& idsFile, bool valvesAsPipes);

// Project file name for an imported file: the same name with the extension ".ein".
QString projectFileFor(const QString& inpFile);
// Mapping file beside the project: the same name with the extension ".ids".
QString idsFileFor(const QString& inpFile);

struct EpanetImportResult {
    QString message;              // what was converted, left out, renumbered
    QString projectFile;          // the new AktuelleDatei
    PlanCoordinates coordinates;  // the plan of the imported network
    CheckValves checkValves;      // the pipes with a check valve
};

// Asked with the valve question; true to take the valves over as short pipes.
using ValveConsent = std::function<bool(const QString& question)>;

// The whole import: reads and checks the file, asks about valves, writes the mapping file when
// IDs were renumbered, then resets and fills the tables and sets the viscosity in `settings`
// (the iteration bound is kept). A refusal raises EpanetRefusal before anything is written.
EpanetImportResult importEpanetFile(const QString& inpFile, const Tables& tables,
                                    ProjectSettings& settings, const ValveConsent& takeValves);

}  // namespace kolma
