#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "network_builder.h"
#include "tarnholm/report.h"

namespace tarnholm {

namespace {

// Two nodes 10 and 20 at heads 100 and 99.5, one pipe of 120.5 m and 150 mm carrying 2.5 l/s.
Network ExampleNetwork() {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 10, 100.0, 98.0);
    testnet::AddNode(net, 20, -2.5, 97.5);
    testnet::AddPipe(net, 0, 1, 120.5, 150.0);
    net.head[1] = 99.5;
    net.pipes[0].newFlow = 2.5;
    return net;
}

template <typename Write>
std::string Written(Write write) {
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    write(stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

}  // namespace

TEST(GraphData, ExampleLayout) {
    const Network net = ExampleNetwork();
    const std::string text = Written([&](FILE* f) { WriteGraphData(net, 12, f); });
    EXPECT_EQ(
        text,
        "\n1000\n\n12\n\n\n2\n \n    100.000\n     99.500\n\n1\n \n        2.50          0.14");
}

// The range test bounds the lift by the last and the second support head (not the first) and
// the flow by the first and last support flows; values that are not numbers lie outside.
TEST(Results, PumpOperatingRange) {
    struct Case {
        double flow;
        double lift;
        bool inRange;
    };
    const Case cases[] = {
        {15.0, 25.0, true},  {0.0, 28.0, true},   {30.0, 12.0, true},
        {15.0, 29.0, false}, {15.0, 11.9, false}, {-0.1, 25.0, false},
        {30.1, 25.0, false}, {NAN, 25.0, false},  {15.0, NAN, false},
    };
    Network net = testnet::Empty();
    Pump& pump = testnet::AddPump(net, "P", 0, 1, {0, 10, 20, 30}, {30, 28, 22, 12});
    for (const Case& c : cases) {
        pump.newFlow = c.flow;
        EXPECT_EQ(PumpInRange(pump, -c.lift), c.inRange) << c.flow << " l/s, " << c.lift << " m";
    }
}

// A valve or fitting entered as a pipe of length 0 with only its zeta: its head loss is the
// head difference of its nodes (the gradient has no finite value and is left as it comes).
TEST(Results, PipeOfLengthZeroShowsItsHeadLoss) {
    Network net = ExampleNetwork();
    net.pipes[0].length = 0.0;
    net.pipes[0].zeta = 2.5;
    const std::string text = Written([&](FILE* f) { WriteResults(net, 12, f); });
    const std::size_t row = text.find("\n|  10-20  |");
    ASSERT_NE(row, std::string::npos) << text;
    const std::string line = text.substr(row + 1, text.find('\n', row + 1) - row - 1);
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    // Fields: nodes, flow, velocity, gradient, head loss, local-loss share.
    std::vector<std::string> fields;
    std::istringstream cells(line.substr(1));
    for (std::string cell; std::getline(cells, cell, '|');) {
        fields.push_back(cell);
    }
    ASSERT_EQ(fields.size(), 6u) << line;
    EXPECT_DOUBLE_EQ(std::atof(fields[4].c_str()), 0.5) << line;  // 100 - 99.5
}

}  // namespace tarnholm
