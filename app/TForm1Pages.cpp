// The three table pages of the main window: their controls and their handlers.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Controls.h"
#include "Dialogs.h"
#include "Handler.h"
#include "InputFilter.h"
#include "Numbers.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm2.h"

namespace kolma {
namespace {

const QString kBlank = QStringLiteral(" ");
const QString kAddHint = QStringLiteral("Daten der Eingabezeile werden in der Tabelle übernommen");
const QString kRemoveHint =
    QStringLiteral("Werte mit der angegbenen Zeilennummer werden aus der Tabelle entfernt");
const QString kRemoveQuestion = QStringLiteral("Datensatz wirklich löschen?");
const QString kRemoveCaption = QStringLiteral("Zeile entfernen");
const QString kSearchCaption = QStringLiteral("Suche");
const QString kCancelQuestion =
    QStringLiteral("Wirklich abrechen?? Keine Speicherung der neuen Eingaben!");

QLineEdit* makeEdit(QWidget* page, const char* name, const QString& text, InputFilter filter) {
    auto* edit = namedControl<QLineEdit>(page, name, text);
    installInputFilter(edit, filter);
    return edit;
}

QPushButton* makeButton(QWidget* page, const char* name, const QString& caption,
                        const QString& hint = {}) {
    auto* button = namedControl<QPushButton>(page, name, caption);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

// One field of an edit line: caption above, the edit, a unit below.
void addField(QGridLayout* line, int col, const QString& caption, QLineEdit* edit,
              const QString& unit = {}) {
    line->addWidget(new QLabel(caption), 0, col);
    line->addWidget(edit, 1, col);
    if (!unit.isEmpty())
        line->addWidget(new QLabel(unit), 2, col);
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

QWidget* newPage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, caption);
    return page;
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* const* w = widgets.begin();
    for (size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(w[i - 1], w[i]);
}

void setTexts(std::initializer_list<QLineEdit*> edits, const QStringList& texts) {
    int i = 0;
    for (QLineEdit* edit : edits)
        edit->setText(texts.value(i++));
}

}  // namespace

void TForm1::createPipePage() {
    TabSheet1 = newPage(PageControl1, "TabSheet1", QStringLiteral("Rohr"));
    Edit1 = makeEdit(TabSheet1, "Edit1", {}, InputFilter::WholeNumber);
    Edit2 = makeEdit(TabSheet1, "Edit2", kBlank, InputFilter::WholeNumber);
    Edit3 = makeEdit(TabSheet1, "Edit3", kBlank, InputFilter::WholeNumber);
    Edit4 = makeEdit(TabSheet1, "Edit4", kBlank, InputFilter::WholeNumber);
    Edit5 = makeEdit(TabSheet1, "Edit5", kBlank, InputFilter::Decimal);
    Edit6 = makeEdit(TabSheet1, "Edit6", kBlank, InputFilter::Decimal);
    Edit7 = makeEdit(TabSheet1, "Edit7", {}, InputFilter::Decimal);
    Edit12 = makeEdit(TabSheet1, "Edit12", QStringLiteral("0,00"), InputFilter::Decimal);
    // The settings travel with the project; they live here, out of sight.
    nue = namedControl<QLineEdit>(TabSheet1, "nue");
    nue->hide();
    iter = namedControl<QLineEdit>(TabSheet1, "iter");
    iter->hide();

    auto* line = new QGridLayout;
    addField(line, 0, QStringLiteral("Zeile"), Edit1);
    addField(line, 1, QStringLiteral("Strangnr"), Edit2);
    addField(line, 2, QStringLiteral("Knotenanf.nr."), Edit3);
    addField(line, 3, QStringLiteral("Knotenendnr."), Edit4);
    addField(line, 4, QStringLiteral("Länge"), Edit5, QStringLiteral("m"));
    addField(line, 5, QStringLiteral("Durchmesser"), Edit6, QStringLiteral("mm"));
    addField(line, 6, QStringLiteral("ks"), Edit7, QStringLiteral("mm"));
    addField(line, 7, QStringLiteral("Einzelverluste"), Edit12, QStringLiteral("zeta"));

    Hinzu1 = makeButton(TabSheet1, "Hinzu1", QStringLiteral("Hinzufügen"), kAddHint);
    Entfern1 = makeButton(TabSheet1, "Entfern1", QStringLiteral("Entfernen"), kRemoveHint);
    Suche1 = makeButton(TabSheet1, "Suche1", QStringLiteral("Suche Strang"));
    Weiter1 = makeButton(TabSheet1, "Weiter1", QStringLiteral("Weiter"));
    Abbrechen1 = makeButton(TabSheet1, "Abbrechen1", QStringLiteral("Abbrechen"));
    Verluste = makeButton(TabSheet1, "Verluste", QStringLiteral("DB-Verluste"),
                          QStringLiteral("Datenbank mit Verlustbeiwerten"));
    Durchmesser = makeButton(TabSheet1, "Durchmesser", QStringLiteral("DB-Durchm."),
                             QStringLiteral("Innendurchmesser gem. DIN bzw. ANSI"));

    StringGrid1 = new StringGrid(project_.pipes(), TabSheet1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));

