// Writing "eingabe.dat" from the tables, the separator conversion, and reading a file of kind 1,
// 2 or 3 back into the tables and settings.
#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "Network.h"
#include "ProjectFile.h"
#include "ProjectTables.h"

using kolma::Conversion;
using kolma::ProjectSettings;
using kolma::testing::kSampleWithCommas;
using kolma::testing::ProjectTables;
using kolma::testing::typeSampleNetwork;

namespace {

const ProjectSettings kDefaults{"1,305", "1000"};

QString lineOf(const QByteArray& text, int index) {
    return QString::fromUtf8(text).split(QLatin1Char('\n')).value(index);
}

TEST(ProjectSave, SampleNetworkGivesTheFileLayoutWithCommas) {
    ProjectTables t;
    typeSampleNetwork(t);
    EXPECT_EQ(kolma::eingabeText(t.tables(), kDefaults), kSampleWithCommas);
    // Settings are written as typed, unchecked.
    EXPECT_EQ(lineOf(kolma::eingabeText(t.tables(), {"abc", "50"}), 0), "3\tabc\t50\t2\t4\t1\t1");
}

TEST(ProjectSave, NodeReferencesBecomeIndicesInTableOrder) {
    ProjectTables t;
    int row = 0;
    for (const char* node : {"30", "10", "20"})
        t.setRow(t.nodes, ++row, {node});
    t.setRow(t.pipes, 1, {"1", "10", "20", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 3, {"3", "10", "30", "1", "100", "0,1", "0"});
    const QByteArray text = kolma::eingabeText(t.tables(), kDefaults);
    EXPECT_TRUE(lineOf(text, 6).startsWith("1\t1\t2\t")) << text.constData();
    EXPECT_TRUE(lineOf(text, 7).startsWith("2\t2\t0\t"));
    EXPECT_TRUE(lineOf(text, 8).startsWith("3\t1\t0\t"));
    // Reopened, the indices become node numbers again.
    ProjectTables reopened;
    ProjectSettings settings;
    kolma::readProjectText(text, reopened.tables(), settings);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(kolma::rowValues(reopened.pipes, r, 3), kolma::rowValues(t.pipes, r, 3))
            << "row " << r;
}

TEST(ProjectSave, SupportCountFollowsTheFirstEmptyHead) {
    ProjectTables t;
    t.setRow(t.nodes, 1, {"1"});
    t.setRow(t.nodes, 2, {"2"});
    const QStringList flows = {"0", "1", "2", "3", "4", "5", "6", "7"};
    t.setPump(1, {"A", "1", "2"}, {"9", "8", "7", "6", "5", " ", "", "---"}, flows);
    t.setPump(2, {"B", "1", "2"}, {"9", "8", "7", "6", "5", "4", "3", "2"}, flows);
    t.setPump(3, {"C", "1", "2"}, {" ", "8", "7", " ", "5", "4", "3", "2"}, flows);
    const kolma::Network network = kolma::networkOf(t.tables(), kDefaults);
    EXPECT_EQ(network.pumps[0].supportCount, 5);
    EXPECT_EQ(network.pumps[1].supportCount, 8);
    // An empty first head leaves the count to the next empty head.
    EXPECT_EQ(network.pumps[2].supportCount, 3);
    EXPECT_TRUE(kolma::eingabeText(t.tables(), kDefaults)
                    .contains("A\t0\t1\t5\n9\t8\t7\t6\t5\t---\t---\t---\t\n"));
}

TEST(ProjectSave, CountsOfFullTablesAndKnownHeads) {
    ProjectTables t;
    for (int r = 1; r <= 1000; ++r) {
        t.setRow(t.nodes, r, {QString::number(r), r % 2 ? "50" : "---"});
        t.setRow(t.pipes, r, {QString::number(r), "1", "2", "1", "100", "0,1", "0"});
    }
    for (int k = 1; k <= 34; ++k)
        t.setPump(k, {QStringLiteral("P%1").arg(k), "1", "2"}, {"9", "8", "7"}, {"1", "2", "3"});
    t.nodes.setCell(2, 1, "(null)");
    // Known heads: every odd row but the first, "---" and "(null)" are no value.
    EXPECT_EQ(lineOf(kolma::eingabeText(t.tables(), kDefaults), 0),
              "3\t1,305\t1000\t1000\t1000\t34\t499");
}

// The calculation asks before it computes a file the tables no longer hold.
TEST(ProjectSave, EingabeMatchesTheTablesWithEitherSeparatorUntilACellChanges) {
    ProjectTables t;
    typeSampleNetwork(t);
    EXPECT_TRUE(kolma::eingabeMatches(t.tables(), kDefaults, kSampleWithCommas));
    EXPECT_TRUE(kolma::eingabeMatches(t.tables(), kDefaults,
                                      QByteArray(kSampleWithCommas).replace(',', '.')));
    EXPECT_FALSE(kolma::eingabeMatches(t.tables(), {"1,305", "500"}, kSampleWithCommas));
    t.nodes.setCell(4, 2, "1,6");
    EXPECT_FALSE(kolma::eingabeMatches(t.tables(), kDefaults, kSampleWithCommas));
    t.nodes.setCell(4, 2, "1 5");  // tables that cannot be saved match no file
    EXPECT_FALSE(kolma::eingabeMatches(t.tables(), kDefaults, kSampleWithCommas));
}

TEST(SeparatorConversion, CommasAndPointsBetweenDigitsAndAtTheStartOfNumbers) {
    const struct {
        QByteArray in;
        Conversion conversion;
        QByteArray out;
    } cases[] = {
        {"12,5", Conversion::Save, "12.5"},
        {"12,5", Conversion::Calculation, "12.5"},
        {"12.5", Conversion::Open, "12,5"},
        {"1,5,2", Conversion::Save, "1.5.2"},
        {"3.5a\t", Conversion::Save, "3.5a\t"},
        {"3.5a\t", Conversion::Open, "3,5a\t"},
        {",5\t-,5\t+,5\n,7", Conversion::Save, "0.5\t-0.5\t+0.5\n0.7"},
        {".5 -.25", Conversion::Open, "0,5 -0,25"},
        {"5,\ta,b\t,x\t1,,2", Conversion::Save, "5\tab\tx\t12"},
        {"1.305\t---\t(null)", Conversion::Save, "1.305\t---\t(null)"},
        {"1.305", Conversion::Calculation, "1.305"},
        {"", Conversion::Save, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolma::convertSeparators(c.in, c.conversion), c.out) << c.in.constData();
}

TEST(ProjectOpen, OlderKindsReadNodeReferencesTheirWay) {
    ProjectTables t;
    ProjectSettings settings{"0,8", "200"};
    // Kind 1: no node list, references are node numbers.
    kolma::readProjectText(
        "1\t1\t2\t0\t1\n"
        "7\t10\t20\t5,5\t100\t0,1\t0\t\n"
        "10\t50,0\t---\t---\t55\t48\t\n"
        "20\t(null)\t---\t1,5\t54\t47\t\n",
        t.tables(), settings);
    EXPECT_EQ(kolma::rowValues(t.pipes, 1, 3), QStringList({"7", "10", "20"}));
    EXPECT_EQ(kolma::rowValues(t.nodes, 2, 2), QStringList({"20", "---"}));
    EXPECT_EQ(settings.viscosity, "0,8");
    EXPECT_EQ(settings.iterations, "200");

    // Kind 2: node list and indices, but no settings.
    ProjectTables t2;
    kolma::readProjectText(
        "2\t1\t2\t0\t0\n\n10\n20\n\n"
        "7\t1\t0\t5,5\t100\t0,1\t0\t\n\n\n\n\n"
        "0\t---\t---\t---\t55\t48\t\n"
        "1\t---\t---\t1,5\t54\t47\t\n",
        t2.tables(), settings);
    EXPECT_EQ(kolma::rowValues(t2.pipes, 1, 3), QStringList({"7", "20", "10"}));
    EXPECT_EQ(t2.nodes.cell(1, 1), "10");
    EXPECT_EQ(kolma::rowValues(t2.nodes, 2, 4), QStringList({"20", "---", "---", "1,5"}));
    EXPECT_EQ(settings.viscosity, "0,8");
}

TEST(ProjectOpen, BadCountsAndIndicesStopTheReading) {
    const std::pair<QByteArray, QString> cases[] = {
        {"3 1,3 10 1 2 0 0 10 20 1 0 2 5 100 0,1 0", "Knotenindex 2"},
        {"3 1,3 10 1 2 0 0 10 20 1 -1 1 5 100 0,1 0", "Knotenindex -1"},
        {"3 1,3 10 0 1 1 0 10 P 0 1 3 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8", "Knotenindex 1"},
        {"3 1,3 10 10000 2 0 0", "'10000'"},  // a count of five characters
        {"3 1,3 10 x 2 0 0", "'x'"},
        {"3 1,3 10 1001 2 0 0", "'1001'"},  // more pipes than rows
        {"3 1,3 10 0 2 35 0", "'35'"},      // more pumps than blocks
        {"3 1,3 10 0 -2 0 0", "'-2'"},
        {"drei 1,3 10 0 0 0 0", "'drei'"},
        {"3 1,3 10 1 2 0 0 10 20 1 0 1 5", "endet vorzeitig"},
        {"3 1,3 10 0 2 0 0 10 2a", "'2a' ist kein gültiger"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.constData());
        ProjectTables t;
        ProjectSettings settings = kDefaults;
        const QString error =
            kolma::testing::errorOf([&] { kolma::readProjectText(text, t.tables(), settings); });
        EXPECT_TRUE(error.contains(expected)) << error.toStdString();
    }
}

}  // namespace
