// What the cells of the three input tables accept, in one place for every way a value gets in:
// the rule of each cell (the rule of the edit line that fills it), the check of a value typed
// into a cell, pasting a block of values from a spreadsheet and the text of a copied block.
#pragma once

#include <QString>
#include <vector>

#include "CellTable.h"
#include "Network.h"
#include "TableOperations.h"

namespace kolma {

// The values a cell takes: those its edit line lets through.
enum class CellRule {
    WholeNumber,  // digits only: Strangnr., AKN, EKN, Knotnum
    Decimal,      // a decimal number with comma: lengths, diameters, heights, heads, flows
    NoBlank,      // one word without blanks: the pump designation
    NoInput,      // no value belongs there: headers, row labels, the rest of a pump's first row
};

// The rule of a cell of a table; cells outside the table's columns take no input.
CellRule cellRule(TableId table, int col, int row);

// A value as the cell stores it, or why the cell does not take it.
struct CellValue {
    QString text;     // the text to store when `problem` is empty
    QString problem;  // e.g. "\"1x\" ist keine Zahl."
    bool accepted() const { return problem.isEmpty(); }
};

// Checks a value for a cell of the rule. Blanks around the value are dropped; a number may have a
// decimal point or comma and is stored with the comma, and a leading separator gets its zero
// (",5" would lose its comma on saving and become 5). Whole numbers take no sign; decimals take
// a minus, as values of opened projects and imports may have one. No value gives the empty cell
// " "; the placeholder "---" of opened projects stays in decimal columns.
CellValue checkCellValue(CellRule rule, const QString& typed);

// Where a cell lies, as the messages name it: Zeile 12, Spalte "di"; pump rows name their pump
// and the support point: Zeile 5 (Pumpe 2), Spalte "h4".
QString cellPlaceText(const CellTable& grid, TableId table, int col, int row);

// The refusal of a value typed into a cell, or none.
Outcome typedValueRefusal(const CellTable& grid, TableId table, int col, int row,
                          const QString& problem);

// The writes of a pasted block of text (lines of tab- or semicolon-separated values) from the
// cell (col, row) on, or the refusal of the whole block naming its first offending value. A
// first line that repeats the headers of the columns it would fill is skipped.
struct PastePlan {
    std::vector<CellWrite> writes;
    Outcome refusal;
};
PastePlan planPaste(const CellTable& grid, TableId table, int col, int row, const QString& text);

// Pastes a block into the table with one bulk write; nothing changes when it is refused.
Outcome pasteBlock(CellTable& grid, TableId table, int col, int row, const QString& text);

// The cells of a rectangle as a spreadsheet takes them: values separated by tabs, lines by line
// breaks, empty cells as empty values; with the column headers as first line when asked.
QString copiedText(const CellTable& grid, int firstCol, int firstRow, int lastCol, int lastRow,
                   bool withHeaders);

}  // namespace kolma
