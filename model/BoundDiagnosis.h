// Why a calculation reached its iteration bound. A pipe whose balanced flow lies at the friction
// factor's jump at Re = 2300 has no exact solution: its flow swings between the laminar and the
// turbulent value for ever, while the heads hardly move. The network is computed again in-process
// to name those pipes and to tell how far the heads still move, so that the engineer can judge
// the results instead of raising the bound.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "Network.h"

namespace kolma {

struct SwingingPipe {
    int row = 0;  // pipe table row
    QString number;
    double reynolds = 0.0;
};

struct BoundDiagnosis {
    int maxIterations = 0;
    std::vector<SwingingPipe> pipes;  // those that had not converged in the last pass
    double headMovement = 0.0;        // [m], largest head change over the last passes
    int window = 0;                   // passes the movement was measured over
};

// The network computed with its own iteration bound; a diagnosis when the bound stopped it,
// nothing when it converged (or could not be computed).
std::optional<BoundDiagnosis> diagnoseBound(const Network& network);

// What the user is told about it.
QString boundDiagnosisText(const BoundDiagnosis& diagnosis);

}  // namespace kolma
