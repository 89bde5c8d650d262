// The plan's side file "<name>.lage": the written format, the round trip of every place and
// bend, damaged lines left out and named while the rest is kept, and what is stored with a
// project.
#include <gtest/gtest.h>

#include "Network.h"
#include "PlanCoordinates.h"
#include "ProjectTables.h"
#include "TextFile.h"

using kolma::NodePlace;
using kolma::Placement;
using kolma::PlanCoordinates;
using kolma::testing::ProjectTables;

namespace {

PlanCoordinates sampleCoordinates() {
    PlanCoordinates c;
    c.nodes[10] = {QPointF(5026.1, -2973.25), Placement::Given};
    c.nodes[-3] = {QPointF(1e-7, 123456789.123), Placement::Given};
    c.nodes[20] = {QPointF(0.1 + 0.2, 7), Placement::Automatic};
    c.bends["1"] = {QPointF(1.5, 2.5), QPointF(-3, 4)};
    c.bends["P7"] = {QPointF(0, 0)};
    return c;
}

}  // namespace

TEST(PlanFile, WrittenAsDocumentedAndReadBackExactly) {
    PlanCoordinates small;
    small.nodes[1] = {QPointF(10, 20.5), Placement::Given};
    small.nodes[2] = {QPointF(-1.25, 0), Placement::Automatic};
    small.bends["7"] = {QPointF(3, 4), QPointF(5, 6)};
    EXPECT_EQ(kolma::planFileBytes(small),
              "; KOLMA Lageplan: Knotennummer, x [m], y [m]\n"
              "[KNOTEN]\n1\t10\t20.5\n"
              "[AUTOMATISCH]\n2\t-1.25\t0\n"
              "[KNICKPUNKTE]\n"
              "; Strangnummer, dann x [m] und y [m] jedes Knickpunkts vom Anfangs- zum "
              "Endknoten\n"
              "7\t3\t4\t5\t6\n");

    // Every double comes back bit for bit, whatever its size.
    const PlanCoordinates written = sampleCoordinates();
    const auto reading = kolma::parsePlanFile(QString::fromUtf8(kolma::planFileBytes(written)));
    EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join("\n").toStdString();
    EXPECT_EQ(reading.coordinates, written);
}

TEST(PlanFile, ReadsWindowsFilesAndLinesBeforeAnySection) {
    // CR LF, a byte order mark, a Windows-1252 comment and blanks instead of tabs.
    const QByteArray bytes = "\xEF\xBB\xBF; von Hand\r\n5 1.5 2\r\n[KNICKPUNKTE]\r\n3 1 1\r\n";
    const auto utf8 = kolma::parsePlanFile(kolma::decodeText(bytes));
    EXPECT_TRUE(utf8.problems.isEmpty()) << utf8.problems.join("\n").toStdString();
    EXPECT_EQ(utf8.coordinates.nodes.at(5), (NodePlace{QPointF(1.5, 2), Placement::Given}));
    EXPECT_EQ(utf8.coordinates.bends.at("3"), std::vector<QPointF>{QPointF(1, 1)});
    const auto cp1252 =
        kolma::parsePlanFile(kolma::decodeText("; Stra\xDF"
                                               "e\r\n6 1 2\r\n"));
    EXPECT_TRUE(cp1252.problems.isEmpty());
    EXPECT_EQ(cp1252.coordinates.nodes.count(6), 1u);
}

