#include "TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "Controls.h"
#include "Dialogs.h"
#include "Handler.h"
#include "HelpWindow.h"
#include "Icons.h"
#include "StringGrid.h"
#include "TAboutBox1.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kUntitledProject = QStringLiteral("Unbenannt.ein");
const QString kUntitledText = QStringLiteral("Unbenannt.aus");

QAction* makeAction(QObject* owner, const char* name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint.isEmpty() ? QString(text).remove(QLatin1Char('&')) : hint);
    return action;
}

// A menu item of its own that runs an action: items and tool buttons are switched on and off
// independently of each other.
QAction* addItemOfAction(QMenu* menu, const char* name, QAction* action,
                         const QString& caption = {}) {
    auto* item = menu->addAction(caption.isEmpty() ? action->text() : caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(action->shortcut());
    item->setToolTip(action->toolTip());
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
    return item;
}

enum class ClipboardCommand { Cut, Copy, Paste };

template <typename Edit>
void runClipboardCommand(Edit& edit, ClipboardCommand command) {
    switch (command) {
        case ClipboardCommand::Cut:
            return edit.cut();
        case ClipboardCommand::Copy:
            return edit.copy();
        case ClipboardCommand::Paste:
            return edit.paste();
    }
}

// The clipboard actions work on whichever edit has the keyboard focus.
void editFocused(ClipboardCommand command) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focus))
        runClipboardCommand(*edit, command);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(focus))
        runClipboardCommand(*text, command);
    else if (auto* grid = dynamic_cast<StringGrid*>(focus)) {
        // A table's cells are removed only by "Entfernen": cutting them does nothing.
        if (command == ClipboardCommand::Copy)
            grid->copyCells();
        else if (command == ClipboardCommand::Paste)
            grid->pasteCells();
    }
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KOLMA"));
    resize(770, 540);

    createActions();
    createMenu();
    createToolBar();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusText_ = new QLabel(StatusBar1);
    StatusBar1->addWidget(statusText_, 1);
    setStatusBar(StatusBar1);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    RichEdit1 = new QPlainTextEdit(client);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(16);
    RichEdit1->setFont(courier);
    QPalette colours = RichEdit1->palette();
    colours.setColor(QPalette::Base, QColor(1, 118, 156));
    colours.setColor(QPalette::Text, QColor(237, 233, 143));
    RichEdit1->setPalette(colours);
    RichEdit1->hide();
    layout->addWidget(RichEdit1);
    editorFile_ = std::make_unique<EditorFile>(*RichEdit1);

    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->hide();
    auto* pageArea = new QVBoxLayout;
    pageArea->setContentsMargins(8, 8, 8, 8);
    pageArea->addWidget(PageControl1);
    layout->addLayout(pageArea);
    setCentralWidget(client);

    createPipePage();
    createPumpPage();
    createNodePage();
    connectPageHandlers();
    connectWindowHandlers();
    mirrorSettings();
    FormCreate();
    createEditing();
}

