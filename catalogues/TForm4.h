// "Pumpenkennlinie": the characteristic curve of the support points typed into the main
// window's pump input line, redrawn to the window's size at every paint.
#pragma once

#include <QDialog>

#include "PumpEditLine.h"

class QLabel;
class QPainter;

namespace kolma {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(const PumpEditLine& line, QWidget* parent = nullptr);

    QLabel* Label1;  // "h [m]", fixed position
    QLabel* Label2;  // "Q [l/s]", fixed position

    // Draws the plot of the current field texts; nothing when they cannot be plotted (the
    // reason is reported once, when the window is opened).
    void FormPaint(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PumpEditLine line_;
};

// "Kennlinie": needs Q1..Q3 and h1..h3 filled, then shows the plot modally.
void showCharacteristic(const PumpEditLine& line, QWidget* parent);

}  // namespace kolma
