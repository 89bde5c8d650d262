#include "BoundDiagnosis.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "KolmaError.h"
#include "Listing.h"
#include "Numbers.h"
#include "SolverNetwork.h"
#include "tarnholm/element_laws.h"
#include "tarnholm/in_process.h"

namespace kolma {
namespace {

constexpr int kWindow = 20;       // passes over which the heads' movement is measured
constexpr int kListedPipes = 10;  // pipes named in the message
constexpr double kJumpReynolds = tarnholm::kLaminarLimit;
constexpr double kNearTheJump = 0.25;  // Re within a quarter of 2300 counts as at the jump

}  // namespace

std::optional<BoundDiagnosis> diagnoseBound(const Network& network) {
    tarnholm::Network net;
    try {
        net = solverNetworkOf(network);
    } catch (const KolmaError&) {
        return std::nullopt;
    }
    const tarnholm::IterationOutcome outcome =
        tarnholm::Calculate(net, {net.maxIterations, 0.0, kWindow});
    if (outcome.result.status != tarnholm::CalcStatus::Done ||
        outcome.rule != tarnholm::StopRule::Bound)
        return std::nullopt;
    BoundDiagnosis diagnosis;
    diagnosis.maxIterations = net.maxIterations;
    diagnosis.headMovement = outcome.headMovement;
    diagnosis.window = std::min(kWindow, outcome.passes);
    for (std::size_t p = 0; p < net.pipes.size(); ++p)
        if (!net.pipes[p].converged)
            diagnosis.pipes.push_back({network.pipes[p].row, network.pipes[p].number.typed,
                                       tarnholm::ReynoldsNumber(net.pipes[p], net.viscosity)});
    return diagnosis;
}

QString boundDiagnosisText(const BoundDiagnosis& d) {
    QStringList pipes;
    for (const SwingingPipe& pipe : d.pipes)
        pipes << QStringLiteral("Strang %1 (Re = %2)")
                     .arg(pipe.number, germanLocale().toString(pipe.reynolds, 'f', 0));
    pipes = shortened(pipes, kListedPipes);
    const auto listed = d.pipes.begin() + static_cast<std::ptrdiff_t>(
                                              std::min<std::size_t>(d.pipes.size(), kListedPipes));
    const bool atTheJump = std::any_of(d.pipes.begin(), listed, [](const SwingingPipe& pipe) {
        return std::fabs(pipe.reynolds - kJumpReynolds) < kNearTheJump * kJumpReynolds;
    });
    QString text = QStringLiteral(
                       "Die Berechnung hat die Höchstzahl von %1 Iterationen erreicht. Nicht "
                       "konvergiert: %2.")
                       .arg(d.maxIterations)
                       .arg(pipes.join(QStringLiteral(", ")));
    if (atTheJump)
        text += QStringLiteral(
            " Ihr Durchfluss liegt am Sprung des Reibungsbeiwerts bei Re = 2300 und pendelt "
            "zwischen laminarem und turbulentem Wert; eine höhere Höchstzahl ändert daran "
            "nichts.");
    text += QStringLiteral(
                " Die Energiehöhen ändern sich in den letzten %1 Iterationen noch um "
                "höchstens %2 m.")
                .arg(d.window)
                .arg(germanLocale().toString(d.headMovement, 'f', 4));
    return text;
}

}  // namespace kolma
