// Reading EPANET input files into the tables: sections, options, unit conversions, the
// roughness approximation, pumps, renumbering and every refusal; and an imported network
// computed by tarnholm gives the heads that EPANET computes for the same file.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <map>

#include "EpanetHeads.h"
#include "EpanetImport.h"
#include "Numbers.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "SolverNetwork.h"
#include "TextFile.h"
#include "WorkingDirectory.h"
#include "tarnholm/in_process.h"

using kolma::EpanetRefusal;
using kolma::ImportPlan;
using kolma::testing::EpanetHeads;
using kolma::testing::epanetHeads;
using kolma::testing::ProjectTables;
using kolma::testing::WorkingDirectory;

namespace {

ImportPlan plan(const QString& inp, bool valvesAsPipes = false) {
    return kolma::planImport(kolma::parseInp(inp), QStringLiteral("netz.ids"), valvesAsPipes);
}

const kolma::ValveConsent kNoValves = [](const QString&) { return false; };

// The refusal text of an import, "" when the file is taken over.
QString refusal(const QString& inp) {
    try {
        plan(inp);
    } catch (const EpanetRefusal& e) {
        return e.message();
    }
    return QString();
}

const QString kSiOptions = QStringLiteral("[OPTIONS]\nUNITS LPS\nHEADLOSS D-W\n");

// A reservoir and two junctions in a row, in LPS with Darcy-Weisbach, plus the given sections.
QString siNetwork(const QString& more = QString()) {
    return kSiOptions +
           "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 5\n3 48 -2.5\n"
           "[PIPES]\n11 1 2 500 250 0.1\n12 2 3 400 200 0.05 1.5\n" +
           more;
}

int nodePosition(const ImportPlan& p, const QString& number) {
    for (int i = 0; i < static_cast<int>(p.nodeRows.size()); ++i)
        if (p.nodeRows[i][0] == number)
            return i;
    return -1;
}

// The node row (columns 1 to 6) of a node number.
QStringList nodeRow(const ImportPlan& p, const QString& number) {
    const int i = nodePosition(p, number);
    return i < 0 ? QStringList() : p.nodeRows[i];
}

// Head loss of a pipe by Darcy-Weisbach with Colebrook-White solved by plain iteration, for
// checking the equivalent ks independently of the import's inversion.
double colebrookGradient(double ksMm, double dMm, double v, double nu) {
    const double d = dMm / 1000.0;
    const double re = v * d / nu;
    double lambda = 0.02;
    for (int i = 0; i < 100; ++i)
        lambda = std::pow(
            -2.0 * std::log10(2.51 / (re * std::sqrt(lambda)) + ksMm / 1000.0 / (3.71 * d)), -2.0);
    return lambda / d * v * v / 19.62;
}

}  // namespace

// Hand calculations: 1 US gallon = 3.785411784 l, 1 imperial gallon = 4.54609 l,
// 1 ft = 0.3048 m, 1 acre-foot = 43560 ft³, 1 day = 86400 s.
TEST(EpanetUnits, FlowUnitsInLitresPerSecond) {
    const std::pair<const char*, double> cases[] = {
        {"LPS", 1.0},          {"LPM", 0.01666667},  {"MLD", 11.57407407}, {"CMH", 0.27777778},
        {"CMD", 0.01157407},   {"CFS", 28.31684659}, {"GPM", 0.06309020},  {"MGD", 43.81263639},
        {"IMGD", 52.61678241}, {"AFD", 14.27641016}, {"CMS", 1000.0}};
    for (const auto& [unit, litres] : cases)
        EXPECT_NEAR(kolma::litresPerSecond(unit), litres, 1e-7) << unit;
    EXPECT_TRUE(kolma::usesFeet("CFS"));
    EXPECT_FALSE(kolma::usesFeet("CMH"));
}

