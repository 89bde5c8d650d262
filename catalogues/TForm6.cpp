#include "TForm6.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "CatalogueFile.h"
#include "CatalogueWindow.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Handler.h"
#include "InputFilter.h"
#include "Numbers.h"

namespace kolma {

TForm6::TForm6(QLineEdit* zetaTarget, QWidget* parent) : QDialog(parent), zetaTarget_(zetaTarget) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Verluste"));
    resize(496, 403);  // client area of the 504 x 430 window
    buildControls();
    FormCreate();
    connectHandlers();
}

void TForm6::buildControls() {
    addCaption(this, QStringLiteral("Art"), 16, 8);
    addCaption(this, QStringLiteral("Typ"), 176, 8);
    addCaption(this, QStringLiteral("Durchmesser"), 376, 8);
    FileListBox1 = namedControl<QListWidget>(this, "FileListBox1", QRect(16, 24, 145, 241));
    ListBox1 = namedControl<QListWidget>(this, "ListBox1", QRect(176, 24, 185, 241));
    ListBox2 = namedControl<QListWidget>(this, "ListBox2", QRect(376, 24, 105, 241));
    ListBox3 = namedControl<QListWidget>(this, "ListBox3", QRect(376, 24, 105, 241));
    ListBox3->hide();
    addCaption(this, QStringLiteral("Zeta :"), 16, 288);
    addCaption(this, QStringLiteral("Anzahl :"), 176, 288);
    addCaption(this, QStringLiteral("Zeta gesamt :"), 336, 288);
    Edit1 = namedControl<QLineEdit>(this, "Edit1", QRect(16, 304, 121, 21));
    Edit2 = namedControl<QLineEdit>(this, "Edit2", QStringLiteral("1"), QRect(176, 304, 121, 21));
    Edit3 = namedControl<QLineEdit>(this, "Edit3", QRect(336, 304, 121, 21));
    Button1 = namedControl<QPushButton>(this, "Button1", QStringLiteral("Hinzufügen"),
                                        QRect(96, 352, 121, 33));
    Button2 = namedControl<QPushButton>(this, "Button2", QStringLiteral("Abbrechen"),
                                        QRect(280, 352, 121, 33));
    Edit1->setReadOnly(true);
    Edit3->setReadOnly(true);
    installInputFilter(Edit1, InputFilter::NoneAccepted);
    installInputFilter(Edit3, InputFilter::NoneAccepted);
    installInputFilter(Edit2, InputFilter::WholeNumberBlankToOne);
    for (QListWidget* list : {FileListBox1, ListBox1, ListBox2, ListBox3})
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    fillFileList(FileListBox1, QStringLiteral("*.xta"));
}

void TForm6::connectHandlers() {
    connectHandler(FileListBox1, &QListWidget::currentRowChanged, this,
                   &TForm6::FileListBox1Change);
    connectHandler(ListBox1, &QListWidget::currentRowChanged, this, &TForm6::ListBox1Click);
    connectHandler(ListBox2, &QListWidget::currentRowChanged, this, &TForm6::ListBox2Click);
    connectHandler(Edit2, &QLineEdit::textChanged, this, &TForm6::Edit2Change);
    connectHandler(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    enableWhileFilled(Button1, Edit3);
}

QString TForm6::fileName() const {
    return currentText(FileListBox1);
}

bool TForm6::readSelectedFile(bool listTypes, int pairsOf) {
    const auto tokens = catalogueTokensOrReport(this, fileName());
    if (!tokens)
        return false;
    listPairRecords(pairRecords(*tokens), listTypes ? ListBox1 : nullptr, pairsOf, ListBox2,
                    ListBox3);
    return true;
}

void TForm6::FormCreate() {
    selectFirst(FileListBox1);
    if (FileListBox1->currentRow() < 0 || !readSelectedFile(true, 0))
        return;
    selectFirst(ListBox1);
    selectFirst(ListBox2);
    selectFirst(ListBox3);
    Edit1->setText(currentText(ListBox3));
    // The total at opening is the zeta itself (count 1), shown as read.
    const bool valid = Edit1->text().isEmpty() || numberOrReport(this, fileName(), Edit1->text());
    Edit3->setText(valid ? Edit1->text() : QString());
}

void TForm6::FileListBox1Change() {
    clearList(ListBox1);
    if (FileListBox1->currentRow() < 0)
        return;
    readSelectedFile(true, 0);
    selectFirst(ListBox1);
    showZetaOfCurrentDiameter();
}

void TForm6::ListBox1Click() {
    const int type = ListBox1->currentRow();
    if (type >= 0)
        readSelectedFile(false, type);
    showZetaOfCurrentDiameter();
}

void TForm6::ListBox2Click() {
    selectRow(ListBox3, ListBox2->currentRow());
    Edit1->setText(currentText(ListBox3));
    computeTotalZeta();
}

void TForm6::Edit2Change() {
    computeTotalZeta();
}

void TForm6::showZetaOfCurrentDiameter() {
    selectFirst(ListBox2);
    selectFirst(ListBox3);
    Edit1->setText(currentText(ListBox3));
    computeTotalZeta();
}

void TForm6::computeTotalZeta() {
    int count = 0;
    try {
        count = strictInt(Edit2->text());
    } catch (const KolmaError&) {
        MessageRequest request;
        request.text =
            QStringLiteral("Sie müssen Integer-Werte eingeben. Versuchen Sie es erneut.");
        request.caption = QStringLiteral("Fehler");
        request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
        dialogs().showMessage(this, request);
        return;
    }
    if (Edit1->text().isEmpty()) {
        Edit3->clear();
        return;
    }
    const auto zeta = numberOrReport(this, fileName(), Edit1->text());
    Edit3->setText(zeta ? totalZetaText(count, static_cast<float>(*zeta)) : QString());
}

void TForm6::Button1Click() {
    if (zetaTarget_)
        zetaTarget_->setText(Edit3->text());
    accept();
}

void TForm6::Button2Click() {
    reject();
}

}  // namespace kolma
