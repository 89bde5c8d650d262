#include "NodeOrder.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <queue>

namespace kolma {
namespace {

// Neighbours of every node, each list sorted by ascending degree (then index), as the
// Cuthill-McKee search visits them.
using Adjacency = std::vector<std::vector<int>>;

Adjacency neighbours(const OrderGraph& graph) {
    Adjacency adjacency(graph.nodeCount);
    const auto add = [&adjacency](const Link& link) {
        if (link.a == link.b)
            return;
        adjacency[link.a].push_back(link.b);
        adjacency[link.b].push_back(link.a);
    };
    std::for_each(graph.pipes.begin(), graph.pipes.end(), add);
    std::for_each(graph.pumps.begin(), graph.pumps.end(), add);
    for (auto& list : adjacency) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    const auto byDegree = [&adjacency](int x, int y) {
        return std::make_pair(adjacency[x].size(), x) < std::make_pair(adjacency[y].size(), y);
    };
    for (auto& list : adjacency)
        std::sort(list.begin(), list.end(), byDegree);
    return adjacency;
}

// Breadth-first distance of every node from the start; -1 for nodes out of reach.
std::vector<int> distancesFrom(const Adjacency& adjacency, int start) {
    std::vector<int> distance(adjacency.size(), -1);
    std::queue<int> queue;
    distance[start] = 0;
    queue.push(start);
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop();
        for (int next : adjacency[node])
            if (distance[next] < 0) {
                distance[next] = distance[node] + 1;
                queue.push(next);
            }
    }
    return distance;
}

// A node at the far edge of the start's component (George and Liu's pseudo-peripheral node):
// move to the least connected node of the last level until the depth stops growing.
int farNode(const Adjacency& adjacency, int start) {
    int node = start;
    int depth = -1;
    for (;;) {
        const std::vector<int> distance = distancesFrom(adjacency, node);
        const int maxDistance = *std::max_element(distance.begin(), distance.end());
        if (maxDistance <= depth)
            return node;
        depth = maxDistance;
        int best = -1;
        for (int v = 0; v < static_cast<int>(distance.size()); ++v)
            if (distance[v] == maxDistance &&
                (best < 0 || adjacency[v].size() < adjacency[best].size()))
                best = v;
        node = best;
    }
}

// Cuthill-McKee order: a breadth-first search from each preferred root that is not reached
// yet, then from a far node of every component left over.
std::vector<int> cuthillMcKee(const Adjacency& adjacency, const std::vector<int>& preferredRoots) {
    const int count = static_cast<int>(adjacency.size());
    std::vector<char> visited(count, 0);
    std::vector<int> order;
    order.reserve(count);
    const auto search = [&](int root) {
        std::size_t head = order.size();
        visited[root] = 1;
        order.push_back(root);
        for (; head < order.size(); ++head)
            for (int next : adjacency[order[head]])
                if (!visited[next]) {
                    visited[next] = 1;
                    order.push_back(next);
                }
    };
    for (int root : preferredRoots)
        if (!visited[root])
            search(root);
    std::vector<int> byDegree = identityOrder(count);
    std::stable_sort(byDegree.begin(), byDegree.end(),
                     [&](int x, int y) { return adjacency[x].size() < adjacency[y].size(); });
    for (int node : byDegree)
        if (!visited[node])
            search(farNode(adjacency, node));
    return order;
}

// The preferred order changed as little as possible so that every pump's suction node comes
// first: a topological sort of the pump arcs that always takes the ready node placed earliest
// in the preferred order. Empty when the pump arcs form a cycle.
std::optional<std::vector<int>> respectPumps(const OrderGraph& graph,
                                             const std::vector<int>& preferred) {
    const std::vector<int> rank = positionsOf(preferred);
    std::vector<int> waiting(graph.nodeCount, 0);
    std::vector<std::vector<int>> deliveries(graph.nodeCount);
    for (const Link& pump : graph.pumps)
        if (pump.a != pump.b) {
            deliveries[pump.a].push_back(pump.b);
            ++waiting[pump.b];
        }
    const auto later = [&rank](int x, int y) { return rank[x] > rank[y]; };
    std::priority_queue<int, std::vector<int>, decltype(later)> ready(later);
    for (int node = 0; node < graph.nodeCount; ++node)
        if (waiting[node] == 0)
            ready.push(node);
    std::vector<int> order;
    order.reserve(graph.nodeCount);
    while (!ready.empty()) {
        const int node = ready.top();
        ready.pop();
        order.push_back(node);
        for (int delivery : deliveries[node])
            if (--waiting[delivery] == 0)
                ready.push(delivery);
    }
    if (static_cast<int>(order.size()) != graph.nodeCount)
        return std::nullopt;
    return order;
}

std::vector<int> knownHeadsByDegree(const OrderGraph& graph, const Adjacency& adjacency) {
    std::vector<int> roots = graph.knownHeadNodes;
    std::stable_sort(roots.begin(), roots.end(),
                     [&](int x, int y) { return adjacency[x].size() < adjacency[y].size(); });
    return roots;
}

}  // namespace

std::vector<int> identityOrder(int nodeCount) {
    std::vector<int> order(nodeCount);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

std::vector<int> positionsOf(const std::vector<int>& order) {
    std::vector<int> position(order.size());
    for (int k = 0; k < static_cast<int>(order.size()); ++k)
        position[order[k]] = k;
    return position;
}

long long profileSize(const OrderGraph& graph, const std::vector<int>& order) {
    const std::vector<int> position = positionsOf(order);
    // First column of every row; a row without elements holds only its diagonal.
    std::vector<int> start = identityOrder(graph.nodeCount);
    const auto enter = [&](const Link& link) {
        const int row = std::max(position[link.a], position[link.b]);
        const int column = std::min(position[link.a], position[link.b]);
        start[row] = std::min(start[row], column);
    };
    std::for_each(graph.pipes.begin(), graph.pipes.end(), enter);
    std::for_each(graph.pumps.begin(), graph.pumps.end(), enter);
    long long size = 0;
    for (int row = 0; row < graph.nodeCount; ++row)
        size += row - start[row] + 1;
    return size;
}

bool pumpsInOrder(const OrderGraph& graph, const std::vector<int>& order) {
    const std::vector<int> position = positionsOf(order);
    return std::all_of(graph.pumps.begin(), graph.pumps.end(),
                       [&](const Link& pump) { return position[pump.a] <= position[pump.b]; });
}

std::optional<std::vector<int>> goodNodeOrder(const OrderGraph& graph) {
    const std::vector<int> given = identityOrder(graph.nodeCount);
    // The given order comes first so that a table that is already as good stays as it is.
    std::vector<std::vector<int>> candidates;
    if (pumpsInOrder(graph, given))
        candidates.push_back(given);

    const Adjacency adjacency = neighbours(graph);
    for (const std::vector<int>& roots :
         {knownHeadsByDegree(graph, adjacency), std::vector<int>{}}) {
        std::vector<int> forward = cuthillMcKee(adjacency, roots);
        std::vector<int> reverse(forward.rbegin(), forward.rend());
        // Forward first: on a tie the known heads lead, so pipes run away from the supply.
        for (const std::vector<int>* preferred : {&forward, &reverse}) {
            std::optional<std::vector<int>> order = respectPumps(graph, *preferred);
            if (!order)
                return std::nullopt;
            candidates.push_back(std::move(*order));
        }
    }
    std::vector<long long> sizes;
    for (const auto& order : candidates)
        sizes.push_back(profileSize(graph, order));
    const auto best = std::min_element(sizes.begin(), sizes.end()) - sizes.begin();
    return candidates[best];
}

}  // namespace kolma
