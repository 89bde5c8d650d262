// The pump table of the report: rows with their warnings, the latest of several runs in one
// report, values that are no number, and reports without pumps.
#include <gtest/gtest.h>

#include <cmath>

#include "ReportPumps.h"

namespace kolma {
namespace {

const char kHeader[] =
    "\n|Pumpennr.|Durchfluss |   delta h |Pumpentyp"
    "\n|   [-]   |   [l/s]   |    [-]    |   [-]";

// A report may hold several runs when the solver was started by hand; the last one counts.
TEST(ReportPumps, ReadsTheLastTableWithItsWarnings) {
    const QString report = QString::fromUtf8(
        "\n|   1     |     214.500|     211.000|       3.500|       0.00| " + QByteArray(kHeader) +
        "\n|   1-2   |      10.00|     -30.00|  ALT"
        "\n\n\n-------------------------------------------------------------------"
        "\nAusgabedaten:" +
        QByteArray(kHeader) +
        "\n|   1-2   |      45.27|     -67.38|  1-UPA-150"
        "\n|  -5-12  |       -nan|        inf|  P|2"
        "\nBetriebspunkt der Pumpe liegt nicht im Arbeitsbereich."
        "\nStuetzwerte der Pumpenkennlinie pruefen!"
        "\n|1000-3   |       0.00|       0.00|  Förder"
        "\n\n"
        "\n|   7-8   |       1.00|      -1.00|  KEINE");
    const std::vector<PumpResult> pumps = pumpResultsOf(report);
    ASSERT_EQ(pumps.size(), 3u);
    EXPECT_EQ(pumps[0].startNode, 1);
    EXPECT_EQ(pumps[0].endNode, 2);
    EXPECT_DOUBLE_EQ(pumps[0].flow, 45.27);
    EXPECT_DOUBLE_EQ(pumps[0].lift(), 67.38);
    EXPECT_EQ(pumps[0].type, "1-UPA-150");
    EXPECT_TRUE(pumps[0].inRange);
    EXPECT_EQ(pumps[1].startNode, -5);
    EXPECT_EQ(pumps[1].endNode, 12);
    EXPECT_TRUE(std::isnan(pumps[1].flow));
    EXPECT_FALSE(std::isfinite(pumps[1].deltaH));
    EXPECT_EQ(pumps[1].type, "P|2");
    EXPECT_FALSE(pumps[1].inRange);
    EXPECT_EQ(pumps[2].startNode, 1000);
    EXPECT_EQ(pumps[2].type, "Förder");
    EXPECT_TRUE(pumps[2].inRange);
}

TEST(ReportPumps, ReportWithoutPumpTableHasNoPumps) {
    EXPECT_TRUE(pumpResultsOf(QString()).empty());
    EXPECT_TRUE(pumpResultsOf(QStringLiteral("\n|Strangnr.|Durchfluss |Geschwindigk.|"
                                             "\n|   2-3   |      45.27|         0.64|"))
                    .empty());
}

}  // namespace
}  // namespace kolma
