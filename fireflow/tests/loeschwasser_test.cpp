// The fire flow window: what it takes as fire flow, pressure and nodes, the analysis it runs
// while the progress line counts and "Abbrechen" stops it, the table and summary it shows, the
// order of the table, and its CSV export.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cmath>

#include "FormLoeschwasser.h"
#include "Numbers.h"
#include "ProjectTables.h"
#include "ScriptedDialogs.h"
#include "WorkingDirectory.h"
#include "generated_networks.h"

namespace kolma::testing {
namespace {

FireFlowNetwork example() {
    ProjectTables t;
    const ProjectSettings settings = readExampleProject(t);
    return fireFlowNetworkOf(networkOf(t.tables(), settings));
}

// 500 nodes, a few seconds of work: long enough to be cancelled while it runs.
FireFlowNetwork largeGrid() {
    FireFlowNetwork network{tarnholm::testnet::Grid(20, 25), {}};
    network.ground.assign(network.solver.head.size(), 95.0);
    return network;
}

class FireFlowWindow : public ::testing::Test {
protected:
    void open(FireFlowNetwork network) {
        window = std::make_unique<FormLoeschwasser>(std::move(network));
    }
    void start(const QString& menge, const QString& druck, const QString& knoten,
               bool maxSuche = false) {
        window->Loeschwassermenge->setCurrentText(menge);
        window->Restdruck->setText(druck);
        window->Knotenauswahl->setText(knoten);
        window->MaxSuche->setChecked(maxSuche);
        window->Starten->click();
    }
    bool finishes() {
        return QTest::qWaitFor([this] { return !window->running(); }, 60000);
    }
    QString cell(int row, int column) const {
        return window->Ergebnisse->model()->index(row, column).data().toString();
    }
    int rows() const { return window->Ergebnisse->model()->rowCount(); }

    ScriptedDialogs scripted;
    std::unique_ptr<FormLoeschwasser> window;
};

TEST_F(FireFlowWindow, ShowsTheResultOfEveryNodeAndItsSummary) {
    const FireFlowNetwork network = example();
    open(network);
    window->setKnotenauswahl({});
    start(QStringLiteral("96 m³/h"), QStringLiteral("1,5"), QString(), true);
    ASSERT_TRUE(finishes());
    ASSERT_TRUE(scripted.messages.empty());
    const FireFlowReport& report = window->ergebnisse();
    ASSERT_EQ(rows(), 44);
    ASSERT_EQ(report.nodes.size(), 44u);
    EXPECT_FALSE(report.cancelled);

    // The rows are the engine's numbers for the nodes, in node order.
    const FireFlowCase fireCase(network);
    FireFlowCalculator calculator(fireCase);
    FireFlowSettings settings;
    settings.fireFlow = 96.0 / 3.6;
    settings.searchMaximum = true;
    for (const int row : {0, 12, 43}) {
        const int node = report.nodes[row].node;
        const auto expected = calculator.evaluate(node, settings);
        ASSERT_TRUE(expected);
        const QLocale german = germanLocale();
        EXPECT_EQ(cell(row, LoeschwasserTabelle::Knoten),
                  QString::number(static_cast<int>(network.solver.nodeNumber[node])));
        EXPECT_EQ(cell(row, LoeschwasserTabelle::Menge), QStringLiteral("26,67"));
        EXPECT_TRUE(cell(row, LoeschwasserTabelle::Restdruck)
                        .startsWith(german.toString(expected->run.pressure, 'f', 2)));
        EXPECT_EQ(cell(row, LoeschwasserTabelle::MinDruck),
                  german.toString(expected->run.lowestPressure, 'f', 2));
        EXPECT_EQ(cell(row, LoeschwasserTabelle::Erfuellt),
                  expected->satisfied ? QStringLiteral("ja") : QStringLiteral("nein"));
        EXPECT_EQ(cell(row, LoeschwasserTabelle::MaxMenge),
                  german.toString(expected->maximum, 'f', 1));
    }
    int satisfied = 0;
    int headRule = 0;
    for (const NodeFireFlow& node : report.nodes) {
        satisfied += node.satisfied;
        headRule += node.run.end == FireFlowEnd::HeadsSteady;
    }
    ASSERT_GT(headRule, 0) << "the sample has pipes at the friction factor's jump";
    EXPECT_EQ(window->Zusammenfassung->text(),
              QStringLiteral("%1 von 44 Knoten erfüllen 96 m³/h bei 1,5 bar.\n"
                             "* %2 Knoten: Ende nach der Druckhöhenregel: keine Druckhöhe hat "
                             "sich in den letzten 20 Iterationen um 1 mm geändert (ein Rohr "
                             "pendelt um Re = 2300).")
                  .arg(satisfied)
                  .arg(headRule));
    EXPECT_TRUE(window->Exportieren->isEnabled());
    EXPECT_TRUE(window->Starten->isEnabled());
    EXPECT_FALSE(window->Abbrechen->isEnabled());

    // Sorted by residual pressure, the weakest nodes come first.
    window->Ergebnisse->sortByColumn(LoeschwasserTabelle::Restdruck, Qt::AscendingOrder);
    double previous = -HUGE_VAL;
    for (int row = 0; row < rows(); ++row) {
        const double pressure = germanLocale().toDouble(
            cell(row, LoeschwasserTabelle::Restdruck).remove(QStringLiteral(" *")));
        EXPECT_GE(pressure, previous) << "row " << row;
        previous = pressure;
    }
    EXPECT_EQ(cell(0, LoeschwasserTabelle::Erfuellt), QStringLiteral("nein"));
}

TEST_F(FireFlowWindow, CancelStopsTheRunAndKeepsTheNodesFinished) {
    open(largeGrid());
    start(QStringLiteral("96 m³/h"), QStringLiteral("1,5"), QString());
    ASSERT_TRUE(window->running());
    EXPECT_FALSE(window->Starten->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Fortschritt->value() >= 2; }, 60000));
    EXPECT_TRUE(window->FortschrittText->text().contains(QStringLiteral(" von 499 Knoten, noch ")))
        << window->FortschrittText->text().toStdString();
    window->Abbrechen->click();
    ASSERT_TRUE(finishes());
    const int kept = rows();
    EXPECT_GE(kept, 2);
    EXPECT_LT(kept, 499);
    EXPECT_TRUE(window->ergebnisse().cancelled);
    EXPECT_TRUE(window->Zusammenfassung->text().startsWith(
        QStringLiteral("Abgebrochen nach %1 von 499 Knoten: ").arg(kept)));
    EXPECT_TRUE(window->FortschrittText->text().startsWith(QStringLiteral("Abgebrochen nach ")));
    EXPECT_TRUE(window->Starten->isEnabled());
    EXPECT_TRUE(window->Exportieren->isEnabled());
}

