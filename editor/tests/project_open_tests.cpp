// Opening a project: the file of kind 1, 2 or 3 back into the tables and settings.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <vector>

#include "Handler.h"
#include "Numbers.h"
#include "Projekt.h"
#include "ScriptedDialogs.h"
#include "WorkingDirectory.h"
#include "project_tables.h"

using kolma::ProjectSettings;
using kolma::testing::kSampleWithCommas;
using kolma::testing::ProjectTables;
using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

// Opens a project file as "Projekt öffnen" does after the dialog.
void openProject(const QString& file, ProjectTables& t, QLineEdit& nue, QLineEdit& iter) {
    QPlainTextEdit richEdit1;
    kolma::copyProjectToEingabe(file);
    kolma::EingabeUmwandeln(2, QString(), richEdit1, nullptr);
    kolma::ProjektLesen(t.tables(), nue, iter);
}

// Saves the tables as "Fertigstellen" does when the user names the file.
void saveProject(ProjectTables& t, const ProjectSettings& settings, const QString& file) {
    ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(file);
    QPlainTextEdit richEdit1;
    QString aktuelleDatei = "Unbenannt.ein";
    kolma::Fertigstellen(t.tables(), settings, aktuelleDatei, richEdit1, nullptr);
    ASSERT_TRUE(dialogs.messages.empty());
}

void expectSameCells(const kolma::StringGrid& expected, const kolma::StringGrid& actual,
                     const char* table) {
    for (int r = 0; r < expected.rowCount(); ++r)
        for (int c = 0; c < expected.colCount(); ++c)
            ASSERT_EQ(actual.cell(c, r), expected.cell(c, r))
                << table << " column " << c << " row " << r;
}

// Empty values come back as the file's placeholder "---".
void emptyToPlaceholder(kolma::StringGrid& grid, int fromCol, int toCol, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c)
            if (kolma::isEmptyCell(grid.cell(c, r)))
                grid.setCell(c, r, "---");
}

// Reads a project text into fresh tables under the general error handler; returns its messages.
std::vector<QString> readRejected(const QByteArray& text, ProjectTables& t) {
    ScriptedDialogs dialogs;
    ProjectSettings settings{"1,305", "1000"};
    EXPECT_FALSE(kolma::runHandler([&] { kolma::readProjectText(text, t.tables(), settings); }));
    for (const auto& m : dialogs.messages)
        EXPECT_EQ(m.caption, "KOLMA");
    return dialogs.messageTexts();
}

}  // namespace

TEST(ProjectOpen, SavedProjectComesBackCellForCell) {
    WorkingDirectory dir;
    ProjectTables typed;
    kolma::testing::typeSampleNetwork(typed);
    saveProject(typed, {"1,305", "1000"}, dir.filePath("netz1.ein"));

    ProjectTables opened;
    QLineEdit nue("2,0");
    QLineEdit iter("5");
    openProject(dir.filePath("netz1.ein"), opened, nue, iter);

    ProjectTables expected;
    kolma::testing::typeSampleNetwork(expected);
    emptyToPlaceholder(expected.nodes, 2, 6, 1, 4);
    emptyToPlaceholder(expected.pumps, 1, 8, 2, 3);
    expectSameCells(expected.pipes, opened.pipes, "pipes");
    expectSameCells(expected.pumps, opened.pumps, "pumps");
    expectSameCells(expected.nodes, opened.nodes, "nodes");
    EXPECT_EQ(nue.text(), "1,305");
    EXPECT_EQ(iter.text(), "1000");
    // Opening leaves "eingabe.dat" with decimal commas, as the tables hold them.
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithCommas);
}

TEST(ProjectOpen, SeparatorsSurviveSaveAndOpen) {
    WorkingDirectory dir;
    ProjectTables typed;
    kolma::testing::typeSampleNetwork(typed);
    typed.pipes.setCell(4, 1, ",5");
    typed.pipes.setCell(5, 1, "12,5");
    typed.pumps.setCell(1, 1, "3.5a");
    saveProject(typed, {"1,305", "1000"}, dir.filePath("p.ein"));
    EXPECT_TRUE(dir.read("p.ein").contains("1\t0\t1\t0.5\t12.5\t"));
    EXPECT_TRUE(dir.read("p.ein").contains("\n3.5a\t2\t3\t5\n"));

    ProjectTables opened;
    QLineEdit nue;
    QLineEdit iter;
    openProject(dir.filePath("p.ein"), opened, nue, iter);
    EXPECT_EQ(opened.pipes.cell(4, 1), "0,5");
    EXPECT_EQ(opened.pipes.cell(5, 1), "12,5");
    EXPECT_EQ(opened.pumps.cell(1, 1), "3,5a");
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
    EXPECT_EQ(t.pipes.cell(2, 1), "10");
    EXPECT_EQ(t.pipes.cell(3, 1), "20");
    EXPECT_EQ(t.nodes.cell(1, 2), "20");
    EXPECT_EQ(t.nodes.cell(2, 2), "---");
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
    EXPECT_EQ(t2.pipes.cell(2, 1), "20");
    EXPECT_EQ(t2.pipes.cell(3, 1), "10");
    EXPECT_EQ(t2.nodes.cell(1, 1), "10");
    EXPECT_EQ(t2.nodes.cell(1, 2), "20");
    EXPECT_EQ(t2.nodes.cell(4, 2), "1,5");
    EXPECT_EQ(settings.viscosity, "0,8");
}

TEST(ProjectOpen, BadCountsAndIndicesStopTheReading) {
    struct Case {
        const char* what;
        QByteArray text;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"index beyond the nodes", "3 1,3 10 1 2 0 0 10 20 1 0 2 5 100 0,1 0", "Knotenindex 2"},
        {"negative index", "3 1,3 10 1 2 0 0 10 20 1 -1 1 5 100 0,1 0", "Knotenindex -1"},
        {"pump index", "3 1,3 10 0 1 1 0 10 P 0 1 3 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8",
         "Knotenindex 1"},
        {"count of five characters", "3 1,3 10 10000 2 0 0", "'10000'"},
        {"count that is no number", "3 1,3 10 x 2 0 0", "'x'"},
        {"more pipes than rows", "3 1,3 10 1001 2 0 0", "'1001'"},
        {"more pumps than blocks", "3 1,3 10 0 2 35 0", "'35'"},
        {"negative count", "3 1,3 10 0 -2 0 0", "'-2'"},
        {"flag that is no number", "drei 1,3 10 0 0 0 0", "'drei'"},
        {"file ends early", "3 1,3 10 1 2 0 0 10 20 1 0 1 5", "endet vorzeitig"},
        {"node number that is no number", "3 1,3 10 0 2 0 0 10 2a", "'2a' ist kein gültiger"},
    };
    for (const Case& c : cases) {
        ProjectTables t;
        const auto texts = readRejected(c.text, t);
        ASSERT_EQ(texts.size(), 1u) << c.what;
        EXPECT_TRUE(texts[0].contains(c.expected)) << c.what << ": " << texts[0].toStdString();
    }
}
