// "Bearbeiten → Ergebnisse exportieren" and "EPANET-Netz exportieren ...": the sample project
// opened and computed as a user does it, then exported through the file dialogs.
#include <gtest/gtest.h>

#include <QAction>

#include "EpanetImport.h"
#include "ExampleProject.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using testing::WorkingDirectory;

const QString kInternational = QStringLiteral("CSV international (Komma, Dezimalpunkt)");

class ExportMenu : public ::testing::Test {
protected:
    void SetUp() override {
        testing::openExampleProject(dir, dialogs, form);
        ASSERT_TRUE(dialogs.messages.empty());
        dialogs.fileRequests.clear();
    }

    // "Berechnung", the report viewer closed at once.
    void compute() {
        dialogs.modalScripts.push_back([](QDialog&) { return int(QDialog::Rejected); });
        form.Action4->trigger();
        dialogs.messages.clear();
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    TForm1 form;
};

TEST_F(ExportMenu, ResultsBeforeAnyCalculationAreRefusedBeforeAskingForAName) {
    form.ErgebnisseExportieren1->trigger();
    EXPECT_TRUE(dialogs.fileRequests.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Es liegen keine Ergebnisse vor: die Graphikeingabedatei \"graphein.dat\" fehlt. "
              "Bitte führen Sie zuerst die Berechnung durch.");
}

// The dialog's second filter entry chooses commas and decimal points; files that exist are
// replaced only after a Yes.
TEST_F(ExportMenu, ComputedResultsGoIntoThreeFilesOfTheChosenStyle) {
    compute();
    dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("ergebnis.csv")));
    dialogs.filterAnswers.push_back(kInternational);
    form.ErgebnisseExportieren1->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              "CSV für deutsche Tabellenkalkulation (Semikolon, Dezimalkomma)|*.csv|" +
                  kInternational + "|*.csv");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, dir.filePath(QStringLiteral("Beispielnetz.csv")));
    const QByteArray nodes = dir.read("ergebnis_knoten.csv");
    EXPECT_TRUE(nodes.startsWith("\xEF\xBB\xBFKnoten,Energiehöhe [mNN],"));
    EXPECT_EQ(nodes.count('\n'), 47);  // header and 46 nodes
    EXPECT_TRUE(nodes.contains("\n1,214.500,216.000,-0.15,,\n"));
    EXPECT_EQ(dir.read("ergebnis_pumpen.csv"),
              "\xEF\xBB\xBFPumpe,von Knoten,nach Knoten,Förderstrom [l/s],Förderhöhe [m],"
              "im Arbeitsbereich\n1-UPA-150,1,2,45.27,67.38,ja\n");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(dir.filePath("ergebnis_rohre.csv")));

    dir.write("ergebnis_rohre.csv", "alt");
    dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("ergebnis")));
    dialogs.messageAnswers.push_back(QMessageBox::No);
    form.ErgebnisseExportieren1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains(dir.filePath("ergebnis_pumpen.csv")));
    EXPECT_EQ(dir.read("ergebnis_rohre.csv"), "alt");
}

TEST_F(ExportMenu, EpanetFileHoldsTheTablesAndThePlan) {
    PlanCoordinates plan;
    plan.nodes[1] = {{250.0, -12.5}, Placement::Given};
    form.project().setCoordinates(plan);
    dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("netz.inp")));
    form.EpanetExportieren1->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "EPANET-Netze|*.inp");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, dir.filePath(QStringLiteral("Beispielnetz.inp")));
    const EpanetNetwork read = parseInp(readTextFile(dir.filePath(QStringLiteral("netz.inp"))));
    EXPECT_EQ(read.nodes.size(), 46u);
    EXPECT_EQ(read.pipes.size(), 69u);
    EXPECT_EQ(read.pumps.size(), 1u);
    EXPECT_EQ(read.coordinates.value(QStringLiteral("1")), QPointF(250.0, -12.5));
    // Ground levels differ from the inverts: the one note the sample network needs.
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "EPANET-Netz exportieren");
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Geländehöhen (GOK)")));
}

}  // namespace
}  // namespace kolma
