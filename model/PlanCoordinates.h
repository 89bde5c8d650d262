// Where the nodes of a project lie in its plan (Lageplan), in metres with x to the east and y to
// the north, and the bends of its pipes. They are kept in a side file beside the project file,
// "<name>.lage", so that the project file itself stays as the solver and older programs read it.
// Pipe lengths are never taken from the plan: the tables hold them.
//
// The side file is UTF-8 text with LF, one line per node: node number, x and y, separated by
// blanks or tabs, with decimal points. Lines starting with ";" are comments. Sections:
//   [KNOTEN]       nodes placed by the user or an imported network (also lines before any section)
//   [AUTOMATISCH]  nodes the automatic layout placed; "Layout neu berechnen" may move them again
//   [KNICKPUNKTE]  pipe number, then x and y of each bend from the start to the end node
// A line that cannot be read is left out and named; the lines around it are kept.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace kolma {

struct Network;

// Who changed the places: the user or an import, a change the edit history keeps; or the
// plan's layout of the nodes that had none, which the plan repeats whenever places are missing
// and so is no step of its own.
enum class Placing { Edit, Layout };

// How a node came by its place.
enum class Placement {
    Given,      // by the user (dragged) or by an imported network: the layout keeps it
    Automatic,  // by the automatic layout
};

struct NodePlace {
    QPointF at;  // [m]
    Placement placement = Placement::Given;
    bool operator==(const NodePlace& other) const {
        return at == other.at && placement == other.placement;
    }
};

struct PlanCoordinates {
    std::map<int, NodePlace> nodes;                 // by node number
    std::map<QString, std::vector<QPointF>> bends;  // by pipe number as typed, start to end node
    // Where the places came from, for the plan's status line ("" when nothing was read).
    QString origin;

    bool operator==(const PlanCoordinates& other) const {
        return nodes == other.nodes && bends == other.bends;
    }
};

// The side file of a project file: the same name with the extension ".lage".
QString planFileFor(const QString& projectFile);

// The side file's text for the coordinates.
QByteArray planFileBytes(const PlanCoordinates& coordinates);

struct PlanFileReading {
    PlanCoordinates coordinates;  // everything that could be read
    QStringList problems;         // one text per line left out: "Zeile 4: ..."
};

// Reads the text of a side file; never fails, but names every line it leaves out.
PlanFileReading parsePlanFile(const QString& text);

// The message about a side file with lines left out: which file, which lines (the first few and
// their count), and that the tables are complete.
QString planFileProblemText(const QString& fileName, const QStringList& problems);

// Only the places of nodes and the bends of pipes the network has, as the side file stores them
// with the project: places of nodes removed from the tables are not written again.
PlanCoordinates restrictedTo(const PlanCoordinates& coordinates, const Network& network);

}  // namespace kolma