// EPANET takes a unit by the start of the word in any case, and "SI" as litres per second.
TEST(EpanetUnits, SpellingsEpanetAccepts) {
    const std::pair<const char*, const char*> names[] = {
        {"SI", "LPS"},   {"si", "LPS"},    {"lps", "LPS"}, {"Lpm", "LPM"},
        {"GPMX", "GPM"}, {"imgd", "IMGD"}, {"mgd", "MGD"}, {"cms", "CMS"}};
    for (const auto& [word, unit] : names)
        EXPECT_EQ(kolma::flowUnitNamed(word), std::optional<QString>(unit)) << word;
    for (const char* unknown : {"XYZ", "M3H", "L"})
        EXPECT_FALSE(kolma::flowUnitNamed(unknown)) << unknown;
    const ImportPlan p = plan(
        "[OPTIONS]\n Units SI\n headl d-w\n Visc 1\n Demand Multiplier 3\n"
        "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 5\n[PIPES]\n11 1 2 500 250 0.1\n");
    EXPECT_TRUE(p.notes.join("\n").contains("Durchfluss in LPS"))
        << p.notes.join("\n").toStdString();
    EXPECT_EQ(p.pipeRows[0][5], "0,1") << "D-W: ks taken as it is";
    EXPECT_EQ(nodeRow(p, "2")[3], "15") << "the demand multiplier applies";
}

TEST(EpanetUnits, FeetInchesAndGallonsBecomeMetres) {
    const ImportPlan p = plan(
        "[OPTIONS]\nUNITS GPM\nHEADLOSS D-W\n"
        "[RESERVOIRS]\nR 200\n[TANKS]\nT 100 10 0 20 50 0\n[JUNCTIONS]\nJ 100 100\n"
        "[PIPES]\nP1 R J 1000 12 0.5\nP2 J T 1000 12 0.5\n");
    // 100 ft = 30.48 m; 100 gpm = 6.309020 l/s; 200 ft = 60.96 m; tank 110 ft = 33.528 m.
    // Junctions, reservoirs and tanks are numbered in this order: J = 1, R = 2, T = 3.
    EXPECT_EQ(nodeRow(p, "1"), QStringList({"1", " ", " ", "6,30902", "30,48", "30,48"}));
    EXPECT_EQ(nodeRow(p, "2"), QStringList({"2", "60,96", " ", " ", "60,96", "60,96"}));
    EXPECT_EQ(nodeRow(p, "3"), QStringList({"3", "33,528", " ", " ", "30,48", "30,48"}));
    // 1000 ft = 304.8 m, 12 in = 304.8 mm, 0.5 millifeet = 0.1524 mm.
    EXPECT_EQ(p.pipeRows[0].mid(3), QStringList({"304,8", "304,8", "0,1524", "0"}));
    EXPECT_TRUE(p.notes.join("\n").contains("Fuß"));
}

TEST(EpanetUnits, SiValuesDemandsAndViscosity) {
    const ImportPlan p = plan(siNetwork());
    EXPECT_EQ(nodeRow(p, "1"), QStringList({"1", "100", " ", " ", "100", "100"}));
    EXPECT_EQ(nodeRow(p, "2"), QStringList({"2", " ", " ", "5", "50", "50"}));
    // A negative demand is an inflow.
    EXPECT_EQ(nodeRow(p, "3"), QStringList({"3", " ", "2,5", " ", "48", "48"}));
    EXPECT_EQ(p.pipeRows[1], QStringList({"12", "2", "3", "400", "200", "0,05", "1,5"}));
    // Water at 20 °C: 1.1e-5 ft²/s = 1.0219 mm²/s.
    EXPECT_EQ(p.viscosity, "1,022");
    EXPECT_EQ(plan(siNetwork() + "[OPTIONS]\nVISCOSITY 1.5\n").viscosity, "1,533");

    // Demands listed in [DEMANDS] replace the junction's own and add up; the multiplier scales
    // both; the demand flow unit applies (here LPM: 120 l/min = 2 l/s).
    const ImportPlan d = plan(
        "[OPTIONS]\nUNITS LPM\nHEADLOSS D-W\nDEMAND MULTIPLIER 2\n"
        "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 600\n3 50 60\n"
        "[DEMANDS]\n2 120 ;Haushalt\n2 60 PAT1 ;Gewerbe\n"
        "[PIPES]\n11 1 2 100 100 0.1\n12 2 3 100 100 0.1\n");
    EXPECT_EQ(nodeRow(d, "2")[3], "6");  // (2 + 1) l/s x 2
    EXPECT_EQ(nodeRow(d, "3")[3], "2");  // 1 l/s x 2
}

