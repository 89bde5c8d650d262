// The latest results are handed out only while they are the results of the tables: every way in
// which the files of the working directory can belong to other tables is refused with its reason.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "GraphData.h"
#include "LatestResults.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "QStringPrinter.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::kSampleGraphFile;
using testing::kSampleReport;
using testing::ProjectTables;
using testing::WorkingDirectory;

void setModified(const WorkingDirectory& dir, const char* name, const QDateTime& when) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

struct RunFiles {
    QByteArray eingabe;  // empty: no file
    QByteArray graph;
    QByteArray report;
    bool eingabeWrittenLater = false;
};

// The files of a run, the input written before the graph data unless said otherwise.
void leave(const WorkingDirectory& dir, const RunFiles& run) {
    const QDateTime start = QDateTime::currentDateTime().addSecs(-60);
    for (const auto& [name, bytes] :
         {std::pair{kEingabeFile, run.eingabe}, std::pair{kGraphFileName, run.graph},
          std::pair{kReportFile, run.report}})
        if (!bytes.isEmpty())
            dir.write(QString::fromLatin1(name), bytes);
    if (!run.eingabe.isEmpty())
        setModified(dir, kEingabeFile, start.addSecs(run.eingabeWrittenLater ? 20 : 0));
    if (!run.graph.isEmpty())
        setModified(dir, kGraphFileName, start.addSecs(10));
}

TEST(LatestResults, AreThoseOfTheTablesRunFromTheirInput) {
    WorkingDirectory dir;
    ProjectTables t;
    testing::typeSampleNetwork(t);
    const Network network = networkOf(t.tables(), defaultSettings());
    // The run converted the input to decimal points.
    leave(dir, {convertSeparators(eingabeText(network), Conversion::Calculation), kSampleGraphFile,
                kSampleReport});
    const LatestResults latest = latestResults(network);
    EXPECT_EQ(latest.results.nodes[3].head, 130.2);
    EXPECT_EQ(latest.results.pipes[1].flow, 2.5);
    ASSERT_EQ(latest.pumps.size(), 1u);
    EXPECT_EQ(latest.pumps[0].lift(), 21.5);
}

// Results of other tables would hand the user plausible but wrong numbers.
TEST(LatestResults, RefusesMissingAndForeignResults) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    const Network network = networkOf(t.tables(), defaultSettings());
    const QByteArray input = eingabeText(network);
    const QString rerun = QStringLiteral(" Bitte führen Sie die Berechnung erneut durch.");
    const QString pumpsDiffer =
        QStringLiteral(
            "Die Pumpentabelle des Berichts \"ausgabe.aus\" passt nicht zu den "
            "Tabellen.") +
        rerun;
    const QString tablesChanged =
        QStringLiteral("Die Tabellen wurden seit der letzten Berechnung geändert.") + rerun;
    using Reason = ResultsUnavailable::Reason;
    const struct {
        const char* name;
        RunFiles run;
        Reason reason;
        QString refusal;
    } cases[] = {
        {"no graph data file",
         {input, {}, kSampleReport},
         Reason::NoResults,
         QStringLiteral("Es liegen keine Ergebnisse vor: die Graphikeingabedatei "
                        "\"graphein.dat\" fehlt. Bitte führen Sie zuerst die Berechnung durch.")},
        {"no report",
         {input, kSampleGraphFile, {}},
         Reason::Outdated,
         QStringLiteral("Der Bericht \"ausgabe.aus\" der letzten Berechnung kann nicht gelesen "
                        "werden.") +
             rerun},
        {"last run stopped at an input error",
         {input, kSampleGraphFile,
          kSampleReport + "\n------\nEingabedaten: \n------\nKnoten 50 ist nicht definiert"},
         Reason::Outdated,
         QStringLiteral("Die letzte Berechnung hat keine Ergebnisse geliefert; der Bericht "
                        "\"ausgabe.aus\" nennt den Grund. Die Graphikeingabedatei stammt von "
                        "einer früheren Berechnung.")},
        {"no input file", {{}, kSampleGraphFile, kSampleReport}, Reason::Outdated, tablesChanged},
        {"a length changed since the run",
         {QByteArray(input).replace("120,5", "120,6"), kSampleGraphFile, kSampleReport},
         Reason::Outdated,
         tablesChanged},
        {"input written after the run",
         {input, kSampleGraphFile, kSampleReport, true},
         Reason::Outdated,
         tablesChanged},
        {"graph data of three nodes",
         {input, QByteArray(kSampleGraphFile).replace("\n4\n", "\n3\n"), kSampleReport},
         Reason::Outdated,
         QStringLiteral("Die Graphikeingabedatei passt nicht zu den Tabellen.") + rerun},
        {"report of another pump",
         {input, kSampleGraphFile, QByteArray(kSampleReport).replace("P1", "P7")},
         Reason::Outdated,
         pumpsDiffer},
        {"report of other pump nodes",
         {input, kSampleGraphFile, QByteArray(kSampleReport).replace("30-40", "20-40")},
         Reason::Outdated,
         pumpsDiffer},
    };
    for (const auto& c : cases) {
        WorkingDirectory dir;
        leave(dir, c.run);
        try {
            latestResults(network);
            ADD_FAILURE() << c.name << ": not refused";
        } catch (const ResultsUnavailable& e) {
            EXPECT_EQ(e.reason, c.reason) << c.name;
            EXPECT_EQ(e.message(), c.refusal) << c.name;
        }
    }
}

}  // namespace
}  // namespace kolma
