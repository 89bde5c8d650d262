// What the tables accept from a spreadsheet and give back to it: the check of a single value,
// pasting blocks (separators, decimal points, header lines, the table's end, refusals that leave
// the table as it was) and the copied text of a block.
#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "QStringPrinter.h"
#include "TableInput.h"

namespace kolma {
namespace {

TEST(CellValue, StoredTextOrProblemPerRule) {
    const struct {
        CellRule rule;
        const char* typed;
        const char* stored;   // nullptr: refused
        const char* problem;  // the refusal's text
    } cases[] = {
        {CellRule::Decimal, "12,5", "12,5", ""},
        {CellRule::Decimal, " 12.5 ", "12,5", ""},
        // A lone separator would be dropped on saving and make 0,5 a 5.
        {CellRule::Decimal, ".5", "0,5", ""},
        {CellRule::Decimal, "5,", "5", ""},
        {CellRule::Decimal, "", " ", ""},
        {CellRule::Decimal, "---", "---", ""},
        {CellRule::Decimal, "1x", nullptr, "\"1x\" ist keine Zahl."},
        {CellRule::Decimal, "1,5,2", nullptr, "\"1,5,2\" ist keine Zahl."},
        {CellRule::Decimal, "1.234,5", nullptr, "\"1.234,5\" ist keine Zahl."},
        {CellRule::Decimal, ",", nullptr, "\",\" ist keine Zahl."},
        {CellRule::Decimal, "-2.5", "-2,5", ""},
        {CellRule::Decimal, "-.5", "-0,5", ""},
        {CellRule::Decimal, "+2", nullptr, "\"+2\" ist keine Zahl."},
        {CellRule::Decimal, "--5", nullptr, "\"--5\" ist keine Zahl."},
        {CellRule::WholeNumber, "0017", "0017", ""},
        {CellRule::WholeNumber, "12.0", nullptr, "\"12.0\" ist keine ganze Zahl."},
        {CellRule::WholeNumber, "-3", nullptr, "\"-3\" ist keine ganze Zahl ohne Vorzeichen."},
        {CellRule::WholeNumber, "---", nullptr, "\"---\" ist keine ganze Zahl."},
        // A designation keeps its point: it is no number.
        {CellRule::NoBlank, "3.5a", "3.5a", ""},
        {CellRule::NoBlank, " P1 ", "P1", ""},
        {CellRule::NoBlank, "P 1", nullptr, "\"P 1\" enthält ein Leerzeichen."},
        {CellRule::NoInput, "", " ", ""},
        {CellRule::NoInput, "x", nullptr, "hier ist kein Wert vorgesehen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const CellValue value = checkCellValue(c.rule, c.typed);
        EXPECT_EQ(value.text, c.stored ? QString(c.stored) : QString());
        EXPECT_EQ(value.problem, c.problem);
    }
}

struct Paste : ::testing::Test, testing::ProjectTables {
    // Every cell of a table, to see that a refused block changed none.
    static QStringList allCells(const CellTable& grid) {
        QStringList cells;
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int col = 0; col < grid.colCount(); ++col)
                cells << grid.cell(col, row);
        return cells;
    }
    QStringList row(const CellTable& grid, int r) const { return rowValues(grid, r, 7); }
    void expectRefused(CellTable& grid, TableId table, int col, int r, const QString& text,
                       const QString& message) {
        const QStringList before = allCells(grid);
        const Outcome refusal = pasteBlock(grid, table, col, r, text);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, message);
        EXPECT_EQ(refusal->caption, "Eingabefehler");
        EXPECT_EQ(allCells(grid), before);
    }
};

TEST_F(Paste, TabAndSemicolonBlocksWithCommasOrPointsFillFromTheCurrentCell) {
    setRow(pipes, 5, {"9", "9", "9", "9", "9", "9", "9"});
    ASSERT_FALSE(pasteBlock(pipes, TableId::Pipes, 1, 3,
                            "1\t10\t20\t120.5\t150\t0,1\t0\r\n2\t20\t30\t80,25\t\t.4\t1.5\r\n"));
    EXPECT_EQ(row(pipes, 3), QStringList({"1", "10", "20", "120,5", "150", "0,1", "0"}));
    EXPECT_EQ(row(pipes, 4), QStringList({"2", "20", "30", "80,25", " ", "0,4", "1,5"}));
    EXPECT_EQ(row(pipes, 5), QStringList(7, "9"));
    EXPECT_EQ(pipes.cell(1, 2), " ");

    // A shorter line fills only its own cells; the block starts in the current column.
    ASSERT_FALSE(pasteBlock(nodes, TableId::Nodes, 5, 1, "105;98,5\n104.5\n"));
    EXPECT_EQ(rowValues(nodes, 1, 6), QStringList({" ", " ", " ", " ", "105", "98,5"}));
    EXPECT_EQ(rowValues(nodes, 2, 6), QStringList({" ", " ", " ", " ", "104,5", " "}));
}

TEST_F(Paste, AHeaderLineOfTheFilledColumnsIsSkipped) {
    ASSERT_FALSE(pasteBlock(pipes, TableId::Pipes, 4, 1, "Länge [m]\tDI\tks\n12\t100\t0,1\n"));
    EXPECT_EQ(row(pipes, 1), QStringList({" ", " ", " ", "12", "100", "0,1", " "}));
    EXPECT_EQ(pipes.cell(4, 2), " ");
    // Headers of other columns are no header of these: the line is refused as values.
    expectRefused(pipes, TableId::Pipes, 4, 1, "Strangnr.\tAKN\n1\t2",
                  "Einfügen nicht möglich: Zeile 1, Spalte \"Länge\": \"Strangnr.\" ist keine "
                  "Zahl.");
}

TEST_F(Paste, PumpBlocksTakeDesignationNodesHeadsAndFlows) {
    ASSERT_FALSE(pasteBlock(pumps, TableId::Pumps, 1, 4,
                            "Pumpennr.\tAKN\tEKN\t\t\t\t\t\n"
                            "3.5a\t30\t40\t\t\t\t\t\n"
                            "30\t28,5\t25\t\t\t\t\t\n"
                            "0\t2.5\t4\t\t\t\t\t\n"));
    EXPECT_EQ(rowValues(pumps, 4, 3), QStringList({"3.5a", "30", "40"}));
    EXPECT_EQ(rowValues(pumps, 5, 4), QStringList({"30", "28,5", "25", " "}));
    EXPECT_EQ(rowValues(pumps, 6, 3), QStringList({"0", "2,5", "4"}));
    expectRefused(pumps, TableId::Pumps, 1, 1, "P1\t1\t2\t7",
                  "Einfügen nicht möglich: Zeile 1 (Pumpe 1), Spalte 4: hier ist kein Wert "
                  "vorgesehen.");
    expectRefused(pumps, TableId::Pumps, 3, 2, "1\t2\t3\n4\tx",
                  "Einfügen nicht möglich: Zeile 3 (Pumpe 1), Spalte \"Q4\": \"x\" ist keine "
                  "Zahl.");
}

TEST_F(Paste, BlocksReachUpToTheLastRowAndNoFurther) {
    ASSERT_FALSE(pasteBlock(nodes, TableId::Nodes, 1, 999, "7\n8\n\n\n"));
    EXPECT_EQ(nodes.cell(1, 1000), "8");
    expectRefused(nodes, TableId::Nodes, 1, 999, "7\n8\n9",
                  "Einfügen nicht möglich: Zeile 1001 liegt hinter dem Ende der Tabelle.");
    ASSERT_FALSE(pasteBlock(pumps, TableId::Pumps, 1, 100, "P34\t1\t2\n1\n2"));
    EXPECT_EQ(pumps.cell(1, 100), "P34");
    expectRefused(pumps, TableId::Pumps, 1, 100, "P34\t1\t2\n1\n2\nP35",
                  "Einfügen nicht möglich: Zeile 103 (Pumpe 35) liegt hinter dem Ende der "
                  "Tabelle.");
}

TEST_F(Paste, TheFirstOffendingValueRefusesTheWholeBlock) {
    setRow(pipes, 1, {"1", "10", "20", "5", "100", "0,1", "0"});
    const struct {
        int col;
        const char* block;
        const char* message;
    } cases[] = {
        {1, "2\t20\t30\t5\t100\t0,1\t0\n3\t30\t40\t5\t1x\t0,1\t0\n4\t40\t4.5",
         "Zeile 2, Spalte \"di\": \"1x\" ist keine Zahl."},
        {6, "0,1\t0\t7",
         "Zeile 1: \"7\" passt nicht mehr in die Tabelle, die letzte Spalte ist "
         "\"zeta\"."},
        {2, "10\t-20", "Zeile 1, Spalte \"EKN\": \"-20\" ist keine ganze Zahl ohne Vorzeichen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        expectRefused(pipes, TableId::Pipes, c.col, 1, c.block,
                      QStringLiteral("Einfügen nicht möglich: ") + c.message);
    }
    // Empty values beyond the last column carry nothing and are dropped.
    ASSERT_FALSE(pasteBlock(pipes, TableId::Pipes, 6, 1, "0,2\t1\t\t"));
    EXPECT_EQ(row(pipes, 1), QStringList({"1", "10", "20", "5", "100", "0,2", "1"}));
}

TEST_F(Paste, CopiedBlockPastedElsewhereGivesTheSameTexts) {
    typeSampleNetwork(*this);
    const QString copied = copiedText(nodes, 1, 1, 6, 4, true);
    EXPECT_TRUE(copied.startsWith("Knotnum\tbek. Druck\tZugabe\tEntnahme\tGOK\tRS\n10\t100,0\t\t"));
    ASSERT_FALSE(pasteBlock(nodes, TableId::Nodes, 1, 11, copied));
    // Values come back as they were; empty cells ("" or " ") come back as " ".
    EXPECT_EQ(rowValues(nodes, 11, 6), QStringList({"10", "100,0", " ", " ", "105", "98"}));
    EXPECT_EQ(rowValues(nodes, 14, 6), QStringList({"40", " ", " ", "-2,5", "110", "108"}));
    EXPECT_EQ(copiedText(nodes, 1, 11, 6, 14, false), copiedText(nodes, 1, 1, 6, 4, false));
    EXPECT_EQ(copiedText(pumps, 1, 2, 3, 2, false), "30\t28\t25");
}

}  // namespace
}  // namespace kolma
