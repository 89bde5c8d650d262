// Writing "eingabe.dat" from the tables, the separator conversion, storing a project file and
// opening it again: the file of kind 1, 2 or 3 back into the tables and settings.
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
using kolma::testing::kSampleWithPoints;
using kolma::testing::ProjectTables;
using kolma::testing::ScriptedDialogs;
using kolma::testing::typeSampleNetwork;
using kolma::testing::WorkingDirectory;

namespace {

const ProjectSettings kDefaults{"1,305", "1000"};

QString lineOf(const QByteArray& text, int index) {
    return QString::fromUtf8(text).split(QLatin1Char('\n')).value(index);
}

void expectSameCells(const kolma::StringGrid& expected, const kolma::StringGrid& actual) {
    for (int r = 0; r < expected.rowCount(); ++r)
        for (int c = 0; c < expected.colCount(); ++c)
            ASSERT_EQ(actual.cell(c, r), expected.cell(c, r)) << "column " << c << " row " << r;
}

// Empty values come back as the file's placeholder "---".
void emptyToPlaceholder(kolma::StringGrid& grid, int fromCol, int toCol, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c)
            if (kolma::isEmptyCell(grid.cell(c, r)))
                grid.setCell(c, r, "---");
}

}  // namespace

TEST(ProjectSave, SampleNetworkGivesTheFileLayoutWithCommas) {
    ProjectTables t;
    typeSampleNetwork(t);
    EXPECT_EQ(kolma::eingabeText(t.tables(), kDefaults), kSampleWithCommas);
    // Settings are written as typed, unchecked.
    EXPECT_EQ(lineOf(kolma::eingabeText(t.tables(), {"abc", "50"}), 0), "3\tabc\t50\t2\t4\t1\t1");
}

