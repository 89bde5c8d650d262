#include "TFormKlassengrenzen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Controls.h"
#include "Dialogs.h"

namespace kolma {

TFormKlassengrenzen::TFormKlassengrenzen(PlanQuantity quantity, const std::vector<double>& limits,
                                         QWidget* parent)
    : QDialog(parent), quantity_(quantity), limits_(limits) {
    setObjectName(QStringLiteral("FormKlassengrenzen"));
    setWindowTitle(QStringLiteral("Klassengrenzen"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = namedControl<QLabel>(
        this, "Label1",
        QStringLiteral("Klassengrenzen für %1, aufsteigend, getrennt durch Semikolon:")
            .arg(quantityTitle(quantity)));
    layout->addWidget(caption);
    Grenzen = namedControl<QLineEdit>(this, "Grenzen", limitsText(limits));
    Grenzen->setMinimumWidth(320);
    layout->addWidget(Grenzen);
    auto* hint = namedControl<QLabel>(
        this, "Label2",
        defaultLimits(quantity).empty()
            ? QStringLiteral("Ohne Angabe werden fünf gleich breite Klassen gebildet.")
            : QStringLiteral("Standard: %1").arg(limitsText(defaultLimits(quantity))));
    layout->addWidget(hint);
    auto* buttons = new QHBoxLayout;
    Standard = namedControl<QPushButton>(this, "Standard", QStringLiteral("Standard"));
    OKButton = namedControl<QPushButton>(this, "OKButton", QStringLiteral("OK"));
    AbbrechenButton =
        namedControl<QPushButton>(this, "AbbrechenButton", QStringLiteral("Abbrechen"));
    OKButton->setDefault(true);
    buttons->addWidget(Standard);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(AbbrechenButton);
    layout->addLayout(buttons);
    connectHandler(Standard, &QPushButton::clicked, this, &TFormKlassengrenzen::StandardClick);
    connectHandler(OKButton, &QPushButton::clicked, this, &TFormKlassengrenzen::OKButtonClick);
    connect(AbbrechenButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormKlassengrenzen::StandardClick() {
    Grenzen->setText(limitsText(defaultLimits(quantity_)));
}

void TFormKlassengrenzen::OKButtonClick() {
    try {
        limits_ = parseLimits(Grenzen->text());
    } catch (const KolmaError& error) {
        errorBox(this, error.message(), QStringLiteral("Eingabefehler"));
        return;
    }
    accept();
}

}  // namespace kolma
