#include "TableInput.h"

#include <QStringList>

#include "Numbers.h"

namespace kolma {
namespace {

const QString kBlank = QStringLiteral(" ");
const QString kInputError = QString::fromUtf8(kInputErrorCaption);

bool isDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool hasSign(const QString& text) {
    return text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'));
}

// Digits with at most one decimal comma, at least one digit; a lone separator at either end is
// made whole ("0,5", "5"). Empty when the text is no such number.
QString unsignedDecimal(QString text) {
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const int comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return isDigits(text) ? text : QString();
    const QString whole = text.left(comma);
    const QString fraction = text.mid(comma + 1);
    if ((!whole.isEmpty() && !isDigits(whole)) || (!fraction.isEmpty() && !isDigits(fraction)) ||
        (whole.isEmpty() && fraction.isEmpty()))
        return QString();
    if (fraction.isEmpty())
        return whole;
    return (whole.isEmpty() ? QStringLiteral("0") : whole) + QLatin1Char(',') + fraction;
}

// The same after an optional minus: heights below sea level and values of opened projects.
QString decimalNumber(const QString& text) {
    if (!text.startsWith(QLatin1Char('-')))
        return unsignedDecimal(text);
    const QString magnitude = unsignedDecimal(text.mid(1));
    return magnitude.isEmpty() ? QString() : QLatin1Char('-') + magnitude;
}

CellValue rejected(const QString& problem) {
    return {QString(), problem};
}

QString quoted(const QString& text) {
    return QStringLiteral("\"%1\"").arg(text);
}

// A pump block row: 0 = designation and nodes, 1 = heads, 2 = flows.
int pumpRowKind(int row) {
    return (row - 1) % kPumpBlockRows;
}

QString columnName(const CellTable& grid, TableId table, int col, int row) {
    if (table == TableId::Pumps && row >= 1 && pumpRowKind(row) != 0)
        return quoted((pumpRowKind(row) == 1 ? QStringLiteral("h") : QStringLiteral("Q")) +
                      QString::number(col));
    const QString header = grid.cell(col, 0).trimmed();
    return header.isEmpty() ? QString::number(col) : quoted(header);
}

QString rowPlaceText(TableId table, int row) {
    if (table != TableId::Pumps)
        return QStringLiteral("Zeile %1").arg(row);
    return QStringLiteral("Zeile %1 (Pumpe %2)").arg(row).arg(pumpBlockOf(row));
}

Refusal pasteRefusal(const QString& text) {
    return {QStringLiteral("Einfügen nicht möglich: ") + text, kInputError};
}

// The lines of a block and their values. A spreadsheet ends its text with a line break, which
// ends the last line rather than starting another.
std::vector<QStringList> splitBlock(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    const QChar separator = text.contains(QLatin1Char('\t'))  ? QLatin1Char('\t')
                            : text.contains(QLatin1Char(';')) ? QLatin1Char(';')
                                                              : QLatin1Char('\t');
    std::vector<QStringList> block;
    block.reserve(lines.size());
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        block.push_back(line.split(separator));
    }
    return block;
}

// A header as the user may have it above a column: "Länge", "länge [m]", "Strangnr".
bool namesHeader(const QString& value, const QString& header) {
    const auto bare = [](const QString& text) {
        QString t = text.trimmed().toLower();
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
        return t;
    };
    const QString v = bare(value);
    const QString h = bare(header);
    if (h.isEmpty())
        return v.isEmpty();
    return v == h || v.startsWith(h + QLatin1Char(' ')) || v.startsWith(h + QLatin1Char('['));
}

bool isHeaderLine(const CellTable& grid, int col, const QStringList& values) {
    bool named = false;
    for (int i = 0; i < values.size(); ++i) {
        if (!namesHeader(values[i], grid.cell(col + i, 0)))
            return false;
        named = named || !values[i].trimmed().isEmpty();
    }
    return named;
}

bool allEmpty(const QStringList& values) {
    for (const QString& value : values)
        if (!value.trimmed().isEmpty())
            return false;
    return true;
}

}  // namespace

CellRule cellRule(TableId table, int col, int row) {
    if (row < 1 || col < kKeyColumn)
        return CellRule::NoInput;
    switch (table) {
        case TableId::Pipes:
            if (col <= kEndNodeColumn)
                return CellRule::WholeNumber;
            return col < kKeyColumn + kPipeValues ? CellRule::Decimal : CellRule::NoInput;
        case TableId::Nodes:
            if (col == kKeyColumn)
                return CellRule::WholeNumber;
            return col < kKeyColumn + kNodeValues ? CellRule::Decimal : CellRule::NoInput;
        case TableId::Pumps:
            if (col > kSupportPoints)
                return CellRule::NoInput;
            if (pumpRowKind(row) != 0)
                return CellRule::Decimal;
            if (col == kKeyColumn)
                return CellRule::NoBlank;
            return col <= kEndNodeColumn ? CellRule::WholeNumber : CellRule::NoInput;
    }
    return CellRule::NoInput;
}

