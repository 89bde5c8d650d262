#include "TForm4.h"

#include <QLabel>
#include <QPainter>

#include "CatalogueWindow.h"
#include "Characteristic.h"
#include "Dialogs.h"
#include "Handler.h"
#include "Numbers.h"

namespace kolma {

TForm4::TForm4(const PumpEditLine& line, QWidget* parent) : QDialog(parent), line_(line) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pumpenkennlinie"));
    resize(471, 311);  // client area of the 479 x 338 window
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);
    Label1 = addCaption(this, QStringLiteral("h [m]"), 24, 64);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = addCaption(this, QStringLiteral("Q [l/s]"), 384, 288);
    Label2->setObjectName(QStringLiteral("Label2"));
}

void TForm4::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FormPaint(painter);
}

void TForm4::FormPaint(QPainter& painter) {
    SupportPoints points;
    try {
        points = plottableSupportPoints(supportPointTexts(line_));
    } catch (const KolmaError&) {
        return;
    }
    painter.setFont(font());
    drawCharacteristic(painter, rect(), points, palette().color(QPalette::Window));
}

void showCharacteristic(const PumpEditLine& line, QWidget* parent) {
    // A curve needs at least this many support points, in the first fields.
    constexpr int kRequiredPoints = 3;
    const SupportPointTexts texts = supportPointTexts(line);
    for (int i = 0; i < kRequiredPoints; ++i) {
        if (isEmptyHead(texts.Q[i]) || isEmptyHead(texts.h[i])) {
            errorBox(parent,
                     QStringLiteral("Es sollten mindestens drei Stützwerte eingegeben werden"),
                     QStringLiteral("Fehler"));
            return;
        }
    }
    // The fields cannot change while the plot is open, so one check at opening stands for
    // every repaint.
    try {
        plottableSupportPoints(texts);
    } catch (const KolmaError& error) {
        errorBox(parent, error.message(), QStringLiteral("Fehler"));
    }
    TForm4 plot(line, parent);
    dialogs().execModal(plot);
}

}  // namespace kolma
