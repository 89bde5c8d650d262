// The main window: the three table pages, the text editor, menus, toolbar and status line.
// Work on the tables lives in TableOperations; this class wires it to the edit lines.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "EditHistory.h"
#include "EditorFile.h"
#include "FormNetzpruefung.h"
#include "Project.h"
#include "PumpEditLine.h"
#include "TFormLageplan.h"
#include "TableOperations.h"
#include "Tables.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

namespace kolma {

class StringGrid;
class TAboutBox1;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    Project& project() { return project_; }
    Tables tables() { return project_.tables(); }
    QString AktuelleDatei() const { return aktuelleDatei_; }
    void setAktuelleDatei(const QString& name);
    // The text the status line shows.
    QString statusLine() const;
    void TabellenZuruecksetzen();
    // The file that help requests show.
    QString helpFile() const { return helpFile_; }

    // The window states. Table input shows the pages; the text editor shows RichEdit1 and
    // enables its save items; idle shows neither and enables the file buttons again.
    void enterTableInput();
    void enterTextEditor();
    void enterIdle();
    // ToolButton1 to ToolButton4 (open, new, save, exit).
    void setFileButtonsEnabled(bool enabled);
    // Speichern1 and SpeichernUnter1.
    void setSaveItemsEnabled(bool enabled);

    // Actions (ActionList1); menu items and tool buttons trigger them.
    QAction* DateiNeu;
    QAction* DateiOeffnen;
    QAction* DateiSpeichern;
    QAction* DateiSpeichernUnter;
    QAction* DateiBeenden;
    QAction* EditCut1;
    QAction* EditCopy1;
    QAction* EditPaste1;
    QAction* ProjektNeu;
    QAction* Projekt;
    QAction* Action4;
    QAction* Action6;
    QAction* HilfeInfo;
    QAction* Hilfe;  // F1: the current help file

    // Menu items (MainMenu1).
    QAction* Neu1;
    QAction* ffnen1;
    QAction* Speichern1;
    QAction* SpeichernUnter1;
    QAction* Beenden1;
    QAction* Eingabe1;
    QAction* Projekt1;
    QAction* Einstelungen1;
    QAction* Berechnung1;
    QAction* Ausschneiden1;
    QAction* Kopieren1;
    QAction* Einfgen1;
    QAction* EpanetImport1;
    QAction* Knotenreihenfolge1;
    QAction* Lngsschnitt1;
    QAction* Info1;

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton7;
    QToolButton* ToolButton8;
    QToolButton* Projekt2;
    QToolButton* ToolButton12;
    QToolButton* ToolButton13;
    QToolButton* ToolButton14;
    QToolButton* ToolButton10;
    QStatusBar* StatusBar1;
    QPlainTextEdit* RichEdit1;
    QTabWidget* PageControl1;
    // The info box created at start-up; "Info" shows it.
    TAboutBox1* AboutBox1 = nullptr;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;

    // Page "Rohr".
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit12;
    QLineEdit* nue;
    QLineEdit* iter;
    QPushButton* Hinzu1;
    QPushButton* Entfern1;
    QPushButton* Suche1;
    QPushButton* Weiter1;
    QPushButton* Abbrechen1;
    QPushButton* Verluste;
    QPushButton* Durchmesser;
    StringGrid* StringGrid1;

    // Page "Pumpe".
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    QLineEdit* h[kSupportPoints];
    QLineEdit* Q[kSupportPoints];
    QPushButton* Hinzu2;
    QPushButton* Entfern2;
    QPushButton* Suche2;
    QPushButton* Weiter2;
    QPushButton* Abbrechen2;
    QPushButton* Button1;
    QPushButton* Button2;
    StringGrid* StringGrid2;

    // Page "Knoten".
    QLineEdit* Zeil3;
    QLineEdit* Knotnum;
    QLineEdit* Druck;
    QLineEdit* Zugabe;
    QLineEdit* Entnahme;
    QLineEdit* GOK;
    QLineEdit* RS;
    QPushButton* Hinzu3;
    QPushButton* Entfern3;
    QPushButton* knotnum3;
    QPushButton* Suche3;
    QPushButton* Fertigstellen;
    QPushButton* Abbrechen3;
    StringGrid* StringGrid3;

    // Handlers of the window and its text editor.
    void FormCreate();
    void Dat();
    void DateiOeffnenExecute();
    void DateiSpeichernExecute();
    void DateiSpeichernUnterExecute();
    void DateiBeendenExecute();
    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void Eingabe1Click();
    void HilfeInfoExecute();
    void ToolButton10Click();
    void HilfeExecute();

    // Handlers of page "Rohr".
    void Hinzu1Click();
    void Entfern1Click();
    void Suche1Click();
    void Weiter1Click();
    void Abbrechen1Click();

    // Handlers of page "Pumpe".
    void Hinzu2Click();
    void Entfern2Click();
    void Suche2Click();
    void Weiter2Click();
    void Abbrechen2Click();

    // Handlers of page "Knoten".
    void Hinzu3Click();
    void Entfern3Click();
    void Suche3Click();
    void knotnum3Click();
    void Abbrechen3Click();