// Hand calculations with EPANET's own laws in feet and cfs, for D = 200 mm (0.656168 ft):
// Hazen-Williams S = 4.727 C^-1.852 d^-4.871 q^1.852, Manning S = (4n/(1.49 pi d²))² (d/4)^-1.333
// q²; lambda = S d 2g / v² and Colebrook-White solved for ks.
TEST(EpanetRoughness, EquivalentKsGivesEpanetsGradientAtTheGivenVelocity) {
    using kolma::HeadLossFormula;
    const double nu = kolma::kWater20Viscosity * 1e-6;
    const struct {
        HeadLossFormula formula;
        double roughness;
        double velocity;  // [m/s]
        double gradient;  // EPANET's [m/m]
        double ks;        // [mm]
    } cases[] = {
        {HeadLossFormula::HazenWilliams, 130.0, 1.0, 0.0054252, 0.21245},
        {HeadLossFormula::HazenWilliams, 130.0, 0.3, 0.00058351, 0.34518},
        {HeadLossFormula::ChezyManning, 0.011, 1.0, 0.0065290, 0.49852},
    };
    for (const auto& c : cases) {
        const auto ks = kolma::equivalentKs(c.formula, c.roughness, 200.0, c.velocity, nu);
        ASSERT_TRUE(ks);
        EXPECT_NEAR(*ks, c.ks, 0.00005) << c.roughness << " at " << c.velocity;
        EXPECT_NEAR(colebrookGradient(*ks, 200.0, c.velocity, nu), c.gradient, c.gradient * 1e-4);
    }
    // A law smoother than a smooth pipe gives 0; in laminar flow ks has no say.
    EXPECT_EQ(kolma::equivalentKs(HeadLossFormula::HazenWilliams, 160.0, 200.0, 1.0, nu), 0.0);
    EXPECT_FALSE(kolma::equivalentKs(HeadLossFormula::HazenWilliams, 130.0, 200.0, 0.01, nu));
}

// The only pipe carries the junction's 5 l/s, 0.159 m/s in 200 mm: its ks is matched there
// (EPANET's S = 0.00018038, ks = 0.3996 mm at the file's viscosity), not at 1 m/s.
TEST(EpanetRoughness, EachPipeIsMatchedAtItsComputedFlow) {
    const ImportPlan p = plan(
        "[OPTIONS]\nUNITS LPS\n[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 5\n"
        "[PIPES]\n11 1 2 500 200 130\n");  // H-W is EPANET's default formula
    EXPECT_NEAR(kolma::germanLocale().toDouble(p.pipeRows[0][5]), 0.3996, 0.0005);
    const QString notes = p.notes.join("\n");
    EXPECT_TRUE(notes.contains("Hazen-Williams (C)")) << notes.toStdString();
    EXPECT_TRUE(
        notes.contains("beim berechneten Durchfluss jedes Rohres, abgeglichen in 2 "
                       "Durchgängen"))
        << notes.toStdString();
}

TEST(EpanetLinks, ClosedPipesLeftOutCheckValvesOpenAndWrittenEarlierToLater) {
    const ImportPlan p = plan(
        siNetwork("13 3 2 300 100 0.1 0 Closed\n14 3 1 300 100 0.1 CV\n15 1 3 300 100 0.1 0 Open\n"
                  "16 3 4 300 100 0.1 0 Closed\n[STATUS]\n15 CLOSED\n[JUNCTIONS]\n4 40 1\n"));
    ASSERT_EQ(p.pipeRows.size(), 3u);
    EXPECT_EQ(p.pipeRows[2][0], "14");
    const QString notes = p.notes.join("\n");
    EXPECT_TRUE(notes.contains("Geschlossene Rohre nicht übernommen: 13, 15, 16"))
        << notes.toStdString();
    // Junction 4 hangs on a closed pipe only: the user learns why the solver will stop there.
    EXPECT_TRUE(notes.contains("ohne offene Verbindung (die Berechnung bricht dort ab): 4"))
        << notes.toStdString();
    EXPECT_TRUE(notes.contains("(CV) als offene Rohre übernommen: 14")) << notes.toStdString();
    for (const QStringList& row : p.pipeRows)
        EXPECT_LT(nodePosition(p, row[1]), nodePosition(p, row[2])) << row.join(" ").toStdString();
}

