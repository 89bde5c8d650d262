// The network check's list: severity, table, row, what is wrong and what to do, for every
// finding. Shown from the menu, and before a calculation when the check found something: then
// it says whether the calculation can go on.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "NetworkCheck.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kolma {

class FormNetzpruefung : public QDialog {
public:
    // Why the list is shown: on demand, or before a calculation.
    enum class Purpose { Check, BeforeCalculation };

    FormNetzpruefung(const std::vector<Finding>& findings, Purpose purpose,
                     QWidget* parent = nullptr);

    // Called with the place of a finding the user double-clicked.
    std::function<void(const CellPlace&)> showPlace;
    // Called when the user asks for "Knotenreihenfolge optimieren".
    std::function<void()> optimiseNodeOrder;

    QTableWidget* Befunde;
    QLabel* Hinweis;
    QPushButton* Berechnen;  // before a calculation with warnings only: go on
    QPushButton* Knotenreihenfolge;
    QPushButton* Schliessen;

private:
    void fill(const std::vector<Finding>& findings);
    void BefundeDoubleClicked(int row);

    std::vector<Finding> findings_;
};

}  // namespace kolma