TEST_F(FireFlowWindow, ClosingWhileRunningStopsTheWorkers) {
    open(largeGrid());
    start(QStringLiteral("96 m³/h"), QStringLiteral("1,5"), QString());
    ASSERT_TRUE(window->running());
    window->Schliessen->click();
    EXPECT_FALSE(window->running());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(FireFlowWindow, RefusesWhatItCannotTake) {
    open(example());
    struct Input {
        const char* menge;
        const char* druck;
        const char* knoten;
        const char* message;
    };
    for (const Input& in : {
             Input{"96 l", "1,5", "",
                   "'96 l' ist keine gültige Löschwassermenge. Möglich sind 48 m³/h, 96 m³/h, "
                   "192 m³/h oder ein Wert über 0 bis 1000 l/s, etwa 26,67."},
             Input{"0", "1,5", "", nullptr},
             Input{"26.67", "1,5", "", nullptr},
             Input{"5000 m³/h", "1,5", "", nullptr},
             Input{"96 m³/h", "-1", "",
                   "'-1' ist kein gültiger Restdruck. Erwartet wird ein Wert in bar von 0 bis "
                   "100, etwa 1,5."},
             Input{"96 m³/h", "1.5", "", nullptr},
             Input{"96 m³/h", "1,5", "4 x", "'x' ist keine Knotennummer."},
             Input{"96 m³/h", "1,5", "5", "Knoten 5 steht nicht in der Knotentabelle."},
         }) {
        SCOPED_TRACE(in.menge + std::string(" / ") + in.druck + " / " + in.knoten);
        scripted.messages.clear();
        start(QString::fromUtf8(in.menge), QString::fromUtf8(in.druck),
              QString::fromUtf8(in.knoten));
        EXPECT_FALSE(window->running());
        ASSERT_EQ(scripted.messages.size(), 1u);
        EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("Eingabefehler"));
        if (in.message) {
            EXPECT_EQ(scripted.messages[0].text, QString::fromUtf8(in.message));
        }
    }
}

TEST(Loeschwasserstrom, TakesCubicMetresPerHourAndLitresPerSecond) {
    struct Case {
        const char* typed;
        double litres;
        const char* text;
    };
    for (const Case& c :
         {Case{"48 m³/h", 48 / 3.6, "48 m³/h"}, Case{"192 m3/h", 192 / 3.6, "192 m³/h"},
          Case{" 26,67 ", 26.67, "26,67 l/s"}, Case{"30 l/s", 30.0, "30 l/s"}}) {
        const Loeschwasserstrom menge = loeschwasserstromOf(QString::fromUtf8(c.typed));
        EXPECT_DOUBLE_EQ(menge.litresPerSecond, c.litres) << c.typed;
        EXPECT_EQ(menge.text, QString::fromUtf8(c.text));
    }
    EXPECT_DOUBLE_EQ(restdruckOf(QStringLiteral("2,25 bar")), 2.25);
}

TEST_F(FireFlowWindow, FailingCaseWithoutFireFlowIsShownAndNothingElse) {
    // Node 3 hangs on nothing: the node system of the network is singular.
    using namespace tarnholm::testnet;
    tarnholm::Network net = Empty();
    AddKnownNode(net, 1, 120.0, 100.0);
    AddNode(net, 2, -1.0, 100.0);
    AddNode(net, 3, -1.0, 100.0);
    AddPipe(net, 0, 1, 100.0, 200.0);
    open(FireFlowNetwork{net, {100.0, 100.0, 100.0}});
    start(QStringLiteral("96 m³/h"), QStringLiteral("1,5"), QString());
    ASSERT_TRUE(finishes());
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("Löschwasser"));
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Das Netz lässt sich ohne Löschwasser nicht berechnen: Die Matrix ist "
                             "bei Knoten 3 nicht positiv definit. Ist jeder Knoten mit einem "
                             "Knoten mit bekanntem Druck verbunden?"));
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(window->Exportieren->isEnabled());
}

