#include "FormGrenzwerte.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Controls.h"
#include "Dialogs.h"
#include "InputFilter.h"
#include "Numbers.h"

namespace kolma {

FormGrenzwerte::FormGrenzwerte(const DesignLimits& current, QWidget* parent)
    : QDialog(parent), limits(current) {
    setObjectName(QStringLiteral("FormGrenzwerte"));
    setWindowTitle(QStringLiteral("Grenzwerte der Bewertung"));
    Stockwerke = namedControl<QComboBox>(this, "Stockwerke");
    for (int storeys = kFewestStoreys; storeys <= kMostStoreys; ++storeys)
        Stockwerke->addItem(QString::number(storeys));
    Stockwerke->setCurrentIndex(current.storeys - kFewestStoreys);
    Mindestdruck = namedControl<QLabel>(this, "Mindestdruck");
    HoechsterDruck =
        namedControl<QLineEdit>(this, "HoechsterDruck", twoDecimals(current.maxPressure));
    HoechsteGeschwindigkeit =
        namedControl<QLineEdit>(this, "HoechsteGeschwindigkeit", twoDecimals(current.maxVelocity));
    Stagnation = namedControl<QLineEdit>(
        this, "Stagnation", germanLocale().toString(current.stagnationVelocity, 'f', 3));
    for (QLineEdit* edit : {HoechsterDruck, HoechsteGeschwindigkeit, Stagnation})
        installInputFilter(edit, InputFilter::Decimal);
    OK = namedControl<QPushButton>(this, "OK", QStringLiteral("OK"));
    OK->setDefault(true);
    Abbrechen = namedControl<QPushButton>(this, "Abbrechen", QStringLiteral("Abbrechen"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Geschosse:"), Stockwerke);
    form->addRow(QStringLiteral("Mindestdruck [bar]:"), Mindestdruck);
    form->addRow(QStringLiteral("Höchstdruck [bar]:"), HoechsterDruck);
    form->addRow(QStringLiteral("Höchste Geschwindigkeit [m/s]:"), HoechsteGeschwindigkeit);
    form->addRow(QStringLiteral("Stagnation unter [m/s]:"), Stagnation);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(Abbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    showMinimumPressure();
    connect(Stockwerke, &QComboBox::currentIndexChanged, this, [this] { showMinimumPressure(); });
    connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void FormGrenzwerte::showMinimumPressure() {
    Mindestdruck->setText(
        twoDecimals(minimumPressureForStoreys(Stockwerke->currentIndex() + kFewestStoreys)));
}

std::optional<DesignLimits> FormGrenzwerte::typedLimits() {
    DesignLimits typed;
    typed.storeys = Stockwerke->currentIndex() + kFewestStoreys;
    const struct {
        QLineEdit* edit;
        double* value;
        const char* name;
    } fields[] = {{HoechsterDruck, &typed.maxPressure, "Höchstdruck"},
                  {HoechsteGeschwindigkeit, &typed.maxVelocity, "Höchste Geschwindigkeit"},
                  {Stagnation, &typed.stagnationVelocity, "Stagnation"}};
    for (const auto& field : fields) {
        bool ok = false;
        *field.value = germanLocale().toDouble(field.edit->text().trimmed(), &ok);
        if (!ok || *field.value <= 0.0) {
            errorBox(this,
                     QStringLiteral("%1: '%2' ist keine Zahl größer als 0.")
                         .arg(QString::fromUtf8(field.name), field.edit->text()),
                     QStringLiteral("Eingabefehler"));
            return std::nullopt;
        }
    }
    return typed;
}

void FormGrenzwerte::OKClick() {
    if (const auto typed = typedLimits()) {
        limits = *typed;
        accept();
    }
}

}  // namespace kolma
