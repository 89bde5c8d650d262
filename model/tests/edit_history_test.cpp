// Undo and redo of the project: steps as the operations make them, exact cell texts and
// settings restored, the current file name carried along, the bounds of the history.
#include <gtest/gtest.h>

#include <vector>

#include "EditHistory.h"
#include "NodeOrderTables.h"
#include "ProjectTables.h"
#include "QStringPrinter.h"
#include "TableInput.h"

namespace kolma {
namespace {

struct History : ::testing::Test, testing::ProjectTables {
    History() {
        typeSampleNetwork(*this);
        history.clear();
    }

    // Every cell of the three tables and the settings, to compare whole project states.
    QStringList state() {
        QStringList cells = {project.settings().viscosity, project.settings().iterations};
        for (CellTable* grid : {&pipes, &pumps, &nodes})
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int col = 0; col < grid->colCount(); ++col)
                    cells << grid->cell(col, row);
        return cells;
    }

    EditHistory history{project};
};

// Each operation is one step; undo brings back the exact texts before it (" " and "" alike
// kept apart), redo the texts after it, in any order of steps.
TEST_F(History, EveryOperationIsOneStepUndoneAndRedoneExactly) {
    const auto step = [&](const std::function<void()>& operation) {
        const EditStep s(history);
        operation();
    };
    const std::vector<std::function<void()>> operations = {
        [&] { step([&] { removeRow(nodes, 2); }); },
        [&] { step([&] {
                  addPipe(pipes, "3", {"3", "30", "40", "5", "80", "0,1", "0"});
              }); },
        [&] { step([&] { KnotnumAktualisieren(tables()); }); },
        [&] { step([&] { removePump(pumps, 1); }); },
        [&] { pasteBlock(nodes, TableId::Nodes, 1, 1, "20\n40\n10\n30"); },
        [&] { step([&] { KnotenreihenfolgeOptimieren(tables()); }); },
        [&] { step([&] {
                  project.setSettings({"1,0", "50"});
              }); },
        [&] { step([&] { TabellenZuruecksetzen(tables()); }); },
        [&] { nodes.setCell(6, 1, ""); },
    };
    std::vector<QStringList> states = {state()};
    for (const auto& operation : operations) {
        operation();
        states.push_back(state());
        ASSERT_NE(states.back(), states[states.size() - 2]);
    }
    ASSERT_EQ(history.undoCount(), static_cast<int>(operations.size()));
    for (std::size_t i = operations.size(); i > 0; --i) {
        history.undo();
        EXPECT_EQ(state(), states[i - 1]) << "undo of operation " << i;
    }
    EXPECT_FALSE(history.canUndo());
    for (std::size_t i = 1; i <= operations.size(); ++i) {
        history.redo();
        EXPECT_EQ(state(), states[i]) << "redo of operation " << i;
    }
    EXPECT_FALSE(history.canRedo());
}

TEST_F(History, ANewStepAfterUndoDropsTheUndoneOnes) {
    pipes.setCell(1, 1, "7");
    pipes.setCell(1, 1, "8");
    history.undo();
    EXPECT_TRUE(history.canRedo());
    pipes.setCell(2, 1, "9");
    EXPECT_FALSE(history.canRedo());
    history.undo();
    history.undo();
    EXPECT_EQ(pipes.cell(1, 1), "1");
    EXPECT_EQ(pipes.cell(2, 1), "10");
    // A step without a change is no step; undo inside an open step does nothing.
    { const EditStep nothing(history); }
    EXPECT_FALSE(history.canUndo());
    history.redo();
    const EditStep open(history);
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(pipes.cell(1, 1), "7");
}

// Undo of "Projekt anlegen" or an import gives back the file the restored tables belong to.
TEST_F(History, TheCurrentFileChangesWithItsStep) {
    QString file = "alt.ein";
    QStringList restored;
    QObject::connect(&history, &EditHistory::currentFileRestored,
                     [&](const QString& name) { restored << name; });
    {
        const EditStep step(history, [&] { return file; });
        TabellenZuruecksetzen(tables());
        file = "Unbenannt.ein";
    }
    const auto place = history.undo();
    EXPECT_EQ(restored, QStringList({"alt.ein"}));
    ASSERT_TRUE(place);
    EXPECT_TRUE(place->table == &pipes || place->table == &pumps || place->table == &nodes);
    history.redo();
    EXPECT_EQ(restored, QStringList({"alt.ein", "Unbenannt.ein"}));
}

// An import brings the plan and the check valves of its network; its undo gives back those of
// the tables it restores, so that "Fertigstellen" writes no foreign side files. A dragged node is
// a step; the plan's own layout of nodes without a place is none, and the next step starts from
// it.
TEST_F(History, PlacesAndCheckValvesGoWithTheirStep) {
    const auto place = [](PlanCoordinates coordinates, int node, double x) {
        coordinates.nodes[node] = {QPointF(x, 0), Placement::Given};
        return coordinates;
    };
    const PlanCoordinates old = place({}, 1, 0);
    project.setCoordinates(old);
    history.clear();
    const PlanCoordinates imported = place({}, 7, 5);
    const CheckValves valves = {{"3", 7}};
    {
        const EditStep step(history);
        TabellenZuruecksetzen(tables());
        project.setCoordinates(imported);
        project.setCheckValves(valves);
    }
    const PlanCoordinates laidOut = place(imported, 8, 9);
    project.setCoordinates(laidOut, Placing::Layout);
    EXPECT_EQ(history.undoCount(), 1);
    const PlanCoordinates dragged = place(laidOut, 7, 6);
    project.setCoordinates(dragged);
    ASSERT_EQ(history.undoCount(), 2);

    history.undo();
    EXPECT_EQ(project.coordinates(), laidOut);
    history.undo();
    EXPECT_EQ(project.coordinates(), old);
    EXPECT_TRUE(project.checkValves().empty());
    history.redo();
    EXPECT_EQ(project.coordinates(), imported);
    EXPECT_EQ(project.checkValves(), valves);
    history.redo();
    EXPECT_EQ(project.coordinates(), dragged);
}

TEST_F(History, ClearingForgetsEveryStepTheOpenOneIncluded) {
    pipes.setCell(1, 1, "7");
    {
        const EditStep step(history);
        pipes.setCell(1, 2, "8");
        history.clear();
        pipes.setCell(1, 3, "9");
    }
    ASSERT_EQ(history.undoCount(), 1);
    history.undo();
    EXPECT_EQ(pipes.cell(1, 3), " ");
    EXPECT_EQ(pipes.cell(1, 2), "8");
    EXPECT_EQ(pipes.cell(1, 1), "7");
    // Settings as they are when cleared are the base of the next settings step.
    project.setSettings({"2,0", "10"});
    history.clear();
    project.setSettings({"3,0", "10"});
    history.undo();
    EXPECT_EQ(project.settings().viscosity, "2,0");
}

TEST_F(History, KeepsTheNewestStepsUpToItsBound) {
    const int steps = EditHistory::kMaxSteps + 5;
    for (int i = 0; i < steps; ++i)
        pipes.setCell(4, 1, QString::number(i));
    ASSERT_EQ(history.undoCount(), EditHistory::kMaxSteps);
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(pipes.cell(4, 1), "4");
}

}  // namespace
}  // namespace kolma
