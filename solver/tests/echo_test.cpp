#include <gtest/gtest.h>

#include <string>

#include "read_run.h"

namespace tarnholm {

namespace {

TEST(InputEcho, PumpEchoShowsOnlyTheValidSupportPoints) {
    const ReadRun run = ReadFromMemory(
        "3\t1.305\t50\t0\t3\t1\t1\n\n1\n2\n3\n\n\n\n"
        "P1\t1\t2\t3\n"
        "30.0\t28.0\t20.0\t---\t---\t---\t---\t---\t\n"
        "0\t2.0\t4.0\t(null)\t(null)\t(null)\t(null)\t(null)\t\n\n\n\n"
        "0\t50.0\t---\t---\t52.0\t49.0\t\n"
        "1\t---\t---\t---\t51.0\t48.0\t\n"
        "2\t---\t0\t1.5\t70.0\t---\t\n");
    ASSERT_FALSE(run.error);
    EXPECT_EQ(run.report,
              "\n"
              "\nAnzahl der Straenge = 0"
              "\nAnzahl der Knoten = 3"
              "\nAnzahl der Pumpen = 1"
              "\nAnzahl der bekannten Druckhoehen = 1"
              "\nkinematisch Vikosität=  1.305 10-6 m2/s"
              "\n\n"
              "\n\n"
              "\nPumpentyp:  P1"
              "\n| KNA-KNE |     2-3      |"
              "\n"
              "\nh [m]    |\t   30.00|   28.00|   20.00|"
              "\nQ [l/s]  |\t    0.00|    2.00|    4.00|"
              "\n\n"
              "Knotennummern mit ihren bekannten Druckhoehen in mNN:\n"
              "    1    |      50.00|\n"
              "\n\n"
              "Wassereinspeisung (+) bzw. Entnahmen (-) in [l/s] je Knoten:\n"
              "    1    |       0.00|\n"
              "    2    |       0.00|\n"
              "    3    |      -1.50|\n");
    const Pump& pump = run.net.pumps[0];
    EXPECT_EQ(pump.supportCount, 3);
    EXPECT_DOUBLE_EQ(pump.flow, 3.0) << "first guess is the mean of Q2 and Q3";
    EXPECT_EQ(pump.supportHead[3], 0.0) << "placeholders convert to 0";
    EXPECT_EQ(run.net.elevation[2], 0.0) << "a placeholder invert gives elevation 0";
}

// Pipe and pump with start = end, non-numeric fields, signs of inflow and withdrawal.
TEST(InputEcho, ToleratesWhatIsNoErrorAndUsesAbsoluteInflows) {
    const ReadRun run = ReadFromMemory(
        "3\t1.305\t50\t2\t4\t1\t2\n\n5\n6\n7\n8\n\n"
        "1\t1\t1\t10m\tabc\t(null)\t---\t\n"
        "2\t2\t3\t1e2\t100\t0.1\t0.5\t\n\n\n"
        "Typ\t3\t3\t8\n"
        "8\t7\t6\t5\t4\t3\t2\t1\t\n"
        "1\t2\t3\t4\t5\t6\t7\t8\t\n\n\n\n"
        "0\t10\t1.5\t-4\t---\t---\t\n"
        "1\t(null)\t1.5\t4\t---\t---\t\n"
        "2\t---\t-1.5\t4\t---\t---\t\n"
        "3\t11\t---\t---\t---\t---\t\n");
    ASSERT_FALSE(run.error);
    for (const char* part :
         {"\n    1    |    6-6    |      10.00|       0.00|  0.00|  0.00|",
          "\n    2    |    7-8    |     100.00|     100.00|  0.10|  0.50|",
          "\n| KNA-KNE |     8-8      |",
          "\nh [m]    |\t    8.00|    7.00|    6.00|    5.00|    4.00|    3.00|    2.00|    1.00|",
          "    5    |      -2.50|\n    6    |      -2.50|\n    7    |      -2.50|\n"
          "    8    |       0.00|\n",
          "mNN:\n    5    |      10.00|\n    8    |      11.00|\n\n\n"}) {
        EXPECT_NE(run.report.find(part), std::string::npos) << part << "\nin\n" << run.report;
    }
}

// Every refused body names its fault and the line, and writes nothing of the echo.
TEST(InputChecks, RefuseMalformedBodiesAtTheFaultyLine) {
    const std::string header2 = "3 1.305 100 1 2 0 1\n10 20\n";
    const struct {
        std::string file;
        InputErrorCode code;
        InputSection section;
        int line;
    } cases[] = {
        {"3 1.305 100 0 3 0 0\n10 20", InputErrorCode::FileEnds, InputSection::NodeNumbers, 3},
        {header2 + "1 0 2 1 1 1 0", InputErrorCode::NodeOutOfRange, InputSection::Pipes, 1},
        {header2 + "1 -1 1 1 1 1 0", InputErrorCode::NodeOutOfRange, InputSection::Pipes, 1},
        {header2 + "1 nan 1 1 1 1 0", InputErrorCode::NodeOutOfRange, InputSection::Pipes, 1},
        {header2 + "1 0 1 1 1 1 0\n0 1e400 --- --- --- ---\n1 --- x", InputErrorCode::FileEnds,
         InputSection::Nodes, 2},
        {header2 + "1 0 1 1 1 1 0\n-1 100 --- --- --- ---\n", InputErrorCode::NodeOutOfRange,
         InputSection::Nodes, 1},
        {header2 + "1 0 1 1 1 1 0\n--- 100 --- --- --- ---\n", InputErrorCode::NodeIndexNotWhole,
         InputSection::Nodes, 1},
        {header2 + "1 0 1 1 1 1 0\n0 --- --- --- --- ---\n1 --- 1 1 --- ---",
         InputErrorCode::KnownHeadCountMismatch, InputSection::Nodes, 0},
    };
    for (const auto& c : cases) {
        const ReadRun run = ReadFromMemory(c.file);
        EXPECT_EQ(run.error.code, c.code) << c.file;
        EXPECT_EQ(run.error.section, c.section) << c.file;
        EXPECT_EQ(run.error.line, c.line) << c.file;
        EXPECT_EQ(run.report.find("Anzahl der Straenge"), std::string::npos) << c.file;
    }
}

// Beyond the whole-program cases: the bounds of the support count and the name length.
TEST(InputChecks, RefuseMalformedPumps) {
    const std::string head = "3 1.305 100 0 2 2 1\n10 20\n";
    const std::string good = "P 0 1 2 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8\n";
    const std::string nodes = "0 100 --- --- --- ---\n1 --- --- --- --- ---\n";
    for (const char* count : {"0", "---", "0.5", "8.5", "nan"}) {
        const ReadRun run = ReadFromMemory(head + good + "P 0 1 " + count +
                                           " 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8\n" + nodes);
        EXPECT_EQ(run.error.code, InputErrorCode::SupportCountOutOfRange) << count;
        EXPECT_EQ(run.error.section, InputSection::Pumps) << count;
        EXPECT_EQ(run.error.line, 2) << count;
    }
    const ReadRun cut = ReadFromMemory(head + good + "P 0 1 2 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7\n");
    EXPECT_EQ(cut.error.code, InputErrorCode::FileEnds);
    EXPECT_EQ(cut.error.line, 2);
    const ReadRun longest =
        ReadFromMemory(head + good + std::string(24, 'N') + " 0 1 8" + std::string(32, ' ') +
                       " 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8\n" + nodes);
    ASSERT_FALSE(longest.error);
    EXPECT_EQ(std::string(longest.net.pumpNames[1].data()), std::string(24, 'N'));
}

}  // namespace

}  // namespace tarnholm
