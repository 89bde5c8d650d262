// The sample project in examples/: it opens through "Projekt öffnen" into the tables, computes
// with the real solver without bound messages, matches the reference report kept beside it,
// and draws a section from the clear water tank through the pump station into the grid.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>

#include "CatalogueFile.h"
#include "Numbers.h"
#include "Projekt.h"
#include "ScriptedDialogs.h"
#include "SectionData.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm3.h"
#include "TForm5.h"
#include "TextFile.h"
#include "TitleBlock.h"
#include "WorkingDirectory.h"

using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const QDir kExamples(QStringLiteral(KOLMA_SOURCE_DIR "/examples"));
const QString kProject = QStringLiteral("Beispielnetz.ein");
const QStringList kChainThroughThePump = {"1", "2", "3", "4", "10", "11", "12", "13"};

// The counts in the first line of a project file of kind 3.
struct ProjectHeader {
    int maxIterations = 0;
    int pipes = 0;
    int nodes = 0;
    int pumps = 0;
    int knownHeads = 0;
};

ProjectHeader headerOf(const QByteArray& project) {
    const QList<QByteArray> f = project.left(project.indexOf('\n')).split('\t');
    if (f.size() < 7)
        return {};
    return {f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt()};
}

// The part of a report after its banner: the banner carries the date and time of the run.
QString withoutBanner(const QString& report) {
    return report.mid(report.indexOf(QStringLiteral("Eingabedaten:")));
}

class ExampleProject : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString& name : kExamples.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(kExamples.filePath(name), dir.filePath(name)));
        header = headerOf(dir.read(kProject));
    }

    void open() {
        dialogs.fileAnswers.push_back(dir.filePath(kProject));
        form.Projekt->trigger();
    }

    // "Berechnung" as the user starts it; returns the report the viewer showed.
    QString compute() {
        QString shown;
        dialogs.modalScripts.push_back([&shown](QDialog& d) {
            shown = static_cast<kolma::TForm5&>(d).RichEdit1->toPlainText();
            return int(QDialog::Rejected);
        });
        form.Action4->trigger();
        return shown;
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    kolma::TForm1 form;
    ProjectHeader header;
};

// A realistic town network, opened through "Projekt öffnen". Every pipe's start node stands
// before its end node in the node table, as the manual asks of every project.
TEST_F(ExampleProject, OpensIntoTheTablesWithDecimalCommas) {
    EXPECT_GE(header.nodes, 30);
    EXPECT_LE(header.nodes, 80);
    EXPECT_GT(header.pipes, header.nodes) << "meshed: more pipes than a tree would have";
    EXPECT_GE(header.pumps, 1);
    EXPECT_GE(header.knownHeads, 1);
    open();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    EXPECT_FALSE(form.ToolButton1->isEnabled());
    EXPECT_FALSE(form.Speichern1->isEnabled());
    const kolma::Tables t = form.tables();
    EXPECT_FALSE(kolma::isEmptyCell(t.pipes->cell(1, header.pipes)));
    EXPECT_TRUE(kolma::isEmptyCell(t.pipes->cell(1, header.pipes + 1)));
    EXPECT_FALSE(kolma::isEmptyCell(t.nodes->cell(1, header.nodes)));
    EXPECT_TRUE(kolma::isEmptyCell(t.nodes->cell(1, header.nodes + 1)));
    const kolma::Network network = kolma::networkOf(t, form.project().settings());
    EXPECT_EQ(network.knownHeadCount(), header.knownHeads);
    EXPECT_GE(network.pumps.at(0).supportCount, 5);
    EXPECT_EQ(form.nue->text(), "1,305");
    EXPECT_EQ(form.iter->text(), QString::number(header.maxIterations));
    EXPECT_TRUE(t.pipes->cell(4, 1).contains(','));
    QHash<QString, int> rowOf;
    for (int row = 1; row <= header.nodes; ++row)
        rowOf.insert(t.nodes->cell(1, row).trimmed(), row);
    for (int row = 1; row <= header.pipes; ++row) {
        SCOPED_TRACE(row);
        for (int col = 4; col <= 7; ++col)
            ASSERT_FALSE(t.pipes->cell(col, row).contains('.')) << "column " << col;
        const QString from = t.pipes->cell(2, row).trimmed();
        const QString to = t.pipes->cell(3, row).trimmed();
        ASSERT_TRUE(rowOf.contains(from) && rowOf.contains(to));
        EXPECT_LT(rowOf[from], rowOf[to]);
    }
}

