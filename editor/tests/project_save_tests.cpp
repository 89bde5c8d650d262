// Writing "eingabe.dat" from the tables, the separator conversion and storing a project file.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <functional>
#include <vector>

#include "Handler.h"
#include "Projekt.h"
#include "ScriptedDialogs.h"
#include "WorkingDirectory.h"
#include "project_tables.h"

using kolma::convertSeparators;
using kolma::eingabeText;
using kolma::ProjectSettings;
using kolma::testing::kSampleWithCommas;
using kolma::testing::kSampleWithPoints;
using kolma::testing::ProjectTables;
using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const ProjectSettings kDefaults{"1,305", "1000"};

QString lineOf(const QByteArray& text, int index) {
    return QString::fromUtf8(text).split(QLatin1Char('\n')).value(index);
}

}  // namespace

TEST(ProjectSave, SampleNetworkGivesTheFileLayoutWithCommas) {
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    EXPECT_EQ(eingabeText(t.tables(), kDefaults), kSampleWithCommas);
    // Settings are written as typed, unchecked.
    EXPECT_EQ(lineOf(eingabeText(t.tables(), {"abc", "50"}), 0), "3\tabc\t50\t2\t4\t1\t1");
}

TEST(ProjectSave, NodeReferencesBecomeIndicesInTableOrder) {
    ProjectTables t;
    t.setRow(t.nodes, 1, {"30"});
    t.setRow(t.nodes, 2, {"10"});
    t.setRow(t.nodes, 3, {"20"});
    t.setRow(t.pipes, 1, {"1", "10", "20", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "1", "100", "0,1", "0"});
    t.setRow(t.pipes, 3, {"3", "10", "30", "1", "100", "0,1", "0"});
    const QByteArray text = eingabeText(t.tables(), kDefaults);
    EXPECT_TRUE(lineOf(text, 6).startsWith("1\t1\t2\t")) << text.constData();
    EXPECT_TRUE(lineOf(text, 7).startsWith("2\t2\t0\t"));
    EXPECT_TRUE(lineOf(text, 8).startsWith("3\t1\t0\t"));
    // Reopened, the indices become node numbers again.
    ProjectTables reopened;
    ProjectSettings settings;
    kolma::readProjectText(text, reopened.tables(), settings);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(reopened.pipes.cell(c, r), t.pipes.cell(c, r))
                << "column " << c << " row " << r;
}

TEST(ProjectSave, SupportCountFollowsTheFirstEmptyHead) {
    ProjectTables t;
    t.setRow(t.nodes, 1, {"1"});
    t.setRow(t.nodes, 2, {"2"});
    t.setPump(1, {"A", "1", "2"}, {"9", "8", "7", "6", "5", " ", "", "---"},
              {"0", "1", "2", "3", "4", " ", " ", " "});
    t.setPump(2, {"B", "1", "2"}, {"9", "8", "7", "6", "5", "4", "3", "2"},
              {"0", "1", "2", "3", "4", "5", "6", "7"});
    t.setPump(3, {"C", "1", "2"}, {" ", "8", "7", " ", "5", "4", "3", "2"},
              {"0", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(kolma::supportCount(t.pumps, 2), 5);
    EXPECT_EQ(kolma::supportCount(t.pumps, 5), 8);
    // An empty first head leaves the count to the next empty head.
    EXPECT_EQ(kolma::supportCount(t.pumps, 8), 3);
    const QByteArray text = eingabeText(t.tables(), kDefaults);
    EXPECT_TRUE(text.contains("A\t0\t1\t5\n9\t8\t7\t6\t5\t---\t---\t---\t\n"));
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
    const QByteArray text = eingabeText(t.tables(), kDefaults);
    // Known heads: every odd row but the first, "---" and "(null)" are no value.
    EXPECT_EQ(lineOf(text, 0), "3\t1,305\t1000\t1000\t1000\t34\t499");
}

TEST(ProjectSave, ValuesThatWouldShiftTheFileAreRejected) {
    struct Case {
        const char* what;
        std::function<void(ProjectTables&)> spoil;
        ProjectSettings settings;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"blank length", [](ProjectTables& t) { t.pipes.setCell(4, 2, " "); }, kDefaults,
         "Rohrtabelle, Zeile 2, Spalte \"Länge\""},
        {"empty ks", [](ProjectTables& t) { t.pipes.setCell(6, 1, ""); }, kDefaults,
         "Rohrtabelle, Zeile 1, Spalte \"ks\""},
        {"blank inside zeta", [](ProjectTables& t) { t.pipes.setCell(7, 1, "1 5"); }, kDefaults,
         "Spalte \"zeta\""},
        {"two-word pump type", [](ProjectTables& t) { t.pumps.setCell(1, 1, "P 1"); }, kDefaults,
         "Pumpentabelle, Zeile 1"},
        {"blank inside a head", [](ProjectTables& t) { t.pumps.setCell(2, 2, "2 8"); }, kDefaults,
         "Pumpentabelle, Zeile 2, Spalte \"h2\""},
        {"blank inside GOK", [](ProjectTables& t) { t.nodes.setCell(5, 3, "10 3"); }, kDefaults,
         "Knotentabelle, Zeile 3, Spalte \"GOK\""},
        {"empty viscosity", [](ProjectTables&) {}, {"", "1000"}, "kin. Viskosität"},
        {"blank iterations", [](ProjectTables&) {}, {"1,305", " "}, "Max. Anzahl Iterationen"},
        {"iterations with a blank",
         [](ProjectTables&) {},
         {"1,305", "10 0"},
         "Max. Anzahl Iterationen"},
        {"unknown start node", [](ProjectTables& t) { t.pipes.setCell(2, 2, "99"); }, kDefaults,
         "Strang 2 (Zeile 2): Knoten 99 fehlt"},
        {"unknown pump end", [](ProjectTables& t) { t.pumps.setCell(3, 1, "77"); }, kDefaults,
         "Pumpe P1 (Block 1): Knoten 77 fehlt"},
    };
    for (const Case& c : cases) {
        WorkingDirectory dir;
        ScriptedDialogs dialogs;
        ProjectTables t;
        kolma::testing::typeSampleNetwork(t);
        c.spoil(t);
        EXPECT_FALSE(kolma::writeEingabe(t.tables(), c.settings, nullptr)) << c.what;
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.messages[0].caption, "Eingabefehler") << c.what;
        EXPECT_EQ(dialogs.messages[0].icon, kolma::BoxIcon::Error) << c.what;
        EXPECT_TRUE(dialogs.messages[0].text.contains(c.expected))
            << c.what << ": " << dialogs.messages[0].text.toStdString();
        EXPECT_FALSE(dir.exists("eingabe.dat")) << c.what;
    }
}

