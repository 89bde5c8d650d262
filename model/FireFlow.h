// Fire flow (Löschwasser) at the nodes of a network: for each chosen node the network is computed
// with the fire flow added to that node's withdrawal, everything else as in the tables, giving
// the residual pressure at the node, the lowest pressure in the network and, on request, the
// largest fire flow that still keeps the required pressure. The runs use the solver's own
// arithmetic in-process, start from the flows of the case without fire flow, and share the
// nodes out among worker threads, each with a network of its own.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <limits>
#include <optional>
#include <thread>
#include <vector>

#include "Network.h"
#include "tarnholm/network.h"

namespace kolma {

// What a fire flow calculation reads: the solver's network as read, before any pass, and the
// ground level of every node (node index = position in the node table).
struct FireFlowNetwork {
    tarnholm::Network solver;
    std::vector<double> ground;  // [mNN]; NaN for a node without ground level
};

// The network of the snapshot. Raises TableError for a value that is no number and KolmaError
// when the solver would refuse the input.
FireFlowNetwork fireFlowNetworkOf(const Network& network);

// Basic fire protection ("Grundschutz") is asked for in m³/h; the solver works in l/s.
inline constexpr double kCubicMetresPerHourInLitresPerSecond = 1.0 / 3.6;
// The maximal fire flow is searched on multiples of this flow [l/s] ...
inline constexpr double kFireFlowSearchStep = 0.1;
// ... up to this flow [l/s]; a node that keeps the pressure there is reported as "more than".
inline constexpr double kFireFlowSearchLimit = 1000.0;

struct FireFlowSettings {
    double fireFlow = 96.0 * kCubicMetresPerHourInLitresPerSecond;  // added withdrawal [l/s]
    double requiredPressure = 1.5;  // residual pressure above ground level [bar]
    bool searchMaximum = false;     // also the largest fire flow that keeps the pressure
    int workers = 0;                // worker threads; 0: one per core
};

// How a calculation ended.
enum class FireFlowEnd {
    Converged,    // the solver's own stop rule
    HeadsSteady,  // no head moved by 1 mm over the last 20 passes (a pipe swings at Re 2300)
    Bound,        // the iteration bound of the settings was reached: no result
    Failed,       // the node system could not be solved: no result
    Cancelled,
};

inline constexpr double kNoPressure = std::numeric_limits<double>::quiet_NaN();

struct FireFlowRun {
    FireFlowEnd end = FireFlowEnd::Failed;
    int passes = 0;
    double pressure = kNoPressure;        // at the node [bar]; NaN without ground level or result
    double lowestPressure = kNoPressure;  // lowest of the nodes without known head [bar]
    int lowestNode = -1;                  // its node index; -1 when no node has a ground level
    // Converged or steady heads: the numbers are a result.
    bool hasResult() const {
        return end == FireFlowEnd::Converged || end == FireFlowEnd::HeadsSteady;
    }
};

enum class FireFlowMaximum {
    NotSearched,  // not asked for, or the node's own run gave no pressure
    Found,        // maximum holds the pressure, maximum + step does not
    None,         // not even without fire flow does the node keep the pressure
    AboveLimit,   // the node keeps the pressure at kFireFlowSearchLimit
    Failed,       // a run of the search gave no result
};

struct NodeFireFlow {
    int node = 0;  // node index
    FireFlowRun run;
    bool satisfied = false;  // the run has a result and the node keeps the required pressure
    FireFlowMaximum maximumKind = FireFlowMaximum::NotSearched;
    double maximum = 0.0;  // [l/s], for Found
    int searchRuns = 0;    // calculations of the search
};

// The case without fire flow, computed once and then read by every worker: the template each
// run copies (the network as read with the flows of this case) and the node data.
class FireFlowCase {
public:
    // Computes the case without fire flow. Raises KolmaError when it cannot be computed; a
    // cancelled computation leaves cancelled() set.
    explicit FireFlowCase(FireFlowNetwork network, const std::atomic<bool>* cancel = nullptr);

