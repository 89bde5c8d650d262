// The main window's handler of the fire flow window: it hands the window the network of the
// tables as they are now and, while the plan is open, the nodes selected there; the results
// colour the plan's nodes.
#include "Dialogs.h"
#include "FormLoeschwasser.h"
#include "Loeschwasser.h"
#include "TForm1.h"

namespace kolma {

void TForm1::Loeschwasser1Click() {
    FormLoeschwasser window(fireFlowNetworkOf(networkOf(tables(), project_.settings())), this);
    if (FormLageplan) {
        const std::vector<int> selected = FormLageplan->selectedNodeNumbers();
        window.setKnotenauswahl(QList<int>(selected.begin(), selected.end()));
        connect(&window, &FormLoeschwasser::ergebnisseBerechnet, FormLageplan, [&window, this] {
            FormLageplan->setNodeMarks(fireFlowMarks(window.ergebnisse(), window.network().solver));
        });
    }
    dialogs().execModal(window);
}

}  // namespace kolma
