// Import of networks from EPANET input files (".inp"): the file is read and checked as a whole
// first, then the three tables and the viscosity setting are filled as if typed. A file that
// cannot be taken over is refused with one message naming section and line, and the tables stay
// as they were.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "KolmaError.h"
#include "ProjectSettings.h"
#include "TableOperations.h"
#include "Tables.h"

namespace kolma {

// A file the import refuses; the text names what and where.
class EpanetRefusal : public KolmaError {
public:
    using KolmaError::KolmaError;
};

enum class HeadLossFormula { DarcyWeisbach, HazenWilliams, ChezyManning };
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

struct EpanetNetwork {
    QString units = QStringLiteral("GPM");
    HeadLossFormula headLoss = HeadLossFormula::HazenWilliams;
    double relativeViscosity = 1.0;  // relative to water at 20 °C
    std::vector<EpanetNode> nodes;   // junctions, reservoirs, tanks in file order
    std::vector<EpanetPipe> pipes;
    std::vector<EpanetPump> pumps;
    QStringList ignoredSections;  // sections with data that a steady calculation does not use
};

// Litres per second in one flow unit of the file (LPS, LPM, MLD, CMH, CMD, CFS, GPM, MGD, IMGD,
// AFD); none for an unknown unit.
std::optional<double> litresPerSecond(const QString& flowUnits);
// Whether the flow unit makes lengths and heads feet and diameters inches.
bool usesFeet(const QString& flowUnits);

// Kinematic viscosity of water at 20 °C in 10^-6 m²/s, the reference of the VISCOSITY option.
inline constexpr double kWater20Viscosity = 1.1e-5 * 0.3048 * 0.3048 * 1e6;
// Flow velocity at which a Hazen-Williams or Manning roughness is matched by an equivalent ks.
inline constexpr double kReferenceVelocity = 1.0;  // [m/s]

// The ks [mm] that gives, with Darcy-Weisbach and Colebrook-White, the same friction loss as the
// given law in a pipe of the given diameter [mm] at the reference velocity; viscosity in m²/s.
// 0 when the law is smoother than a hydraulically smooth pipe.
double equivalentKsHazenWilliams(double c, double diameterMm, double viscosity);
double equivalentKsManning(double n, double diameterMm, double viscosity);

// Reads the text of an ".inp" file; raises EpanetRefusal for anything it cannot take over.
EpanetNetwork parseInp(const QString& text);

// What the import writes into the tables and tells the user.
struct ImportPlan {
    std::vector<QStringList> nodeRows;  // columns 1 to 6 of the node table, in the chosen order
    std::vector<QStringList> pipeRows;  // columns 1 to 7 of the pipe table
    std::vector<PumpBlock> pumps;
    QString viscosity;  // text of the viscosity setting
    QString idMapping;  // text of the ".ids" file; empty when every ID was kept
    QStringList notes;  // lines of the message: what was converted, left out, renumbered
};

// Numbers, orders and converts the network; raises EpanetRefusal when it does not fit the tables
// or when no node order can satisfy the pumps. `idsFile` is named in the notes.
ImportPlan planImport(const EpanetNetwork& network, const QString& idsFile);

// Project file name for an imported file: the same name with the extension ".ein".
QString projectFileFor(const QString& inpFile);
// Mapping file beside the project: the same name with the extension ".ids".
QString idsFileFor(const QString& inpFile);

struct EpanetImportResult {
    QString message;      // what was converted, left out, renumbered
    QString projectFile;  // the new AktuelleDatei
};

// The whole import: reads and checks the file, writes the mapping file when IDs were renumbered,
// then resets and fills the tables and sets the viscosity in `settings` (the iteration bound is
// kept). A refusal raises EpanetRefusal before anything is written.
EpanetImportResult importEpanetFile(const QString& inpFile, const Tables& tables,
                                    ProjectSettings& settings);

}  // namespace kolma
