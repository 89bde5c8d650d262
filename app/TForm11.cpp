#include "TForm11.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Controls.h"
#include "Handler.h"

namespace kolma {

namespace {

QLabel* exponent(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    QLabel* label = namedControl<QLabel>(parent, name, text, geometry);
    QFont small = label->font();
    small.setPointSize(5);
    label->setFont(small);
    return label;
}

}  // namespace

TForm11::TForm11(QLineEdit* nue, QLineEdit* iter, QWidget* parent)
    : QDialog(parent), nue_(nue), iter_(iter) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFixedSize(318, 188);

    Label1 = namedControl<QLabel>(this, "Label1", QStringLiteral("kin. Viskosität :"),
                                  {16, 24, 140, 16});
    Edit1 = namedControl<QLineEdit>(this, "Edit1", QString(), {160, 20, 73, 21});
    Label3 =
        namedControl<QLabel>(this, "Label3", QStringLiteral("10      m   /s"), {240, 24, 70, 16});
    Label4 = exponent(this, "Label4", QStringLiteral("- 6"), {254, 18, 16, 10});
    Label5 = exponent(this, "Label5", QStringLiteral("2"), {282, 18, 8, 10});
    Label2 = namedControl<QLabel>(this, "Label2", QStringLiteral("Max. Anzahl Iterationen :"),
                                  {16, 64, 140, 16});
    Edit2 = namedControl<QLineEdit>(this, "Edit2", QString(), {160, 60, 73, 21});
    Button1 = namedControl<QPushButton>(this, "Button1", QStringLiteral("OK"), {120, 112, 75, 25});
    Button1->setDefault(true);

    connectHandler(Button1, &QPushButton::clicked, this, &TForm11::Button1Click);
    FormCreate();
}

void TForm11::FormCreate() {
    Edit1->setText(nue_->text());
    Edit2->setText(iter_->text());
}

void TForm11::Button1Click() {
    nue_->setText(Edit1->text());
    iter_->setText(Edit2->text());
    accept();
}

}  // namespace kolma
