// The main window's undo and redo of the tables and settings, and its three grids as input
// tables that take typed cells, pasted blocks and copies. The history and the checks live in the
// model (EditHistory, TableInput); this wires them to the menu and the grids.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "Controls.h"
#include "Handler.h"
#include "StringGrid.h"
#include "TForm1.h"

namespace kolma {

void TForm1::createUndoItems(QMenu* bearbeiten) {
    Rueckgaengig1 = addMenuItem<TForm1>(
        bearbeiten, this,
        {"Rueckgaengig1", QStringLiteral("Rückgängig"), &TForm1::Rueckgaengig1Click});
    Rueckgaengig1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Wiederholen1 = addMenuItem<TForm1>(
        bearbeiten, this,
        {"Wiederholen1", QStringLiteral("Wiederholen"), &TForm1::Wiederholen1Click});
    Wiederholen1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

void TForm1::createEditing() {
    StringGrid1->setTableInput(TableId::Pipes);
    StringGrid2->setTableInput(TableId::Pumps);
    StringGrid3->setTableInput(TableId::Nodes);
    const auto showPossibleSteps = [this] {
        Rueckgaengig1->setEnabled(history_.canUndo());
        Wiederholen1->setEnabled(history_.canRedo());
    };
    connect(&history_, &EditHistory::historyChanged, this, showPossibleSteps);
    connect(&history_, &EditHistory::currentFileRestored, this, &TForm1::setAktuelleDatei);
    // The tables as the program starts with them are nothing to take back.
    history_.clear();
}

EditStep TForm1::editingStep() {
    return EditStep(history_, [this] { return aktuelleDatei_; });
}

void TForm1::Rueckgaengig1Click() {
    showEdited(history_.undo());
}

void TForm1::Wiederholen1Click() {
    showEdited(history_.redo());
}

void TForm1::showEdited(const std::optional<EditHistory::Place>& place) {
    if (!place)
        return;
    const std::pair<const CellTable*, TableId> tables[] = {{&project_.pipes(), TableId::Pipes},
                                                           {&project_.pumps(), TableId::Pumps},
                                                           {&project_.nodes(), TableId::Nodes}};
    for (const auto& [table, id] : tables)
        if (table == place->table)
            showTablePlace({id, place->row, place->col});
}

}  // namespace kolma
