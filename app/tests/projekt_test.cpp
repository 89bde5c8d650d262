// The main window's project commands on files: saving refuses what the file cannot hold,
// "Fertigstellen" with and without a project name, the conversion through "ein2.dat" and its
// failures, and opening a stored project cell for cell.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <optional>

#include "Handler.h"
#include "Numbers.h"
#include "ProjectTables.h"
#include "Projekt.h"
#include "ScriptedDialogs.h"
#include "WorkingDirectory.h"

using kolma::CellTable;
using kolma::Conversion;
using kolma::ProjectSettings;
using kolma::testing::kSampleWithCommas;
using kolma::testing::kSampleWithPoints;
using kolma::testing::ProjectTables;
using kolma::testing::ScriptedDialogs;
using kolma::testing::typeSampleNetwork;
using kolma::testing::WorkingDirectory;

namespace {

const ProjectSettings kDefaults{"1,305", "1000"};

void expectSameCells(const CellTable& expected, const CellTable& actual) {
    for (int r = 0; r < expected.rowCount(); ++r)
        for (int c = 0; c < expected.colCount(); ++c)
            ASSERT_EQ(actual.cell(c, r), expected.cell(c, r)) << "column " << c << " row " << r;
}

// Empty values come back as the file's placeholder "---".
void emptyToPlaceholder(CellTable& grid, int fromCol, int toCol, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c)
            if (kolma::isEmptyCell(grid.cell(c, r)))
                grid.setCell(c, r, "---");
}

TEST(ProjectSave, ValuesThatWouldShiftTheFileAreRejected) {
    using kolma::TableId;
    const auto pipes = TableId::Pipes, pumps = TableId::Pumps, nodes = TableId::Nodes;
    const struct {
        std::optional<TableId> table;  // the cell to spoil, if any
        int col;
        int row;
        const char* text;
        ProjectSettings settings;
        QString expected;
    } cases[] = {
        {pipes, 4, 2, " ", kDefaults, "Rohrtabelle, Zeile 2, Spalte \"Länge\""},
        {pipes, 6, 1, "", kDefaults, "Rohrtabelle, Zeile 1, Spalte \"ks\""},
        {pipes, 7, 1, "1 5", kDefaults, "Spalte \"zeta\""},
        {pumps, 1, 1, "P 1", kDefaults, "Pumpentabelle, Zeile 1"},
        {pumps, 2, 2, "2 8", kDefaults, "Pumpentabelle, Zeile 2, Spalte \"h2\""},
        {nodes, 5, 3, "10 3", kDefaults, "Knotentabelle, Zeile 3, Spalte \"GOK\""},
        {std::nullopt, 0, 0, "", {"", "1000"}, "kin. Viskosität"},
        {std::nullopt, 0, 0, "", {"1,305", " "}, "Max. Anzahl Iterationen"},
        {std::nullopt, 0, 0, "", {"1,305", "10 0"}, "Max. Anzahl Iterationen"},
        {pipes, 2, 2, "99", kDefaults, "Strang 2 (Zeile 2): Knoten 99 fehlt"},
        {pumps, 3, 1, "77", kDefaults, "Pumpe P1 (Block 1): Knoten 77 fehlt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        WorkingDirectory dir;
        ScriptedDialogs dialogs;
        ProjectTables t;
        typeSampleNetwork(t);
        if (c.table)
            t.table(*c.table).setCell(c.col, c.row, c.text);
        t.project.setSettings(c.settings);
        EXPECT_FALSE(kolma::writeEingabe(t.project, nullptr));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "Eingabefehler");
        EXPECT_EQ(dialogs.messages[0].icon, kolma::BoxIcon::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains(c.expected))
            << dialogs.messages[0].text.toStdString();
        EXPECT_FALSE(dir.exists("eingabe.dat"));
    }
}