TEST(ProjectSave, NodeNumberThatIsNoWholeNumberLeavesThePreviousFile) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    dir.write("eingabe.dat", "previous");
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    t.nodes.setCell(1, 3, "3x");
    EXPECT_FALSE(kolma::runHandler([&] { kolma::writeEingabe(t.tables(), kDefaults, nullptr); }));
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>{"'3x' ist kein gültiger Integerwert"});
    EXPECT_EQ(dir.read("eingabe.dat"), "previous");
}

TEST(SeparatorConversion, CommasAndPointsBetweenDigitsAndAtTheStartOfNumbers) {
    struct Case {
        QByteArray in;
        int mode;
        QByteArray out;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases)
        EXPECT_EQ(convertSeparators(c.in, c.mode), c.out) << c.in.constData() << " mode " << c.mode;
}

TEST(ProjectSave, FertigstellenStoresTheConvertedProject) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    QPlainTextEdit richEdit1;
    richEdit1.setPlainText("old text");
    QString aktuelleDatei = "Unbenannt.ein";
    const QString project = dir.filePath("netz1.ein");
    dialogs.fileAnswers.push_back(project);

    kolma::Fertigstellen(t.tables(), kDefaults, aktuelleDatei, richEdit1, nullptr);

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Projekt speichern");
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Eingabedateien|*.ein");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "Unbenannt.ein");
    EXPECT_EQ(dialogs.fileRequests[0].directory, "");
    EXPECT_EQ(dir.read("netz1.ein"), kSampleWithPoints);
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithPoints);
    EXPECT_EQ(dir.read("ein2.dat"), kSampleWithPoints);
    EXPECT_EQ(richEdit1.toPlainText(), QString::fromUtf8(kSampleWithPoints));
    EXPECT_EQ(aktuelleDatei, project);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ProjectSave, CancelledDialogLeavesEingabeWithCommas) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    QPlainTextEdit richEdit1;
    QString aktuelleDatei = dir.filePath("alt/netz.ein");
    kolma::Fertigstellen(t.tables(), kDefaults, aktuelleDatei, richEdit1, nullptr);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].directory, dir.filePath("alt"));
    EXPECT_EQ(dir.read("eingabe.dat"), kSampleWithCommas);
    EXPECT_EQ(aktuelleDatei, dir.filePath("alt/netz.ein"));
}

TEST(ProjectConversion, MissingEingabeIsReportedAndNothingIsCopied) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    QPlainTextEdit richEdit1;
    richEdit1.setPlainText("kept");
    EXPECT_FALSE(kolma::EingabeUmwandeln(1, dir.filePath("p.ein"), richEdit1, nullptr));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Fehler beim öffnen von Eingabe.dat");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_FALSE(dir.exists("p.ein"));
    EXPECT_FALSE(dir.exists("eingabe.dat"));
    EXPECT_EQ(richEdit1.toPlainText(), "kept");
}

TEST(ProjectConversion, UnwritableProjectFileLeavesEingabeUnconverted) {
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