CellValue checkCellValue(CellRule rule, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {kBlank, QString()};
    switch (rule) {
        case CellRule::WholeNumber:
            if (isDigits(text))
                return {text, QString()};
            if (hasSign(text) && isDigits(text.mid(1)))
                return rejected(quoted(text) +
                                QStringLiteral(" ist keine ganze Zahl ohne Vorzeichen."));
            return rejected(quoted(text) + QStringLiteral(" ist keine ganze Zahl."));
        case CellRule::Decimal: {
            if (text == kPlaceholder)
                return {text, QString()};
            const QString number = decimalNumber(text);
            if (!number.isEmpty())
                return {number, QString()};
            return rejected(quoted(text) + QStringLiteral(" ist keine Zahl."));
        }
        case CellRule::NoBlank:
            // The project file is read token by token: a designation is one word.
            for (const QChar c : text)
                if (c.isSpace())
                    return rejected(quoted(text) + QStringLiteral(" enthält ein Leerzeichen."));
            return {text, QString()};
        case CellRule::NoInput:
            break;
    }
    return rejected(QStringLiteral("hier ist kein Wert vorgesehen."));
}

QString cellPlaceText(const CellTable& grid, TableId table, int col, int row) {
    return QStringLiteral("%1, Spalte %2")
        .arg(rowPlaceText(table, row), columnName(grid, table, col, row));
}

Outcome typedValueRefusal(const CellTable& grid, TableId table, int col, int row,
                          const QString& problem) {
    return Refusal{QStringLiteral("Eingabe nicht möglich: %1: %2")
                       .arg(cellPlaceText(grid, table, col, row), problem),
                   kInputError};
}

PastePlan planPaste(const CellTable& grid, TableId table, int col, int row, const QString& text) {
    PastePlan plan;
    if (text.isEmpty())
        return plan;
    std::vector<QStringList> block = splitBlock(text);
    std::size_t first = 0;
    if (isHeaderLine(grid, col, block.front()))
        first = 1;
    plan.writes.reserve((block.size() - first) * static_cast<std::size_t>(block.front().size()));
    const int lastCol = grid.colCount() - 1;
    for (std::size_t line = first; line < block.size(); ++line) {
        const QStringList& values = block[line];
        const int r = row + static_cast<int>(line - first);
        if (r >= grid.rowCount()) {
            // Empty lines below the table carry nothing that would be lost.
            if (allEmpty(values))
                continue;
            plan.refusal = pasteRefusal(rowPlaceText(table, r) +
                                        QStringLiteral(" liegt hinter dem Ende der Tabelle."));
            break;
        }
        for (int i = 0; i < values.size(); ++i) {
            const int c = col + i;
            const QString& value = values[i];
            if (c > lastCol) {
                if (value.trimmed().isEmpty())
                    continue;
                plan.refusal =
                    pasteRefusal(QStringLiteral("%1: %2 passt nicht mehr in die Tabelle, die "
                                                "letzte Spalte ist %3.")
                                     .arg(rowPlaceText(table, r), quoted(value.trimmed()),
                                          columnName(grid, table, lastCol, r)));
                break;
            }
            const CellRule rule = cellRule(table, c, r);
            const CellValue checked = checkCellValue(rule, value);
            if (!checked.accepted()) {
                plan.refusal = pasteRefusal(QStringLiteral("%1: %2").arg(
                    cellPlaceText(grid, table, c, r), checked.problem));
                break;
            }
            // An empty value where none belongs leaves the cell as it is.
            if (rule != CellRule::NoInput)
                plan.writes.push_back({c, r, checked.text});
        }
        if (plan.refusal)
            break;
    }
    if (plan.refusal)
        plan.writes.clear();
    return plan;
}

Outcome pasteBlock(CellTable& grid, TableId table, int col, int row, const QString& text) {
    PastePlan plan = planPaste(grid, table, col, row, text);
    if (!plan.refusal)
        grid.setCells(plan.writes);
    return plan.refusal;
}

QString copiedText(const CellTable& grid, int firstCol, int firstRow, int lastCol, int lastRow,
                   bool withHeaders) {
    const auto line = [&](int row) {
        QStringList values;
        for (int col = firstCol; col <= lastCol; ++col) {
            const QString text = grid.cell(col, row);
            values << (isEmptyCell(text) ? QString() : text);
        }
        return values.join(QLatin1Char('\t'));
    };
    QStringList lines;
    if (withHeaders) {
        QStringList headers;
        for (int col = firstCol; col <= lastCol; ++col)
            headers << grid.cell(col, 0).trimmed();
        lines << headers.join(QLatin1Char('\t'));
    }
    for (int row = firstRow; row <= lastRow; ++row)
        lines << line(row);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace kolma
