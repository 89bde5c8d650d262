// Reading the solver's input error back from a report, with the table row it concerns: on the
// reports of the solver's own whole-program cases.
#include <gtest/gtest.h>

#include "ReportReading.h"
#include "Tables.h"
#include "TextFile.h"

namespace kolma {
namespace {

QString goldenReport(const char* name) {
    return readTextFile(QStringLiteral(KOLMA_SOURCE_DIR "/solver/tests/golden/") +
                        QString::fromLatin1(name) + QStringLiteral("/expected.aus"));
}

TEST(ReportReading, InputErrorsNameTheirTableRow) {
    const struct {
        const char* report;
        const char* text;  // how the solver's text begins
        std::optional<TableId> table;
        int row;
    } cases[] = {
        {"third_pipe_start_after_end", "Knotenanfangsnr. muß kleiner", TableId::Pipes, 3},
        {"pipes_cut_short", "Die Eingabedatei endet vorzeitig!", TableId::Pipes, 2},
        {"second_pump_start_after_end", "Knotenanfangsnr. muss kleiner", TableId::Pumps,
         firstPumpRow(2)},
        {"node_index_out_of_range", "Knotenindex außerhalb", TableId::Nodes, 2},
        {"negative_node_count", "Fehler in der Eingabedatei!", std::nullopt, 0},
        {"kind_1_old_file", "Fehler in der Eingabedatei!", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report);
        const auto error = inputErrorOf(goldenReport(c.report));
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->text.startsWith(QString::fromUtf8(c.text))) << error->text.toStdString();
        ASSERT_EQ(error->place.has_value(), c.table.has_value());
        if (c.table) {
            EXPECT_EQ(error->place->table, *c.table);
            EXPECT_EQ(error->place->row, c.row);
        }
    }
}

TEST(ReportReading, ACalculatedReportAndABannerAloneHoldNoInputError) {
    EXPECT_FALSE(inputErrorOf(goldenReport("meshed_loops")));
    EXPECT_FALSE(inputErrorOf(readTextFile(
        QStringLiteral(KOLMA_SOURCE_DIR "/solver/tests/golden/meshed_loops/before.aus"))));
}

}  // namespace
}  // namespace kolma
