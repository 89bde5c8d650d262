// Result tables for spreadsheets: both styles byte for byte, quoting, and numbers that are none.
#include <gtest/gtest.h>

#include <cmath>

#include "CsvTable.h"

namespace kolma {
namespace {

TEST(CsvTable, BothStylesByteForByte) {
    CsvTable table;
    table.header = {"Knoten", "Druck [bar]", "Hinweis"};
    table.rows.push_back(
        {CsvCell::of("10"), CsvCell::of(3.456, 2), CsvCell::of("zu niedrig; prüfen")});
    table.rows.push_back({CsvCell::of("Ost \"A\""), CsvCell::of(NAN, 2), CsvCell::of("")});
    EXPECT_EQ(csvBytes(table, CsvStyle::German), QByteArray("\xEF\xBB\xBF"
                                                            "Knoten;Druck [bar];Hinweis\n"
                                                            "10;3,46;\"zu niedrig; prüfen\"\n"
                                                            "\"Ost \"\"A\"\"\";;\n"));
    EXPECT_EQ(csvBytes(table, CsvStyle::International), QByteArray("\xEF\xBB\xBF"
                                                                   "Knoten,Druck [bar],Hinweis\n"
                                                                   "10,3.46,zu niedrig; prüfen\n"
                                                                   "\"Ost \"\"A\"\"\",,\n"));
}

}  // namespace
}  // namespace kolma
