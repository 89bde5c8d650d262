// The token reader of the three catalogue formats and the numbers the windows compute.
#include <gtest/gtest.h>

#include <QDir>

#include "CatalogueFile.h"
#include "CatalogueTestSupport.h"

namespace kolma {
namespace {

QStringList tokens(const char* text) {
    return catalogueTokens(QString::fromUtf8(text));
}

using Pairs = std::vector<std::pair<QString, QString>>;

TEST(CatalogueReader, TokensAreSplitAtAnyWhiteSpaceWhateverTheLineStructure) {
    EXPECT_EQ(tokens("  A\t1 2\r\n3\n\n 4 endl \f"),
              (QStringList{"A", "1", "2", "3", "4", "endl"}));
    EXPECT_TRUE(tokens(" \r\n\t").isEmpty());
}

TEST(CatalogueReader, PairRecordsKeepFileOrderAndEndAtEndl) {
    const auto records = pairRecords(tokens("P1 0 20 5 18 endl\nP2 endl\nP3 1 2\n3 4 endl"));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].type, "P1");
    EXPECT_EQ(records[0].pairs, (Pairs{{"0", "20"}, {"5", "18"}}));
    // A type directly followed by the end token is a record without points.
    EXPECT_EQ(records[1].type, "P2");
    EXPECT_TRUE(records[1].pairs.empty());
    // Line breaks inside a record mean nothing.
    EXPECT_EQ(records[2].pairs, (Pairs{{"1", "2"}, {"3", "4"}}));
}

TEST(CatalogueReader, EndTokenInPlaceOfTheSecondValueDropsTheUnpairedFirst) {
    const auto records = pairRecords(tokens("A 1 2 3 endl B 4 5 endl"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].pairs, (Pairs{{"1", "2"}}));
    EXPECT_EQ(records[1].type, "B");
    EXPECT_EQ(records[1].pairs, (Pairs{{"4", "5"}}));
}

TEST(CatalogueReader, CapitalEndTokenIsAnOrdinaryValue) {
    const auto records = pairRecords(tokens("A 1 2 ENDL 3 endl B 4 5 endl"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].pairs, (Pairs{{"1", "2"}, {"ENDL", "3"}}));
}

TEST(CatalogueReader, RecordCutOffByTheEndOfTheFileKeepsWhatWasRead) {
    auto records = pairRecords(tokens("A 1 2 endl B 3 4 5"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].pairs, (Pairs{{"3", "4"}}));
    records = pairRecords(tokens("A 1 2 endl B"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].type, "B");
    EXPECT_TRUE(records[1].pairs.empty());
}

TEST(CatalogueReader, PairsBeyondTheHundredthAreSkippedUpToTheEndToken) {
    QStringList list{"Long"};
    for (int k = 0; k < 105; ++k)
        list << QString::number(k) << QString::number(k * 10);
    list << "endl"
         << "Next"
         << "7"
         << "8"
         << "endl";
    const auto records = pairRecords(list);
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[0].pairs.size(), 100u);
    EXPECT_EQ(records[0].pairs.back(), (std::pair<QString, QString>{"99", "990"}));
    // Without the skip the 101st pair would have become the next type.
    EXPECT_EQ(records[1].type, "Next");
    EXPECT_EQ(records[1].pairs, (Pairs{{"7", "8"}}));
}

TEST(CatalogueReader, DiameterRecords) {
    const auto records =
        diameterRecords(tokens("DN100 110 pehd 2,7 3,4 4,2 endl\nDN25 32 pehd endl\nDN150 160"));
    // The third record lacks its series code and is not a record.
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].dn, "DN100");
    EXPECT_EQ(records[0].outerDiameter, "110");
    EXPECT_EQ(records[0].seriesCode, "pehd");
    EXPECT_EQ(records[0].wallThicknesses, (QStringList{"2,7", "3,4", "4,2"}));
    EXPECT_EQ(records[1].dn, "DN25");
    EXPECT_TRUE(records[1].wallThicknesses.isEmpty());
}

TEST(CatalogueReader, DiameterRecordCutOffOrOverlong) {
    QStringList list{"DN1", "10", "x"};
    for (int k = 0; k < 102; ++k)
        list << QString::number(k);
    list << "endl"
         << "DN2"
         << "20"
         << "x"
         << "1,5";
    const auto records = diameterRecords(list);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].wallThicknesses.size(), 100);
    EXPECT_EQ(records[1].dn, "DN2");
    EXPECT_EQ(records[1].wallThicknesses, QStringList{"1,5"});
}

