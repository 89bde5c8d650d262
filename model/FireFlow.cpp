#include "FireFlow.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <system_error>

#include "KolmaError.h"
#include "Results.h"
#include "SolverNetwork.h"
#include "tarnholm/in_process.h"
#include "tarnholm/iteration.h"

namespace kolma {
namespace {

constexpr double kNaN = kNoPressure;

// Per node of the solver network: 1 where its head is known.
std::vector<char> knownHeadFlags(const tarnholm::Network& net) {
    std::vector<char> flags(static_cast<std::size_t>(std::max<int>(net.nodeCount, 0)), 0);
    for (const tarnholm::KnownHead& known : net.knownHeads)
        if (known.node >= 0 && known.node < net.nodeCount)
            flags[static_cast<std::size_t>(known.node)] = 1;
    return flags;
}

// A pipe whose balanced flow lies at the friction factor's jump at Re 2300 swings for ever while
// every head stays within a millimetre; the solver's own rule never ends such a run.
constexpr double kSteadyHeads = 0.001;  // [m]
constexpr int kSteadyWindow = 20;       // passes

// The solver relaxes a flow by a tenth (a hundredth when the flow turns) of its change per
// pass, so that a run from the flows without fire flow creeps towards its result. Moving the
// flows half-way instead settles the loops within a few passes (the new flow of a loop
// overshoots by about as much as the old one falls short); the solver's own passes then take
// over from there, so that the run ends by the solver's rules on the solver's numbers.
constexpr int kApproachPasses = 30;
constexpr double kApproachSettled = 1e-6;    // largest relative flow change that ends the approach
constexpr double kApproachFlowFloor = 0.01;  // [l/s], keeps vanishing flows from counting

// The search ends after this many calculations even when its bracket is still open.
constexpr int kMaxSearchRuns = 60;

bool isCancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

FireFlowEnd endOf(tarnholm::StopRule rule) {
    switch (rule) {
        case tarnholm::StopRule::Converged:
            return FireFlowEnd::Converged;
        case tarnholm::StopRule::HeadsSteady:
            return FireFlowEnd::HeadsSteady;
        case tarnholm::StopRule::Bound:
            return FireFlowEnd::Bound;
        case tarnholm::StopRule::Cancelled:
            return FireFlowEnd::Cancelled;
    }
    return FireFlowEnd::Failed;
}

bool headsAreNumbers(const tarnholm::Network& net) {
    return std::all_of(net.head.begin(), net.head.end(), [](double h) { return std::isfinite(h); });
}

QString baseFailureText(const tarnholm::IterationOutcome& outcome, const tarnholm::Network& net) {
    const QString lead = QStringLiteral("Das Netz lässt sich ohne Löschwasser nicht berechnen: ");
    switch (outcome.result.status) {
        case tarnholm::CalcStatus::TooManyNodes:
            return lead + QStringLiteral("Es hat mehr als %1 Knoten.").arg(tarnholm::kMaxNodes);
        case tarnholm::CalcStatus::NoMatrixStorage:
            return lead + QStringLiteral("Für das Gleichungssystem fehlt der Speicher.");
        case tarnholm::CalcStatus::NotPositiveDefinite: {
            const int row = outcome.result.failedRow;
            const QString node = row >= 0 && row < net.nodeCount
                                     ? QString::number(static_cast<long long>(net.nodeNumber[row]))
                                     : QString::number(row);
            return lead + QStringLiteral(
                              "Die Matrix ist bei Knoten %1 nicht positiv definit. Ist "
                              "jeder Knoten mit einem Knoten mit bekanntem Druck "
                              "verbunden?")
                              .arg(node);
        }
        default:
            return lead + QStringLiteral("Die Druckhöhen sind keine Zahlen.");
    }
}

}  // namespace

FireFlowNetwork fireFlowNetworkOf(const Network& network) {
    requireNumbers(network);
    FireFlowNetwork fire;
    fire.solver = solverNetworkOf(network);
    fire.ground.reserve(network.nodes.size());
    for (const NodeRecord& node : network.nodes)
        fire.ground.push_back(node.ground.orElse(kNaN));
    return fire;
}

FireFlowCase::FireFlowCase(FireFlowNetwork network, const std::atomic<bool>* cancel)
    : warm_(std::move(network.solver)), ground_(std::move(network.ground)) {
    const int n = warm_.nodeCount;
    ground_.resize(static_cast<std::size_t>(std::max(n, 0)), kNaN);
    knownHead_ = knownHeadFlags(warm_);

    tarnholm::Network base = warm_;
    const tarnholm::IterationOutcome outcome =
        tarnholm::Calculate(base, {warm_.maxIterations, kSteadyHeads, kSteadyWindow, cancel});
    if (outcome.rule == tarnholm::StopRule::Cancelled) {
        cancelled_ = true;
        return;
    }
    if (outcome.result.status != tarnholm::CalcStatus::Done || !headsAreNumbers(base))
        throw KolmaError(baseFailureText(outcome, base));
    // A case that reached its bound still gives flows close to its balance to start from.
    for (std::size_t p = 0; p < warm_.pipes.size(); ++p)
        warm_.pipes[p].flow = base.pipes[p].flow;
    for (std::size_t p = 0; p < warm_.pumps.size(); ++p)
        warm_.pumps[p].flow = base.pumps[p].flow;

    basePressure_.resize(ground_.size());
    for (std::size_t i = 0; i < ground_.size(); ++i)
        basePressure_[i] = (base.head[i] - ground_[i]) * kBarPerMetre;
}

bool FireFlowCalculator::approach(int maxPasses, const std::atomic<bool>* cancel, int& passes) {
    if (tarnholm::SetUpNodeSystem(work_).status != tarnholm::CalcStatus::Done)
        return false;
    pipeFlows_.resize(work_.pipes.size());
    pumpFlows_.resize(work_.pumps.size());
    for (passes = 0; passes < maxPasses;) {
        if (isCancelled(cancel))
            return false;
        for (std::size_t p = 0; p < work_.pipes.size(); ++p)
            pipeFlows_[p] = work_.pipes[p].flow;
        for (std::size_t p = 0; p < work_.pumps.size(); ++p)
            pumpFlows_[p] = work_.pumps[p].flow;
        bool converged = false;
        if (tarnholm::IterationPass(work_, converged).status != tarnholm::CalcStatus::Done)
            return false;
        ++passes;
        double largestChange = 0.0;
        for (std::size_t p = 0; p < work_.pipes.size(); ++p) {
            tarnholm::Pipe& pipe = work_.pipes[p];
            const double change = std::fabs(pipe.newFlow - pipeFlows_[p]) /
                                  (std::fabs(pipeFlows_[p]) + kApproachFlowFloor);
            largestChange = std::max(largestChange, change);
            pipe.flow = 0.5 * (pipeFlows_[p] + pipe.newFlow);
        }
        for (std::size_t p = 0; p < work_.pumps.size(); ++p)
            work_.pumps[p].flow = 0.5 * (pumpFlows_[p] + work_.pumps[p].newFlow);
        // Written so that a change that is no number ends the approach as well.
        if (!(largestChange >= kApproachSettled))
            break;
    }
    return true;
}

FireFlowRun FireFlowCalculator::outcomeAt(int node, FireFlowEnd end, int passes) const {
    FireFlowRun run;
    run.end = end;
    run.passes = passes;
    run.pressure = kNaN;
    run.lowestPressure = kNaN;
    if (!run.hasResult())
        return run;
    const std::vector<double>& ground = case_.ground_;
    run.pressure = (work_.head[node] - ground[node]) * kBarPerMetre;
    for (std::size_t i = 0; i < ground.size(); ++i) {
        if (case_.knownHead_[i])
            continue;
        const double pressure = (work_.head[i] - ground[i]) * kBarPerMetre;
        if (!std::isfinite(pressure))
            continue;
        if (run.lowestNode < 0 || pressure < run.lowestPressure) {
            run.lowestPressure = pressure;
            run.lowestNode = static_cast<int>(i);
        }
    }
    return run;
}

FireFlowRun FireFlowCalculator::run(int node, double extraFlow, const std::atomic<bool>* cancel) {
    work_ = case_.warm_;
    work_.netInflow[node] -= extraFlow * tarnholm::kMilli;
    inflow_ = work_.netInflow;
    const int maxPasses = work_.maxIterations;
    // At least one of the solver's own passes ends every run.
    int passes = 0;
    if (!approach(std::min(kApproachPasses, maxPasses - 1), cancel, passes))
        return outcomeAt(node, isCancelled(cancel) ? FireFlowEnd::Cancelled : FireFlowEnd::Failed,
                         passes);
    // The pump terms of the passes changed the inflows of the pump nodes.
    work_.netInflow = inflow_;
    const tarnholm::IterationOutcome outcome =
        tarnholm::Calculate(work_, {maxPasses - passes, kSteadyHeads, kSteadyWindow, cancel});
    passes += outcome.passes;
    if (outcome.result.status != tarnholm::CalcStatus::Done || !headsAreNumbers(work_))
        return outcomeAt(node, FireFlowEnd::Failed, passes);
    return outcomeAt(node, endOf(outcome.rule), passes);
}

std::optional<NodeFireFlow> FireFlowCalculator::evaluate(int node, const FireFlowSettings& settings,
                                                         const std::atomic<bool>* cancel) {
    NodeFireFlow result;
    result.node = node;
    result.run = run(node, settings.fireFlow, cancel);
    if (result.run.end == FireFlowEnd::Cancelled)
        return std::nullopt;
    result.satisfied = result.run.hasResult() && result.run.pressure >= settings.requiredPressure;
    if (settings.searchMaximum && result.run.hasResult() && std::isfinite(result.run.pressure) &&
        !searchMaximum(settings, cancel, result))
        return std::nullopt;
    return result;
}

namespace {

struct SearchPoint {
    double flow;      // fire flow [l/s]
    double pressure;  // at the node [bar]
};

// The pressure falls from its value without fire flow about with a power n of the fire flow
// (n = 2 for rough pipes, less in smooth ones). n is taken from two points where they allow it,
// and the flow for the limit follows from the point closer to it.
double estimateFlow(double base, double limit, const SearchPoint& a, const SearchPoint& b) {
    double power = 2.0;
    const double dropA = base - a.pressure;
    const double dropB = base - b.pressure;
    if (a.flow > 0.0 && b.flow > 0.0 && a.flow != b.flow && dropA > 0.0 && dropB > 0.0) {
        const double fitted = std::log(dropA / dropB) / std::log(a.flow / b.flow);
        if (fitted >= 1.0 && fitted <= 3.0)
            power = fitted;
    }
    const SearchPoint& near =
        std::fabs(a.pressure - limit) <= std::fabs(b.pressure - limit) ? a : b;
    const double drop = base - near.pressure;
    if (!(near.flow > 0.0 && drop > 0.0 && base > limit))
        return kNaN;
    return near.flow * std::pow((base - limit) / drop, 1.0 / power);
}

}  // namespace

// The bracket is kept on multiples of the search step and only computed flows close it, so that
// the result holds the pressure and the next step does not; estimates from the fall of the
// pressure choose the flows to compute.
bool FireFlowCalculator::searchMaximum(const FireFlowSettings& settings,
                                       const std::atomic<bool>* cancel, NodeFireFlow& result) {
    const int node = result.node;
    const double limit = settings.requiredPressure;
    const double step = kFireFlowSearchStep;
    const int top = static_cast<int>(std::lround(kFireFlowSearchLimit / step));
    const double base = case_.basePressure(node);
    std::vector<SearchPoint> points{{settings.fireFlow, result.run.pressure}};
    int low = base >= limit ? 0 : -1;  // computed multiple of the step that keeps the pressure
    int high = -1;                     // computed multiple of the step that misses it; -1: none
    int sameSide = 0;
    bool lastKept = false;
    while (high < 0 || high - low > 1) {
        if (result.searchRuns >= kMaxSearchRuns) {
            result.maximumKind = FireFlowMaximum::Failed;
            return true;
        }
        // The flows known to keep and to miss the pressure closest to the limit, or the two
        // closest on one side while the other is unknown.
        std::vector<SearchPoint> kept, missed;
        for (const SearchPoint& point : points)
            (point.pressure >= limit ? kept : missed).push_back(point);
        std::sort(kept.begin(), kept.end(),
                  [](const SearchPoint& a, const SearchPoint& b) { return a.flow > b.flow; });
        std::sort(missed.begin(), missed.end(),
                  [](const SearchPoint& a, const SearchPoint& b) { return a.flow < b.flow; });
        double estimate = kNaN;
        if (!kept.empty() && !missed.empty())
            estimate = estimateFlow(base, limit, kept[0], missed[0]);
        else if (kept.size() >= 2)
            estimate = estimateFlow(base, limit, kept[0], kept[1]);
        else if (missed.size() >= 2)
            estimate = estimateFlow(base, limit, missed[0], missed[1]);
        else if (!points.empty())
            estimate = estimateFlow(base, limit, points[0], points[0]);

        const int lowest = low + 1;
        const int highest = high >= 0 ? high - 1 : top;
        int next = std::isfinite(estimate) ? static_cast<int>(std::floor(estimate / step + 1e-9))
                                           : 2 * low + 1;
        // Three steps to the same side: the estimates creep; halve the bracket, or widen it
        // while it is open above.
        if (sameSide >= 3)
            next = high >= 0 ? low + (high - low) / 2 : std::max(next, 2 * low + 1);
        next = std::clamp(next, lowest, highest);
        if (low < 0 && high < 0)
            next = 0;  // below the limit without fire flow: look at the node itself first
        const FireFlowRun at = run(node, next * step, cancel);
        ++result.searchRuns;
        if (at.end == FireFlowEnd::Cancelled)
            return false;
        if (!at.hasResult()) {
            result.maximumKind = FireFlowMaximum::Failed;
            return true;
        }
        points.push_back({next * step, at.pressure});
        const bool keeps = at.pressure >= limit;
        sameSide = keeps == lastKept ? sameSide + 1 : 1;
        lastKept = keeps;
        if (keeps) {
            low = next;
            if (next >= top) {
                result.maximumKind = FireFlowMaximum::AboveLimit;
                result.maximum = top * step;
                return true;
            }
        } else {
            high = next;
        }
    }
    if (low < 0) {
        result.maximumKind = FireFlowMaximum::None;
        return true;
    }
    result.maximumKind = FireFlowMaximum::Found;
    result.maximum = low * step;
    return true;
}

FireFlowReport analyseFireFlow(const FireFlowCase& fireCase, const std::vector<int>& nodes,
                               const FireFlowSettings& settings, FireFlowProgress& progress) {
    FireFlowReport report;
    report.requested = static_cast<int>(nodes.size());
    std::vector<std::optional<NodeFireFlow>> results(nodes.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        FireFlowCalculator calculator(fireCase);
        for (;;) {
            if (isCancelled(&progress.cancel))
                return;
            const std::size_t i = next.fetch_add(1);
            if (i >= nodes.size())
                return;
            std::optional<NodeFireFlow> result;
            try {
                result = calculator.evaluate(nodes[i], settings, &progress.cancel);
            } catch (const std::bad_alloc&) {
                result = NodeFireFlow{};  // reported as failed
                result->node = nodes[i];
            }
            if (!result)
                return;
            results[i] = std::move(result);
            const int done = progress.done.fetch_add(1) + 1;
            if (progress.nodeDone)
                progress.nodeDone(done);
        }
    };
    if (!fireCase.cancelled()) {
        std::size_t workers = settings.workers > 0
                                  ? static_cast<std::size_t>(settings.workers)
                                  : std::max(1u, std::thread::hardware_concurrency());
        workers = std::min(workers, nodes.size());
        std::vector<std::thread> threads;
        for (std::size_t w = 1; w < workers; ++w) {
            try {
                threads.emplace_back(work);
            } catch (const std::system_error&) {
                break;  // fewer workers then
            }
        }
        work();
        for (std::thread& thread : threads)
            thread.join();
    }
    for (std::optional<NodeFireFlow>& slot : results)
        if (slot)
            report.nodes.push_back(std::move(*slot));
    report.cancelled = report.nodes.size() < nodes.size();
    return report;
}

FireFlowJob::FireFlowJob(FireFlowNetwork network, std::vector<int> nodes, FireFlowSettings settings)
    : network_(std::move(network)), nodes_(std::move(nodes)), settings_(settings) {
    report_.requested = static_cast<int>(nodes_.size());
    thread_ = std::thread([this] { work(); });
}

FireFlowJob::~FireFlowJob() {
    cancel();
    if (thread_.joinable())
        thread_.join();
}

void FireFlowJob::work() {
    try {
        const FireFlowCase fireCase(std::move(network_), &progress_.cancel);
        report_ = analyseFireFlow(fireCase, nodes_, settings_, progress_);
    } catch (const KolmaError& e) {
        error_ = e.message();
    } catch (const std::exception& e) {
        error_ = QString::fromLocal8Bit(e.what());
    }
    finished_.store(true, std::memory_order_release);
}

FireFlowSelection fireFlowSelection(const FireFlowNetwork& network, const QString& text) {
    const tarnholm::Network& net = network.solver;
    const std::vector<char> knownHead = knownHeadFlags(net);
    FireFlowSelection selection;
    std::vector<char> taken(knownHead.size(), 0);
    const auto take = [&](int node) {
        if (taken[node])
            return;
        taken[node] = 1;
        if (knownHead[node])
            selection.knownHeads.push_back(static_cast<int>(net.nodeNumber[node]));
        else
            selection.nodes.push_back(node);
    };
    const QStringList words =
        text.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        for (int node = 0; node < net.nodeCount; ++node)
            if (!knownHead[node])
                take(node);
    }
    for (const QString& word : words) {
        bool isNumber = false;
        const int number = word.toInt(&isNumber);
        if (!isNumber)
            throw KolmaError(QStringLiteral("'%1' ist keine Knotennummer.").arg(word));
        const auto found = std::find(net.nodeNumber.begin(), net.nodeNumber.end(), number);
        if (found == net.nodeNumber.end())
            throw KolmaError(
                QStringLiteral("Knoten %1 steht nicht in der Knotentabelle.").arg(number));
        take(static_cast<int>(found - net.nodeNumber.begin()));
    }
    if (selection.nodes.empty())
        throw KolmaError(
            QStringLiteral("Unter den gewählten Knoten ist keiner ohne bekannten Druck. Ein "
                           "Knoten mit bekanntem Druck behält ihn, was immer entnommen wird."));
    return selection;
}

}  // namespace kolma
