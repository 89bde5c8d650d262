#include "TForm9.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Dialogs.h"
#include "GraphData.h"
#include "Handler.h"
#include "InputFilter.h"
#include "NodeSequence.h"
#include "Numbers.h"
#include "StringGrid.h"
#include "TForm3.h"

namespace kolma {

namespace {

template <typename T>
T* control(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = control<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* b = control<QPushButton>(parent, name, geometry);
    b->setText(text);
    return b;
}

void showFailure(QWidget* parent, const kolma::SectionFailure& failure) {
    kolma::errorBox(parent, failure.text, failure.caption);
}

}  // namespace

TForm9::TForm9(const kolma::Tables& tables, QWidget* parent) : QDialog(parent), tables_(tables) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Längsschnitt (Knotenfolge)"));
    resize(391, 450);
    Label1 = label(this, "Label1", QStringLiteral("Bitte geben Sie die Reienfolge der Knoten ein:"),
                   {16, 12, 360, 20});
    Label2 = label(this, "Label2", QStringLiteral("Zeile"), {16, 40, 80, 20});
    Label3 = label(this, "Label3", QStringLiteral("Knotennr."), {112, 40, 80, 20});
    Edit1 = control<QLineEdit>(this, "Edit1", {16, 62, 80, 24});
    Edit1->setText(QStringLiteral("1"));
    Edit2 = control<QLineEdit>(this, "Edit2", {112, 62, 80, 24});
    kolma::installInputFilter(Edit1, kolma::InputFilter::WholeNumber);
    kolma::installInputFilter(Edit2, kolma::InputFilter::WholeNumber);
    Button1 = button(this, "Button1", QStringLiteral("Hinzufügen"), {216, 60, 150, 28});
    Button1->setDefault(true);
    Button2 = button(this, "Button2", QStringLiteral("Entfernen"), {216, 96, 150, 28});
    Button2->setFocusPolicy(Qt::ClickFocus);
    StringGrid1 = new kolma::StringGrid(2, 11, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 100, 180, 330);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Button3 = button(this, "Button3", QStringLiteral("Längsschnitt zeichnen"), {216, 360, 150, 28});
    Button4 = button(this, "Button4", QStringLiteral("Abbrechen"), {216, 400, 150, 28});
    Edit3 = control<QLineEdit>(this, "Edit3", {0, 0, 0, 0});
    Edit3->setText(QStringLiteral("Anzahl der Knoten"));
    Edit3->hide();
    Edit4 = control<QLineEdit>(this, "Edit4", {0, 0, 0, 0});
    Edit4->hide();

    kolma::connectHandler(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    kolma::connectHandler(Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    kolma::connectHandler(Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
    kolma::connectHandler(Button4, &QPushButton::clicked, this, &TForm9::Button4Click);
    FormCreate();
}

void TForm9::FormCreate() {
    kolma::labelSequenceGrid(*StringGrid1);
    if (const auto failure =
            kolma::updateSystemNodeCount(QString::fromLatin1(kolma::kGraphFileName)))
        showFailure(this, *failure);
}

QStringList TForm9::sequence() const {
    return kolma::sequenceEntries(*StringGrid1).mid(0, kolma::integerValue(Edit3->text()));
}

void TForm9::Button1Click() {
    const auto failure = kolma::addSequenceEntry(*StringGrid1, Edit1->text(), Edit2->text(),
                                                 *tables_.nodes, kolma::systemNodeCount());
    if (failure)
        return showFailure(this, *failure);
    Edit1->setText(QString::number(kolma::integerValue(Edit1->text()) + 1));
    Edit2->clear();
}

void TForm9::Button2Click() {
    const int row = kolma::integerValue(Edit1->text());
    // Without a row of the grid there is nothing to remove, and the header must stay.
    if (!kolma::removableRow(*StringGrid1, row))
        return kolma::errorBox(this, QStringLiteral("Ungültiger Eingabewert"),
                               QStringLiteral("Eingabefehler"));
    if (!kolma::questionBox(this, QStringLiteral("Datensatz wirklich löschen?"),
                            QStringLiteral("Zeile entfernen")))
        return;
    Edit2->setText(kolma::removeSequenceEntry(*StringGrid1, row));
}

void TForm9::Button3Click() {
    Edit3->setText(QString::number(kolma::sequenceEntries(*StringGrid1).size()));
    if (const auto incomplete =
            kolma::firstIncompleteNodeCell(*tables_.nodes, kolma::systemNodeCount())) {
        Edit4->setText(*incomplete);
        kolma::errorBox(
            this,
            QStringLiteral("Einträge für Knotnum, RS o. GOK im Tabellenblatt der Knoten "
                           "nicht vollständig"),
            QStringLiteral("Fehler"));
        return reject();
    }
    TForm3 section(tables_, sequence(), this);
    kolma::dialogs().execModal(section);
}

void TForm9::Button4Click() {
    reject();
}

}  // namespace kolma
