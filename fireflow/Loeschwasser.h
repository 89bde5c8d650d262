// What the fire flow window reads and shows: the fire flow and the residual pressure as typed,
// the result table (sortable, exported as CSV) and the summary line.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "CsvTable.h"
#include "FireFlow.h"
#include "PlanColours.h"

namespace kolma {

// A fire flow as the user chose it: "48 m³/h", "96 m³/h", "192 m³/h" (any number of m³/h) or a
// number of l/s with a decimal comma ("26,67", "30 l/s").
struct Loeschwasserstrom {
    double litresPerSecond = 0.0;
    QString text;  // as the summary names it: "96 m³/h", "30 l/s"
};

// Raises KolmaError for anything else, and for flows of 0 or above kFireFlowSearchLimit.
Loeschwasserstrom loeschwasserstromOf(const QString& typed);

// The required residual pressure [bar], a number with a decimal comma from 0 to 100; raises
// KolmaError for anything else.
double restdruckOf(const QString& typed);

// The remaining time for the progress line: "noch etwa 12 s", "noch etwa 3 min".
QString restzeitText(double seconds);

// "37 von 44 Knoten erfüllen 96 m³/h bei 1,5 bar.", after a cancel "Abgebrochen nach 20 von 44
// Knoten: ...", and lines for the runs ended by the head rule, the nodes without result and the
// known-head nodes left out.
QString zusammenfassung(const FireFlowReport& report, const Loeschwasserstrom& strom,
                        double restdruck, const std::vector<int>& knownHeadsLeftOut);

// The nodes of a report coloured for the plan: "erfüllt", "nicht erfüllt", "ohne Ergebnis"
// (no pressure could be judged); nodes not computed are left to the plan's own colours.
NodeMarks fireFlowMarks(const FireFlowReport& report, const tarnholm::Network& network);

// The result rows of an analysis, one per node, in the columns Knoten, Löschwasser [l/s],
// Restdruck [bar], min. Druck [bar], bei Knoten, erfüllt, max. Löschwasser [l/s]. Sorting puts
// the cells without a number last whichever the order.
class LoeschwasserTabelle : public QAbstractTableModel {
public:
    enum Column { Knoten, Menge, Restdruck, MinDruck, BeiKnoten, Erfuellt, MaxMenge, ColumnCount };

    explicit LoeschwasserTabelle(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The rows of a report; node numbers from the network the report was computed on.
    void setReport(const FireFlowReport& report, const tarnholm::Network& network, double fireFlow);
    const std::vector<NodeFireFlow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The table as shown, numbers as numbers, with the end of each calculation in a last column.
    CsvTable csvTable() const;

private:
    QString text(const NodeFireFlow& row, int column) const;
    double sortKey(const NodeFireFlow& row, int column) const;

    std::vector<NodeFireFlow> rows_;
    std::vector<int> numbers_;  // node number by node index
    double fireFlow_ = 0.0;
};

}  // namespace kolma
