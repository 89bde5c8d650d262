// The results of the latest calculation as CSV files: the bytes of all three files for a small
// network, and their names.
#include <gtest/gtest.h>

#include "GraphData.h"
#include "ProjectTables.h"
#include "ResultExport.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::kSampleGraphFile;
using testing::kSampleReport;
using testing::ProjectTables;
using testing::WorkingDirectory;

Network sampleNetwork(ProjectTables& t) {
    testing::typeSampleNetwork(t);
    return networkOf(t.tables(), defaultSettings());
}

// Pressure is (head - GOK) x 0.0981 bar and empty without a value; the gradient is the head
// loss per km from the start to the end node; the pump's head is the lift, positive.
TEST(ResultExport, WritesNodesPipesAndPumpsByteForByte) {
    WorkingDirectory dir;
    ProjectTables t;
    const Network network = sampleNetwork(t);
    const LatestResults latest{*resultsOf(network, parseGraphData(kSampleGraphFile)),
                               pumpResultsOf(QString::fromUtf8(kSampleReport))};
    const ResultFiles files = resultFilesFor(dir.filePath("Netz.csv"));
    writeResultFiles(files, resultTables(network, latest), CsvStyle::German);
    EXPECT_EQ(dir.read("Netz_knoten.csv"),
              QByteArray("\xEF\xBB\xBF"
                         "Knoten;Energiehöhe [mNN];Geländehöhe [mNN];Versorgungsdruck [bar];"
                         "Zugabe [l/s];Entnahme [l/s]\n"
                         "10;110,000;105,000;0,49;;\n"
                         "20;109,500;104,500;0,49;;1,500\n"
                         "30;108,700;103,000;0,56;;\n"
                         "40;130,200;110,000;1,98;;-2,500\n"));
    EXPECT_EQ(dir.read("Netz_rohre.csv"),
              QByteArray("\xEF\xBB\xBF"
                         "Rohr;von Knoten;nach Knoten;Durchfluss [l/s];Geschwindigkeit [m/s];"
                         "Gefälle [m/km]\n"
                         "1;10;20;4,00;0,23;4,15\n"
                         "2;20;30;2,50;0,32;10,00\n"));
    EXPECT_EQ(dir.read("Netz_pumpen.csv"),
              QByteArray("\xEF\xBB\xBF"
                         "Pumpe;von Knoten;nach Knoten;Förderstrom [l/s];Förderhöhe [m];"
                         "im Arbeitsbereich\n"
                         "P1;30;40;2,50;21,50;nein\n"));
}

TEST(ResultExport, FileNamesFollowTheChosenBase) {
    const struct {
        const char* chosen;
        const char* nodes;
    } cases[] = {
        {"/daten/Netz.csv", "/daten/Netz_knoten.csv"},
        {"/daten/Netz.CSV", "/daten/Netz_knoten.csv"},
        {"/daten/Netz", "/daten/Netz_knoten.csv"},
        {"/daten.csv/Netz.v2", "/daten.csv/Netz.v2_knoten.csv"},
    };
    for (const auto& c : cases) {
        const ResultFiles files = resultFilesFor(QString::fromUtf8(c.chosen));
        EXPECT_EQ(files.nodes, QString::fromUtf8(c.nodes)) << c.chosen;
    }
    EXPECT_EQ(resultFilesFor("Netz.csv").pipes, "Netz_rohre.csv");
    EXPECT_EQ(resultFilesFor("Netz.csv").pumps, "Netz_pumpen.csv");
}

}  // namespace
}  // namespace kolma