TEST(ProjectSave, NodeNumberThatIsNoWholeNumberLeavesThePreviousFile) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    dir.write("eingabe.dat", "previous");
    ProjectTables t;
    typeSampleNetwork(t);
    t.nodes.setCell(1, 3, "3x");
    EXPECT_FALSE(kolma::runHandler([&] { kolma::writeEingabe(t.project, nullptr); }));
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>{"'3x' ist kein gültiger Integerwert"});
    EXPECT_EQ(dir.read("eingabe.dat"), "previous");
}

TEST(ProjectFile, StoredWithPointsAndOpenedCellForCell) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    ProjectTables t;
    typeSampleNetwork(t);
    QPlainTextEdit richEdit1("old text");
    QString aktuelleDatei = "Unbenannt.ein";
    const QString project = dir.filePath("netz1.ein");
    dialogs.fileAnswers.push_back(project);
    kolma::Fertigstellen(t.project, aktuelleDatei, richEdit1, nullptr);

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Projekt speichern");
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Eingabedateien|*.ein");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "Unbenannt.ein");
    EXPECT_EQ(dialogs.fileRequests[0].directory, "");
    for (const char* file : {"netz1.ein", "eingabe.dat", "ein2.dat"})
        EXPECT_EQ(dir.read(file), kSampleWithPoints) << file;
    EXPECT_EQ(richEdit1.toPlainText(), QString::fromUtf8(kSampleWithPoints));
    EXPECT_EQ(aktuelleDatei, project);
    EXPECT_TRUE(dialogs.messages.empty());

    ProjectTables opened;
    opened.project.setSettings({"2,0", "5"});
    kolma::copyProjectToEingabe(project);
    kolma::EingabeUmwandeln(Conversion::Open, QString(), richEdit1, nullptr);
    kolma::ProjektLesen(opened.project);
    emptyToPlaceholder(t.nodes, 2, 6, 1, 4);
    emptyToPlaceholder(t.pumps, 1, 8, 2, 3);
    expectSameCells(t.pipes, opened.pipes);
    expectSameCells(t.pumps, opened.pumps);
    expectSameCells(t.nodes, opened.nodes);
    EXPECT_EQ(opened.project.settings(), kDefaults);
    // Opening leaves "eingabe.dat" with decimal commas, as the tables hold them.
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithCommas);
}

TEST(ProjectFile, CancelledDialogLeavesEingabeWithCommas) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    ProjectTables t;
    typeSampleNetwork(t);
    QPlainTextEdit richEdit1;
    QString aktuelleDatei = dir.filePath("alt/netz.ein");
    kolma::Fertigstellen(t.project, aktuelleDatei, richEdit1, nullptr);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].directory, dir.filePath("alt"));
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithCommas);
    EXPECT_EQ(aktuelleDatei, dir.filePath("alt/netz.ein"));
}

TEST(ProjectFile, MissingEingabeIsReportedAndNothingIsCopied) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    QPlainTextEdit richEdit1("kept");
    EXPECT_FALSE(
        kolma::EingabeUmwandeln(Conversion::Save, dir.filePath("p.ein"), richEdit1, nullptr));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Fehler beim öffnen von Eingabe.dat");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_FALSE(dir.exists("p.ein"));
    EXPECT_FALSE(dir.exists("eingabe.dat"));
    EXPECT_EQ(richEdit1.toPlainText(), "kept");
}

TEST(ProjectFile, UnwritableProjectFileLeavesEingabeUnconverted) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    dir.write("eingabe.dat", "3\t1,305\t1000\t0\t0\t0\t0\n\n");
    QPlainTextEdit richEdit1;
    const QString target = dir.filePath("missing/folder/p.ein");
    EXPECT_FALSE(kolma::runHandler(
        [&] { kolma::EingabeUmwandeln(Conversion::Save, target, richEdit1, nullptr); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(target));
    EXPECT_EQ(dir.read("eingabe.dat"), "3\t1,305\t1000\t0\t0\t0\t0\n\n");
}

}  // namespace