TEST(EpanetPumps, HeadCurvesConvertedExpandedAndReduced) {
    const QString net = QStringLiteral(
        "[OPTIONS]\nUNITS CMH\nHEADLOSS D-W\n"
        "[RESERVOIRS]\n1 10\n[JUNCTIONS]\n2 10 0\n3 10 36\n4 10 0\n5 10 0\n"
        "[PIPES]\n11 1 2 10 200 0.1\n12 3 4 10 200 0.1\n13 4 5 10 200 0.1\n"
        "[PUMPS]\n\"Pumpe A\" 2 3 HEAD K3 SPEED 0.5 PATTERN X\nP2 4 5 HEAD K1\n"
        "[CURVES]\nK3 0 40\nK3 36 30\nK3 72 10\nK1 72 20\n"
        "[PATTERNS]\nX 1 1.2\n");
    const ImportPlan p = plan(net);
    ASSERT_EQ(p.pumps.size(), 2u);
    // EPANET's power function through (0, 40), (36, 30), (72, 10) m³/h: h = 40 - 0.0341444
    // q^1.58496, zero at 86.33 m³/h; eight points from 0 to there, at speed 0.5 flows halved and
    // heads quartered (86.33 m³/h = 23.98 l/s).
    const kolma::PumpBlock& a = p.pumps[0];
    EXPECT_EQ(a.type, "PumpeA");
    EXPECT_EQ(a.start, "2");
    EXPECT_EQ(a.end, "3");
    EXPECT_EQ(QStringList(a.Q.begin(), a.Q.end()),
              QStringList({"0", "1,71289", "3,42578", "5,138671", "6,851561", "8,564451",
                           "10,277341", "11,990231"}));
    EXPECT_EQ(QStringList(a.h.begin(), a.h.end()),
              QStringList({"10", "9,542331", "8,626994", "7,389218", "5,880981", "4,133318",
                           "2,167654", "0"}));
    // One point (20 l/s, 20 m) stands for (0, 26.6668), (20, 20), (40, 0): a parabola.
    const kolma::PumpBlock& b = p.pumps[1];
    EXPECT_EQ(QStringList(b.Q.begin(), b.Q.end()),
              QStringList({"0", "5,714286", "11,428571", "17,142857", "22,857143", "28,571429",
                           "34,285714", "40"}));
    EXPECT_EQ(QStringList(b.h.begin(), b.h.end()),
              QStringList({"26,6668", "26,122557", "24,489859", "21,768727", "17,959168",
                           "13,061191", "7,0748", "0"}));
    EXPECT_LT(nodePosition(p, "4"), nodePosition(p, "5"));
    const QString notes = p.notes.join("\n");
    EXPECT_TRUE(notes.contains("Pumpe A")) << notes.toStdString();
    EXPECT_TRUE(notes.contains("[PATTERNS]")) << notes.toStdString();

    // Ten points are reduced to eight spread evenly: indices 0, 1, 3, 4, 5, 6, 8, 9.
    QString ten = QStringLiteral(
        "[OPTIONS]\nUNITS LPS\nHEADLOSS D-W\n[RESERVOIRS]\n1 10\n"
        "[JUNCTIONS]\n2 10 1\n[PUMPS]\nP 1 2 HEAD K\n[CURVES]\n");
    for (int k = 0; k < 10; ++k)
        ten += QStringLiteral("K %1 %2\n").arg(k).arg(50 - k);
    const ImportPlan r = plan(ten);
    EXPECT_EQ(QStringList(r.pumps[0].Q.begin(), r.pumps[0].Q.end()),
              QStringList({"0", "1", "3", "4", "5", "6", "8", "9"}));
    EXPECT_EQ(r.pumps[0].h[7], "41");
    EXPECT_TRUE(r.notes.join("\n").contains("acht Stützpunkte"))
        << r.notes.join("\n").toStdString();
}

TEST(EpanetIds, WholeNumbersKeptOtherwiseRenumberedWithAMapping) {
    const ImportPlan kept = plan(siNetwork());
    EXPECT_TRUE(kept.idMapping.isEmpty());
    EXPECT_EQ(kept.pipeRows[0][0], "11");

    // "02" and "2" are the same number: the node IDs are renumbered, the pipe IDs stay.
    const ImportPlan renumbered = plan(kSiOptions +
                                       "[RESERVOIRS]\nQuelle 100\n[JUNCTIONS]\n02 50 1\n2 50 1\n"
                                       "[PIPES]\n7 Quelle 02 100 100 0.1\n8 02 2 100 100 0.1\n");
    EXPECT_EQ(renumbered.idMapping,
              "; EPANET-ID und Nummer im Projekt\n[KNOTEN]\n02\t1\n2\t2\nQuelle\t3\n");
    EXPECT_EQ(nodeRow(renumbered, "3")[1], "100");
    EXPECT_EQ(renumbered.pipeRows[0][0], "7");
    EXPECT_TRUE(renumbered.notes.join("\n").contains("\"netz.ids\""));

    const ImportPlan pipes = plan(kSiOptions +
                                  "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 1\n"
                                  "[PIPES]\nHaupt%1 1 2 100 100 0.1\n");
    EXPECT_EQ(pipes.idMapping, "; EPANET-ID und Nummer im Projekt\n[ROHRE]\nHaupt%1\t1\n");
    EXPECT_EQ(pipes.pipeRows[0][0], "1");
}