// A damaged line costs only itself: it is named with its line number, the lines around it are
// read.
TEST(PlanFile, DamagedLinesAreNamedAndLeftOut) {
    const struct {
        const char* line;      // written as line 3, between two good lines
        const char* expected;  // in the problem text
    } cases[] = {
        {"4 1 zwei", "Zeile 3: 'zwei' ist keine gültige Zahl."},
        {"4 1,5 2", "Zeile 3: '1,5' ist keine gültige Zahl (Dezimalpunkt erwartet)."},
        {"4 1", "Zeile 3: erwartet werden Knotennummer, x und y."},
        {"4 1 2 3", "Zeile 3: erwartet werden Knotennummer, x und y."},
        {"4.5 1 2", "Zeile 3: '4.5' ist keine gültige Knotennummer."},
        {"4 inf 2", "Zeile 3: 'inf' ist keine gültige Zahl."},
        {"1 7 7", "Zeile 3: Knoten 1 steht schon in Zeile 2."},
        {"[ALT]\n4 1 2", "Zeile 3: unbekannter Abschnitt [ALT]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const QString text = QStringLiteral("[KNOTEN]\n1 10 10\n%1\n[KNOTEN]\n2 20 20\n")
                                 .arg(QString::fromUtf8(c.line));
        const auto reading = kolma::parsePlanFile(text);
        ASSERT_EQ(reading.problems.size(), 1) << reading.problems.join("\n").toStdString();
        EXPECT_TRUE(reading.problems[0].startsWith(QString::fromUtf8(c.expected)))
            << reading.problems[0].toStdString();
        EXPECT_EQ(reading.coordinates.nodes.at(1).at, QPointF(10, 10));
        EXPECT_EQ(reading.coordinates.nodes.at(2).at, QPointF(20, 20));
        EXPECT_EQ(reading.coordinates.nodes.count(4), 0u);
    }
    const auto bends = kolma::parsePlanFile("[KNICKPUNKTE]\n3 1 2 3\n4 1 x\n5\n6 1 2\n6 3 4\n");
    ASSERT_EQ(bends.problems.size(), 4) << bends.problems.join("\n").toStdString();
    EXPECT_TRUE(bends.problems[3].startsWith("Zeile 6: Strang 6 steht schon weiter oben."));
    EXPECT_EQ(bends.coordinates.bends.size(), 1u);
}

TEST(PlanFile, ProblemTextNamesFileLinesAndTheirNumber) {
    QStringList problems;
    for (int line = 1; line <= 7; ++line)
        problems << QStringLiteral("Zeile %1: kaputt").arg(line);
    const QString text = kolma::planFileProblemText("Netz.lage", problems);
    EXPECT_TRUE(text.startsWith("Die Lagedatei \"Netz.lage\" enthält Zeilen"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Zeile 5: kaputt\n… (insgesamt 7 Zeilen)")) << text.toStdString();
    EXPECT_FALSE(text.contains("Zeile 6:"));
    EXPECT_TRUE(text.contains("Die Tabellen sind vollständig geladen."));
}

TEST(PlanFile, BesideTheProjectFile) {
    EXPECT_EQ(kolma::planFileFor("/home/a/Netz.v2.ein"), "/home/a/Netz.v2.lage");
    EXPECT_EQ(kolma::planFileFor("C:\\netze\\Netz.ein"), "C:\\netze\\Netz.lage");
    EXPECT_EQ(kolma::planFileFor("Netz"), "Netz.lage");
}

// Places of nodes and bends of pipes no longer in the tables are not stored with the project.
TEST(PlanFile, StoresOnlyWhatTheTablesHold) {
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);  // nodes 10, 20, 30, 40; pipes 1 and 2
    PlanCoordinates c;
    c.nodes[10] = {QPointF(1, 1), Placement::Given};
    c.nodes[35] = {QPointF(2, 2), Placement::Given};
    c.nodes[40] = {QPointF(3, 3), Placement::Automatic};
    c.bends["2"] = {QPointF(4, 4)};
    c.bends["9"] = {QPointF(5, 5)};
    const auto kept =
        kolma::restrictedTo(c, kolma::networkOf(t.tables(), kolma::defaultSettings()));
    EXPECT_EQ(kept.nodes.size(), 2u);
    EXPECT_EQ(kept.nodes.count(35), 0u);
    EXPECT_EQ(kept.nodes.at(40), c.nodes.at(40));
    EXPECT_EQ(kept.bends.size(), 1u);
    EXPECT_EQ(kept.bends.count("2"), 1u);
}