void TForm1::createActions() {
    DateiNeu =
        makeAction(this, "DateiNeu", QStringLiteral("&Neu"), QStringLiteral("Datei erstellen"));
    DateiOeffnen =
        makeAction(this, "DateiOeffnen", QStringLiteral("Ö&ffnen"), QStringLiteral("Datei öffnen"));
    DateiSpeichern = makeAction(this, "DateiSpeichern", QStringLiteral("Speichern"),
                                QStringLiteral("Datei speichern"));
    DateiSpeichernUnter =
        makeAction(this, "DateiSpeichernUnter", QStringLiteral("Speichern &Unter"),
                   QStringLiteral("Datei speichern unter"));
    DateiBeenden = makeAction(this, "DateiBeenden", QStringLiteral("&Beenden"),
                              QStringLiteral("Anwendung beenden"));
    EditCut1 = makeAction(this, "EditCut1", QStringLiteral("&Ausschneiden"),
                          QStringLiteral("Ausschneiden"));
    EditCut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy1 =
        makeAction(this, "EditCopy1", QStringLiteral("&Kopieren"), QStringLiteral("Kopieren"));
    EditCopy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste1 =
        makeAction(this, "EditPaste1", QStringLiteral("&Einfügen"), QStringLiteral("Einfügen"));
    EditPaste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    ProjektNeu =
        makeAction(this, "ProjektNeu", QStringLiteral("ProjektNeu"), QStringLiteral("Eingabe"));
    Projekt = makeAction(this, "Projekt", QStringLiteral("Projekt"),
                         QStringLiteral("Lesen aus vorh. Projekt"));
    Action4 =
        makeAction(this, "Action4", QStringLiteral("Berechnung"), QStringLiteral("Berechnung"));
    Action6 =
        makeAction(this, "Action6", QStringLiteral("Längsschnitt"), QStringLiteral("Längsschnitt"));
    HilfeInfo = makeAction(this, "HilfeInfo", QStringLiteral("In&fo"), {});
    Hilfe = makeAction(this, "Hilfe", QStringLiteral("Hilfe"), QStringLiteral("Hilfe"));
    Hilfe->setShortcut(QKeySequence::HelpContents);
    addAction(Hilfe);

    connectHandler(DateiNeu, &QAction::triggered, this, &TForm1::Dat);
    connectHandler(DateiOeffnen, &QAction::triggered, this, &TForm1::DateiOeffnenExecute);
    connectHandler(DateiSpeichern, &QAction::triggered, this, &TForm1::DateiSpeichernExecute);
    connectHandler(DateiSpeichernUnter, &QAction::triggered, this,
                   &TForm1::DateiSpeichernUnterExecute);
    connectHandler(DateiBeenden, &QAction::triggered, this, &TForm1::DateiBeendenExecute);
    connectHandler(EditCut1, &QAction::triggered, this, &TForm1::EditCut1Execute);
    connectHandler(EditCopy1, &QAction::triggered, this, &TForm1::EditCopy1Execute);
    connectHandler(EditPaste1, &QAction::triggered, this, &TForm1::EditPaste1Execute);
    connectHandler(ProjektNeu, &QAction::triggered, this, &TForm1::Eingabe1Click);
    connectHandler(HilfeInfo, &QAction::triggered, this, &TForm1::HilfeInfoExecute);
    connectHandler(Hilfe, &QAction::triggered, this, &TForm1::HilfeExecute);
}

void TForm1::createMenu() {
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    Neu1 = addItemOfAction(datei, "Neu1", DateiNeu, QStringLiteral("&Editor öffnen"));
    ffnen1 = addItemOfAction(datei, "ffnen1", DateiOeffnen, QStringLiteral("&Datei editieren"));
    Speichern1 = addItemOfAction(datei, "Speichern1", DateiSpeichern);
    SpeichernUnter1 = addItemOfAction(datei, "SpeichernUnter1", DateiSpeichernUnter);
    datei->addSeparator();
    Beenden1 = addItemOfAction(datei, "Beenden1", DateiBeenden);
    setSaveItemsEnabled(false);

    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    Eingabe1 =
        addItemOfAction(bearbeiten, "Eingabe1", ProjektNeu, QStringLiteral("Projekt anlegen"));
    Eingabe1->setToolTip(QStringLiteral("Neues Projekt"));
    Projekt1 = addItemOfAction(bearbeiten, "Projekt1", Projekt, QStringLiteral("Projekt öffnen"));
    Einstelungen1 = bearbeiten->addAction(QStringLiteral("Einstellungen"));
    Einstelungen1->setObjectName(QStringLiteral("Einstelungen1"));
    Berechnung1 = addItemOfAction(bearbeiten, "Berechnung1", Action4);
    createUndoItems(bearbeiten);
    Ausschneiden1 = addItemOfAction(bearbeiten, "Ausschneiden1", EditCut1);
    Kopieren1 = addItemOfAction(bearbeiten, "Kopieren1", EditCopy1);
    Einfgen1 = addItemOfAction(bearbeiten, "Einfgen1", EditPaste1);
    bearbeiten->addSeparator();
    EpanetImport1 = bearbeiten->addAction(QStringLiteral("EPANET-Netz importieren ..."));
    EpanetImport1->setObjectName(QStringLiteral("EpanetImport1"));
    Knotenreihenfolge1 = bearbeiten->addAction(QStringLiteral("Knotenreihenfolge optimieren"));
    Knotenreihenfolge1->setObjectName(QStringLiteral("Knotenreihenfolge1"));
    createExportItems(bearbeiten);
    createCheckItems(bearbeiten);

    QMenu* graphik = menuBar()->addMenu(QStringLiteral("Graphik"));
    Lngsschnitt1 = addItemOfAction(graphik, "Lngsschnitt1", Action6);
    Loeschwasser1 = addMenuItem<TForm1>(
        graphik, this,
        {"Loeschwasser1", QStringLiteral("Löschwasser ..."), &TForm1::Loeschwasser1Click});
    createPlanItems(graphik);
    createEvaluationItems(graphik);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    hilfe->addSeparator();
    Info1 = addItemOfAction(hilfe, "Info1", HilfeInfo);
}

