// The pump results of a calculation, which only the report "ausgabe.aus" holds: its pump table
// lists per pump the node numbers, the flow, the head difference and the type name, each row
// followed by two warning lines when the operating point lies outside the curve's working range.
#pragma once

#include <QString>
#include <vector>

namespace kolma {

struct PumpResult {
    int startNode = 0;    // node number of the suction side
    int endNode = 0;      // node number of the delivery side
    double flow = 0.0;    // [l/s]; NaN where the report shows no number
    double deltaH = 0.0;  // [m] head of the suction side minus that of the delivery side, as the
                          // report prints it: negative when the pump lifts; NaN likewise
    QString type;         // Pumpentyp
    bool inRange = true;  // false when the report warns about the operating point

    // The head the pump adds [m].
    double lift() const { return -deltaH; }
};

// The rows of the last pump table in the report text, in table order (the order of the pump
// blocks); empty when the report holds no pump table. Numbers are read with decimal points
// whatever the locale.
std::vector<PumpResult> pumpResultsOf(const QString& report);

}  // namespace kolma
