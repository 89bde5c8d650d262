#include "LatestResults.h"

#include <QFileInfo>

#include "GraphData.h"
#include "ProjectFile.h"
#include "TextFile.h"
#include "tarnholm/texts.h"

namespace kolma {
namespace {

const QString kNoResults = QStringLiteral(
    "Es liegen keine Ergebnisse vor: die Graphikeingabedatei \"graphein.dat\" fehlt. Bitte "
    "führen Sie zuerst die Berechnung durch.");
const QString kNoReport = QStringLiteral(
    "Der Bericht \"ausgabe.aus\" der letzten Berechnung kann nicht gelesen werden. Bitte führen "
    "Sie die Berechnung erneut durch.");
const QString kRunFailed = QStringLiteral(
    "Die letzte Berechnung hat keine Ergebnisse geliefert; der Bericht \"ausgabe.aus\" nennt den "
    "Grund. Die Graphikeingabedatei stammt von einer früheren Berechnung.");
const QString kTablesChanged = QStringLiteral(
    "Die Tabellen wurden seit der letzten Berechnung geändert. Bitte führen Sie die Berechnung "
    "erneut durch.");
const QString kPumpsOutdated = QStringLiteral(
    "Die Pumpentabelle des Berichts \"ausgabe.aus\" passt nicht zu den Tabellen. Bitte führen Sie "
    "die Berechnung erneut durch.");

[[noreturn]] void outdated(const QString& why) {
    throw ResultsUnavailable(ResultsUnavailable::Reason::Outdated, why);
}

// Every run starts its part of the report with the input echo's heading and adds the results'
// heading only when it computed the network.
bool lastRunHasResults(const QString& report) {
    return report.lastIndexOf(QString::fromUtf8(tarnholm::text::kResultsTitle)) >
           report.lastIndexOf(QString::fromUtf8(kInputDataTitle));
}

// The run computes "eingabe.dat" as it stands and writes the graph data after it; an
// "eingabe.dat" written later ("Fertigstellen", "Projekt öffnen") has not been computed.
bool computedFromTheNetwork(const Network& network) {
    const QString eingabe = QString::fromLatin1(kEingabeFile);
    const QFileInfo input(eingabe);
    const QFileInfo graph(QString::fromLatin1(kGraphFileName));
    if (!input.exists() || input.lastModified() > graph.lastModified())
        return false;
    try {
        return eingabeMatches(network, readFileBytes(eingabe));
    } catch (const KolmaError&) {
        return false;
    }
}

}  // namespace

bool pumpResultsFit(const Network& network, const std::vector<PumpResult>& pumps) {
    if (pumps.size() != network.pumps.size())
        return false;
    for (std::size_t k = 0; k < pumps.size(); ++k) {
        const PumpRecord& pump = network.pumps[k];
        if (pumps[k].startNode != network.nodes[pump.startNode].number ||
            pumps[k].endNode != network.nodes[pump.endNode].number ||
            pumps[k].type != pump.type.trimmed())
            return false;
    }
    return true;
}

LatestResults latestResults(const Network& network) {
    const std::optional<GraphData> graph = readGraphFile(QString::fromLatin1(kGraphFileName));
    if (!graph)
        throw ResultsUnavailable(ResultsUnavailable::Reason::NoResults, kNoResults);
    QString report;
    try {
        report = readTextFile(QString::fromLatin1(kReportFile));
    } catch (const KolmaError&) {
        outdated(kNoReport);
    }
    if (!lastRunHasResults(report))
        outdated(kRunFailed);
    if (!computedFromTheNetwork(network))
        outdated(kTablesChanged);
    std::optional<Results> results = resultsOf(network, *graph);
    if (!results)
        outdated(graphDataOutdatedText());
    std::vector<PumpResult> pumps = pumpResultsOf(report);
    if (!pumpResultsFit(network, pumps))
        outdated(kPumpsOutdated);
    return {std::move(*results), std::move(pumps)};
}

}  // namespace kolma