QToolButton* TForm1::addToolButton(const char* name, QAction* action) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(action->toolTip());
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, action, [action] { action->trigger(); });
    ToolBar1->addWidget(button);
    return button;
}

void TForm1::createToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(29);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolButton1 = addToolButton("ToolButton1", DateiOeffnen);
    ToolButton2 = addToolButton("ToolButton2", DateiNeu);
    ToolButton3 = addToolButton("ToolButton3", DateiSpeichern);
    ToolButton3->setEnabled(false);
    ToolButton4 = addToolButton("ToolButton4", DateiBeenden);
    ToolBar1->addSeparator();
    ToolButton5 = addToolButton("ToolButton5", EditCut1);
    ToolButton7 = addToolButton("ToolButton7", EditCopy1);
    ToolButton8 = addToolButton("ToolButton8", EditPaste1);
    ToolBar1->addSeparator();
    Projekt2 = addToolButton("Projekt2", Projekt);
    ToolButton12 = addToolButton("ToolButton12", ProjektNeu);
    ToolButton12->setToolTip(QStringLiteral("Neues Projekt"));
    ToolBar1->addSeparator();
    ToolButton13 = addToolButton("ToolButton13", Action4);
    ToolButton14 = addToolButton("ToolButton14", Action6);
    createPlanButton();
    ToolBar1->addSeparator();
    ToolButton10 = new QToolButton(ToolBar1);
    ToolButton10->setObjectName(QStringLiteral("ToolButton10"));
    ToolButton10->setToolTip(QStringLiteral("Hilfe"));
    ToolButton10->setAutoRaise(true);
    ToolBar1->addWidget(ToolButton10);
    connectHandler(ToolButton10, &QToolButton::clicked, this, &TForm1::ToolButton10Click);

    const std::pair<QToolButton*, ToolIcon> icons[] = {
        {ToolButton1, ToolIcon::Open},        {ToolButton2, ToolIcon::New},
        {ToolButton3, ToolIcon::Save},        {ToolButton4, ToolIcon::Exit},
        {ToolButton5, ToolIcon::Cut},         {ToolButton7, ToolIcon::Copy},
        {ToolButton8, ToolIcon::Paste},       {Projekt2, ToolIcon::OpenProject},
        {ToolButton12, ToolIcon::NewProject}, {ToolButton13, ToolIcon::Calculate},
        {ToolButton14, ToolIcon::Section},    {ToolButton10, ToolIcon::Help}};
    for (const auto& [button, icon] : icons)
        button->setIcon(toolIcon(*style(), icon));
}

void TForm1::FormCreate() {
    helpFile_ = QCoreApplication::applicationDirPath() + QStringLiteral("/Texteditor.hlp");
    aktuelleDatei_ = kUntitledProject;
    PageControl1->show();
    statusText_->setText(aktuelleDatei_);
    TabellenZuruecksetzen();
    project_.setSettings(defaultSettings());
    showSettings();
}

void TForm1::mirrorSettings() {
    const auto takeEdits = [this] { project_.setSettings({nue->text(), iter->text()}); };
    connect(nue, &QLineEdit::textChanged, this, takeEdits);
    connect(iter, &QLineEdit::textChanged, this, takeEdits);
    connect(&project_, &Project::settingsChanged, this, &TForm1::showSettings);
}

void TForm1::showSettings() {
    const QSignalBlocker quietViscosity(nue);
    const QSignalBlocker quietIterations(iter);
    nue->setText(project_.settings().viscosity);
    iter->setText(project_.settings().iterations);
}

void TForm1::setAktuelleDatei(const QString& name) {
    aktuelleDatei_ = name;
    statusText_->setText(name);
}

QString TForm1::statusLine() const {
    return statusText_->text();
}

void TForm1::TabellenZuruecksetzen() {
    for (StringGrid* grid : {StringGrid1, StringGrid2, StringGrid3})
        grid->clearCellSelection();
    project_.reset();
}

