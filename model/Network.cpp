#include "Network.h"

#include <QHash>
#include <QStringList>
#include <cmath>
#include <limits>

#include "CellTable.h"
#include "Numbers.h"
#include "ProjectFile.h"

namespace kolma {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A value stays one token for the solver and for reopening when it holds no white space
// between other characters and is not blank altogether.
bool isOneToken(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c.isSpace())
            return false;
    return true;
}

// A flow cell without text is written as "(null)" and read back as "---".
QString asTypedFlow(const QString& text) {
    return text.isEmpty() ? kNullWord : text;
}

// Support points in use: the heads before the first empty one, or all eight; an empty first
// head does not end the list, the next empty head does.
int supportCount(const CellTable& pumps, int headRow) {
    for (int c = 2; c <= kSupportPoints; ++c)
        if (isEmptyHead(pumps.cell(c, headRow)))
            return c - 1;
    return kSupportPoints;
}

QString rejectedText(TableId table, int row, const QString& column) {
    return QStringLiteral("%1, Zeile %2, Spalte \"%3\": leerer Wert oder Wert mit Leerzeichen.")
        .arg(tableName(table))
        .arg(row)
        .arg(column);
}

// Reads the tables in the order in which saving writes them, so that the first value saving
// cannot take is the one reported.
class NetworkReader {
public:
    NetworkReader(const Tables& tables, const ProjectSettings& settings)
        : t_(tables), settings_(settings) {}

    Network read() {
        net_.settings = settings_;
        readSettings();
        const int nodes = listLength(*t_.nodes);
        for (int r = 1; r <= nodes; ++r)
            readNodeNumber(r);
        const int pipes = listLength(*t_.pipes);
        for (int r = 1; r <= pipes; ++r)
            readPipe(r);
        const int pumps = pumpListLength(*t_.pumps);
        for (int block = 1; block <= pumps; ++block)
            readPump(block);
        for (NodeRecord& node : net_.nodes)
            readNodeValues(node);
        return std::move(net_);
    }

private:
    void note(TableProblem::Kind kind, std::optional<CellPlace> place, const QString& message) {
        net_.problems.push_back({kind, place, message});
    }

    void setting(const QString& text, const QString& name) {
        if (text.isEmpty() || !isOneToken(text) || text != text.trimmed())
            note(TableProblem::Kind::Unsaveable, std::nullopt,
                 QStringLiteral("Einstellung \"%1\": leerer Wert oder Wert mit Leerzeichen.")
                     .arg(name));
    }

    void readSettings() {
        setting(settings_.viscosity, QStringLiteral("kin. Viskosität"));
        setting(settings_.iterations, QStringLiteral("Max. Anzahl Iterationen"));
        net_.viscosity = solverNumber(settings_.viscosity);
        const double iterations = solverNumber(settings_.iterations);
        net_.maxIterations = std::isfinite(iterations) ? static_cast<int>(iterations) : 0;
    }

    // A whole number of a cell; the general conversion error, located, when it is none.
    std::optional<int> wholeNumber(TableId table, const CellTable& grid, int col, int row) {
        try {
            return strictInt(grid.cell(col, row));
        } catch (const KolmaError& error) {
            note(TableProblem::Kind::NotWhole, CellPlace{table, row, col}, error.message());
            return std::nullopt;
        }
    }

    void readNodeNumber(int r) {
        NodeRecord node;
        node.row = r;
        node.numberText = t_.nodes->cell(kKeyColumn, r);
        const std::optional<int> number = wholeNumber(TableId::Nodes, *t_.nodes, kKeyColumn, r);
        node.number = number.value_or(0);
        // The first row of a number names the node, as the solver's node list has it.
        if (number && !firstIndex_.contains(*number))
            firstIndex_.insert(*number, static_cast<int>(net_.nodes.size()));
        net_.nodes.push_back(node);
    }