TEST(CatalogueReader, FilesAreReadAsUtf8OrWindows1252) {
    testing::WorkingDirectory dir;
    dir.write("utf8.xta", "Rückschlagklappe DN50 2,0 endl\n");
    dir.write("ansi.xta",
              "R\xFC"
              "ckschlagklappe\tDN50 2,0 endl\r\nStra\xDF"
              "e\x96x endl\r\n");
    const auto utf8 = readCatalogueTokens("utf8.xta");
    const auto ansi = readCatalogueTokens("ansi.xta");
    ASSERT_TRUE(utf8 && ansi);
    EXPECT_EQ(utf8->first(), QString::fromUtf8("Rückschlagklappe"));
    EXPECT_EQ(ansi->first(), QString::fromUtf8("Rückschlagklappe"));
    // 0x96 is the en dash in Windows-1252, not a control character as in Latin-1.
    EXPECT_EQ(ansi->at(4), QString::fromUtf8("Straße–x"));
    EXPECT_FALSE(readCatalogueTokens("missing.xta").has_value());
}

TEST(CatalogueNumbers, DecimalCommaOnlyAndFinite) {
    EXPECT_DOUBLE_EQ(catalogueNumber("0,25").value(), 0.25);
    EXPECT_DOUBLE_EQ(catalogueNumber("-3").value(), -3.0);
    for (const char* bad : {"0.25", "abc", "", "1,2,3", "inf", "nan", "1e999"})
        EXPECT_FALSE(catalogueNumber(bad).has_value()) << bad;
}

TEST(CatalogueNumbers, TotalZetaAndInnerDiameterTexts) {
    EXPECT_EQ(totalZetaText(3, 0.25f), "0,75");
    EXPECT_EQ(totalZetaText(0, 1.3f), "0,00");
    EXPECT_EQ(totalZetaText(13, 0.3f), "3,90");
    EXPECT_EQ(innerDiameterText(110, 6.6), "96,80");
    EXPECT_EQ(innerDiameterText(60.3, 2.9), "54,50");
}

TEST(CatalogueNumbers, FirstInvalidPointNamesTheToken) {
    EXPECT_FALSE(firstInvalidPoint(pairRecords(tokens("A 0 20,5 1 19 endl"))).has_value());
    EXPECT_EQ(firstInvalidPoint(pairRecords(tokens("A 0 20 endl B 1 19.5 endl"))), "19.5");
}

TEST(CatalogueExamples, SampleFilesAreCompleteAndNumeric) {
    const QDir examples(QStringLiteral(KOLMA_SOURCE_DIR "/examples"));
    int files = 0;
    for (const QString& name : examples.entryList({"*.xta", "*.DTB", "*.dur"}, QDir::Files)) {
        ++files;
        const auto list = readCatalogueTokens(examples.filePath(name));
        ASSERT_TRUE(list) << name.toStdString();
        EXPECT_EQ(list->last(), "endl") << name.toStdString();
        if (name.endsWith(".dur")) {
            for (const auto& record : diameterRecords(*list)) {
                EXPECT_TRUE(catalogueNumber(record.outerDiameter)) << name.toStdString();
                ASSERT_FALSE(record.wallThicknesses.isEmpty()) << record.dn.toStdString();
                for (const QString& wall : record.wallThicknesses)
                    EXPECT_GT(catalogueNumber(record.outerDiameter).value(),
                              2 * catalogueNumber(wall).value());
            }
        } else if (name.endsWith(".DTB")) {
            const auto records = pairRecords(*list);
            EXPECT_FALSE(firstInvalidPoint(records).has_value()) << name.toStdString();
            for (const auto& record : records)
                EXPECT_GE(record.pairs.size(), 3u);
        } else {
            for (const auto& record : pairRecords(*list)) {
                ASSERT_FALSE(record.pairs.empty()) << record.type.toStdString();
                for (const auto& pair : record.pairs)
                    EXPECT_TRUE(catalogueNumber(pair.second)) << record.type.toStdString();
            }
        }
    }
    EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace kolma