// The map of the network: node places by number, map units kept even in a feet network, and
// each pipe's bends in the direction of its table row, which may run against the file's.
TEST(EpanetPlan, NodePlacesAndPipeBendsInTableDirection) {
    const ImportPlan p = plan(
        "[OPTIONS]\nUNITS GPM\n[RESERVOIRS]\nR 100\n[JUNCTIONS]\nA 50 1\nB 40 1\n"
        "[PIPES]\n1 R A 100 6 100\n2 A B 100 6 100\n3 B A 100 6 100\n"
        "[COORDINATES]\nR 0 0\nA 100.5 -20\nA 100 20\nB 200 0\n"
        "[VERTICES]\n2 150 10\n2 160 5\n3 150 -10\n3 160 -5\n");
    const auto& nodes = p.coordinates.nodes;
    ASSERT_EQ(nodes.size(), 3u);
    // IDs that are no numbers are renumbered, junctions first: A 1, B 2, R 3.
    EXPECT_EQ(nodes.at(3).at, QPointF(0, 0));
    EXPECT_EQ(nodes.at(1).at, QPointF(100, 20));  // the last place given counts
    EXPECT_EQ(nodes.at(2).at, QPointF(200, 0));
    EXPECT_EQ(nodes.at(2).placement, kolma::Placement::Given);
    // Pipes 2 and 3 join the same nodes in opposite directions: one of them is turned round in
    // the table, and its bends with it.
    for (int row : {1, 2}) {
        const QString pipe = p.pipeRows[row][0];
        std::vector<QPointF> bends = pipe == "2" ? std::vector<QPointF>{{150, 10}, {160, 5}}
                                                 : std::vector<QPointF>{{150, -10}, {160, -5}};
        // Pipe 2 runs from A to B in the file, pipe 3 from B to A.
        const bool asInFile = (p.pipeRows[row][1] == "1") == (pipe == "2");
        if (!asInFile)
            std::reverse(bends.begin(), bends.end());
        EXPECT_EQ(p.coordinates.bends.at(pipe), bends) << "pipe " << pipe.toStdString();
    }
    EXPECT_EQ(p.coordinates.bends.count("1"), 0u);
    EXPECT_TRUE(
        p.notes.join("\n").contains("Koordinaten von 3 der 3 Knoten übernommen, "
                                    "Knickpunkte von 2 Rohren"));
}