    auto* page = new QVBoxLayout(TabSheet1);
    page->addLayout(line);
    page->addLayout(
        buttonRow({Hinzu1, Entfern1, Suche1, Weiter1, Abbrechen1, Verluste, Durchmesser}));
    page->addWidget(StringGrid1, 1);
    chainTabOrder({Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit12, Hinzu1});
}

void TForm1::createPumpPage() {
    TabSheet2 = newPage(PageControl1, "TabSheet2", QStringLiteral("Pumpe"));
    Edit8 = makeEdit(TabSheet2, "Edit8", {}, InputFilter::WholeNumber);
    Edit9 = makeEdit(TabSheet2, "Edit9", kBlank, InputFilter::NoBlank);
    Edit10 = makeEdit(TabSheet2, "Edit10", kBlank, InputFilter::WholeNumber);
    Edit11 = makeEdit(TabSheet2, "Edit11", kBlank, InputFilter::WholeNumber);

    auto* line = new QGridLayout;
    addField(line, 1, QStringLiteral("Zeile"), Edit8);
    addField(line, 2, QStringLiteral("Pumpentyp"), Edit9);
    addField(line, 3, QStringLiteral("Knotenanfnr."), Edit10);
    addField(line, 4, QStringLiteral("Knotenendnr."), Edit11);
    line->addWidget(new QLabel(QStringLiteral("h    [m]")), 3, 0);
    line->addWidget(new QLabel(QStringLiteral("Q   [l/s]")), 4, 0);
    for (int i = 0; i < kSupportPoints; ++i) {
        h[i] = makeEdit(TabSheet2, QByteArray("h" + QByteArray::number(i + 1)).constData(), kBlank,
                        InputFilter::Decimal);
        Q[i] = makeEdit(TabSheet2, QByteArray("Q" + QByteArray::number(i + 1)).constData(), kBlank,
                        InputFilter::Decimal);
        line->addWidget(h[i], 3, i + 1);
        line->addWidget(Q[i], 4, i + 1);
    }

    Hinzu2 = makeButton(TabSheet2, "Hinzu2", QStringLiteral("Hinzufügen"), kAddHint);
    Entfern2 = makeButton(TabSheet2, "Entfern2", QStringLiteral("Entfernen"), kRemoveHint);
    Suche2 = makeButton(TabSheet2, "Suche2", QStringLiteral("Suche Pumpe"));
    Weiter2 = makeButton(TabSheet2, "Weiter2", QStringLiteral("Weiter"));
    Abbrechen2 = makeButton(TabSheet2, "Abbrechen2", QStringLiteral("Abbrechen"));
    Button1 = makeButton(
        TabSheet2, "Button1", QStringLiteral("Kennlinie"),
        QStringLiteral("Zeichnet die Kennlinie zu den in der Eingabemaske eingetragenen Werten"));
    Button2 = makeButton(TabSheet2, "Button2", QStringLiteral("DB Pumpe"),
                         QStringLiteral("Datenbank mit Stützwerten für Pumpenkennlinien"));

    StringGrid2 = new StringGrid(project_.pumps(), TabSheet2);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));

    auto* page = new QVBoxLayout(TabSheet2);
    page->addLayout(line);
    page->addLayout(buttonRow({Hinzu2, Entfern2, Suche2, Weiter2, Abbrechen2, Button1, Button2}));
    page->addWidget(StringGrid2, 1);
    chainTabOrder({Edit8, Edit9, Edit10, Edit11, h[0], h[1], h[2], h[3], h[4], h[5],  h[6],
                   h[7],  Q[0],  Q[1],   Q[2],   Q[3], Q[4], Q[5], Q[6], Q[7], Hinzu2});
}

