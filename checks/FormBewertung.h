// The evaluation of a calculation: nodes with their supply pressure, pipes with their velocity
// and gradient, pumps with their operating point, each flagged against the design limits, and a
// summary line. The limits are changed in a small dialog and kept in the user's settings.
#pragma once

#include <QDialog>
#include <functional>

#include "Evaluation.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kolma {

class FormBewertung : public QDialog {
public:
    // `evaluateWith` judges the calculation anew with other limits.
    FormBewertung(std::function<Evaluation(const DesignLimits&)> evaluateWith,
                  const DesignLimits& limits, QWidget* parent = nullptr);

    // Called with the table row of an element the user double-clicked.
    std::function<void(const CellPlace&)> showPlace;

    QTableWidget* BewertungKnoten;
    QTableWidget* BewertungStraenge;
    QTableWidget* BewertungPumpen;
    QLabel* Zusammenfassung;
    QPushButton* Grenzwerte;
    QPushButton* Schliessen;

    const Evaluation& evaluation() const { return evaluation_; }

private:
    void show(const Evaluation& evaluation);
    void GrenzwerteClick();

    std::function<Evaluation(const DesignLimits&)> evaluateWith_;
    Evaluation evaluation_;
};

}  // namespace kolma