TEST_F(FireFlowWindow, ExportsTheTableAsGermanCsv) {
    WorkingDirectory dir;
    open(example());
    start(QStringLiteral("26,67"), QStringLiteral("1,5"), QStringLiteral("13 50"));
    ASSERT_TRUE(finishes());
    ASSERT_EQ(rows(), 2);
    scripted.fileAnswers.push_back(dir.filePath(QStringLiteral("fw.csv")));
    window->Exportieren->click();
    ASSERT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(scripted.fileRequests[0].defaultExtension, QStringLiteral("csv"));
    const QStringList lines = QString::fromUtf8(dir.read(QStringLiteral("fw.csv")).mid(3))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Knoten;Löschwasser [l/s];Restdruck [bar];min. Druck [bar];"
                                       "bei Knoten;erfüllt;max. Löschwasser [l/s];"
                                       "Ende der Berechnung"));
    const NodeFireFlow& first = window->ergebnisse().nodes[0];
    EXPECT_EQ(
        lines[1],
        QStringLiteral("13;26,67;%1;%2;%3;%4;;%5")
            .arg(cell(0, LoeschwasserTabelle::Restdruck).remove(QStringLiteral(" *")),
                 cell(0, LoeschwasserTabelle::MinDruck), cell(0, LoeschwasserTabelle::BeiKnoten),
                 cell(0, LoeschwasserTabelle::Erfuellt),
                 first.run.end == FireFlowEnd::Converged ? QStringLiteral("konvergiert")
                                                         : QStringLiteral("Druckhöhen stehen")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("50;26,67;-")));
}

// The export offers the same two styles as the other results; the second uses commas and points.
TEST_F(FireFlowWindow, ExportsTheTableInTheChosenStyle) {
    WorkingDirectory dir;
    open(example());
    start(QStringLiteral("26,67"), QStringLiteral("1,5"), QStringLiteral("13"));
    ASSERT_TRUE(finishes());
    scripted.fileAnswers.push_back(dir.filePath(QStringLiteral("fw.csv")));
    scripted.filterAnswers.push_back(QStringLiteral("CSV international (Komma, Dezimalpunkt)"));
    window->Exportieren->click();
    const QStringList lines = QString::fromUtf8(dir.read(QStringLiteral("fw.csv")).mid(3))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Knoten,Löschwasser [l/s],Restdruck [bar],")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("13,26.67,%1,")
                                        .arg(cell(0, LoeschwasserTabelle::Restdruck)
                                                 .remove(QStringLiteral(" *"))
                                                 .replace(QLatin1Char(','), QLatin1Char('.')))));
}

TEST(LoeschwasserTabelle, SortsNodesWithoutResultLastInBothOrders) {
    tarnholm::Network net = tarnholm::testnet::Grid(2, 2);
    FireFlowReport report;
    const auto node = [](int index, FireFlowEnd end, double pressure) {
        NodeFireFlow n;
        n.node = index;
        n.run.end = end;
        n.run.pressure = pressure;
        return n;
    };
    report.nodes = {node(0, FireFlowEnd::Failed, kNoPressure), node(1, FireFlowEnd::Converged, 2.0),
                    node(2, FireFlowEnd::Bound, kNoPressure),
                    node(3, FireFlowEnd::HeadsSteady, 1.0)};
    LoeschwasserTabelle table;
    table.setReport(report, net, 10.0);
    const auto order = [&table] {
        std::vector<int> nodes;
        for (const NodeFireFlow& row : table.rows())
            nodes.push_back(row.node);
        return nodes;
    };
    table.sort(LoeschwasserTabelle::Restdruck, Qt::AscendingOrder);
    EXPECT_EQ(order(), (std::vector<int>{3, 1, 0, 2}));
    table.sort(LoeschwasserTabelle::Restdruck, Qt::DescendingOrder);
    EXPECT_EQ(order(), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(table.index(0, LoeschwasserTabelle::Restdruck).data().toString(),
              QStringLiteral("2,00"));
    EXPECT_EQ(table.index(1, LoeschwasserTabelle::Restdruck).data().toString(),
              QStringLiteral("1,00 *"));
    EXPECT_EQ(table.index(2, LoeschwasserTabelle::Restdruck).data().toString(),
              QStringLiteral("nicht berechenbar"));
    EXPECT_EQ(table.index(3, LoeschwasserTabelle::Restdruck).data().toString(),
              QStringLiteral("Iterationsgrenze"));
    EXPECT_EQ(table.index(3, LoeschwasserTabelle::Erfuellt).data().toString(), QStringLiteral("–"));
}

}  // namespace
}  // namespace kolma::testing