void TForm1::createNodePage() {
    TabSheet3 = newPage(PageControl1, "TabSheet3", QStringLiteral("Knoten"));
    Zeil3 = makeEdit(TabSheet3, "Zeil3", {}, InputFilter::WholeNumber);
    Knotnum = makeEdit(TabSheet3, "Knotnum", {}, InputFilter::WholeNumber);
    Druck = makeEdit(TabSheet3, "Druck", {}, InputFilter::Decimal);
    Zugabe = makeEdit(TabSheet3, "Zugabe", {}, InputFilter::Decimal);
    Entnahme = makeEdit(TabSheet3, "Entnahme", {}, InputFilter::Decimal);
    GOK = makeEdit(TabSheet3, "GOK", {}, InputFilter::Decimal);
    RS = makeEdit(TabSheet3, "RS", {}, InputFilter::Decimal);

    auto* line = new QGridLayout;
    addField(line, 0, QStringLiteral("Zeile"), Zeil3, QStringLiteral("[-]"));
    addField(line, 1, QStringLiteral("Knotnum"), Knotnum, QStringLiteral("[-]"));
    addField(line, 2, QStringLiteral("bek. Druck"), Druck, QStringLiteral("[mNN]"));
    addField(line, 3, QStringLiteral("Zugabe"), Zugabe, QStringLiteral("[l/s]"));
    addField(line, 4, QStringLiteral("Entnahme"), Entnahme, QStringLiteral("[l/s]"));
    addField(line, 5, QStringLiteral("GOK"), GOK, QStringLiteral("[mNN]"));
    addField(line, 6, QStringLiteral("Rohrsohle"), RS, QStringLiteral("[mNN]"));

    Hinzu3 = makeButton(TabSheet3, "Hinzu3", QStringLiteral("Hinzufügen"), kAddHint);
    Entfern3 = makeButton(TabSheet3, "Entfern3", QStringLiteral("Entfernen"), kRemoveHint);
    knotnum3 = makeButton(TabSheet3, "knotnum3", QStringLiteral("Knotnum akt."));
    Suche3 = makeButton(TabSheet3, "Suche3", QStringLiteral("Suche Knoten"));
    Fertigstellen = makeButton(TabSheet3, "Fertigstellen", QStringLiteral("Fertigstellen"),
                               QStringLiteral("Eingabedaten werden gespeichert"));
    Abbrechen3 = makeButton(TabSheet3, "Abbrechen3", QStringLiteral("Abbrechen"),
                            QStringLiteral("Eingabe beenden "));

    StringGrid3 = new StringGrid(project_.nodes(), TabSheet3);
    StringGrid3->setObjectName(QStringLiteral("StringGrid3"));

    auto* page = new QVBoxLayout(TabSheet3);
    page->addLayout(line);
    page->addLayout(buttonRow({Hinzu3, Entfern3, knotnum3, Suche3, Fertigstellen, Abbrechen3}));
    page->addWidget(StringGrid3, 1);
    chainTabOrder({Zeil3, Knotnum, Druck, Zugabe, Entnahme, GOK, RS, Hinzu3});
}