    // The text of a cell that must stay one token.
    QString oneToken(TableId table, const CellTable& grid, int col, int row) {
        const QString text = grid.cell(col, row);
        if (!isOneToken(text))
            note(TableProblem::Kind::Unsaveable, CellPlace{table, row, col},
                 rejectedText(table, row, grid.cell(col, 0)));
        return text;
    }

    // A value cell that must stay one token and hold a number.
    Value numberCell(TableId table, const CellTable& grid, int col, int row) {
        return valueOf(table, row, col, oneToken(table, grid, col, row));
    }

    // A typed value and its number; text that is no number is noted.
    Value valueOf(TableId table, int row, int col, const QString& typed) {
        Value value{typed, solverNumber(typed)};
        // Text saving refuses is noted as that already.
        if (!value.isNumber() && holdsValue(typed) && isOneToken(typed))
            noteNotANumber(CellPlace{table, row, col}, typed);
        return value;
    }

    void noteNotANumber(const CellPlace& place, const QString& typed) {
        note(TableProblem::Kind::NotANumber, place,
             QStringLiteral("%1, Zeile %2, Spalte %3: '%4' ist keine Zahl.")
                 .arg(tableName(place.table))
                 .arg(place.row)
                 .arg(place.column)
                 .arg(typed));
    }

    // The node index of a pipe's or pump's node number cell; -1 when there is none.
    int nodeIndex(TableId table, const CellTable& grid, int col, int row, const QString& element) {
        const std::optional<int> number = wholeNumber(table, grid, col, row);
        if (!number)
            return -1;
        const auto index = firstIndex_.constFind(*number);
        if (index == firstIndex_.constEnd()) {
            note(TableProblem::Kind::MissingNode, CellPlace{table, row, col},
                 QStringLiteral("%1: Knoten %2 fehlt in der Knotentabelle.")
                     .arg(element)
                     .arg(*number));
            return -1;
        }
        return *index;
    }

    void readPipe(int r) {
        const CellTable& pipes = *t_.pipes;
        const TableId table = TableId::Pipes;
        const QString element =
            QStringLiteral("Strang %1 (Zeile %2)").arg(pipes.cell(kKeyColumn, r)).arg(r);
        PipeRecord pipe;
        pipe.row = r;
        pipe.number = numberCell(table, pipes, kKeyColumn, r);
        pipe.startNode = nodeIndex(table, pipes, kStartNodeColumn, r, element);
        pipe.endNode = nodeIndex(table, pipes, kEndNodeColumn, r, element);
        pipe.length = numberCell(table, pipes, kLengthColumn, r);
        pipe.diameter = numberCell(table, pipes, kDiameterColumn, r);
        pipe.roughness = numberCell(table, pipes, kDiameterColumn + 1, r);
        pipe.zeta = numberCell(table, pipes, kDiameterColumn + 2, r);
        net_.pipes.push_back(pipe);
    }

    // A support value: empty heads and blank flows stand for no value; every other text must
    // stay one token.
    Value supportValue(int row, int c, const QString& text, const QString& kind) {
        if (!isOneToken(text))
            note(TableProblem::Kind::Unsaveable, CellPlace{TableId::Pumps, row, c},
                 rejectedText(TableId::Pumps, row, QStringLiteral("%1%2").arg(kind).arg(c)));
        return {text, solverNumber(text)};
    }