void TForm1::showTablePlace(const CellPlace& place) {
    const std::pair<QWidget*, StringGrid*> pages[] = {
        {TabSheet1, StringGrid1}, {TabSheet2, StringGrid2}, {TabSheet3, StringGrid3}};
    const auto [page, grid] = pages[static_cast<int>(place.table)];
    enterTableInput();
    PageControl1->setCurrentWidget(page);
    // Row 0 and column 0 are shown as headers; a place there shows at the first cell.
    const QModelIndex cell =
        grid->model()->index(std::max(place.row, 1), std::max(place.column, 1));
    grid->setCurrentIndex(cell);
    grid->scrollTo(cell, QAbstractItemView::PositionAtCenter);
}

void TForm1::enterTableInput() {
    RichEdit1->hide();
    PageControl1->show();
}

void TForm1::enterTextEditor() {
    setSaveItemsEnabled(true);
    ToolButton3->setEnabled(true);
    PageControl1->hide();
    RichEdit1->show();
}

void TForm1::enterIdle() {
    PageControl1->hide();
    setFileButtonsEnabled(true);
}

void TForm1::setFileButtonsEnabled(bool enabled) {
    for (QToolButton* button : {ToolButton1, ToolButton2, ToolButton3, ToolButton4})
        button->setEnabled(enabled);
}

void TForm1::setSaveItemsEnabled(bool enabled) {
    Speichern1->setEnabled(enabled);
    SpeichernUnter1->setEnabled(enabled);
}

void TForm1::Dat() {
    enterTextEditor();
    RichEdit1->clear();
    setAktuelleDatei(kUntitledText);
}

void TForm1::DateiOeffnenExecute() {
    FileRequest request;
    request.title = QStringLiteral("Datei öffnen");
    request.filter = QStringLiteral(
        "Ausgabedateien|*.aus|Eingabedateien|*.ein|Datendateien|*.dat|RichText|*.rtf");
    request.defaultExtension = QStringLiteral("aus");
    const auto chosen = dialogs().getOpenFileName(this, request);
    if (!chosen)
        return;
    enterTextEditor();
    const bool split = editorFile_->show(readFileBytes(*chosen));
    setAktuelleDatei(*chosen);
    if (split)
        dialogs().showMessage(this,
                              {EditorFile::splitMessage(), QStringLiteral("Datei editieren")});
}

void TForm1::DateiSpeichernExecute() {
    // An untitled name is never written without asking: it names no file of the user's.
    if (aktuelleDatei_ == kUntitledText || aktuelleDatei_ == kUntitledProject)
        return DateiSpeichernUnterExecute();
    writeEditorText(aktuelleDatei_);
}

void TForm1::DateiSpeichernUnterExecute() {
    const auto chosen = dialogs().getSaveFileName(
        this, saveRequest(QStringLiteral("Speichern unter"), QStringLiteral("Ausgabedateien|*.aus"),
                          QStringLiteral("aus"), aktuelleDatei_));
    if (!chosen)
        return;
    writeEditorText(*chosen);
    setAktuelleDatei(*chosen);
}

void TForm1::writeEditorText(const QString& path) {
    writeFileAtomically(path, editorFile_->bytesToSave());
}

void TForm1::DateiBeendenExecute() {
    close();
}

void TForm1::EditCut1Execute() {
    editFocused(ClipboardCommand::Cut);
}

void TForm1::EditCopy1Execute() {
    editFocused(ClipboardCommand::Copy);
}

void TForm1::EditPaste1Execute() {
    editFocused(ClipboardCommand::Paste);
}

void TForm1::Eingabe1Click() {
    const EditStep step = editingStep();
    setFileButtonsEnabled(false);
    enterTableInput();
    PageControl1->setCurrentWidget(TabSheet1);
    setAktuelleDatei(kUntitledProject);
    TabellenZuruecksetzen();
}

void TForm1::HilfeInfoExecute() {
    if (AboutBox1)
        dialogs().execModal(*AboutBox1);
}

void TForm1::ToolButton10Click() {
    helpFile_ = QStringLiteral("KOLMAHELP.hlp");
    HilfeExecute();
}

void TForm1::HilfeExecute() {
    showHelpFile(this, helpFile_);
}

}  // namespace kolma