TEST(EpanetRefusals, NameSectionAndLine) {
    const auto expectRefusal = [](const QString& inp, const QString& where, const QString& what) {
        const QString text = refusal(inp);
        EXPECT_TRUE(text.contains(where)) << text.toStdString();
        EXPECT_TRUE(text.contains(what)) << text.toStdString();
        EXPECT_TRUE(text.endsWith("Die Tabellen bleiben unverändert.")) << text.toStdString();
    };
    // Line numbers count from the top of the file: siNetwork() ends with its pipes in lines 10
    // and 11, so the added text begins in line 12.
    expectRefusal(siNetwork("[PUMPS]\nP 2 3 POWER 5\n"), "Abschnitt [PUMPS], Zeile 13", "POWER");
    expectRefusal(siNetwork("13 2 9 100 100 0.1\n"), "Abschnitt [PIPES], Zeile 12",
                  "Knoten '9' ist nicht definiert");
    expectRefusal(siNetwork("13 2 3 1O0 100 0.1\n"), "Zeile 12", "'1O0' ist keine gültige Zahl");
    expectRefusal(siNetwork("13 2 3 100 0 0.1\n"), "Zeile 12", "Durchmesser muss größer als 0");
    expectRefusal(siNetwork("12 2 1 100 100 0.1\n"), "Zeile 12", "'12' ist doppelt");
    expectRefusal(siNetwork("13 2 3 100\n"), "Zeile 12", "zu wenige Angaben");
    expectRefusal("[OPTIONS]\nUNITS GALLONS\n", "Abschnitt [OPTIONS], Zeile 2", "GALLONS");
    expectRefusal("[OPTIONS]\nHEADLOSS X-Y\n", "Zeile 2", "Fließformel");
    expectRefusal(siNetwork("[PUMPS]\nP 2 3 HEAD K\n[CURVES]\nK 1 10\nK 2 5\n"),
                  "Abschnitt [CURVES], Zeile 15", "zwei Punkte");
    expectRefusal(siNetwork("[PUMPS]\nP 2 3 HEAD K\n[CURVES]\nK 1 10\nK 3 5\nK 2 1\n"), "Zeile 15",
                  "steigen nicht an");
    expectRefusal(siNetwork("[PUMPS]\nP 2 3 HEAD K\n"), "Zeile 13", "Kennlinie 'K' fehlt");
    expectRefusal(siNetwork("[PUMPS]\nP 2 3 HEAD K\nQ 3 2 HEAD K\n[CURVES]\nK 5 10\n"),
                  "Abschnitt [PUMPS], Zeile 13", "Kreis");
    expectRefusal(siNetwork("[DEMANDS]\n1 5\n"), "Abschnitt [DEMANDS]", "kein Verbrauchsknoten");
    expectRefusal(siNetwork("[STATUS]\nX9 OPEN\n"), "Abschnitt [STATUS]", "'X9'");
    expectRefusal(siNetwork("[GEHEIM]\nx\n"), "Abschnitt [GEHEIM], Zeile 12", "unbekannter");
    expectRefusal(siNetwork("[COORDINATES]\n2 10 20\n9 1 2\n"), "Abschnitt [COORDINATES], Zeile 14",
                  "Knoten '9' ist nicht definiert");
    expectRefusal(siNetwork("[COORDINATES]\n2 1,5 20\n"), "Zeile 13",
                  "'1,5' ist keine gültige Zahl");
    expectRefusal(siNetwork("[VERTICES]\nX 1 2\n"), "Abschnitt [VERTICES], Zeile 13",
                  "Verbindung 'X' ist nicht definiert");
    EXPECT_TRUE(refusal("2 50 5\n").contains("Zeile 1: Angabe vor dem ersten Abschnitt"));
    EXPECT_TRUE(refusal(kSiOptions).contains("keine Knoten"));
}

// Pressure and flow control valves cannot be represented: all of them are named at once.
// Throttle and general purpose valves become short pipes when the user agrees.
TEST(EpanetValves, ControlValvesRefusedThrottlesTakenAsShortPipesWhenAgreed) {
    const QString refused = refusal(
        siNetwork("[VALVES]\n; Regler\nV1 2 3 100 PRV 40 0\nV2 3 2 100 TCV 5\nV3 1 3 80 FCV 2\n"));
    EXPECT_TRUE(refused.contains("Zeile 14: PRV 'V1'\nZeile 16: FCV 'V3'"))
        << refused.toStdString();
    EXPECT_TRUE(refused.endsWith("Die Tabellen bleiben unverändert."));

    const QString valves = siNetwork(
        "[VALVES]\nV1 2 3 150 TCV 5 0.3\nV2 3 2 100 TCV 4 0.5\nV3 1 3 80 GPV K9 0.7\n"
        "V4 1 2 80 TCV 1\n[STATUS]\nV2 OPEN\nV4 CLOSED\n");
    const QString question = kolma::valveQuestion(kolma::parseInp(valves));
    EXPECT_TRUE(
        question.contains("TCV 'V1': zeta 5\nTCV 'V2': zeta 0,5\n"
                          "GPV 'V3': zeta 0,7 (ohne ihre Verlustkennlinie 'K9')\n"
                          "TCV 'V4' (geschlossen, entfällt)"))
        << question.toStdString();
    EXPECT_TRUE(refusal(valves).contains("nicht als kurze Rohre"));
    const ImportPlan p = plan(valves, true);
    ASSERT_EQ(p.pipeRows.size(), 5u);
    // Throttling with its setting, fixed open with its minor loss, a GPV with its minor loss.
    EXPECT_EQ(p.pipeRows[2].mid(3), QStringList({"1", "150", "0,1", "5"}));
    EXPECT_EQ(p.pipeRows[3].mid(3), QStringList({"1", "100", "0,1", "0,5"}));
    EXPECT_EQ(p.pipeRows[4].mid(3), QStringList({"1", "80", "0,1", "0,7"}));
    const QString notes = p.notes.join("\n");
    EXPECT_TRUE(
        notes.contains("Armaturen als kurze Rohre (1 m) übernommen: V1 (TCV, zeta 5), "
                       "V2 (TCV, zeta 0,5), V3 (GPV, zeta 0,7)"))
        << notes.toStdString();
    EXPECT_TRUE(notes.contains("Geschlossene Rohre nicht übernommen: V4")) << notes.toStdString();
}

