// The main window's side of the checks: "Netzprüfung" on the tables; what "Berechnung" asks and
// checks before it runs, so that no one computes other tables than those on the screen unasked;
// what it tells afterwards that the report alone does not show (the table row of an input error,
// why the run reached its bound, water against a check valve); and "Bewertung" of the latest
// results. The checks themselves live in the model; this file wires them to the windows.
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <algorithm>

#include "Berechnung.h"
#include "BoundDiagnosis.h"
#include "Controls.h"
#include "DesignLimitsSettings.h"
#include "Dialogs.h"
#include "FormBewertung.h"
#include "FormNetzpruefung.h"
#include "Handler.h"
#include "LatestResults.h"
#include "NetworkCheck.h"
#include "Projekt.h"
#include "ReportReading.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TableOperations.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kCalculationCaption = QStringLiteral("Berechnung");
const QString kEingabe = QString::fromLatin1(kEingabeFile);

QByteArray eingabeOnDisk() {
    return QFileInfo::exists(kEingabe) ? readFileBytes(kEingabe) : QByteArray();
}

bool tablesEmpty(const Tables& t) {
    return listLength(*t.nodes) == 0 && listLength(*t.pipes) == 0 && pumpListLength(*t.pumps) == 0;
}

// "Rohrtabelle, Zeile 3" or "Pumpentabelle, Pumpe 2".
QString placeText(const CellPlace& place) {
    if (place.table == TableId::Pumps)
        return QStringLiteral("Pumpentabelle, Pumpe %1").arg(pumpBlockOf(place.row));
    return QStringLiteral("%1, Zeile %2").arg(tableName(place.table)).arg(place.row);
}

// The line of the error text the report viewer is scrolled to: its first one with words.
QString firstLineOf(const QString& text) {
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    return QString();
}

}  // namespace

void TForm1::createCheckItems(QMenu* bearbeiten) {
    Netzpruefung1 = addMenuItem<TForm1>(
        bearbeiten, this,
        {"Netzpruefung1", QStringLiteral("Netzprüfung"), &TForm1::Netzpruefung1Click});
}

void TForm1::createEvaluationItems(QMenu* graphik) {
    Bewertung1 = addMenuItem<TForm1>(
        graphik, this, {"Bewertung1", QStringLiteral("Bewertung ..."), &TForm1::Bewertung1Click});
}

void TForm1::Netzpruefung1Click() {
    showFindings(checkNetwork(tables(), project_.settings()), FormNetzpruefung::Purpose::Check);
}

bool TForm1::showFindings(const std::vector<Finding>& findings, FormNetzpruefung::Purpose purpose) {
    FormNetzpruefung window(findings, purpose, this);
    window.showPlace = [this](const CellPlace& place) { showTablePlace(place); };
    window.optimiseNodeOrder = [this] { Knotenreihenfolge1Click(); };
    return dialogs().execModal(window) == QDialog::Accepted;
}

void TForm1::Bewertung1Click() {
    const Network network = networkOf(tables(), project_.settings());
    const LatestResults latest = latestResults(network);
    const CheckValves valves = project_.checkValves();
    FormBewertung window(
        [&](const DesignLimits& limits) { return evaluate(network, latest, limits, valves); },
        loadDesignLimits(), this);
    window.showPlace = [this](const CellPlace& place) { showTablePlace(place); };
    dialogs().execModal(window);
}

void TForm1::Berechnung1Click() {
    const std::optional<CalculationInput> input = calculationInput();
    if (!input)
        return;
    runCalculation(input->bannerName, *RichEdit1, this);
    afterCalculation(input->ofTheTables);
    refreshPlan();
}

// Tables that differ from "eingabe.dat" are what the user sees, but the solver computes the file:
// the user chooses. Empty tables stand for nothing the user could mean instead of the file.
std::optional<TForm1::CalculationInput> TForm1::calculationInput() {
    const QString fileOrigin = eingabeProject_.isEmpty() ? kEingabe : eingabeProject_;
    if (tablesEmpty(tables()))
        return CalculationInput{fileOrigin, false};
    if (eingabeMatches(tables(), project_.settings(), eingabeOnDisk())) {
        if (!calculationAllowedByCheck())
            return std::nullopt;
        return CalculationInput{AktuelleDatei(), true};
    }
    const auto answer = dialogs().showMessage(
        this, {QStringLiteral("Die Tabellen wurden seit dem letzten Fertigstellen geändert. Jetzt "
                              "speichern und berechnen?"),
               kCalculationCaption, BoxIcon::Question,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes});
    if (answer == QMessageBox::No)
        return CalculationInput{fileOrigin, false};
    if (answer != QMessageBox::Yes || !calculationAllowedByCheck() || !finishProject())
        return std::nullopt;
    return CalculationInput{AktuelleDatei(), true};
}

// Warnings the user chose to compute with are not asked about again until others appear: an
// imported network's rough pipes would otherwise stand between every run and its report.
bool TForm1::calculationAllowedByCheck() {
    const std::vector<Finding> findings = checkNetwork(tables(), project_.settings());
    QStringList warnings;
    for (const Finding& finding : findings)
        warnings << finding.what;
    const bool fatal = hasFatal(findings);
    const bool known = std::all_of(warnings.begin(), warnings.end(), [this](const QString& w) {
        return acceptedWarnings_.contains(w);
    });
    if (!fatal && known)
        return true;
    if (!showFindings(findings, FormNetzpruefung::Purpose::BeforeCalculation) || fatal)
        return false;
    acceptedWarnings_ = warnings;
    return true;
}

// The solver's input errors, the iteration bound and check valves are told before the report is
// shown; the row of an input error is selected once the report is closed. Only a run of the
// tables has rows to point at and a network to look into.
void TForm1::afterCalculation(bool ofTheTables) {
    QString report;
    try {
        report = readTextFile(QString::fromLatin1(kReportFile));
    } catch (const KolmaError&) {
        showReport(this);
        return;
    }
    const std::optional<ReportInputError> inputError = inputErrorOf(report);
    if (inputError) {
        QString text = inputError->text;
        if (inputError->place)
            text += ofTheTables
                        ? QStringLiteral("\n\nDas betrifft: %1.").arg(placeText(*inputError->place))
                        : QStringLiteral(
                              "\n\nDas betrifft: %1 der berechneten Datei "
                              "\"%2\"; die Tabellen wurden seitdem geändert.")
                              .arg(placeText(*inputError->place), kEingabe);
        errorBox(this, text, QString::fromUtf8(kInputErrorCaption));
        showReport(this, firstLineOf(inputError->text));
        if (inputError->place && ofTheTables)
            showTablePlace(*inputError->place);
        return;
    }
    if (ofTheTables)
        tellWhatTheReportDoesNotShow();
    showReport(this, QString(),
               ofTheTables ? std::function<void()>([this] { Bewertung1Click(); })
                           : std::function<void()>());
}

void TForm1::tellWhatTheReportDoesNotShow() {
    const Network network = networkOf(tables(), project_.settings());
    Results results;
    try {
        results = latestResults(network).results;
    } catch (const ResultsUnavailable&) {
        return;  // nothing computed to judge
    }
    if (results.boundReached())
        if (const auto diagnosis = diagnoseBound(network))
            dialogs().showMessage(this, {boundDiagnosisText(*diagnosis), kCalculationCaption});
    const std::vector<int> against =
        pipesAgainstCheckValves(network, results, project_.checkValves());
    if (!against.empty())
        dialogs().showMessage(this, {againstCheckValveText(network, against), kCalculationCaption});
}

}  // namespace kolma
