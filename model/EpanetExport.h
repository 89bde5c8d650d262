// The network of the tables as an EPANET input file (".inp"), which EPANET opens and computes to
// the heads the solver computes, and which the EPANET import reads back into the same tables:
// litres per second, Darcy-Weisbach with the tables' ks, the project's viscosity, known-head
// nodes as reservoirs, the other nodes as junctions at their pipe invert, pumps with a head curve
// of their support points, and the node places of the plan where it has them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "KolmaError.h"
#include "Network.h"
#include "PlanCoordinates.h"

namespace kolma {

// A network that EPANET would refuse; the text names the element and what is wrong.
class EpanetExportRefusal : public KolmaError {
public:
    using KolmaError::KolmaError;
};

// EPANET refuses a roughness of 0; a hydraulically smooth pipe is written this rough instead,
// which changes no head by a measurable amount.
inline constexpr double kSmoothRoughness = 1e-6;  // [mm]

struct EpanetExport {
    QByteArray text;    // the file: UTF-8, LF, decimal points
    QStringList notes;  // what the file holds otherwise than the tables; empty when nothing
};

// The file for the network. Raises TableError for a value that is no number, and
// EpanetExportRefusal for an element EPANET cannot take (a pipe without length or diameter, a
// negative loss coefficient, a pump curve whose flows do not rise or whose heads do not fall).
// The file's title line names the project `title`.
EpanetExport epanetExportOf(const Network& network, const PlanCoordinates& coordinates,
                            const QString& title);

}  // namespace kolma
