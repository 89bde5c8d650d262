// EPANET's heads [m] by node ID, from a ".heads.csv" beside a network in the test data (written
// from EPANET through epanet-js by model/tests/data/epanet/reference.mjs), and their range.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>

#include "TextFile.h"

namespace kolma::testing {

struct EpanetHeads {
    std::map<QString, double> byId;
    double range = 0.0;
};

inline EpanetHeads epanetHeads(const QString& csv) {
    EpanetHeads heads;
    double low = 1e300, high = -1e300;
    for (const QString& line : kolma::readTextFile(csv).split('\n')) {
        const QStringList fields = line.split(';');
        if (line.startsWith('#') || fields.size() != 2)
            continue;
        bool ok = false;
        const double head = fields[1].toDouble(&ok);
        if (!ok)
            continue;
        heads.byId[fields[0]] = head;
        low = std::min(low, head);
        high = std::max(high, head);
    }
    heads.range = high - low;
    return heads;
}

}  // namespace kolma::testing
