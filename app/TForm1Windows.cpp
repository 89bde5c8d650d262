// The main window's handlers that write, read and compute the project, and those that open the
// other windows. The work itself lives in Projekt, Berechnung and the windows; these only hand
// them the main window's tables, edits and state.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>

#include "Dialogs.h"
#include "EpanetImport.h"
#include "Handler.h"
#include "NodeOrderTables.h"
#include "Projekt.h"
#include "TForm1.h"
#include "TForm11.h"
#include "TForm4.h"
#include "TForm6.h"
#include "TForm7.h"
#include "TForm8.h"
#include "TForm9.h"

namespace kolma {

void TForm1::connectWindowHandlers() {
    connectHandler(Projekt, &QAction::triggered, this, &TForm1::Projekt2Click);
    connectHandler(Action4, &QAction::triggered, this, &TForm1::Berechnung1Click);
    connectHandler(Action6, &QAction::triggered, this, &TForm1::Lngsschnitt1Click);
    connectHandler(Einstelungen1, &QAction::triggered, this, &TForm1::Einstelungen1Click);
    connectHandler(EpanetImport1, &QAction::triggered, this, &TForm1::EpanetImport1Click);
    connectHandler(Knotenreihenfolge1, &QAction::triggered, this, &TForm1::Knotenreihenfolge1Click);
    const std::pair<QPushButton*, void (TForm1::*)()> buttons[] = {
        {Fertigstellen, &TForm1::FertigstellenClick},
        {Verluste, &TForm1::VerlusteClick},
        {Durchmesser, &TForm1::DurchmesserClick},
        {Button1, &TForm1::Button1Click},
        {Button2, &TForm1::Button2Click}};
    for (const auto& [button, handler] : buttons)
        connectHandler(button, &QPushButton::clicked, this, handler);
}

PumpEditLine TForm1::pumpEditLine() const {
    PumpEditLine line;
    line.type = Edit9;
    for (int i = 0; i < kSupportPoints; ++i) {
        line.Q[i] = Q[i];
        line.h[i] = h[i];
    }
    return line;
}

void TForm1::FertigstellenClick() {
    finishProject();
}

bool TForm1::finishProject() {
    QString name = AktuelleDatei();
    const bool written = kolma::Fertigstellen(project_, name, *RichEdit1, this);
    setAktuelleDatei(name);
    if (written)
        eingabeProject_ = name;
    return written;
}

void TForm1::Projekt2Click() {
    RichEdit1->hide();
    PageControl1->setCurrentWidget(TabSheet1);
    const auto chosen = dialogs().getOpenFileName(this, projectOpenRequest());
    if (!chosen)
        return;
    // An opened project starts a history of its own, also when reading it fails half-way; the
    // guard runs after the step has taken in the opening's changes.
    const auto forgetHistory = qScopeGuard([this] { history_.clear(); });
    const EditStep opening = editingStep();
    setFileButtonsEnabled(false);
    setSaveItemsEnabled(false);
    copyProjectToEingabe(*chosen);
    eingabeProject_ = *chosen;
    EingabeUmwandeln(Conversion::Open, QString(), *RichEdit1, this);
    setAktuelleDatei(*chosen);
    PageControl1->show();
    TabellenZuruecksetzen();
    ProjektLesen(project_);
    LagedateiLesen(project_, *chosen, this);
    RueckschlagklappenLesen(project_, *chosen, this);
}

void TForm1::Einstelungen1Click() {
    const EditStep step = editingStep();
    TForm11 dialog(nue, iter, this);
    dialogs().execModal(dialog);
}

void TForm1::Lngsschnitt1Click() {
    TForm9 dialog(tables(), systemNodeCount_, this);
    dialogs().execModal(dialog);
}

void TForm1::VerlusteClick() {
    TForm6 dialog(Edit12, this);
    dialogs().execModal(dialog);
}

void TForm1::DurchmesserClick() {
    TForm8 dialog(Edit6, this);
    dialogs().execModal(dialog);
}

void TForm1::Button1Click() {
    showCharacteristic(pumpEditLine(), this);
}

void TForm1::Button2Click() {
    choosePumpFromCatalogue(pumpEditLine(), this);
}

void TForm1::EpanetImport1Click() {
    const EditStep step = editingStep();
    FileRequest request;
    request.title = QStringLiteral("EPANET-Netz importieren");
    request.filter = QStringLiteral("EPANET-Netze|*.inp");
    const auto file = dialogs().getOpenFileName(this, request);
    if (!file)
        return;
    ProjectSettings settings = project_.settings();
    // A refusal raises an error that the general error handler shows; the tables stay as they were.
    const EpanetImportResult result =
        importEpanetFile(*file, tables(), settings, [this](const QString& question) {
            return questionBox(this, question, QStringLiteral("EPANET-Netz importieren"));
        });
    project_.setSettings(settings);
    project_.setCoordinates(result.coordinates);
    project_.setCheckValves(result.checkValves);
    setFileButtonsEnabled(false);
    enterTableInput();
    PageControl1->setCurrentWidget(TabSheet1);
    setAktuelleDatei(result.projectFile);
    dialogs().showMessage(this, {result.message, QStringLiteral("EPANET-Netz importieren")});
}

void TForm1::Knotenreihenfolge1Click() {
    const EditStep step = editingStep();
    const NodeOrderResult result = KnotenreihenfolgeOptimieren(tables());
    dialogs().showMessage(this, {result.message, QStringLiteral("Knotenreihenfolge optimieren")});
}

}  // namespace kolma
