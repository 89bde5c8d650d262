// A project whose tables are reset as the main window resets them, for tests of the table
// operations, project saving and opening, the import and the calculation run.
#pragma once

#include <QByteArray>
#include <QStringList>

#include "Network.h"
#include "Project.h"
#include "ProjectFile.h"
#include "TableOperations.h"
#include "TextFile.h"

namespace kolma::testing {

struct ProjectTables {
    ProjectTables() { TabellenZuruecksetzen(tables()); }

    Tables tables() { return project.tables(); }

    static void setRow(CellTable& grid, int row, const QStringList& values) {
        for (int c = 0; c < values.size(); ++c)
            grid.setCell(c + 1, row, values[c]);
    }
    void setPump(int block, const QStringList& first, const QStringList& heads,
                 const QStringList& flows) {
        const int r = firstPumpRow(block);
        setRow(pumps, r, first);
        setRow(pumps, r + 1, heads);
        setRow(pumps, r + 2, flows);
    }

    CellTable& table(TableId id) {
        return id == TableId::Pipes ? pipes : id == TableId::Pumps ? pumps : nodes;
    }

    Project project;
    CellTable& pipes = project.pipes();
    CellTable& pumps = project.pumps();
    CellTable& nodes = project.nodes();
};

// A small network as a user types it: node 10 with a known head feeds two pipes in a row; a pump
// lifts from node 30 to node 40, where water is withdrawn.
inline void typeSampleNetwork(ProjectTables& t) {
    t.setRow(t.nodes, 1, {"10", "100,0", " ", " ", "105", "98"});
    t.setRow(t.nodes, 2, {"20", " ", " ", "1,5", "104,5", "97,5"});
    t.setRow(t.nodes, 3, {"30", " ", "", "", "103", "96"});
    t.setRow(t.nodes, 4, {"40", " ", " ", "-2,5", "110", "108"});
    t.setRow(t.pipes, 1, {"1", "10", "20", "120,5", "150", "0,1", "0,00"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "80", "100", "0,1", "1,5"});
    t.setPump(1, {"P1", "30", "40"}, {"30", "28", "25", "20", "12", " ", " ", " "},
              {"0", "2", "4", "6", "8", " ", "", " "});
}

// The sample project of the installation as "Projekt öffnen" puts it into the tables; returns its
// settings.
inline ProjectSettings readExampleProject(ProjectTables& t) {
    ProjectSettings settings = t.project.settings();
    readProjectText(convertSeparators(readFileBytes(QStringLiteral(KOLMA_SOURCE_DIR
                                                                   "/examples/Beispielnetz.ein")),
                                      Conversion::Open),
                    t.tables(), settings);
    return settings;
}

// The sample network as "eingabe.dat" holds it before the conversion.
inline const QByteArray kSampleWithCommas =
    "3\t1,305\t1000\t2\t4\t1\t1\n\n"
    "10\n20\n30\n40\n\n"
    "1\t0\t1\t120,5\t150\t0,1\t0,00\t\n"
    "2\t1\t2\t80\t100\t0,1\t1,5\t\n"
    "\n\n"
    "P1\t2\t3\t5\n"
    "30\t28\t25\t20\t12\t---\t---\t---\t\n"
    "0\t2\t4\t6\t8\t---\t(null)\t---\t\n\n"
    "\n\n"
    "0\t100,0\t---\t---\t105\t98\t\n"
    "1\t---\t---\t1,5\t104,5\t97,5\t\n"
    "2\t---\t---\t---\t103\t96\t\n"
    "3\t---\t---\t-2,5\t110\t108\t\n";

// The same after the conversion to decimal points: every comma of the sample stands between
// digits.
inline const QByteArray kSampleWithPoints = QByteArray(kSampleWithCommas).replace(',', '.');

// The sample network's results as the solver leaves them: heads of the nodes 10, 20, 30, 40;
// flows and velocities of the pipes 1 and 2; the pump lifting 21,50 m outside its curve.
inline const QByteArray kSampleGraphFile =
    "\n1000\n\n12\n\n\n4\n \n    110.000\n    109.500\n    108.700\n    130.200"
    "\n\n2\n \n        4.00          0.23\n        2.50          0.32";
inline const QByteArray kSampleReport =
    "\n------------------------------------------------------------------"
    "\nEingabedaten: "
    "\n------------------------------------------------------------------"
    "\nAnzahl der Knoten: 4"
    "\n\n\n-------------------------------------------------------------------"
    "\nAusgabedaten:"
    "\n-------------------------------------------------------------------\n\n"
    "\n|Pumpennr.|Durchfluss |   delta h |Pumpentyp"
    "\n|   [-]   |   [l/s]   |    [-]    |   [-]"
    "\n|  30-40  |       2.50|     -21.50|  P1"
    "\nBetriebspunkt der Pumpe liegt nicht im Arbeitsbereich."
    "\nStuetzwerte der Pumpenkennlinie pruefen!\n\n";

}  // namespace kolma::testing
