#include "TForm2.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Controls.h"
#include "Handler.h"
#include "TForm1.h"

namespace kolma {

TForm2::TForm2(TForm1* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Suche"));
    resize(208, 151);
    Label1 = namedControl<QLabel>(this, "Label1");
    Edit1 = namedControl<QLineEdit>(this, "Edit1");
    OK2 = namedControl<QPushButton>(this, "OK2", QStringLiteral("OK"));
    OK2->setDefault(true);
    Abbrechen2 = namedControl<QPushButton>(this, "Abbrechen2", QStringLiteral("Abbrechen"));
    Abbrechen2->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(OK2, 1, 0);
    layout->addWidget(Abbrechen2, 1, 1);

    connectHandler(OK2, &QPushButton::clicked, this, &TForm2::OK2Click);
    connectHandler(Abbrechen2, &QPushButton::clicked, this, &TForm2::Abbrechen2Click);
}

void TForm2::OK2Click() {
    if (QLineEdit* target = searchedEdit())
        target->setText(Edit1->text());
    accept();
}

QLineEdit* TForm2::searchedEdit() const {
    const QString label = Label1->text();
    if (label == QLatin1String(kPipeSearchLabel))
        return mainWindow_->Edit2;
    if (label == QLatin1String(kPumpSearchLabel))
        return mainWindow_->Edit9;
    if (label == QLatin1String(kNodeSearchLabel))
        return mainWindow_->Knotnum;
    return nullptr;
}

void TForm2::Abbrechen2Click() {
    reject();
}

}  // namespace kolma
