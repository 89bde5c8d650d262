// What KOLMA1 reads back from the report "ausgabe.aus" after a run: the input error the solver
// stopped at, with the table row it concerns.
#pragma once

#include <QString>
#include <optional>

#include "Network.h"

namespace kolma {

struct ReportInputError {
    QString text;                    // what the solver wrote, as it stands in the report
    std::optional<CellPlace> place;  // the table row it concerns; none for the file's header
};

// The solver's part of a report: everything after the banner the program writes.
QString solverPart(const QString& report);

// The input error the solver stopped at, or nothing when it read the input (or did not run).
// Pipes and nodes are written in table order, so a pipe line is its table row, a pump line its
// block and a node line (or a line of the node number list) its node row.
std::optional<ReportInputError> inputErrorOf(const QString& report);

}  // namespace kolma