    // Handlers that save, open and compute the project and open the other windows.
    void FertigstellenClick();
    void Projekt2Click();
    void Berechnung1Click();
    void Einstelungen1Click();
    void Lngsschnitt1Click();
    void VerlusteClick();
    void DurchmesserClick();
    void Button1Click();
    void Button2Click();
    void EpanetImport1Click();
    void Knotenreihenfolge1Click();

    // Undo and redo of the tables and settings (TForm1Editing.cpp): menu "Bearbeiten",
    // "Rückgängig" and "Wiederholen".
    QAction* Rueckgaengig1;
    QAction* Wiederholen1;
    void Rueckgaengig1Click();
    void Wiederholen1Click();

    // Fire flow at the nodes (TForm1FireFlow.cpp): menu "Graphik", "Löschwasser ...".
    QAction* Loeschwasser1;
    void Loeschwasser1Click();

    // The plan of the network (TForm1Plan.cpp): menu "Graphik", "Lageplan", and its toolbar
    // button open the plan window, which is not modal. A click on an element there shows its
    // table row; a double click on a table row shows the element in the plan.
    QAction* Lageplan1;
    QToolButton* Lageplan2;
    QPointer<TFormLageplan> FormLageplan;
    void Lageplan1Click();
    void createPlanItems(QMenu* graphik);
    void createPlanButton();
    // Reads the plan again, as after a calculation.
    void refreshPlan();

    // Checks (TForm1Checks.cpp): menu "Bearbeiten", "Netzprüfung" lists what in the tables keeps
    // the network from being computed as meant; menu "Graphik", "Bewertung ..." (also a button
    // of the report viewer) judges the latest results against the design limits.
    QAction* Netzpruefung1;
    QAction* Bewertung1;
    void Netzpruefung1Click();
    void Bewertung1Click();
    void createCheckItems(QMenu* bearbeiten);
    void createEvaluationItems(QMenu* graphik);

    // Shows the table page of a place and selects its cell: the key cell of an element's row.
    void showTablePlace(const CellPlace& place);

    // Export (TForm1Export.cpp): menu "Bearbeiten", "Ergebnisse exportieren" writes the latest
    // results as CSV files of the nodes, pipes and pumps, "EPANET-Netz exportieren ..." the
    // network as an EPANET input file.
    QAction* ErgebnisseExportieren1;
    QAction* EpanetExportieren1;
    void ErgebnisseExportieren1Click();
    void EpanetExportieren1Click();
    void createExportItems(QMenu* bearbeiten);

private:
    void createActions();
    void createMenu();
    void createToolBar();
    void createPipePage();
    void createPumpPage();
    void createNodePage();
    void connectPageHandlers();
    void connectWindowHandlers();
    PumpEditLine pumpEditLine() const;
    QToolButton* addToolButton(const char* name, QAction* action);
    void showRefusal(const Outcome& outcome);
    // Asks the question of a table page's "Abbrechen" and goes idle on Yes.
    void confirmCancel(const QString& text, const QString& caption);
    // Runs the search dialog with the label; true when it closed with OK.
    bool runSearchDialog(const QString& label);
    void writeEditorText(const QString& path);

    QStringList pipeLine() const;
    void setPipeLine(const QStringList& values);
    PumpBlock pumpLine() const;
    void setPumpLine(const PumpBlock& pump);
    QStringList nodeLine() const;
    void setNodeLine(const QStringList& values);

    // Keeps the hidden setting edits and the project's settings the same, whichever changes.
    void mirrorSettings();
    void showSettings();

    // "Fertigstellen" on the tables; true when "eingabe.dat" now holds them.
    bool finishProject();

    // What "Berechnung" computes and under which name the report's banner shows it: the tables,
    // once the user agreed and the network check let them pass, or "eingabe.dat" as it is.
    struct CalculationInput {
        QString bannerName;
        bool ofTheTables = false;
    };
    std::optional<CalculationInput> calculationInput();
    bool calculationAllowedByCheck();
    // Shows the check's findings; true when the user chose to calculate anyway.
    bool showFindings(const std::vector<Finding>& findings, FormNetzpruefung::Purpose purpose);
    void afterCalculation(bool ofTheTables);
    void tellWhatTheReportDoesNotShow();

    Project project_;
    // The project whose tables "eingabe.dat" holds, as far as this program run wrote or copied
    // it; empty when unknown.
    QString eingabeProject_;
    // The warnings of the network check the user last chose to compute with.
    QStringList acceptedWarnings_;
    // Nodes of the last calculated system, as the node sequence dialog last read them from the
    // graph data; kept for the whole program run.
    int systemNodeCount_ = 0;
    QString aktuelleDatei_;
    QString helpFile_;
    QLabel* statusText_;
    std::unique_ptr<EditorFile> editorFile_;  // what RichEdit1 shows of a file

    // Undo, redo and the input tables' paste and copy (TForm1Editing.cpp).
    void createUndoItems(QMenu* bearbeiten);
    void createEditing();
    // One undo step for a handler: what it changes in the tables and settings, and AktuelleDatei.
    EditStep editingStep();
    // Shows the page and cell of an undone or redone step.
    void showEdited(const std::optional<EditHistory::Place>& place);
    EditHistory history_{project_};
};

}  // namespace kolma
