// The network check: each finding on a small network that has exactly it, and none on the
// network it was made from.
#include <gtest/gtest.h>

#include <functional>

#include "NetworkCheck.h"
#include "ProjectTables.h"
#include "QStringPrinter.h"

namespace kolma {
namespace {

using testing::ProjectTables;

const ProjectSettings kDefaults{"1,305", "1000"};

// A loop 10-20-30 fed at node 10, a pump lifting from 30 to 40 where water is taken.
void typeLoop(ProjectTables& t) {
    t.setRow(t.nodes, 1, {"10", "110", " ", " ", "105", "98"});
    t.setRow(t.nodes, 2, {"20", " ", " ", "1,5", "104,5", "97,5"});
    t.setRow(t.nodes, 3, {"30", " ", " ", " ", "103", "96"});
    t.setRow(t.nodes, 4, {"40", " ", " ", "2,5", "110", "108"});
    t.setRow(t.pipes, 1, {"1", "10", "20", "120,5", "150", "0,1", "0"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "80", "100", "0,1", "1,5"});
    t.setRow(t.pipes, 3, {"3", "10", "30", "95", "100", "0,1", "0"});
    t.setPump(1, {"P1", "30", "40"}, {"30", "28", "25", "20", "12", " ", " ", " "},
              {"0", "2", "4", "6", "8", " ", " ", " "});
}

// Its tank is buried: the level lies below the ground but above the pipe invert.
TEST(NetworkCheck, TheLoopHasNoFinding) {
    ProjectTables t;
    typeLoop(t);
    t.nodes.setCell(2, 1, "100");
    const std::vector<Finding> findings = checkNetwork(t.tables(), kDefaults);
    EXPECT_TRUE(findings.empty()) << findings.front().what.toStdString();
}

TEST(NetworkCheck, EachFindingOnANetworkThatHasExactlyIt) {
    using Edit = std::function<void(ProjectTables&)>;
    const struct {
        const char* name;
        Edit edit;
        Severity severity;
        const char* table;
        int row;
        const char* what;
    } cases[] = {
        {"missing node", [](ProjectTables& t) { t.pipes.setCell(3, 2, "35"); }, Severity::Fatal,
         "Rohre", 2, "Knoten 35 fehlt in der Knotentabelle"},
        {"node number",
         [](ProjectTables& t) {
             t.setRow(t.nodes, 5, {"5O", " ", " ", "1", "1", "1"});
         },
         Severity::Fatal, "Knoten", 5, "'5O' ist kein gültiger Integerwert"},
        {"no number", [](ProjectTables& t) { t.pipes.setCell(4, 3, "9S"); }, Severity::Fatal,
         "Rohre", 3, "'9S' ist keine Zahl"},
        {"value with blank", [](ProjectTables& t) { t.nodes.setCell(6, 2, "97 5"); },
         Severity::Fatal, "Knoten", 2, "Wert mit Leerzeichen"},
        {"start after end",
         [](ProjectTables& t) {
             t.setRow(t.pipes, 2, {"2", "30", "20"});
         },
         Severity::Fatal, "Rohre", 2, "Anfangsknoten 30 steht in der Knotentabelle nach"},
        {"pump order",
         [](ProjectTables& t) {
             t.setRow(t.pumps, 1, {"P1", "40", "30"});
         },
         Severity::Fatal, "Pumpen", 1, "Saugseite 40 steht"},
        {"unfed part",
         [](ProjectTables& t) {
             t.setRow(t.nodes, 5, {"50", " ", " ", "1", "1", "1"});
             t.setRow(t.nodes, 6, {"60", " ", " ", "1", "1", "1"});
             t.setRow(t.pipes, 4, {"4", "50", "60", "10", "100", "0,1", "0"});
         },
         Severity::Fatal, "Knoten", 5, "Die Knoten 50, 60 hängen an keinem Knoten"},
        {"isolated node",
         [](ProjectTables& t) {
             t.setRow(t.nodes, 5, {"50", " ", " ", "1"});
         },
         Severity::Fatal, "Knoten", 5, "Knoten 50 hängt an keinem Knoten"},
        {"unused tank",
         [](ProjectTables& t) {
             t.setRow(t.nodes, 5, {"50", "120", " ", " "});
         },
         Severity::Warning, "Knoten", 5, "von keinem Rohr und keiner Pumpe genutzt"},
        {"dead end",
         [](ProjectTables& t) {
             t.setRow(t.nodes, 5, {"50", " ", " ", " ", "1", "1"});
             t.pipes.setCell(3, 3, "50");  // 10-30 typed as 10-50
         },
         Severity::Warning, "Rohre", 3, "Strang 3 endet in Knoten 50"},
        {"duplicate",
         [](ProjectTables& t) {
             t.setRow(t.pipes, 4, {"4", "20", "30", "5", "100", "0,1", "0"});
         },
         Severity::Warning, "Rohre", 4, "dieselben Knoten 20 und 30 wie Strang 2"},
        {"itself",
         [](ProjectTables& t) {
             t.setRow(t.pipes, 4, {"4", "30", "30", "5", "100", "0,1", "0"});
         },
         Severity::Warning, "Rohre", 4, "mit sich selbst"},
        {"no length", [](ProjectTables& t) { t.pipes.setCell(4, 1, "0"); }, Severity::Warning,
         "Rohre", 1, "Länge 0,00 m"},
        {"negative length", [](ProjectTables& t) { t.pipes.setCell(4, 1, "-120"); },
         Severity::Fatal, "Rohre", 1, "Länge -120,00 m"},
        {"tiny diameter", [](ProjectTables& t) { t.pipes.setCell(5, 2, "1,5"); }, Severity::Warning,
         "Rohre", 2, "Innendurchmesser 1,50 mm"},
        {"no diameter", [](ProjectTables& t) { t.pipes.setCell(5, 2, "0"); }, Severity::Fatal,
         "Rohre", 2, "Innendurchmesser 0,00 mm"},
        {"rough", [](ProjectTables& t) { t.pipes.setCell(6, 3, "15"); }, Severity::Warning, "Rohre",
         3, "Rauheit ks 15,00 mm"},
        {"rising head", [](ProjectTables& t) { t.pumps.setCell(3, 2, "29"); }, Severity::Warning,
         "Pumpen", 1, "fällt nicht mit dem Förderstrom (h3 ≥ h2)"},
        {"falling flow", [](ProjectTables& t) { t.pumps.setCell(3, 3, "1"); }, Severity::Fatal,
         "Pumpen", 1, "steigen nicht an (Q3 ≤ Q2)"},
        {"long value", [](ProjectTables& t) { t.pipes.setCell(4, 3, "95," + QString(24, '0')); },
         Severity::Fatal, "Rohre", 3, "der Wert '95,000000000000000000000000' hat mehr als 25"},
        {"long designation",
         [](ProjectTables& t) { t.pumps.setCell(1, 1, "P" + QString(24, 'X')); }, Severity::Fatal,
         "Pumpen", 1, "die Bezeichnung hat mehr als 24 Zeichen"},
        {"head below the pipe", [](ProjectTables& t) { t.nodes.setCell(2, 1, "97"); },
         Severity::Warning, "Knoten", 1, "liegt unter der Rohrsohle 98,00 mNN"},
        {"head below ground, no pipe invert",
         [](ProjectTables& t) {
             t.nodes.setCell(2, 1, "100");
             t.nodes.setCell(6, 1, " ");
         },
         Severity::Warning, "Knoten", 1, "liegt unter der Geländeoberkante 105,00 mNN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectTables t;
        typeLoop(t);
        c.edit(t);
        const std::vector<Finding> findings = checkNetwork(t.tables(), kDefaults);
        ASSERT_EQ(findings.size(), 1u)
            << findings.front().what.toStdString() << " | " << findings.back().what.toStdString();
        const Finding& f = findings.front();
        EXPECT_EQ(f.severity, c.severity);
        EXPECT_EQ(tableText(f.place), c.table);
        ASSERT_TRUE(f.place);
        EXPECT_EQ(f.place->table == TableId::Pumps ? pumpBlockOf(f.place->row) : f.place->row, c.row);
        EXPECT_TRUE(f.what.contains(QString::fromUtf8(c.what))) << f.what.toStdString();
        EXPECT_FALSE(f.remedy.isEmpty());
    }
}

TEST(NetworkCheck, SettingsAndOrderFindingsSayWhatRepairsThem) {
    ProjectTables t;
    typeLoop(t);
    t.setRow(t.pipes, 2, {"2", "30", "20"});
    const std::vector<Finding> findings = checkNetwork(t.tables(), {"abc", "0"});
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(tableText(findings[0].place), "Einstellungen");
    EXPECT_TRUE(findings[0].what.contains("Viskosität 'abc'"));
    EXPECT_TRUE(findings[1].what.contains("Iterationen '0'"));
    EXPECT_TRUE(findings[2].offersNodeOrder);
    EXPECT_TRUE(hasFatal(findings));
}

}  // namespace
}  // namespace kolma
