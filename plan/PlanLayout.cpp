#include "PlanLayout.h"

#include <map>
#include <set>

namespace kolma {

int PlanLayoutRequest::freeCount() const {
    int count = 0;
    for (bool f : free)
        if (f)
            ++count;
    return count;
}

PlanLayoutRequest layoutRequest(const PlanData& data, const PlanCoordinates& coordinates,
                                LayoutScope scope) {
    PlanLayoutRequest request;
    std::map<int, int> layoutIndex;  // node number -> layout node
    std::vector<int> ofNode;         // node index -> layout node
    for (const PlanNode& node : data.nodes) {
        const auto [where, added] =
            layoutIndex.insert({node.number, static_cast<int>(request.numbers.size())});
        ofNode.push_back(where->second);
        if (!added)
            continue;
        request.numbers.push_back(node.number);
        const auto place = coordinates.nodes.find(node.number);
        bool fixed = place != coordinates.nodes.end();
        if (scope == LayoutScope::All)
            fixed = false;
        else if (scope == LayoutScope::Automatic && fixed)
            fixed = place->second.placement == Placement::Given;
        request.free.push_back(!fixed);
        request.input.fixed.push_back(
            fixed ? std::optional<PlanPoint>(PlanPoint{place->second.at.x(), place->second.at.y()})
                  : std::nullopt);
    }
    request.input.nodeCount = static_cast<int>(request.numbers.size());
    for (std::size_t i = 0; i < data.links.size(); ++i) {
        const PlanLink& link = data.links[i];
        const int a = ofNode[link.from];
        const int b = ofNode[link.to];
        if (a == b)
            continue;
        double length = 0.0;  // unknown: pumps, pipes without a length
        if (link.kind == PlanElementKind::Pipe)
            length = data.network.pipes[i].length.number;
        request.input.links.push_back({a, b, length});
    }
    return request;
}

PlanCoordinates withLayout(const PlanCoordinates& coordinates, const PlanData& data,
                           const PlanLayoutRequest& request, const std::vector<PlanPoint>& places) {
    PlanCoordinates result = coordinates;
    std::set<int> moved;
    for (std::size_t k = 0; k < request.numbers.size() && k < places.size(); ++k) {
        if (!request.free[k])
            continue;
        result.nodes[request.numbers[k]] = {QPointF(places[k].x, places[k].y),
                                            Placement::Automatic};
        moved.insert(request.numbers[k]);
    }
    for (const PlanLink& link : data.links)
        if (link.kind == PlanElementKind::Pipe &&
            (moved.count(data.nodes[link.from].number) || moved.count(data.nodes[link.to].number)))
            result.bends.erase(link.label);
    return result;
}

}  // namespace kolma