TEST(EpanetRefusals, MoreElementsThanTheTablesHold) {
    QString nodes = kSiOptions + "[RESERVOIRS]\n0 100\n[JUNCTIONS]\n";
    for (int i = 1; i <= 1001; ++i)
        nodes += QStringLiteral("%1 50 0.1\n").arg(i);
    // Junctions count first: the 1001st node is junction 1001 in line 1007.
    EXPECT_TRUE(refusal(nodes).contains("Abschnitt [JUNCTIONS], Zeile 1007: mehr als 1000 Knoten"))
        << refusal(nodes).toStdString();

    QString pipes = kSiOptions + "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 1\n[PIPES]\n";
    for (int i = 1; i <= 1001; ++i)
        pipes += QStringLiteral("%1 1 2 100 100 0.1%2\n").arg(i).arg(i == 5 ? " 0 CLOSED" : "");
    // The closed pipe does not count: 1000 pipes are taken over.
    EXPECT_EQ(plan(pipes).pipeRows.size(), 1000u);
    pipes += "1002 1 2 100 100 0.1\n";
    EXPECT_TRUE(refusal(pipes).contains("Abschnitt [PIPES], Zeile 1010: mehr als 1000 Rohre"));

    QString pumps = kSiOptions +
                    "[RESERVOIRS]\n1 100\n[JUNCTIONS]\n2 50 1\n[CURVES]\nK 5 10\n"
                    "[PUMPS]\n";
    for (int i = 1; i <= 35; ++i)
        pumps += QStringLiteral("P%1 1 2 HEAD K\n").arg(i);
    EXPECT_TRUE(refusal(pumps).contains("Abschnitt [PUMPS], Zeile 45: mehr als 34 Pumpen"));
}

// ---------------------------------------------------------------------------------------------
// The whole import on files

TEST(EpanetFile, Windows1252CrLfCommentsAndAnySectionOrder) {
    WorkingDirectory dir;
    dir.write("alt.inp",
              "; Netz aus einer alten Installation\r\n[PIPES]\r\n"
              "R1  M\xfchle  Dorf  100  150  0.1  ; Zuleitung\r\n[JUNCTIONS]\r\nDorf 40 2\r\n"
              "[RESERVOIRS]\r\nM\xfchle 60\r\n[OPTIONS]\r\nUNITS LPS\r\nHEADLOSS D-W\r\n"
              "[END]\r\nalles danach zählt nicht\r\n");
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    kolma::ProjectSettings settings{"1,305", "500"};
    const kolma::EpanetImportResult result =
        kolma::importEpanetFile(dir.filePath("alt.inp"), t.tables(), settings, kNoValves);
    EXPECT_EQ(result.projectFile, dir.filePath("alt.ein"));
    EXPECT_EQ(settings.viscosity, "1,022");
    EXPECT_EQ(settings.iterations, "500");
    // Dorf = 1, Mühle = 2 with its known head; the pipe runs from the earlier to the later row.
    const int mill = t.nodes.cell(1, 1) == "2" ? 1 : 2;
    EXPECT_EQ(t.nodes.cell(2, mill), "60");
    EXPECT_EQ(t.nodes.cell(4, 3 - mill), "2");
    EXPECT_EQ(t.pipes.cell(2, 1), t.nodes.cell(1, 1));
    EXPECT_EQ(t.pipes.cell(3, 1), t.nodes.cell(1, 2));
    EXPECT_EQ(t.pipes.cell(4, 1), "100");
    EXPECT_EQ(QString::fromUtf8(dir.read("alt.ids")),
              QString::fromUtf8("; EPANET-ID und Nummer im Projekt\n[KNOTEN]\nDorf\t1\nMühle\t2\n"
                                "[ROHRE]\nR1\t1\n"));
    EXPECT_TRUE(result.message.contains("\"alt.ids\""));
    // The tables are reset first: nothing of an earlier project stays.
    EXPECT_EQ(t.nodes.cell(1, 3), " ");
}