void TForm1::connectPageHandlers() {
    const std::pair<QPushButton*, void (TForm1::*)()> handlers[] = {
        {Hinzu1, &TForm1::Hinzu1Click},         {Entfern1, &TForm1::Entfern1Click},
        {Suche1, &TForm1::Suche1Click},         {Weiter1, &TForm1::Weiter1Click},
        {Abbrechen1, &TForm1::Abbrechen1Click}, {Hinzu2, &TForm1::Hinzu2Click},
        {Entfern2, &TForm1::Entfern2Click},     {Suche2, &TForm1::Suche2Click},
        {Weiter2, &TForm1::Weiter2Click},       {Abbrechen2, &TForm1::Abbrechen2Click},
        {Hinzu3, &TForm1::Hinzu3Click},         {Entfern3, &TForm1::Entfern3Click},
        {Suche3, &TForm1::Suche3Click},         {knotnum3, &TForm1::knotnum3Click},
        {Abbrechen3, &TForm1::Abbrechen3Click}};
    for (const auto& [button, handler] : handlers)
        connectHandler(button, &QPushButton::clicked, this, handler);
}

void TForm1::showRefusal(const Outcome& outcome) {
    if (outcome)
        errorBox(this, outcome->text, outcome->caption);
}

void TForm1::confirmCancel(const QString& text, const QString& caption) {
    if (questionBox(this, text, caption))
        enterIdle();
}

bool TForm1::runSearchDialog(const QString& label) {
    TForm2 search(this);
    search.Label1->setText(label);
    return dialogs().execModal(search) == QDialog::Accepted;
}

QStringList TForm1::pipeLine() const {
    return {Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text(),
            Edit6->text(), Edit7->text(), Edit12->text()};
}

void TForm1::setPipeLine(const QStringList& values) {
    setTexts({Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit12}, values);
}

PumpBlock TForm1::pumpLine() const {
    PumpBlock pump{Edit9->text(), Edit10->text(), Edit11->text(), {}, {}};
    for (int i = 0; i < kSupportPoints; ++i) {
        pump.h[i] = h[i]->text();
        pump.Q[i] = Q[i]->text();
    }
    return pump;
}

void TForm1::setPumpLine(const PumpBlock& pump) {
    setTexts({Edit9, Edit10, Edit11}, {pump.type, pump.start, pump.end});
    for (int i = 0; i < kSupportPoints; ++i) {
        h[i]->setText(pump.h[i]);
        Q[i]->setText(pump.Q[i]);
    }
}

QStringList TForm1::nodeLine() const {
    return {Knotnum->text(),  Druck->text(), Zugabe->text(),
            Entnahme->text(), GOK->text(),   RS->text()};
}

void TForm1::setNodeLine(const QStringList& values) {
    setTexts({Knotnum, Druck, Zugabe, Entnahme, GOK, RS}, values);
}

void TForm1::Hinzu1Click() {
    const EditStep step = editingStep();
    showRefusal(addPipe(project_.pipes(), Edit1->text(), pipeLine()));
}

void TForm1::Entfern1Click() {
    const EditStep step = editingStep();
    if (!questionBox(this, kRemoveQuestion, kRemoveCaption))
        return;
    const int row = strictInt(Edit1->text());
    if (auto refusal = pipeRowRefusal(project_.pipes(), row))
        return showRefusal(refusal);
    removeRow(project_.pipes(), row);
    setPipeLine(rowValues(project_.pipes(), row, kPipeValues));
}

