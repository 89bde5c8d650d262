// The main window's export: the latest results as CSV files for spreadsheets, and the network of
// the tables as an EPANET input file. What is written and refused lives in the model; this file
// asks for the file names and tells the user what came of it.
#include <QFile>
#include <QMenu>

#include "Controls.h"
#include "CsvChoice.h"
#include "Dialogs.h"
#include "EpanetExport.h"
#include "Handler.h"
#include "ResultExport.h"
#include "TForm1.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kResultsCaption = QStringLiteral("Ergebnisse exportieren");
const QString kEpanetCaption = QStringLiteral("EPANET-Netz exportieren");

QStringList existing(const ResultFiles& files) {
    QStringList names;
    for (const QString& name : {files.nodes, files.pipes, files.pumps})
        if (QFile::exists(name))
            names << name;
    return names;
}

}  // namespace

void TForm1::createExportItems(QMenu* bearbeiten) {
    ErgebnisseExportieren1 =
        addMenuItem<TForm1>(bearbeiten, this,
                            {"ErgebnisseExportieren1", QStringLiteral("Ergebnisse exportieren"),
                             &TForm1::ErgebnisseExportieren1Click});
    EpanetExportieren1 =
        addMenuItem<TForm1>(bearbeiten, this,
                            {"EpanetExportieren1", QStringLiteral("EPANET-Netz exportieren ..."),
                             &TForm1::EpanetExportieren1Click});
}

// The results are checked before a name is asked for: results that cannot be written need no
// name.
void TForm1::ErgebnisseExportieren1Click() {
    const Network network = networkOf(tables(), project_.settings());
    const ResultTables results = resultTables(network, latestResults(network));
    QString style;
    FileRequest request = saveRequest(
        QStringLiteral("Ergebnisse exportieren: Grundname der CSV-Dateien"), csvFilter(),
        QStringLiteral("csv"), replacedExtension(AktuelleDatei(), QStringLiteral(".csv")));
    request.chosenFilter = &style;
    const auto chosen = dialogs().getSaveFileName(this, request);
    if (!chosen)
        return;
    const ResultFiles files = resultFilesFor(*chosen);
    const QStringList present = existing(files);
    if (!present.isEmpty() &&
        !questionBox(this,
                     QStringLiteral("Diese Dateien gibt es schon:\n%1\n\nÜberschreiben?")
                         .arg(present.join(QLatin1Char('\n'))),
                     kResultsCaption))
        return;
    writeResultFiles(files, results, csvStyleOf(style));
    QString text = QStringLiteral("Die Ergebnisse stehen in:\n%1\n%2\n%3")
                       .arg(files.nodes, files.pipes, files.pumps);
    if (results.boundReached)
        text += QStringLiteral(
            "\n\nDie Berechnung hat die maximale Anzahl der Iterationen erreicht: die Ergebnisse "
            "sind die des letzten Iterationsschritts.");
    dialogs().showMessage(this, {text, kResultsCaption});
}

void TForm1::EpanetExportieren1Click() {
    const EpanetExport exported = epanetExportOf(networkOf(tables(), project_.settings()),
                                                 project_.coordinates(), namePart(AktuelleDatei()));
    const auto chosen = dialogs().getSaveFileName(
        this,
        saveRequest(kEpanetCaption, QStringLiteral("EPANET-Netze|*.inp"), QStringLiteral("inp"),
                    replacedExtension(AktuelleDatei(), QStringLiteral(".inp"))));
    if (!chosen)
        return;
    writeFileAtomically(*chosen, exported.text);
    if (!exported.notes.isEmpty())
        dialogs().showMessage(
            this, {QStringLiteral("Das EPANET-Netz steht in \"%1\". Anders als in den Tabellen:\n")
                           .arg(*chosen) +
                       exported.notes.join(QLatin1Char('\n')),
                   kEpanetCaption});
}

}  // namespace kolma
