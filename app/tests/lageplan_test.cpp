// "Graphik → Lageplan" in the main window: the side file "<name>.lage" written with
// "Fertigstellen" and read with "Projekt öffnen" (missing, damaged: the tables stay complete),
// an imported EPANET network's own map, and the selection passed between plan and tables.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "PlanView.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using testing::WorkingDirectory;

const QString kProject = QStringLiteral("Beispielnetz.ein");

class PlanInMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir examples(QStringLiteral(KOLMA_SOURCE_DIR "/examples"));
        ASSERT_TRUE(QFile::copy(examples.filePath(kProject), dir.filePath(kProject)));
    }
    void openProject(const QString& name) {
        dialogs.fileAnswers.push_back(dir.filePath(name));
        form.Projekt->trigger();
    }
    void saveProject(const QString& name) {
        dialogs.fileAnswers.push_back(dir.filePath(name));
        form.Fertigstellen->click();
    }
    int nodeCount() { return networkOf(form.tables(), form.project().settings()).nodes.size(); }
    void openPlan() {
        form.Lageplan1->trigger();
        ASSERT_TRUE(form.FormLageplan);
        if (form.FormLageplan->layoutRunning()) {
            QSignalSpy finished(form.FormLageplan.data(), &TFormLageplan::layoutFinished);
            ASSERT_TRUE(finished.wait(20000));
        }
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    TForm1 form;
};

TEST_F(PlanInMainWindow, SideFileIsWrittenWithTheProjectAndReadWithIt) {
    openProject(kProject);
    EXPECT_TRUE(dialogs.messages.empty());  // no side file yet: the plan lays the nodes out
    EXPECT_TRUE(form.project().coordinates().nodes.empty());
    EXPECT_TRUE(
        form.project().coordinates().origin.contains("Keine Lagedatei \"Beispielnetz.lage\""));

    PlanCoordinates c;
    c.nodes[1] = {QPointF(10.25, -3), Placement::Given};
    c.nodes[13] = {QPointF(7, 8), Placement::Automatic};
    c.nodes[9999] = {QPointF(1, 1), Placement::Given};  // no such node in the tables
    c.bends["2"] = {QPointF(5, 5), QPointF(6, 6)};
    form.project().setCoordinates(c);
    saveProject("netz.ein");
    ASSERT_TRUE(dir.exists("netz.lage"));
    const QByteArray bytes = dir.read("netz.lage");
    EXPECT_FALSE(bytes.contains('\r'));
    PlanCoordinates stored = c;
    stored.nodes.erase(9999);
    EXPECT_EQ(parsePlanFile(QString::fromUtf8(bytes)).coordinates, stored);

    form.ProjektNeu->trigger();  // "Projekt anlegen": a new project has no plan
    EXPECT_TRUE(form.project().coordinates().nodes.empty());
    openProject("netz.ein");
    EXPECT_EQ(form.project().coordinates(), stored);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PlanInMainWindow, DamagedSideFileCostsOnlyItsBadLines) {
    dir.write("Beispielnetz.lage", "[KNOTEN]\n1 10 20\n2 zehn 20\n3 30 40\n");
    openProject(kProject);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const QString text = dialogs.messages[0].text;
    EXPECT_EQ(dialogs.messages[0].caption, "Lageplan");
    EXPECT_TRUE(text.contains("\"Beispielnetz.lage\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("Zeile 3: 'zehn' ist keine gültige Zahl.")) << text.toStdString();
    EXPECT_EQ(nodeCount(), 46);  // every node of the sample town
    const auto& nodes = form.project().coordinates().nodes;
    EXPECT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes.at(3).at, QPointF(30, 40));
    EXPECT_EQ(dir.read("Beispielnetz.lage"), "[KNOTEN]\n1 10 20\n2 zehn 20\n3 30 40\n");
}

TEST_F(PlanInMainWindow, ImportedEpanetNetworkBringsItsMap) {
    const QString inp = dir.filePath("stadt.inp");
    ASSERT_TRUE(QFile::copy(KOLMA_SOURCE_DIR "/model/tests/data/epanet/town_pump_tank.inp", inp));
    dialogs.fileAnswers.push_back(inp);
    form.EpanetImport1->trigger();
    const PlanCoordinates& c = form.project().coordinates();
    EXPECT_EQ(static_cast<int>(c.nodes.size()), nodeCount());
    EXPECT_FALSE(c.bends.empty());
    EXPECT_EQ(c.origin, "Lage aus dem EPANET-Netz \"stadt.inp\"");
    openPlan();
    EXPECT_EQ(form.FormLageplan->data().unplacedCount(), 0);
    EXPECT_FALSE(form.FormLageplan->layoutRunning());  // nothing to lay out
    saveProject("stadt.ein");
    EXPECT_EQ(parsePlanFile(readTextFile(dir.filePath("stadt.lage"))).coordinates, c);
}

TEST_F(PlanInMainWindow, SelectionPassesBetweenPlanAndTables) {
    openProject(kProject);
    openPlan();
    TFormLageplan& plan = *form.FormLageplan;
    ASSERT_EQ(plan.data().unplacedCount(), 0);
    EXPECT_TRUE(plan.isVisible());
    const PlanGeometry g = plan.Plan->planGeometry();
    const PlanNode& node = plan.data().nodes[4];
    QTest::mouseClick(plan.Plan, Qt::LeftButton, Qt::NoModifier, g.toDevice(*node.at).toPoint());
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet3);
    EXPECT_EQ(form.StringGrid3->currentIndex().row(), node.row);

    // A double click on a table row, or on its label, shows the element in the plan.
    emit form.StringGrid1->doubleClicked(form.StringGrid1->model()->index(7, 3));
    EXPECT_EQ(plan.Plan->look().selected,
              (std::vector<PlanElement>{PlanElement{PlanElementKind::Pipe, 7}}));
    emit form.StringGrid2->verticalHeader()->sectionDoubleClicked(2);  // the heads of pump 1
    EXPECT_EQ(plan.Plan->look().selected,
              (std::vector<PlanElement>{PlanElement{PlanElementKind::Pump, 1}}));
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet3);  // the tables stay put

    // The plan window is not modal and is opened once.
    form.Lageplan1->trigger();
    EXPECT_EQ(form.FormLageplan.data(), &plan);
    EXPECT_TRUE(dialogs.modalWindows.empty());
}

}  // namespace
}  // namespace kolma
