#include "TForm7.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "CatalogueFile.h"
#include "CatalogueWindow.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Handler.h"

namespace kolma {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Stützwerte Pumpenkennlinien"));
    resize(503, 339);  // client area of the 511 x 366 window
    buildControls();
    FormCreate();
    connectHandlers();
}

void TForm7::buildControls() {
    addCaption(this, QStringLiteral("Firma"), 8, 8);
    addCaption(this, QStringLiteral("Typ"), 144, 8);
    addCaption(this, QStringLiteral("Q [l/s]"), 312, 8);
    addCaption(this, QStringLiteral("h [m]"), 408, 8);
    FileListBox1 = namedControl<QListWidget>(this, "FileListBox1", QRect(8, 24, 129, 257));
    ListBox1 = namedControl<QListWidget>(this, "ListBox1", QRect(144, 24, 161, 257));
    ListBox2 = namedControl<QListWidget>(this, "ListBox2", QRect(312, 24, 89, 257));
    ListBox3 = namedControl<QListWidget>(this, "ListBox3", QRect(408, 24, 89, 257));
    Button1 =
        namedControl<QPushButton>(this, "Button1", QStringLiteral("OK"), QRect(144, 296, 97, 33));
    Button2 = namedControl<QPushButton>(this, "Button2", QStringLiteral("Abbrechen"),
                                        QRect(264, 296, 97, 33));
    for (QListWidget* list : {FileListBox1, ListBox1, ListBox2, ListBox3})
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    fillFileList(FileListBox1, QStringLiteral("*.DTB"));
}

void TForm7::connectHandlers() {
    connectHandler(FileListBox1, &QListWidget::currentRowChanged, this,
                   &TForm7::FileListBox1Change);
    connectHandler(ListBox1, &QListWidget::currentRowChanged, this, &TForm7::ListBox1Click);
    connectHandler(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
}

bool TForm7::readSelectedFile(bool listTypes, int pointsOf) {
    const QString fileName = currentText(FileListBox1);
    const auto tokens = catalogueTokensOrReport(this, fileName);
    if (!tokens)
        return false;
    const auto records = pairRecords(*tokens);
    listPairRecords(records, listTypes ? ListBox1 : nullptr, pointsOf, ListBox2, ListBox3);
    // The points are copied into the main window verbatim, so a wrong one is named here, once
    // for each file that is opened.
    if (listTypes) {
        if (const auto invalid = firstInvalidPoint(records))
            reportInvalidNumber(this, fileName, *invalid);
    }
    return true;
}

void TForm7::FormCreate() {
    selectFirst(FileListBox1);
    if (FileListBox1->currentRow() < 0 || !readSelectedFile(true, 0))
        return;
    selectFirst(ListBox1);
}

void TForm7::FileListBox1Change() {
    clearList(ListBox1);
    if (FileListBox1->currentRow() < 0)
        return;
    if (readSelectedFile(true, 0))
        selectFirst(ListBox1);
}

void TForm7::ListBox1Click() {
    const int type = ListBox1->currentRow();
    if (type >= 0)
        readSelectedFile(false, type);
}

void TForm7::Button1Click() {
    accept();
}

void TForm7::Button2Click() {
    reject();
}

void takePumpFromCatalogue(const TForm7& catalogue, const PumpEditLine& line) {
    for (const QListWidgetItem* item : catalogue.ListBox1->selectedItems())
        line.type->setText(item->text());
    for (int k = 0; k < kSupportPoints && k < catalogue.ListBox2->count(); ++k)
        line.Q[k]->setText(catalogue.ListBox2->item(k)->text());
    for (int k = 0; k < kSupportPoints && k < catalogue.ListBox3->count(); ++k)
        line.h[k]->setText(catalogue.ListBox3->item(k)->text());
}

void choosePumpFromCatalogue(const PumpEditLine& line, QWidget* parent) {
    TForm7 catalogue(parent);
    if (dialogs().execModal(catalogue) == QDialog::Accepted)
        takePumpFromCatalogue(catalogue, line);
}

}  // namespace kolma
