// The solver in another program: the network read from a text gives the program's reading, and
// Calculate iterates as the program does, within the caller's limits.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "read_run.h"
#include "tarnholm/element_laws.h"
#include "tarnholm/in_process.h"
#include "tarnholm/iteration.h"

namespace tarnholm {
namespace {

std::string GoldenInput(const char* name) {
    std::ifstream in(std::string(SOLVER_GOLDEN_DIR) + "/" + name + "/eingabe.dat",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Network ReadText(const std::string& text) {
    Network net;
    EXPECT_FALSE(ReadNetworkText(text, net));
    return net;
}

TEST(InProcess, ReadsAsTheProgramAndComputesTheSameNumbers) {
    for (const char* name : {"meshed_loops", "pump_station", "single_pipe"}) {
        SCOPED_TRACE(name);
        const std::string text = GoldenInput(name);
        Network program = ReadFromMemory(text).net;
        Network inProcess = ReadText(text);
        ASSERT_EQ(inProcess.netInflow, program.netInflow) << "inflows in m^3/s after reading";
        int counter = 0;
        ASSERT_EQ(SetUpNodeSystem(program).status, CalcStatus::Done);
        Iterate(program, counter);
        const IterationOutcome outcome = Calculate(inProcess, {program.maxIterations});
        EXPECT_EQ(outcome.rule, StopRule::Converged);
        EXPECT_EQ(outcome.passes, counter);
        EXPECT_EQ(inProcess.head, program.head);
        for (std::size_t p = 0; p < program.pipes.size(); ++p)
            EXPECT_EQ(inProcess.pipes[p].newFlow, program.pipes[p].newFlow) << "pipe " << p;
    }
}

TEST(InProcess, EndsAtTheBoundWhenCancelledAndWhenTheHeadsStandStill) {
    // The pipe's flow swings across the friction factor's jump: the program's rule never holds.
    const std::string text = GoldenInput("friction_jump_to_bound");
    Network bound = ReadText(text);
    const IterationOutcome atBound = Calculate(bound, {40});
    EXPECT_EQ(atBound.rule, StopRule::Bound);
    EXPECT_EQ(atBound.passes, 40);
    EXPECT_FALSE(bound.pipes[0].converged);
    EXPECT_GT(ReynoldsNumber(bound.pipes[0], bound.viscosity), 1000.0);

    Network steady = ReadText(text);
    const IterationOutcome still = Calculate(steady, {40, 1e9, 5});
    EXPECT_EQ(still.rule, StopRule::HeadsSteady);
    EXPECT_EQ(still.passes, 6) << "the first full window of five changes";

    const std::atomic<bool> cancel{true};
    Network cancelled = ReadText(text);
    const IterationOutcome stopped = Calculate(cancelled, {40, 0.0, 20, &cancel});
    EXPECT_EQ(stopped.rule, StopRule::Cancelled);
    EXPECT_EQ(stopped.passes, 0);
}

TEST(InProcess, FailuresAreReportedNotWritten) {
    Network isolated = ReadText(GoldenInput("isolated_node_stops_the_run"));
    EXPECT_EQ(Calculate(isolated, {100}).result.status, CalcStatus::NotPositiveDefinite);
    Network old;
    EXPECT_EQ(ReadNetworkText("1 0 0 0 0", old).code, InputErrorCode::OldFile);
    Network none;
    EXPECT_TRUE(ReadNetworkText("", none));
}

}  // namespace
}  // namespace tarnholm