void TForm1::Suche1Click() {
    if (!runSearchDialog(QLatin1String(kPipeSearchLabel)))
        return;
    if (const int row = findPipe(project_.pipes(), Edit2->text())) {
        const QStringList values = rowValues(project_.pipes(), row, kPipeValues);
        Edit1->setText(project_.pipes().cell(0, row));
        setTexts({Edit3, Edit4, Edit5, Edit6, Edit7, Edit12}, values.mid(1));
        return;
    }
    errorBox(this, QStringLiteral("Kein Strang mit dieser Nummer vorhanden"), kSearchCaption);
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        edit->setText(kBlank);
}

void TForm1::Weiter1Click() {
    PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::Abbrechen1Click() {
    confirmCancel(kCancelQuestion, QStringLiteral("Abbrechen"));
}

void TForm1::Hinzu2Click() {
    const EditStep step = editingStep();
    showRefusal(addPump(project_.pumps(), Edit8->text(), pumpLine()));
}

void TForm1::Entfern2Click() {
    const EditStep step = editingStep();
    if (!questionBox(this, kRemoveQuestion, kRemoveCaption))
        return;
    const int block = strictInt(Edit8->text());
    if (auto refusal = pumpBlockRefusal(project_.pumps(), block))
        return showRefusal(refusal);
    removePump(project_.pumps(), block);
    Edit8->setText(pumpBlockLabel(project_.pumps(), block));
    setPumpLine(pumpBlock(project_.pumps(), block));
}

void TForm1::Suche2Click() {
    if (!runSearchDialog(QLatin1String(kPumpSearchLabel)))
        return;
    if (const int block = findPump(project_.pumps(), Edit9->text())) {
        Edit8->setText(pumpBlockLabel(project_.pumps(), block));
        setPumpLine(pumpBlock(project_.pumps(), block));
        return;
    }
    errorBox(this, QStringLiteral("Keine Pumpe mit dieser Nummer vorhanden"), kSearchCaption);
    Edit8->setText(kBlank);
    PumpBlock blank{kBlank, kBlank, kBlank, {}, {}};
    blank.h.fill(kBlank);
    blank.Q.fill(kBlank);
    setPumpLine(blank);
}

void TForm1::Weiter2Click() {
    PageControl1->setCurrentWidget(TabSheet3);
}

void TForm1::Abbrechen2Click() {
    confirmCancel(kCancelQuestion, QStringLiteral("Abbrechen"));
}

void TForm1::Hinzu3Click() {
    const EditStep step = editingStep();
    showRefusal(addNode(project_.nodes(), Zeil3->text(), nodeLine()));
}

void TForm1::Entfern3Click() {
    const EditStep step = editingStep();
    if (!questionBox(this, kRemoveQuestion, kRemoveCaption))
        return;
    const int row = strictInt(Zeil3->text());
    if (auto refusal = nodeRowRefusal(project_.nodes(), row))
        return showRefusal(refusal);
    removeRow(project_.nodes(), row);
    setNodeLine(rowValues(project_.nodes(), row, kNodeValues));
}

void TForm1::Suche3Click() {
    if (!runSearchDialog(QLatin1String(kNodeSearchLabel)))
        return;
    if (const int row = findNode(project_.nodes(), Knotnum->text())) {
        Zeil3->setText(project_.nodes().cell(0, row));
        setNodeLine(rowValues(project_.nodes(), row, kNodeValues));
        return;
    }
    errorBox(this, QStringLiteral("Kein Knoten mit dieser Nummer vorhanden"), kSearchCaption);
    for (QLineEdit* edit : {Zeil3, Knotnum, Druck, Zugabe, Entnahme, GOK, RS})
        edit->setText(kBlank);
}

void TForm1::knotnum3Click() {
    const EditStep step = editingStep();
    showRefusal(KnotnumAktualisieren(tables()));
}

void TForm1::Abbrechen3Click() {
    confirmCancel(
        QStringLiteral("Wirklich abrechen?? Speicherung der neuen Eingaben nur wenn vorher "
                       "Fertigstellen gedrückt wurde!"),
        QStringLiteral("Beenden"));
}

}  // namespace kolma
