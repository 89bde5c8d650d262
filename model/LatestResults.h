// The results of the latest calculation, as far as they are the results of the tables: the graph
// data file holds heads and flows, the report "ausgabe.aus" the pumps' operating points. Results
// of other tables are never handed out, not even when their counts fit: every window that shows
// results (plan, evaluation, export) asks here.
#pragma once

#include <QString>
#include <vector>

#include "KolmaError.h"
#include "Network.h"
#include "ReportPumps.h"
#include "Results.h"

namespace kolma {

// There are no results, or they belong to other tables; the text says which and what to do.
class ResultsUnavailable : public KolmaError {
public:
    enum class Reason { NoResults, Outdated };
    ResultsUnavailable(Reason reason, const QString& message)
        : KolmaError(message), reason(reason) {}
    Reason reason;
};

struct LatestResults {
    Results results;
    std::vector<PumpResult> pumps;  // in pump block order
};

// The latest results for the network, from the files in the current directory. Raises
// ResultsUnavailable, NoResults when there is no graph data file; Outdated when the report is
// missing or its last run computed nothing (the graph data file is an earlier run's), when
// "eingabe.dat" is not the network or was written after the graph data file (the tables changed
// since the run), or when the graph data or the pump table does not fit the network.
LatestResults latestResults(const Network& network);

// Whether the report's pump results are those of the network's pumps: count, node numbers and
// type names.
bool pumpResultsFit(const Network& network, const std::vector<PumpResult>& pumps);

}  // namespace kolma
