// The design limits the evaluation judges by: number of storeys (giving the minimum supply
// pressure), highest pressure, highest velocity and the velocity below which water stands.
#pragma once

#include <QDialog>
#include <optional>

#include "Evaluation.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kolma {

class FormGrenzwerte : public QDialog {
public:
    explicit FormGrenzwerte(const DesignLimits& limits, QWidget* parent = nullptr);

    // The limits as typed; nothing (and an error box) when a value is no number above 0.
    std::optional<DesignLimits> typedLimits();

    QComboBox* Stockwerke;
    QLabel* Mindestdruck;
    QLineEdit* HoechsterDruck;
    QLineEdit* HoechsteGeschwindigkeit;
    QLineEdit* Stagnation;
    QPushButton* OK;
    QPushButton* Abbrechen;

    DesignLimits limits;  // what OK took over

private:
    void OKClick();
    void showMinimumPressure();
};

}  // namespace kolma
