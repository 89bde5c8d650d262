// An imported network saved through the project writer and computed by tarnholm gives the heads
// that EPANET computes for the same file.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTextStream>
#include <map>

#include "EpanetImport.h"
#include "Projekt.h"
#include "WorkingDirectory.h"
#include "project_tables.h"

using kolma::testing::ProjectTables;
using kolma::testing::WorkingDirectory;

namespace {

const QString kTarnholm = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");

// A reservoir feeding a meshed network of five junctions, Darcy-Weisbach, no pumps.
const QByteArray kSmallNetwork =
    "[TITLE]\nSmall D-W network\n"
    "[JUNCTIONS]\n;ID Elev Demand\n2 50 5\n3 48 8\n4 45 6\n5 46 4\n6 44 7\n"
    "[RESERVOIRS]\n1 100\n"
    "[PIPES]\n;ID N1 N2 Length Diam Rough Minor\n"
    "11 1 2 500 250 0.1 0\n12 2 3 400 200 0.1 0\n13 2 4 350 150 0.1 1.5\n"
    "14 3 5 300 150 0.1 0\n15 4 5 300 100 0.1 0\n16 5 6 250 100 0.1 0\n17 4 6 400 100 0.1 0\n"
    "[OPTIONS]\nUNITS LPS\nHEADLOSS D-W\nVISCOSITY 1.0\nACCURACY 0.00001\n[END]\n";

// Heads [m] of EPANET 2.2 for kSmallNetwork: the file run once through EN_open and EN_solveH
// of the npm package epanet-js 0.9.0 under node, heads read with EN_HEAD.
const std::map<int, double> kEpanetHeads = {{1, 100.0},   {2, 99.2779}, {3, 98.7901},
                                            {4, 98.4569}, {5, 98.4127}, {6, 97.6547}};

// The whitespace-separated tokens of "graphein.dat": maximum iterations, passes, node count,
// the heads in node table order, pipe count, then flow and velocity per pipe.
std::vector<double> graphHeads(const QByteArray& graph) {
    QByteArray copy = graph;
    QTextStream in(&copy);
    int maxIterations = 0, passes = 0, count = 0;
    in >> maxIterations >> passes >> count;
    std::vector<double> heads(count);
    for (double& head : heads)
        in >> head;
    return heads;
}

}  // namespace

TEST(EpanetSolver, ImportedNetworkGivesEpanetsHeadsWithinTwoPercentOfTheLoss) {
    WorkingDirectory dir;
    dir.write("klein.inp", kSmallNetwork);
    ProjectTables t;
    kolma::ProjectSettings settings{"1,305", "1000"};
    kolma::importEpanetFile(dir.filePath("klein.inp"), t.tables(), settings);

    const QByteArray eingabe =
        kolma::convertSeparators(kolma::eingabeText(t.tables(), settings), 1);
    dir.write("eingabe.dat", eingabe);
    QProcess solver;
    solver.setWorkingDirectory(dir.path());
    solver.start(kTarnholm, {});
    ASSERT_TRUE(solver.waitForFinished(60000)) << "tarnholm did not end";
    ASSERT_TRUE(dir.exists("graphein.dat")) << dir.read("ausgabe.aus").toStdString();

    const std::vector<double> heads = graphHeads(dir.read("graphein.dat"));
    ASSERT_EQ(heads.size(), kEpanetHeads.size());
    for (int row = 1; row <= static_cast<int>(heads.size()); ++row) {
        const int number = t.nodes.cell(1, row).toInt();
        const double expected = kEpanetHeads.at(number);
        const double loss = 100.0 - expected;
        EXPECT_NEAR(heads[row - 1], expected, 0.02 * loss + 1e-9) << "node " << number;
    }
}
