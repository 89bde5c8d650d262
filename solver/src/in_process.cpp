#include "tarnholm/in_process.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tarnholm/iteration.h"

namespace tarnholm {
namespace {

ssize_t Discard(void*, const char*, std::size_t size) {
    return static_cast<ssize_t>(size);
}

// A stream that takes whatever is written and keeps nothing: the echo of a run in-process.
FILE* OpenSink() {
    cookie_io_functions_t functions{};
    functions.write = Discard;
    return fopencookie(nullptr, "w", functions);
}

// The heads of the last window + 1 passes, to tell how far the heads still move.
class HeadHistory {
public:
    HeadHistory(int window, std::size_t nodes) : passes_(window + 1, std::vector<double>(nodes)) {}

    void Add(const std::vector<double>& heads) {
        passes_[next_ % passes_.size()] = heads;
        ++next_;
    }

    // The largest change of a head between the oldest and the newest pass kept.
    double Movement() const {
        if (next_ < 2) {
            return 0.0;
        }
        const std::size_t kept = std::min(next_, passes_.size());
        const std::vector<double>& newest = passes_[(next_ - 1) % passes_.size()];
        const std::vector<double>& oldest = passes_[(next_ - kept) % passes_.size()];
        double movement = 0.0;
        for (std::size_t i = 0; i < newest.size(); ++i) {
            movement = std::max(movement, std::fabs(newest[i] - oldest[i]));
        }
        return movement;
    }

    bool FullWindow() const { return next_ >= passes_.size(); }

private:
    std::vector<std::vector<double>> passes_;
    std::size_t next_ = 0;
};

}  // namespace

InputError ReadNetworkText(const std::string& text, Network& net) {
    InputError error;
    error.code = InputErrorCode::FileEnds;
    if (text.empty()) {
        return error;
    }
    FILE* input = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    FILE* echo = OpenSink();
    if (input == nullptr || echo == nullptr) {
        if (input != nullptr) {
            std::fclose(input);
        }
        if (echo != nullptr) {
            std::fclose(echo);
        }
        return error;
    }
    const HeaderStatus header = ReadHeader(input, net, error);
    if (header == HeaderStatus::Read) {
        CreateTables(net);
        error = ReadNetwork(input, net, echo);
    } else if (header == HeaderStatus::NewerKind) {
        error.code = InputErrorCode::HeaderField;
        error.field = HeaderField::Kind;
    }
    std::fclose(input);
    std::fclose(echo);
    return error;
}

IterationOutcome Calculate(Network& net, const IterationLimits& limits) {
    IterationOutcome outcome;
    outcome.result = SetUpNodeSystem(net);
    if (outcome.result.status != CalcStatus::Done) {
        return outcome;
    }
    const int window = std::max(1, limits.steadyWindow);
    HeadHistory history(window, net.head.size());
    while (outcome.passes < limits.maxPasses) {
        if (limits.cancel != nullptr && limits.cancel->load(std::memory_order_relaxed)) {
            outcome.rule = StopRule::Cancelled;
            return outcome;
        }
        bool converged = false;
        outcome.result = IterationPass(net, converged);
        ++outcome.passes;
        if (outcome.result.status != CalcStatus::Done) {
            return outcome;
        }
        history.Add(net.head);
        outcome.headMovement = history.Movement();
        if (converged) {
            outcome.rule = StopRule::Converged;
            return outcome;
        }
        if (limits.steadyHeads > 0.0 && history.FullWindow() &&
            outcome.headMovement < limits.steadyHeads) {
            outcome.rule = StopRule::HeadsSteady;
            return outcome;
        }
    }
    outcome.rule = StopRule::Bound;
    return outcome;
}

}  // namespace tarnholm