    bool cancelled() const { return cancelled_; }
    // The pressure of a node without fire flow [bar]; NaN without ground level.
    double basePressure(int node) const { return basePressure_[node]; }

private:
    friend class FireFlowCalculator;
    tarnholm::Network warm_;
    std::vector<double> ground_;
    std::vector<char> knownHead_;
    std::vector<double> basePressure_;
    bool cancelled_ = false;
};

// The calculations of one thread: a network of its own, reused from run to run.
class FireFlowCalculator {
public:
    explicit FireFlowCalculator(const FireFlowCase& fireCase) : case_(fireCase) {}

    // The network with extraFlow [l/s] added to the node's withdrawal.
    FireFlowRun run(int node, double extraFlow, const std::atomic<bool>* cancel = nullptr);
    // The node's fire flow run and, as the settings ask, the search for its maximal fire flow;
    // nothing when cancelled.
    std::optional<NodeFireFlow> evaluate(int node, const FireFlowSettings& settings,
                                         const std::atomic<bool>* cancel = nullptr);
    // The network of the latest run: heads [mNN], pipe and pump flows (newFlow) [l/s].
    const tarnholm::Network& network() const { return work_; }

private:
    // Sets maximumKind, maximum and searchRuns of the result; false when cancelled.
    bool searchMaximum(const FireFlowSettings& settings, const std::atomic<bool>* cancel,
                       NodeFireFlow& result);
    // Passes with the flows moved half-way to the new flows: false when a pass failed or the
    // run was cancelled.
    bool approach(int maxPasses, const std::atomic<bool>* cancel, int& passes);
    FireFlowRun outcomeAt(int node, FireFlowEnd end, int passes) const;

    const FireFlowCase& case_;
    tarnholm::Network work_;
    std::vector<double> inflow_;  // net inflows of the run, restored after the approach
    std::vector<double> pipeFlows_;
    std::vector<double> pumpFlows_;
};

// Shared between a running analysis and those who watch it.
struct FireFlowProgress {
    std::atomic<bool> cancel{false};  // set to stop: runs end within a pass
    std::atomic<int> done{0};         // nodes finished
    // Called on the worker thread after each finished node with the new count.
    std::function<void(int done)> nodeDone;
};

struct FireFlowReport {
    std::vector<NodeFireFlow> nodes;  // the nodes finished, in the order they were asked for
    int requested = 0;
    bool cancelled = false;
};

// Computes the nodes on worker threads (settings.workers, or one per core). A cancelled
// analysis returns the nodes finished before; a node whose calculation fails is reported so and
// the others go on.
FireFlowReport analyseFireFlow(const FireFlowCase& fireCase, const std::vector<int>& nodes,
                               const FireFlowSettings& settings, FireFlowProgress& progress);

// A fire flow analysis on a thread of its own, for a window that must stay responsive: the case
// without fire flow, then the nodes on the workers.
class FireFlowJob {
public:
    FireFlowJob(FireFlowNetwork network, std::vector<int> nodes, FireFlowSettings settings);
    // Cancels and waits for the thread.
    ~FireFlowJob();
    FireFlowJob(const FireFlowJob&) = delete;
    FireFlowJob& operator=(const FireFlowJob&) = delete;

    void cancel() { progress_.cancel = true; }
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    int done() const { return progress_.done.load(std::memory_order_relaxed); }
    int total() const { return static_cast<int>(nodes_.size()); }
    // Once finished: the nodes computed (all of them unless cancelled) ...
    const FireFlowReport& report() const { return report_; }
    // ... or the reason no node could be computed (empty when there is none).
    const QString& error() const { return error_; }

private:
    void work();

    FireFlowNetwork network_;
    std::vector<int> nodes_;
    FireFlowSettings settings_;
    FireFlowProgress progress_;
    FireFlowReport report_;
    QString error_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

// The nodes a selection names: for an empty text every node without known head; else node
// numbers separated by blanks or commas, each taken once, where nodes with a known head are
// left out (they keep their head whatever is withdrawn) and listed in knownHeads. Raises
// KolmaError for a word that is no node number of the network.
struct FireFlowSelection {
    std::vector<int> nodes;       // node indices
    std::vector<int> knownHeads;  // node numbers left out
};
FireFlowSelection fireFlowSelection(const FireFlowNetwork& network, const QString& text);

}  // namespace kolma
