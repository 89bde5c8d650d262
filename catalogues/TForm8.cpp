#include "TForm8.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "CatalogueFile.h"
#include "CatalogueWindow.h"
#include "Controls.h"
#include "Handler.h"

namespace kolma {
namespace {

constexpr int kWallRowHeight = 13;
constexpr int kWallListTop = 24;
// Labels beside the first wall thicknesses name their pressure classes.
constexpr int kPressureClassLabels = 6;

// The labels of the first six wall thicknesses for a series code; nothing for a code that
// leaves them as they are.
std::optional<QStringList> pressureClasses(const QString& seriesCode) {
    if (seriesCode == QLatin1String("pehd"))
        return QStringList{QStringLiteral("PN 2,5"), QStringLiteral("PN 3,2"),
                           QStringLiteral("PN 4"),   QStringLiteral("PN 6"),
                           QStringLiteral("PN 10"),  QStringLiteral("PN 16")};
    if (seriesCode == QLatin1String("peld"))
        return QStringList{QStringLiteral("PN 6"),
                           QStringLiteral("PN 10"),
                           QString(),
                           QString(),
                           QString(),
                           QString()};
    if (seriesCode == QLatin1String("null"))
        return QStringList(kPressureClassLabels, QString());
    return std::nullopt;
}

}  // namespace

TForm8::TForm8(QLineEdit* diameterTarget, QWidget* parent)
    : QDialog(parent), diameterTarget_(diameterTarget) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Norm Innendurchmesser"));
    resize(394, 388);  // client area of the 402 x 415 window
    buildControls();
    FormCreate();
    connectHandlers();
}

void TForm8::buildControls() {
    addCaption(this, QStringLiteral("Norm"), 8, 8);
    addCaption(this, QStringLiteral("DN"), 136, 8);
    addCaption(this, QStringLiteral("Wandstärke [mm]"), 264, 8);
    FileListBox1 = namedControl<QListWidget>(this, "FileListBox1", QRect(8, 24, 113, 185));
    ListBox1 = namedControl<QListWidget>(this, "ListBox1", QRect(136, 24, 73, 185));
    ListBox2 = namedControl<QListWidget>(this, "ListBox2", QRect(264, kWallListTop, 113, 185));
    ListBox2->setUniformItemSizes(true);
    ListBox2->setStyleSheet(
        QStringLiteral("QListWidget::item { height: %1px; }").arg(kWallRowHeight));
    QLabel** labels[] = {&Label7, &Label8, &Label9, &Label10, &Label11, &Label12};
    for (int i = 0; i < kPressureClassLabels; ++i) {
        const QByteArray name = "Label" + QByteArray::number(7 + i);
        *labels[i] = namedControl<QLabel>(
            this, name.constData(),
            QRect(216, kWallListTop + 2 + i * kWallRowHeight, 45, kWallRowHeight));
    }
    addCaption(this, QStringLiteral("Außendurchmesser [mm]"), 8, 232);
    Edit1 = namedControl<QLineEdit>(this, "Edit1", QRect(8, 248, 121, 21));
    Edit2 = namedControl<QLineEdit>(this, "Edit2", QRect(136, 248, 121, 21));
    Edit2->hide();
    addCaption(this, QStringLiteral("Innendurchmesser [mm]"), 264, 232);
    Edit3 = namedControl<QLineEdit>(this, "Edit3", QRect(264, 248, 113, 21));
    for (QLineEdit* edit : {Edit1, Edit2, Edit3})
        edit->setReadOnly(true);
    QPalette red = Edit3->palette();
    red.setColor(QPalette::Text, Qt::red);
    Edit3->setPalette(red);
    Button1 = namedControl<QPushButton>(this, "Button1", QStringLiteral("Hinzufügen"),
                                        QRect(72, 320, 105, 33));
    Button2 = namedControl<QPushButton>(this, "Button2", QStringLiteral("Abbrechen"),
                                        QRect(216, 320, 105, 33));
    for (QListWidget* list : {FileListBox1, ListBox1, ListBox2})
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    fillFileList(FileListBox1, QStringLiteral("*.dur"));
}

void TForm8::connectHandlers() {
    connectHandler(FileListBox1, &QListWidget::currentRowChanged, this,
                   &TForm8::FileListBox1Change);
    connectHandler(ListBox1, &QListWidget::currentRowChanged, this, &TForm8::ListBox1Click);
    connectHandler(ListBox2, &QListWidget::currentRowChanged, this, &TForm8::ListBox2Click);
    connectHandler(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
    enableWhileFilled(Button1, Edit3);
}

bool TForm8::readSelectedFile(bool listDns, int wallsOf, QString* lastSeries) {
    const auto tokens = catalogueTokensOrReport(this, currentText(FileListBox1));
    if (!tokens)
        return false;
    const auto records = diameterRecords(*tokens);
    const QSignalBlocker dnBlocker(ListBox1);
    clearList(ListBox2);
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        if (listDns)
            ListBox1->addItem(records[r].dn);
        if (r == wallsOf)
            showRecord(records[r]);
    }
    if (lastSeries && !records.empty())
        *lastSeries = records.back().seriesCode;
    return true;
}

void TForm8::showRecord(const DiameterRecord& record) {
    {
        const QSignalBlocker wallBlocker(ListBox2);
        ListBox2->addItems(record.wallThicknesses);
    }
    if (record.wallThicknesses.isEmpty())
        return;
    Edit1->setText(record.outerDiameter);
    Edit2->setText(record.seriesCode);
    Edit3->setText(innerDiameter(record.wallThicknesses.first()));
}

void TForm8::setPressureClassLabels(const QString& seriesCode) {
    const auto classes = pressureClasses(seriesCode);
    if (!classes)
        return;
    QLabel* labels[] = {Label7, Label8, Label9, Label10, Label11, Label12};
    for (int i = 0; i < kPressureClassLabels; ++i)
        labels[i]->setText(classes->at(i));
}

QString TForm8::innerDiameter(const QString& wallThickness) {
    const QString fileName = currentText(FileListBox1);
    const auto outer = numberOrReport(this, fileName, Edit1->text());
    if (!outer)
        return QString();
    const auto wall = numberOrReport(this, fileName, wallThickness);
    return wall ? innerDiameterText(*outer, *wall) : QString();
}

void TForm8::FormCreate() {
    selectFirst(FileListBox1);
    if (FileListBox1->currentRow() >= 0)
        readSelectedFile(true, 0);
    selectFirst(ListBox1);
    selectFirst(ListBox2);
}

void TForm8::FileListBox1Change() {
    clearList(ListBox1);
    if (FileListBox1->currentRow() < 0)
        return;
    QString lastSeries;
    if (readSelectedFile(true, 0, &lastSeries))
        setPressureClassLabels(lastSeries);
    selectFirst(ListBox1);
    selectFirst(ListBox2);
}

void TForm8::ListBox1Click() {
    const int dn = ListBox1->currentRow();
    if (dn >= 0)
        readSelectedFile(false, dn);
    selectFirst(ListBox2);
}

void TForm8::ListBox2Click() {
    const QListWidgetItem* wall = ListBox2->currentItem();
    if (wall)
        Edit3->setText(innerDiameter(wall->text()));
}

void TForm8::Button1Click() {
    if (diameterTarget_)
        diameterTarget_->setText(Edit3->text());
    accept();
}

void TForm8::Button2Click() {
    reject();
}

}  // namespace kolma