TEST(ProjectSave, NodeReferencesBecomeIndicesInTableOrder) {
    ProjectTables t;
    int row = 0;
    for (const char* node : {"30", "10", "20"})
        t.setRow(t.nodes, ++row, {node});
    t.setRow(t.pipes, 1, {"1", "10", "20", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 3, {"3", "10", "30", "1", "100", "0,1", "0"});
    const QByteArray text = kolma::eingabeText(t.tables(), kDefaults);
    EXPECT_TRUE(lineOf(text, 6).startsWith("1\t1\t2\t")) << text.constData();
    EXPECT_TRUE(lineOf(text, 7).startsWith("2\t2\t0\t"));
    EXPECT_TRUE(lineOf(text, 8).startsWith("3\t1\t0\t"));
    // Reopened, the indices become node numbers again.
    ProjectTables reopened;
    ProjectSettings settings;
    kolma::readProjectText(text, reopened.tables(), settings);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(rowValues(reopened.pipes, r, 3), rowValues(t.pipes, r, 3)) << "row " << r;
}

TEST(ProjectSave, SupportCountFollowsTheFirstEmptyHead) {
    ProjectTables t;
    t.setRow(t.nodes, 1, {"1"});
    t.setRow(t.nodes, 2, {"2"});
    const QStringList flows = {"0", "1", "2", "3", "4", "5", "6", "7"};
    t.setPump(1, {"A", "1", "2"}, {"9", "8", "7", "6", "5", " ", "", "---"}, flows);
    t.setPump(2, {"B", "1", "2"}, {"9", "8", "7", "6", "5", "4", "3", "2"}, flows);
    t.setPump(3, {"C", "1", "2"}, {" ", "8", "7", " ", "5", "4", "3", "2"}, flows);
    EXPECT_EQ(kolma::supportCount(t.pumps, 2), 5);
    EXPECT_EQ(kolma::supportCount(t.pumps, 5), 8);
    // An empty first head leaves the count to the next empty head.
    EXPECT_EQ(kolma::supportCount(t.pumps, 8), 3);
    EXPECT_TRUE(kolma::eingabeText(t.tables(), kDefaults)
                    .contains("A\t0\t1\t5\n9\t8\t7\t6\t5\t---\t---\t---\t\n"));
}

TEST(ProjectSave, CountsOfFullTablesAndKnownHeads) {
    ProjectTables t;
    for (int r = 1; r <= 1000; ++r) {
        t.setRow(t.nodes, r, {QString::number(r), r % 2 ? "50" : "---"});
        t.setRow(t.pipes, r, {QString::number(r), "1", "2", "1", "100", "0,1", "0"});
    }
    for (int k = 1; k <= 34; ++k)
        t.setPump(k, {QStringLiteral("P%1").arg(k), "1", "2"}, {"9", "8", "7"}, {"1", "2", "3"});
    t.nodes.setCell(2, 1, "(null)");
    // Known heads: every odd row but the first, "---" and "(null)" are no value.
    EXPECT_EQ(lineOf(kolma::eingabeText(t.tables(), kDefaults), 0),
              "3\t1,305\t1000\t1000\t1000\t34\t499");
}

TEST(ProjectSave, ValuesThatWouldShiftTheFileAreRejected) {
    const auto pipes = &ProjectTables::pipes, pumps = &ProjectTables::pumps,
               nodes = &ProjectTables::nodes;
    const struct {
        kolma::StringGrid ProjectTables::*grid;  // the cell to spoil, if any
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
        {nullptr, 0, 0, "", {"", "1000"}, "kin. Viskosität"},
        {nullptr, 0, 0, "", {"1,305", " "}, "Max. Anzahl Iterationen"},
        {nullptr, 0, 0, "", {"1,305", "10 0"}, "Max. Anzahl Iterationen"},
        {pipes, 2, 2, "99", kDefaults, "Strang 2 (Zeile 2): Knoten 99 fehlt"},
        {pumps, 3, 1, "77", kDefaults, "Pumpe P1 (Block 1): Knoten 77 fehlt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        WorkingDirectory dir;
        ScriptedDialogs dialogs;
        ProjectTables t;
        typeSampleNetwork(t);
        if (c.grid)
            (t.*c.grid).setCell(c.col, c.row, c.text);
        EXPECT_FALSE(kolma::writeEingabe(t.tables(), c.settings, nullptr));
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
    EXPECT_FALSE(kolma::runHandler([&] { kolma::writeEingabe(t.tables(), kDefaults, nullptr); }));
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>{"'3x' ist kein gültiger Integerwert"});
    EXPECT_EQ(dir.read("eingabe.dat"), "previous");
}

TEST(SeparatorConversion, CommasAndPointsBetweenDigitsAndAtTheStartOfNumbers) {
    const struct {
        QByteArray in;
        int mode;
        QByteArray out;
    } cases[] = {
        {"12,5", 1, "12.5"},
        {"12,5", 3, "12.5"},
        {"12.5", 2, "12,5"},
        {"1,5,2", 1, "1.5.2"},
        {"3.5a\t", 1, "3.5a\t"},
        {"3.5a\t", 2, "3,5a\t"},
        {",5\t-,5\t+,5\n,7", 1, "0.5\t-0.5\t+0.5\n0.7"},
        {".5 -.25", 2, "0,5 -0,25"},
        {"5,\ta,b\t,x\t1,,2", 1, "5\tab\tx\t12"},
        {"1.305\t---\t(null)", 1, "1.305\t---\t(null)"},
        {"1.305", 3, "1.305"},
        {"", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolma::convertSeparators(c.in, c.mode), c.out)
            << c.in.constData() << " mode " << c.mode;
}

// "Fertigstellen" with a name, then "Projekt öffnen" into fresh tables.
TEST(ProjectFile, StoredWithPointsAndOpenedCellForCell) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    ProjectTables t;
    typeSampleNetwork(t);
    QPlainTextEdit richEdit1("old text");
    QString aktuelleDatei = "Unbenannt.ein";
    const QString project = dir.filePath("netz1.ein");
    dialogs.fileAnswers.push_back(project);
    kolma::Fertigstellen(t.tables(), kDefaults, aktuelleDatei, richEdit1, nullptr);

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
    QLineEdit nue("2,0");
    QLineEdit iter("5");
    kolma::copyProjectToEingabe(project);
    kolma::EingabeUmwandeln(2, QString(), richEdit1, nullptr);
    kolma::ProjektLesen(opened.tables(), nue, iter);
    emptyToPlaceholder(t.nodes, 2, 6, 1, 4);
    emptyToPlaceholder(t.pumps, 1, 8, 2, 3);
    expectSameCells(t.pipes, opened.pipes);
    expectSameCells(t.pumps, opened.pumps);
    expectSameCells(t.nodes, opened.nodes);
    EXPECT_EQ(nue.text(), "1,305");
    EXPECT_EQ(iter.text(), "1000");
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
    kolma::Fertigstellen(t.tables(), kDefaults, aktuelleDatei, richEdit1, nullptr);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].directory, dir.filePath("alt"));
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithCommas);
    EXPECT_EQ(aktuelleDatei, dir.filePath("alt/netz.ein"));
}