TEST_F(ExampleProject, ComputesWithoutBoundMessagesAndMatchesTheReferenceReport) {
    open();
    const QString report = compute();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    ASSERT_TRUE(report.contains(QStringLiteral("Ausgabedaten:"))) << report.toStdString();
    EXPECT_FALSE(report.contains("überschreitet den gewählten Grenzwert"));
    EXPECT_FALSE(report.contains("nicht im Arbeitsbereich"));
    const QRegularExpressionMatch passes =
        QRegularExpression(QStringLiteral("Iterationsschritte = (\\d+)")).match(report);
    ASSERT_TRUE(passes.hasMatch());
    EXPECT_LT(passes.captured(1).toInt(), header.maxIterations);
    // The reference report must stay the one this program computes.
    EXPECT_EQ(withoutBanner(report),
              withoutBanner(kolma::readTextFile(kExamples.filePath("Beispielnetz.aus"))));
}

TEST_F(ExampleProject, SectionDrawsFromTheTankThroughThePump) {
    open();
    compute();
    const auto p = kolma::prepareSection(kChainThroughThePump, form.tables(),
                                         dir.filePath(QStringLiteral("graphein.dat")));
    ASSERT_FALSE(p.failure) << p.failure->text.toStdString();
    ASSERT_EQ(p.data.nodes.size(), std::size_t(kChainThroughThePump.size()));
    EXPECT_TRUE(p.data.segments[0].isPump());
    EXPECT_GT(p.data.nodes[1].energy, p.data.nodes[0].energy + 20.0) << "the pump lifts";
    for (std::size_t k = 1; k < p.data.segments.size(); ++k) {
        EXPECT_FALSE(p.data.segments[k].isPump());
        EXPECT_GT(p.data.segments[k].flow, 0.0f) << "flow runs along the chain, segment " << k;
        EXPECT_LT(p.data.nodes[k + 1].energy, p.data.nodes[k].energy) << "node " << k + 1;
    }

    kolma::TForm3 window(form.tables(), kChainThroughThePump);
    window.show();
    window.grab();
    int red = 0;
    const QImage& picture = window.picture();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 300) << "the energy line";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ExampleProject, TitleBlockFileHasFourFieldsWithCrLf) {
    const QByteArray bytes = dir.read(QStringLiteral("Beispielnetz.spl"));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const kolma::TitleBlock block = kolma::titleBlockOf(kolma::titleBlockLines(bytes));
    for (const QString& field : {block.client, block.project, block.measure, block.projectNumber})
        EXPECT_FALSE(field.trimmed().isEmpty());
    EXPECT_EQ(kolma::titleBlockBytes(kolma::titleBlockLines(bytes)), bytes) << "as KOLMA1 saves it";
}

TEST_F(ExampleProject, SampleCataloguesReadCompletely) {
    for (const QString& name : kExamples.entryList({"*.xta", "*.DTB", "*.dur"}, QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        const auto tokens = kolma::readCatalogueTokens(dir.filePath(name));
        ASSERT_TRUE(tokens);
        const int records = int(tokens->count(QStringLiteral("endl")));
        EXPECT_GT(records, 2);
        EXPECT_EQ(tokens->last(), QStringLiteral("endl")) << "no record cut off";
        if (name.endsWith(QStringLiteral(".dur"))) {
            const auto dims = kolma::diameterRecords(*tokens);
            EXPECT_EQ(int(dims.size()), records);
            for (const auto& d : dims)
                EXPECT_TRUE(kolma::catalogueNumber(d.outerDiameter)) << d.dn.toStdString();
        } else {
            const auto pairs = kolma::pairRecords(*tokens);
            EXPECT_EQ(int(pairs.size()), records);
            if (name.endsWith(QStringLiteral(".DTB"))) {
                EXPECT_FALSE(kolma::firstInvalidPoint(pairs));
            }
        }
    }
}

}  // namespace
