#include "TForm9.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Controls.h"
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

void showFailure(QWidget* parent, const SectionFailure& failure) {
    errorBox(parent, failure.text, failure.caption);
}

}  // namespace

TForm9::TForm9(const Tables& tables, int& systemNodeCount, QWidget* parent)
    : QDialog(parent), tables_(tables), systemNodeCount_(systemNodeCount) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Längsschnitt (Knotenfolge)"));
    resize(391, 450);
    Label1 = namedControl<QLabel>(this, "Label1",
                                  QStringLiteral("Bitte geben Sie die Reienfolge der Knoten ein:"),
                                  {16, 12, 360, 20});
    Label2 = namedControl<QLabel>(this, "Label2", QStringLiteral("Zeile"), {16, 40, 80, 20});
    Label3 = namedControl<QLabel>(this, "Label3", QStringLiteral("Knotennr."), {112, 40, 80, 20});
    Edit1 = namedControl<QLineEdit>(this, "Edit1", QStringLiteral("1"), {16, 62, 80, 24});
    Edit2 = namedControl<QLineEdit>(this, "Edit2", {112, 62, 80, 24});
    installInputFilter(Edit1, InputFilter::WholeNumber);
    installInputFilter(Edit2, InputFilter::WholeNumber);
    Button1 = namedControl<QPushButton>(this, "Button1", QStringLiteral("Hinzufügen"),
                                        {216, 60, 150, 28});
    Button1->setDefault(true);
    Button2 =
        namedControl<QPushButton>(this, "Button2", QStringLiteral("Entfernen"), {216, 96, 150, 28});
    Button2->setFocusPolicy(Qt::ClickFocus);
    StringGrid1 = new StringGrid(2, 11, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 100, 180, 330);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Button3 = namedControl<QPushButton>(this, "Button3", QStringLiteral("Längsschnitt zeichnen"),
                                        {216, 360, 150, 28});
    Button4 = namedControl<QPushButton>(this, "Button4", QStringLiteral("Abbrechen"),
                                        {216, 400, 150, 28});
    Edit3 = namedControl<QLineEdit>(this, "Edit3", QStringLiteral("Anzahl der Knoten"));
    Edit3->hide();
    Edit4 = namedControl<QLineEdit>(this, "Edit4");
    Edit4->hide();

    connectHandler(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    connectHandler(Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
    connectHandler(Button4, &QPushButton::clicked, this, &TForm9::Button4Click);
    FormCreate();
}

void TForm9::FormCreate() {
    labelSequenceGrid(StringGrid1->table());
    if (const auto failure =
            readSystemNodeCount(QString::fromLatin1(kGraphFileName), systemNodeCount_))
        showFailure(this, *failure);
}

QStringList TForm9::sequence() const {
    return sequenceEntries(StringGrid1->table()).mid(0, integerValue(Edit3->text()));
}

void TForm9::Button1Click() {
    const auto failure = addSequenceEntry(StringGrid1->table(), Edit1->text(), Edit2->text(),
                                          *tables_.nodes, systemNodeCount_);
    if (failure)
        return showFailure(this, *failure);
    Edit1->setText(QString::number(integerValue(Edit1->text()) + 1));
    Edit2->clear();
}

void TForm9::Button2Click() {
    const int row = integerValue(Edit1->text());
    // Without a row of the grid there is nothing to remove, and the header must stay.
    if (!removableRow(StringGrid1->table(), row))
        return errorBox(this, QStringLiteral("Ungültiger Eingabewert"),
                        QStringLiteral("Eingabefehler"));
    if (!questionBox(this, QStringLiteral("Datensatz wirklich löschen?"),
                     QStringLiteral("Zeile entfernen")))
        return;
    Edit2->setText(removeSequenceEntry(StringGrid1->table(), row));
}

void TForm9::Button3Click() {
    Edit3->setText(QString::number(sequenceEntries(StringGrid1->table()).size()));
    if (const auto incomplete = firstIncompleteNodeCell(*tables_.nodes, systemNodeCount_)) {
        Edit4->setText(*incomplete);
        errorBox(this,
                 QStringLiteral("Einträge für Knotnum, RS o. GOK im Tabellenblatt der Knoten "
                                "nicht vollständig"),
                 QStringLiteral("Fehler"));
        return reject();
    }
    TForm3 section(tables_, sequence(), this);
    dialogs().execModal(section);
}

void TForm9::Button4Click() {
    reject();
}

}  // namespace kolma
