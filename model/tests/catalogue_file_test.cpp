// The token reader of the three catalogue formats and the numbers the windows compute.
#include <gtest/gtest.h>

#include <QDir>

#include "CatalogueFile.h"
#include "QStringPrinter.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

QStringList tokens(const char* text) {
    return catalogueTokens(QString::fromUtf8(text));
}

// Whole record lists in one line: "P1 0/20 5/18|P2".
QString describe(const std::vector<PairRecord>& records) {
    QStringList out;
    for (const PairRecord& record : records) {
        QString text = record.type;
        for (const auto& [first, second] : record.pairs)
            text += ' ' + first + '/' + second;
        out << text;
    }
    return out.join('|');
}

QString describe(const std::vector<DiameterRecord>& records) {
    QStringList out;
    for (const DiameterRecord& r : records)
        out << QStringList{r.dn, r.outerDiameter, r.seriesCode, r.wallThicknesses.join(' ')}
                   .join(' ')
                   .trimmed();
    return out.join('|');
}

TEST(CatalogueReader, TokensAreSplitAtAnyWhiteSpaceWhateverTheLineStructure) {
    EXPECT_EQ(tokens("  A\t1 2\r\n3\n\n 4 endl \f"),
              (QStringList{"A", "1", "2", "3", "4", "endl"}));
    EXPECT_TRUE(tokens(" \r\n\t").isEmpty());
}

TEST(CatalogueReader, PairRecords) {
    const struct {
        const char* text;
        const char* records;
    } cases[] = {
        // File order; a type right before "endl" has no points; line breaks mean nothing.
        {"P1 0 20 5 18 endl\nP2 endl\nP3 1 2\n3 4 endl", "P1 0/20 5/18|P2|P3 1/2 3/4"},
        // "endl" in place of a second value drops the unpaired first.
        {"A 1 2 3 endl B 4 5 endl", "A 1/2|B 4/5"},
        {"A 1 2 ENDL 3 endl B 4 5 endl", "A 1/2 ENDL/3|B 4/5"},
        // Cut off by the end of the file: what was read stays.
        {"A 1 2 endl B 3 4 5", "A 1/2|B 3/4"},
        {"A 1 2 endl B", "A 1/2|B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(pairRecords(tokens(c.text))), c.records) << c.text;
}

TEST(CatalogueReader, DiameterRecords) {
    // The third record lacks its series code and is not a record.
    EXPECT_EQ(describe(diameterRecords(
                  tokens("DN100 110 pehd 2,7 3,4 4,2 endl\nDN25 32 pehd endl\nDN150 160"))),
              "DN100 110 pehd 2,7 3,4 4,2|DN25 32 pehd");
}

TEST(CatalogueReader, EntriesBeyondTheHundredthAreSkippedUpToTheEndToken) {
    QStringList pairs{"Long"};
    QStringList walls{"DN1", "10", "x"};
    for (int k = 0; k < 105; ++k) {
        pairs << QString::number(k) << QString::number(k * 10);
        walls << QString::number(k);
    }
    // Without the skip the 101st entry would have become the next record's first field.
    const auto pairRecs = pairRecords(pairs + QStringList{"endl", "Next", "7", "8", "endl"});
    ASSERT_EQ(pairRecs.size(), 2u);
    ASSERT_EQ(pairRecs[0].pairs.size(), 100u);
    EXPECT_EQ(pairRecs[0].pairs.back(), (std::pair<QString, QString>{"99", "990"}));
    EXPECT_EQ(describe({pairRecs[1]}), "Next 7/8");
    // A cut-off dimension record keeps its walls.
    const auto dims = diameterRecords(walls + QStringList{"endl", "DN2", "20", "x", "1,5"});
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(dims[0].wallThicknesses.size(), 100);
    EXPECT_EQ(describe({dims[1]}), "DN2 20 x 1,5");
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

// The windows show more of these texts.
TEST(CatalogueNumbers, TotalZetaAndInnerDiameterTexts) {
    EXPECT_EQ(totalZetaText(3, 0.25f), "0,75");
    EXPECT_EQ(innerDiameterText(60.3, 2.9), "54,50");
}

TEST(CatalogueExamples, SampleFilesAreCompleteAndNumeric) {
    const QDir examples(QStringLiteral(KOLMA_SOURCE_DIR "/examples"));
    const QStringList names = examples.entryList({"*.xta", "*.DTB", "*.dur"}, QDir::Files);
    EXPECT_GE(names.size(), 5);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const auto list = readCatalogueTokens(examples.filePath(name));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->last(), "endl");
        if (name.endsWith(".dur")) {
            for (const auto& record : diameterRecords(*list)) {
                EXPECT_TRUE(catalogueNumber(record.outerDiameter));
                ASSERT_FALSE(record.wallThicknesses.isEmpty()) << record.dn.toStdString();
                for (const QString& wall : record.wallThicknesses)
                    EXPECT_GT(catalogueNumber(record.outerDiameter).value(),
                              2 * catalogueNumber(wall).value());
            }
        } else if (name.endsWith(".DTB")) {
            const auto records = pairRecords(*list);
            EXPECT_FALSE(firstInvalidPoint(records).has_value());
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
}

}  // namespace
}  // namespace kolma