TEST(EpanetFile, RefusalLeavesTablesAndFilesAlone) {
    WorkingDirectory dir;
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    dir.write("kaputt.inp", "[JUNCTIONS]\nA 1 1\n[PIPES]\nX A B 1 1 1\n");
    kolma::ProjectSettings settings{"1,305", "1000"};
    EXPECT_THROW(
        kolma::importEpanetFile(dir.filePath("kaputt.inp"), t.tables(), settings, kNoValves),
        EpanetRefusal);
    EXPECT_EQ(t.nodes.cell(1, 1), "10");
    EXPECT_EQ(t.pumps.cell(1, 1), "P1");
    EXPECT_EQ(settings.viscosity, "1,305");
    EXPECT_FALSE(dir.exists("kaputt.ids"));
    // A file that cannot be read is an error of its own, not a crash.
    EXPECT_THROW(
        kolma::importEpanetFile(dir.filePath("fehlt.inp"), t.tables(), settings, kNoValves),
        kolma::KolmaError);
}

TEST(EpanetFile, ProjectAndMappingNames) {
    EXPECT_EQ(kolma::projectFileFor("/a/b.c/netz.inp"), "/a/b.c/netz.ein");
    EXPECT_EQ(kolma::projectFileFor("netz"), "netz.ein");
    EXPECT_EQ(kolma::idsFileFor("C:\\Netze\\Ort.INP"), "C:\\Netze\\Ort.ids");
}

// ---------------------------------------------------------------------------------------------
// The imported network computed

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
    kolma::importEpanetFile(dir.filePath("klein.inp"), t.tables(), settings, kNoValves);

    const QByteArray eingabe =
        kolma::convertSeparators(kolma::eingabeText(t.tables(), settings), kolma::Conversion::Save);
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

// ---------------------------------------------------------------------------------------------
// Imported Hazen-Williams and Manning networks against EPANET's own results

namespace {

// The EPANET ID of every node number of the plan: the mapping of renumbered IDs, else the
// number itself.
std::map<QString, QString> idsOfNumbers(const ImportPlan& p) {
    std::map<QString, QString> ids;
    bool inNodes = false;
    for (const QString& line : p.idMapping.split('\n')) {
        if (line.startsWith('['))
            inNodes = line == "[KNOTEN]";
        const QStringList fields = line.split('\t');
        if (inNodes && fields.size() == 2)
            ids[fields[1]] = fields[0];
    }
    for (const QStringList& row : p.nodeRows)
        ids.emplace(row[0], row[0]);
    return ids;
}

// The largest difference between the heads of the imported network, computed by the solver's
// own code in-process, and EPANET's.
double largestHeadDifference(const QString& name) {
    const QString dir = QStringLiteral(KOLMA_SOURCE_DIR "/model/tests/data/epanet/");
    const ImportPlan p = kolma::planImport(
        kolma::parseInp(kolma::readTextFile(dir + name + ".inp")), "netz.ids", false);
    ProjectTables t;
    for (std::size_t r = 0; r < p.nodeRows.size(); ++r)
        t.setRow(t.nodes, int(r) + 1, p.nodeRows[r]);
    for (std::size_t r = 0; r < p.pipeRows.size(); ++r)
        t.setRow(t.pipes, int(r) + 1, p.pipeRows[r]);
    for (std::size_t k = 0; k < p.pumps.size(); ++k)
        kolma::setPumpBlock(t.pumps, int(k) + 1, p.pumps[k]);
    const kolma::Network network = kolma::networkOf(t.tables(), {p.viscosity, "1000"});
    tarnholm::Network net = kolma::solverNetworkOf(network);
    const auto outcome = tarnholm::Calculate(net, {2000, 0.0001});
    EXPECT_EQ(outcome.result.status, tarnholm::CalcStatus::Done) << name.toStdString();
    const EpanetHeads epanet = epanetHeads(dir + name + ".heads.csv");
    const std::map<QString, QString> ids = idsOfNumbers(p);
    double largest = 0.0;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        const QString id = ids.at(network.nodes[i].numberText);
        largest = std::max(largest, std::fabs(net.head[i] - epanet.byId.at(id)));
    }
    return largest / epanet.range;
}

}  // namespace

// Matched at 1 m/s the heads were off by up to a fifth of the head range; matched at each pipe's
// own flow, with EPANET's pump curves followed, they lie within 2 % of it (measured: below
// 0,03 %), at low and high velocities, with and without a pump, in SI and US units, for
// Hazen-Williams and Manning.
TEST(EpanetSolver, HazenWilliamsAndManningNetworksGiveEpanetsHeads) {
    for (const char* name :
         {"hanoi", "net2like", "town_pump_tank", "town_two_sources", "manning_village"}) {
        EXPECT_LT(largestHeadDifference(QString::fromLatin1(name)), 0.02) << name;
    }
}