    void readPump(int block) {
        const CellTable& pumps = *t_.pumps;
        const TableId table = TableId::Pumps;
        const int r = firstPumpRow(block);
        PumpRecord pump;
        pump.block = block;
        const QString element =
            QStringLiteral("Pumpe %1 (Block %2)").arg(pumps.cell(kKeyColumn, r)).arg(block);
        pump.type = oneToken(table, pumps, kKeyColumn, r);
        pump.startNode = nodeIndex(table, pumps, kStartNodeColumn, r, element);
        pump.endNode = nodeIndex(table, pumps, kEndNodeColumn, r, element);
        pump.supportCount = supportCount(pumps, r + 1);
        for (int c = 1; c <= kSupportPoints; ++c) {
            const QString head = pumps.cell(c, r + 1);
            pump.heads[c - 1] = isEmptyHead(head)
                                    ? Value{head, kNaN}
                                    : supportValue(r + 1, c, head, QStringLiteral("h"));
        }
        for (int c = 1; c <= kSupportPoints; ++c) {
            const QString flow = pumps.cell(c, r + 2);
            pump.flows[c - 1] =
                flow == QLatin1String(" ")
                    ? Value{flow, kNaN}
                    : supportValue(r + 2, c, asTypedFlow(flow), QStringLiteral("Q"));
        }
        for (int c = 1; c <= pump.supportCount; ++c) {
            notePumpValue(r + 1, c, pump.heads[c - 1]);
            notePumpValue(r + 2, c, pump.flows[c - 1]);
        }
        net_.pumps.push_back(pump);
    }

    // A support point in use needs a head and a flow.
    void notePumpValue(int row, int c, const Value& value) {
        if (!value.isNumber())
            noteNotANumber(CellPlace{TableId::Pumps, row, c}, value.typed);
    }

    void readNodeValues(NodeRecord& node) {
        const CellTable& nodes = *t_.nodes;
        Value* const values[] = {&node.knownHead, &node.inflow, &node.withdrawal, &node.ground,
                                 &node.invert};
        for (int c = kKnownHeadColumn; c < kKeyColumn + kNodeValues; ++c) {
            const QString text = nodes.cell(c, node.row);
            *values[c - kKnownHeadColumn] =
                isEmptyCell(text) ? Value{text, kNaN}
                                  : valueOf(TableId::Nodes, node.row, c,
                                            oneToken(TableId::Nodes, nodes, c, node.row));
        }
    }

    const Tables& t_;
    const ProjectSettings& settings_;
    Network net_;
    QHash<int, int> firstIndex_;  // node number -> index of its first row
};

}  // namespace

QString tableName(TableId table) {
    switch (table) {
        case TableId::Pipes:
            return QStringLiteral("Rohrtabelle");
        case TableId::Pumps:
            return QStringLiteral("Pumpentabelle");
        case TableId::Nodes:
            break;
    }
    return QStringLiteral("Knotentabelle");
}

bool NodeRecord::hasKnownHead() const {
    return holdsValue(knownHead.typed);
}

int Network::knownHeadCount() const {
    int count = 0;
    for (const NodeRecord& node : nodes)
        if (node.hasKnownHead())
            ++count;
    return count;
}

Network readNetwork(const Tables& tables, const ProjectSettings& settings) {
    return NetworkReader(tables, settings).read();
}

Network networkOf(const Tables& tables, const ProjectSettings& settings) {
    Network network = readNetwork(tables, settings);
    for (const TableProblem& problem : network.problems) {
        switch (problem.kind) {
            case TableProblem::Kind::Unsaveable:
            case TableProblem::Kind::MissingNode:
                throw InputRejected(problem.message, problem.place);
            case TableProblem::Kind::NotWhole:
                throw TableError(problem.message, problem.place);
            case TableProblem::Kind::NotANumber:
                break;
        }
    }
    return network;
}

void requireNumbers(const Network& network) {
    for (const TableProblem& problem : network.problems)
        if (problem.kind == TableProblem::Kind::NotANumber)
            throw TableError(problem.message, problem.place);
    if (!std::isfinite(network.viscosity) || network.viscosity <= 0.0)
        throw TableError(QStringLiteral("Einstellung \"kin. Viskosität\": '%1' ist keine gültige "
                                        "Zahl.")
                             .arg(network.settings.viscosity),
                         std::nullopt);
}

double solverNumber(const QString& text) {
    if (!holdsValue(text))
        return kNaN;
    bool ok = false;
    const double value = convertSeparators(text.trimmed().toUtf8(), Conversion::Save).toDouble(&ok);
    return ok && std::isfinite(value) ? value : kNaN;
}

}  // namespace kolma
