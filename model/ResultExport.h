// The results of the latest calculation as CSV files for spreadsheets: one file each for the
// nodes, the pipes and the pumps, named after a base name the user chooses. Node and pipe results
// come from the graph data file, pump results from the report's pump table.
#pragma once

#include <QString>
#include <vector>

#include "CsvTable.h"
#include "LatestResults.h"
#include "Network.h"

namespace kolma {

struct ResultTables {
    CsvTable nodes;
    CsvTable pipes;
    CsvTable pumps;
    // The run stopped at its iteration bound: the numbers are those of its last pass.
    bool boundReached = false;
};

// The tables of the latest results of the network.
ResultTables resultTables(const Network& network, const LatestResults& latest);

struct ResultFiles {
    QString nodes;  // "<base>_knoten.csv"
    QString pipes;  // "<base>_rohre.csv"
    QString pumps;  // "<base>_pumpen.csv"
};

// The three files of a chosen name: its extension ".csv", if any, is dropped for the base.
ResultFiles resultFilesFor(const QString& chosen);

// Writes the three files, each completely or not at all.
void writeResultFiles(const ResultFiles& files, const ResultTables& tables, CsvStyle style);

}  // namespace kolma
