// "Knotenreihenfolge optimieren": the node table reordered for a small matrix profile, each row
// keeping all its values; pipes are turned round where their start node now comes after their
// end node, pumps never are.
#pragma once

#include <QString>

#include "Tables.h"

namespace kolma {

struct NodeOrderResult {
    long long profileBefore = 0;  // stored matrix entries with the table's order
    long long profileAfter = 0;   // the same with the new order (= before when unchanged)
    bool changed = false;         // whether a cell of the tables changed
    QString message;              // what the user is told
};

// Reorders the node list and turns pipes round as needed. When a pipe or pump names a node that
// the node list lacks, or no order can put every pump's suction node first, nothing changes and
// the message says why. A node number that is not a whole number raises the general conversion
// error before anything changes.
NodeOrderResult KnotenreihenfolgeOptimieren(const Tables& tables);

}  // namespace kolma
