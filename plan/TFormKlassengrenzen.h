// The dialog "Klassengrenzen" of the plan window: the class limits of one quantity as a list
// typed with decimal commas and semicolons; "Standard" puts the defaults back.
#pragma once

#include <QDialog>
#include <vector>

#include "PlanColours.h"

class QLineEdit;
class QPushButton;

namespace kolma {

class TFormKlassengrenzen : public QDialog {
public:
    TFormKlassengrenzen(PlanQuantity quantity, const std::vector<double>& limits,
                        QWidget* parent = nullptr);

    // The limits accepted with OK; empty for the defaults.
    const std::vector<double>& limits() const { return limits_; }

    QLineEdit* Grenzen;
    QPushButton* Standard;
    QPushButton* OKButton;
    QPushButton* AbbrechenButton;

    void StandardClick();
    void OKButtonClick();

private:
    PlanQuantity quantity_;
    std::vector<double> limits_;
};

}  // namespace kolma
