// "Graphik → Löschwasser ...": the fire flow window gets the network of the tables as they are
// when it opens and the nodes selected in the plan, its results colour the plan, and a value
// that is no number is shown instead of a window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ExampleProject.h"
#include "FormLoeschwasser.h"
#include "PlanView.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using testing::WorkingDirectory;

class FireFlowMenu : public ::testing::Test {
protected:
    void SetUp() override {
        testing::openExampleProject(dir, dialogs, form);
        ASSERT_TRUE(dialogs.messages.empty());
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    TForm1 form;
};

TEST_F(FireFlowMenu, WindowComputesTheTablesAsTheyAreNow) {
    EXPECT_EQ(form.Loeschwasser1->text(), QStringLiteral("Löschwasser ..."));
    // Node 13 (table row 8) now withdraws 50 l/s instead of 2.
    form.tables().nodes->setCell(4, 8, QStringLiteral("50"));
    int rows = -1;
    double inflow = 0.0;
    dialogs.modalScripts.push_back([&](QDialog& d) {
        auto& window = static_cast<FormLoeschwasser&>(d);
        inflow = window.network().solver.netInflow[7];
        window.Knotenauswahl->setText(QStringLiteral("13 50"));
        window.Starten->click();
        if (QTest::qWaitFor([&window] { return !window.running(); }, 60000))
            rows = window.Ergebnisse->model()->rowCount();
        return int(QDialog::Rejected);
    });
    form.Loeschwasser1->trigger();
    ASSERT_EQ(dialogs.modalWindows, std::vector<QString>{QStringLiteral("FormLoeschwasser")});
    EXPECT_DOUBLE_EQ(inflow, -0.05);
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The nodes selected in the plan are the ones offered, and the results colour them there.
TEST_F(FireFlowMenu, ThePlansSelectionIsComputedAndColouredInThePlan) {
    form.Lageplan1->trigger();
    form.FormLageplan->showElement({PlanElementKind::Node, 8});  // node 13
    QString offered;
    dialogs.modalScripts.push_back([&](QDialog& d) {
        auto& window = static_cast<FormLoeschwasser&>(d);
        offered = window.Knotenauswahl->text();
        window.Starten->click();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.running(); }, 60000));
        return int(QDialog::Rejected);
    });
    form.Loeschwasser1->trigger();
    EXPECT_EQ(offered, QStringLiteral("13"));
    EXPECT_EQ(form.FormLageplan->Farbgebung->currentText(), QStringLiteral("Löschwasser"));
    const auto& marks = form.FormLageplan->Plan->look().marks;
    ASSERT_TRUE(marks);
    ASSERT_EQ(marks->classOfNode.size(), 1u);
    EXPECT_EQ(marks->classes[marks->classOfNode.at(13)].text, QStringLiteral("erfüllt"));
    form.FormLageplan->close();
}

TEST_F(FireFlowMenu, ValueThatIsNoNumberIsShownInsteadOfTheWindow) {
    form.tables().pipes->setCell(4, 3, QStringLiteral("abc"));
    QString refusal;
    try {
        requireNumbers(networkOf(form.tables(), form.project().settings()));
    } catch (const TableError& e) {
        refusal = e.message();
    }
    ASSERT_TRUE(refusal.contains(QStringLiteral("'abc'")));
    form.Loeschwasser1->trigger();
    EXPECT_TRUE(dialogs.modalWindows.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, refusal);
}

}  // namespace
}  // namespace kolma
