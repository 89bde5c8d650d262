#include "Loeschwasser.h"

#include <QBrush>
#include <QColor>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

#include "KolmaError.h"
#include "Numbers.h"

namespace kolma {
namespace {

constexpr double kNaN = kNoPressure;
constexpr double kMaxRestdruck = 100.0;  // [bar]

const QString kNoResultMark = QStringLiteral("–");

// A number with a decimal comma as typed, and its unit if any.
struct TypedNumber {
    double value = 0.0;
    QString unit;
};

std::optional<TypedNumber> typedNumber(const QString& typed, const QString& units) {
    const QRegularExpression pattern(
        QStringLiteral("^\\s*([0-9]+(?:,[0-9]+)?)\\s*(%1)?\\s*$").arg(units),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = germanLocale().toDouble(match.captured(1), &ok);
    if (!ok)
        return std::nullopt;
    return TypedNumber{value, match.captured(2).toLower()};
}

QString shortNumber(double value) {
    return germanLocale().toString(value, 'g', 6);
}

QString fixed(double value, int decimals) {
    return germanLocale().toString(value, 'f', decimals);
}

bool judged(const NodeFireFlow& row) {
    return row.run.hasResult() && std::isfinite(row.run.pressure);
}

QString endText(FireFlowEnd end) {
    switch (end) {
        case FireFlowEnd::Converged:
            return QStringLiteral("konvergiert");
        case FireFlowEnd::HeadsSteady:
            return QStringLiteral("Druckhöhen stehen");
        case FireFlowEnd::Bound:
            return QStringLiteral("Iterationsgrenze");
        case FireFlowEnd::Failed:
        case FireFlowEnd::Cancelled:
            break;
    }
    return QStringLiteral("nicht berechenbar");
}

QString headRuleHint() {
    return QStringLiteral(
        "Ende nach der Druckhöhenregel: keine Druckhöhe hat sich in den letzten 20 Iterationen "
        "um 1 mm geändert (ein Rohr pendelt um Re = 2300).");
}

}  // namespace

Loeschwasserstrom loeschwasserstromOf(const QString& typed) {
    const auto number = typedNumber(typed, QStringLiteral("m³/h|m3/h|l/s"));
    const bool perHour = number && number->unit.startsWith(QLatin1Char('m'));
    const double litres =
        number ? (perHour ? number->value * kCubicMetresPerHourInLitresPerSecond : number->value)
               : kNaN;
    if (!(litres > 0.0 && litres <= kFireFlowSearchLimit))
        throw KolmaError(
            QStringLiteral("'%1' ist keine gültige Löschwassermenge. Möglich sind 48 m³/h, "
                           "96 m³/h, 192 m³/h oder ein Wert über 0 bis %2 l/s, etwa 26,67.")
                .arg(typed.trimmed(), shortNumber(kFireFlowSearchLimit)));
    return {litres, perHour ? QStringLiteral("%1 m³/h").arg(shortNumber(number->value))
                            : QStringLiteral("%1 l/s").arg(shortNumber(number->value))};
}

double restdruckOf(const QString& typed) {
    const auto number = typedNumber(typed, QStringLiteral("bar"));
    if (!number || number->value > kMaxRestdruck)
        throw KolmaError(QStringLiteral("'%1' ist kein gültiger Restdruck. Erwartet wird ein Wert "
                                        "in bar von 0 bis %2, etwa 1,5.")
                             .arg(typed.trimmed(), shortNumber(kMaxRestdruck)));
    return number->value;
}

QString restzeitText(double seconds) {
    if (seconds < 1.0)
        return QStringLiteral("noch weniger als 1 s");
    if (seconds < 120.0)
        return QStringLiteral("noch etwa %1 s").arg(static_cast<int>(std::ceil(seconds)));
    return QStringLiteral("noch etwa %1 min").arg(static_cast<int>(std::lround(seconds / 60.0)));
}

NodeMarks fireFlowMarks(const FireFlowReport& report, const tarnholm::Network& network) {
    enum Class { Satisfied, Failing, NoResult };
    NodeMarks marks{QStringLiteral("Löschwasser"),
                    {{QStringLiteral("erfüllt"), {26, 150, 65}},
                     {QStringLiteral("nicht erfüllt"), {215, 25, 28}},
                     {QStringLiteral("ohne Ergebnis"), kNoValueColour}},
                    {}};
    for (const NodeFireFlow& node : report.nodes) {
        const int number =
            static_cast<int>(network.nodeNumber[static_cast<std::size_t>(node.node)]);
        marks.classOfNode[number] = !judged(node) ? NoResult : node.satisfied ? Satisfied : Failing;
    }
    return marks;
}

QString zusammenfassung(const FireFlowReport& report, const Loeschwasserstrom& strom,
                        double restdruck, const std::vector<int>& knownHeadsLeftOut) {
    const int computed = static_cast<int>(report.nodes.size());
    int satisfied = 0;
    int headRule = 0;
    int noResult = 0;
    for (const NodeFireFlow& node : report.nodes) {
        satisfied += node.satisfied;
        headRule += node.run.end == FireFlowEnd::HeadsSteady;
        noResult += !node.run.hasResult();
    }
    const QString verb = satisfied == 1 ? QStringLiteral("erfüllt") : QStringLiteral("erfüllen");
    const QString requirement =
        QStringLiteral("%1 %2 bei %3 bar.").arg(verb, strom.text, shortNumber(restdruck));
    QStringList lines;
    if (report.cancelled)
        lines << QStringLiteral("Abgebrochen nach %1 von %2 Knoten: %3 von %1 %4")
                     .arg(computed)
                     .arg(report.requested)
                     .arg(satisfied)
                     .arg(requirement);
    else
        lines
            << QStringLiteral("%1 von %2 Knoten %3").arg(satisfied).arg(computed).arg(requirement);
    if (headRule > 0)
        lines << QStringLiteral("* %1 Knoten: %2").arg(headRule).arg(headRuleHint());
    if (noResult > 0)
        lines << QStringLiteral(
                     "%1 Knoten ohne Ergebnis (Iterationsgrenze erreicht oder nicht "
                     "berechenbar).")
                     .arg(noResult);
    if (!knownHeadsLeftOut.empty()) {
        QStringList numbers;
        for (int number : knownHeadsLeftOut)
            numbers << QString::number(number);
        lines << QStringLiteral("Knoten mit bekanntem Druck nicht berechnet: %1.")
                     .arg(numbers.join(QStringLiteral(", ")));
    }
    return lines.join(QLatin1Char('\n'));
}

void LoeschwasserTabelle::setReport(const FireFlowReport& report, const tarnholm::Network& network,
                                    double fireFlow) {
    beginResetModel();
    rows_ = report.nodes;
    numbers_.clear();
    for (double number : network.nodeNumber)
        numbers_.push_back(static_cast<int>(number));
    fireFlow_ = fireFlow;
    endResetModel();
}

int LoeschwasserTabelle::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LoeschwasserTabelle::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString LoeschwasserTabelle::text(const NodeFireFlow& row, int column) const {
    const FireFlowRun& run = row.run;
    switch (column) {
        case Knoten:
            return QString::number(numbers_[row.node]);
        case Menge:
            return fixed(fireFlow_, 2);
        case Restdruck:
            if (!run.hasResult())
                return endText(run.end);
            if (!std::isfinite(run.pressure))
                return QStringLiteral("GOK fehlt");
            return fixed(run.pressure, 2) +
                   (run.end == FireFlowEnd::HeadsSteady ? QStringLiteral(" *") : QString());
        case MinDruck:
            return run.hasResult() && run.lowestNode >= 0 ? fixed(run.lowestPressure, 2)
                                                          : QString();
        case BeiKnoten:
            return run.hasResult() && run.lowestNode >= 0
                       ? QString::number(numbers_[run.lowestNode])
                       : QString();
        case Erfuellt:
            if (!judged(row))
                return kNoResultMark;
            return row.satisfied ? QStringLiteral("ja") : QStringLiteral("nein");
        case MaxMenge:
            switch (row.maximumKind) {
                case FireFlowMaximum::NotSearched:
                    return QString();
                case FireFlowMaximum::Found:
                    return fixed(row.maximum, 1);
                case FireFlowMaximum::None:
                    return QStringLiteral("keiner");
                case FireFlowMaximum::AboveLimit:
                    return QStringLiteral("> %1").arg(shortNumber(kFireFlowSearchLimit));
                case FireFlowMaximum::Failed:
                    return QStringLiteral("nicht berechenbar");
            }
    }
    return QString();
}

double LoeschwasserTabelle::sortKey(const NodeFireFlow& row, int column) const {
    const FireFlowRun& run = row.run;
    const bool lowest = run.hasResult() && run.lowestNode >= 0;
    switch (column) {
        case Knoten:
            return numbers_[row.node];
        case Menge:
            return fireFlow_;
        case Restdruck:
            return run.hasResult() ? run.pressure : kNaN;
        case MinDruck:
            return lowest ? run.lowestPressure : kNaN;
        case BeiKnoten:
            return lowest ? numbers_[run.lowestNode] : kNaN;
        case Erfuellt:
            return judged(row) ? double(row.satisfied) : kNaN;
        case MaxMenge:
            switch (row.maximumKind) {
                case FireFlowMaximum::Found:
                    return row.maximum;
                case FireFlowMaximum::None:
                    return -1.0;
                case FireFlowMaximum::AboveLimit:
                    return HUGE_VAL;
                default:
                    return kNaN;
            }
    }
    return kNaN;
}

QVariant LoeschwasserTabelle::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const NodeFireFlow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return text(row, index.column());
        case Qt::TextAlignmentRole:
            return index.column() == Erfuellt ? int(Qt::AlignCenter)
                                              : int(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ToolTipRole:
            return row.run.end == FireFlowEnd::HeadsSteady ? QVariant(headRuleHint()) : QVariant();
        case Qt::BackgroundRole:
            if (index.column() != Erfuellt || !judged(row))
                return {};
            return QBrush(row.satisfied ? QColor(198, 239, 206) : QColor(255, 199, 206));
        default:
            return {};
    }
}

QVariant LoeschwasserTabelle::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[ColumnCount] = {
        "Knoten",     "Löschwasser [l/s]", "Restdruck [bar]",       "min. Druck [bar]",
        "bei Knoten", "erfüllt",           "max. Löschwasser [l/s]"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(names[section]);
}

void LoeschwasserTabelle::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    beginResetModel();
    std::stable_sort(rows_.begin(), rows_.end(),
                     [this, column, order](const NodeFireFlow& a, const NodeFireFlow& b) {
                         const double x = sortKey(a, column);
                         const double y = sortKey(b, column);
                         if (std::isnan(x) || std::isnan(y))
                             return !std::isnan(x) && std::isnan(y);
                         return order == Qt::AscendingOrder ? x < y : y < x;
                     });
    endResetModel();
}

CsvTable LoeschwasserTabelle::csvTable() const {
    CsvTable table;
    for (int c = 0; c < ColumnCount; ++c)
        table.header << headerData(c, Qt::Horizontal).toString();
    table.header << QStringLiteral("Ende der Berechnung");
    const auto numberOrText = [](double value, int decimals, const QString& text) {
        return std::isfinite(value) ? CsvCell::of(value, decimals) : CsvCell::of(text);
    };
    for (const NodeFireFlow& row : rows_) {
        table.rows.push_back({
            CsvCell::of(sortKey(row, Knoten), 0),
            CsvCell::of(fireFlow_, 2),
            numberOrText(sortKey(row, Restdruck), 2, text(row, Restdruck)),
            CsvCell::of(sortKey(row, MinDruck), 2),
            CsvCell::of(sortKey(row, BeiKnoten), 0),
            CsvCell::of(text(row, Erfuellt)),
            row.maximumKind == FireFlowMaximum::Found ? CsvCell::of(row.maximum, 1)
                                                      : CsvCell::of(text(row, MaxMenge)),
            CsvCell::of(endText(row.run.end)),
        });
    }
    return table;
}

}  // namespace kolma