TEST(ProjectFile, MissingEingabeIsReportedAndNothingIsCopied) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    QPlainTextEdit richEdit1("kept");
    EXPECT_FALSE(kolma::EingabeUmwandeln(1, dir.filePath("p.ein"), richEdit1, nullptr));
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
    EXPECT_FALSE(
        kolma::runHandler([&] { kolma::EingabeUmwandeln(1, target, richEdit1, nullptr); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(target));
    EXPECT_EQ(dir.read("eingabe.dat"), "3\t1,305\t1000\t0\t0\t0\t0\n\n");
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
    EXPECT_EQ(rowValues(t.pipes, 1, 3), QStringList({"7", "10", "20"}));
    EXPECT_EQ(rowValues(t.nodes, 2, 2), QStringList({"20", "---"}));
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
    EXPECT_EQ(rowValues(t2.pipes, 1, 3), QStringList({"7", "20", "10"}));
    EXPECT_EQ(t2.nodes.cell(1, 1), "10");
    EXPECT_EQ(rowValues(t2.nodes, 2, 4), QStringList({"20", "---", "---", "1,5"}));
    EXPECT_EQ(settings.viscosity, "0,8");
}

TEST(ProjectOpen, BadCountsAndIndicesStopTheReading) {
    const std::pair<QByteArray, QString> cases[] = {
        {"3 1,3 10 1 2 0 0 10 20 1 0 2 5 100 0,1 0", "Knotenindex 2"},
        {"3 1,3 10 1 2 0 0 10 20 1 -1 1 5 100 0,1 0", "Knotenindex -1"},
        {"3 1,3 10 0 1 1 0 10 P 0 1 3 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8", "Knotenindex 1"},
        {"3 1,3 10 10000 2 0 0", "'10000'"},  // a count of five characters
        {"3 1,3 10 x 2 0 0", "'x'"},
        {"3 1,3 10 1001 2 0 0", "'1001'"},  // more pipes than rows
        {"3 1,3 10 0 2 35 0", "'35'"},      // more pumps than blocks
        {"3 1,3 10 0 -2 0 0", "'-2'"},
        {"drei 1,3 10 0 0 0 0", "'drei'"},
        {"3 1,3 10 1 2 0 0 10 20 1 0 1 5", "endet vorzeitig"},
        {"3 1,3 10 0 2 0 0 10 2a", "'2a' ist kein gültiger"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.constData());
        ScriptedDialogs dialogs;
        ProjectTables t;
        ProjectSettings settings = kDefaults;
        EXPECT_FALSE(
            kolma::runHandler([&] { kolma::readProjectText(text, t.tables(), settings); }));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "KOLMA");
        EXPECT_TRUE(dialogs.messages[0].text.contains(expected))
            << dialogs.messages[0].text.toStdString();
    }
}
