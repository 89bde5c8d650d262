// The plan's use of the automatic network layout: which nodes it places and which stay where
// they are, and how the computed places enter the project's coordinates.
#pragma once

#include <vector>

#include "GraphLayout.h"
#include "PlanCoordinates.h"
#include "PlanData.h"

namespace kolma {

enum class LayoutScope {
    Unplaced,   // nodes without a place; every placed node stays
    Automatic,  // every node but those the user or an import placed
    All,        // every node
};

// One layout node per node number (a number listed twice in the node table is one place).
struct PlanLayoutRequest {
    LayoutInput input;
    std::vector<int> numbers;  // node number of each layout node
    std::vector<bool> free;    // the layout places the node
    int freeCount() const;
};

PlanLayoutRequest layoutRequest(const PlanData& data, const PlanCoordinates& coordinates,
                                LayoutScope scope);

// The coordinates with the free nodes at their computed places (placed automatically). Bends of
// pipes with a node that moved are dropped: they belonged to the old places.
PlanCoordinates withLayout(const PlanCoordinates& coordinates, const PlanData& data,
                           const PlanLayoutRequest& request, const std::vector<PlanPoint>& places);

}  // namespace kolma
