#include "GraphLayout.h"

#include <gvc.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>
#include <string>
#include <unordered_map>
#include <utility>

namespace kolma {
namespace {

// Pipe length assumed when none is known, so that a network without lengths still comes out in
// plausible metres.
constexpr double kDefaultPipeLength = 100.0;
// Pipes shorter than this fraction of the median are drawn at this length: a few metres of pipe
// in a network of 100 m pipes would otherwise put two nodes on top of each other.
constexpr double kShortestDrawnPipe = 0.2;
// Stress majorization follows the pipe lengths best, but each of its sweeps solves a dense system
// whose cost grows with the square of the node count, and on long branched networks it needs
// many sweeps (a branched network of 1000 nodes took over 5 s). It therefore starts from the
// multilevel layout, which has the right shape already, with its sweeps capped to about
// kStressWork node pairs in all. Above kStressMaxNodes the multilevel layout is only settled.
constexpr double kStressWork = 5e6;
constexpr int kStressMinSweeps = 5;
constexpr int kStressMaxSweeps = 200;
constexpr int kStressMaxNodes = 1200;
// Settling a part looks at the pairs of its nodes up to kSettleReach median pipe lengths apart.
// Its sweeps over them are capped to about kSettleWork pair updates in all, and end early once no
// node moves by more than the tolerance (in median pipe lengths).
constexpr double kSettleReach = 4.0;
constexpr double kSettleWork = 5e7;
constexpr int kSettleMinSweeps = 20;
constexpr int kSettleMaxSweeps = 2000;
constexpr double kSettleTolerance = 1e-3;
// No two nodes closer than this fraction of the median pipe length (at the plan's scale).
constexpr double kMinSeparation = 0.1;
// Free parts are set apart from the rest and from each other by this many median pipe lengths.
constexpr double kPackingGap = 2.0;
constexpr double kPointsPerInch = 72.0;

double distance(const PlanPoint& a, const PlanPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

bool knownLength(double length) {
    return std::isfinite(length) && length > 0;
}

void validate(const LayoutInput& input) {
    if (input.nodeCount < 0) {
        throw std::invalid_argument("Lageplan: Die Knotenzahl darf nicht negativ sein.");
    }
    if (input.fixed.size() != static_cast<std::size_t>(input.nodeCount)) {
        throw std::invalid_argument("Lageplan: Für " + std::to_string(input.nodeCount) +
                                    " Knoten liegen " + std::to_string(input.fixed.size()) +
                                    " Angaben zu festen Koordinaten vor.");
    }
    for (std::size_t i = 0; i < input.links.size(); ++i) {
        const LayoutLink& link = input.links[i];
        if (link.a < 0 || link.a >= input.nodeCount || link.b < 0 || link.b >= input.nodeCount) {
            throw std::invalid_argument("Lageplan: Verbindung " + std::to_string(i + 1) + " (" +
                                        std::to_string(link.a) + " – " + std::to_string(link.b) +
                                        ") führt zu einem Knoten, den es nicht gibt.");
        }
    }
    for (std::size_t i = 0; i < input.fixed.size(); ++i) {
        const auto& p = input.fixed[i];
        if (p && !(std::isfinite(p->x) && std::isfinite(p->y))) {
            throw std::invalid_argument("Lageplan: Die Koordinaten von Knoten " +
                                        std::to_string(i) + " sind keine gültigen Zahlen.");
        }
    }
}

double medianPipeLength(const std::vector<LayoutLink>& links) {
    std::vector<double> lengths;
    for (const LayoutLink& link : links) {
        if (knownLength(link.length) && link.a != link.b) {
            lengths.push_back(link.length);
        }
    }
    return lengths.empty() ? kDefaultPipeLength : median(std::move(lengths));
}

// A link inside one connected part, between local node indices, with its desired length in median
// pipe lengths.
struct PartLink {
    int a = 0;
    int b = 0;
    double length = 1;
};

struct Part {
    std::vector<int> nodes;  // network indices, ascending
    std::vector<PartLink> links;
    std::vector<int> fixed;  // local indices of the fixed nodes, ascending
};

int findRoot(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i) {
        const int up = parent[static_cast<std::size_t>(i)];
        parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(up)];
        i = up;
    }
    return i;
}

// Connected parts in the order of their lowest node; loops of a node to itself are left out.
std::vector<Part> connectedParts(const LayoutInput& input, double medianLength) {
    const auto n = static_cast<std::size_t>(input.nodeCount);
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    for (const LayoutLink& link : input.links) {
        const int ra = findRoot(parent, link.a);
        const int rb = findRoot(parent, link.b);
        if (ra != rb) {
            parent[static_cast<std::size_t>(std::max(ra, rb))] = std::min(ra, rb);
        }
    }
    std::vector<int> partOfRoot(n, -1);
    std::vector<int> partOfNode(n);
    std::vector<int> localIndex(n);
    std::vector<Part> parts;
    for (std::size_t i = 0; i < n; ++i) {
        const auto root = static_cast<std::size_t>(findRoot(parent, static_cast<int>(i)));
        if (partOfRoot[root] < 0) {
            partOfRoot[root] = static_cast<int>(parts.size());
            parts.emplace_back();
        }
        Part& part = parts[static_cast<std::size_t>(partOfRoot[root])];
        partOfNode[i] = partOfRoot[root];
        localIndex[i] = static_cast<int>(part.nodes.size());
        if (input.fixed[i]) {
            part.fixed.push_back(localIndex[i]);
        }
        part.nodes.push_back(static_cast<int>(i));
    }
    for (const LayoutLink& link : input.links) {
        if (link.a == link.b) {
            continue;
        }
        const auto a = static_cast<std::size_t>(link.a);
        const auto b = static_cast<std::size_t>(link.b);
        const double length = knownLength(link.length)
                                  ? std::max(link.length / medianLength, kShortestDrawnPipe)
                                  : 1.0;
        parts[static_cast<std::size_t>(partOfNode[a])].links.push_back(
            {localIndex[a], localIndex[b], length});
    }
    return parts;
}

bool needsGraphviz(const Part& part) {
    return part.nodes.size() >= 2 && part.fixed.size() < part.nodes.size();
}

// The links of a part as neighbour lists: the neighbours of node k are entries [start[k],
// start[k + 1]).
struct Adjacency {
    explicit Adjacency(const Part& part) : start(part.nodes.size() + 1, 0) {
        for (const PartLink& link : part.links) {
            ++start[static_cast<std::size_t>(link.a) + 1];
            ++start[static_cast<std::size_t>(link.b) + 1];
        }
        std::partial_sum(start.begin(), start.end(), start.begin());
        neighbours.resize(start.back());
        std::vector<std::size_t> fill(start.begin(), start.end() - 1);
        for (const PartLink& link : part.links) {
            neighbours[fill[static_cast<std::size_t>(link.a)]++] = {link.b, link.length};
            neighbours[fill[static_cast<std::size_t>(link.b)]++] = {link.a, link.length};
        }
    }
    std::vector<std::size_t> start;
    std::vector<std::pair<int, double>> neighbours;  // node, length
};

// Shortest pipe paths (in median pipe lengths) from the sources, up to the limit; with several
// sources, the distance to the nearest and which one it is. Nodes beyond the limit stay at
// infinity.
struct PathSearch {
    std::vector<double> distance;
    std::vector<int> source;

    PathSearch(const Adjacency& graph, const std::vector<int>& sources,
               double limit = std::numeric_limits<double>::infinity())
        : distance(graph.start.size() - 1, std::numeric_limits<double>::infinity()),
          source(graph.start.size() - 1, -1) {
        using Entry = std::pair<double, int>;
        std::vector<Entry> heap;
        for (const int s : sources) {
            distance[static_cast<std::size_t>(s)] = 0;
            source[static_cast<std::size_t>(s)] = s;
            heap.push_back({0.0, s});
        }
        std::make_heap(heap.begin(), heap.end(), std::greater<>());
        while (!heap.empty()) {
            std::pop_heap(heap.begin(), heap.end(), std::greater<>());
            const auto [d, u] = heap.back();
            heap.pop_back();
            const auto uu = static_cast<std::size_t>(u);
            if (d > distance[uu]) {
                continue;
            }
            for (std::size_t e = graph.start[uu]; e < graph.start[uu + 1]; ++e) {
                const auto [v, length] = graph.neighbours[e];
                const auto vv = static_cast<std::size_t>(v);
                if (d + length < distance[vv] && d + length <= limit) {
                    distance[vv] = d + length;
                    source[vv] = source[uu];
                    heap.push_back({d + length, v});
                    std::push_heap(heap.begin(), heap.end(), std::greater<>());
                }
            }
        }
    }
};

// Plan units per metre of pipe, from neighbouring fixed nodes: the straight distance between them
// over the pipe path that joins them. Only neighbours count (the fixed nodes whose catchments
// touch), because over long distances pipes wind and the straight line is much shorter; and of
// their ratios the straightest ones (the 90th percentile), because winding only ever lowers the
// ratio. With no such pair the plan is taken to be in metres.
double planScale(const std::vector<Part>& parts, const LayoutInput& input, double medianLength) {
    std::vector<double> ratios;
    for (const Part& part : parts) {
        if (part.fixed.size() < 2) {
            continue;
        }
        const PathSearch nearest(Adjacency(part), part.fixed);
        std::map<std::pair<int, int>, double> shortest;
        for (const PartLink& link : part.links) {
            const int sa = nearest.source[static_cast<std::size_t>(link.a)];
            const int sb = nearest.source[static_cast<std::size_t>(link.b)];
            if (sa == sb) {
                continue;
            }
            const double path = nearest.distance[static_cast<std::size_t>(link.a)] + link.length +
                                nearest.distance[static_cast<std::size_t>(link.b)];
            const auto key = std::minmax(sa, sb);
            const auto it = shortest.find(key);
            if (it == shortest.end() || path < it->second) {
                shortest[key] = path;
            }
        }
        for (const auto& [pair, path] : shortest) {
            const auto& a = input.fixed[static_cast<std::size_t>(
                part.nodes[static_cast<std::size_t>(pair.first)])];
            const auto& b = input.fixed[static_cast<std::size_t>(
                part.nodes[static_cast<std::size_t>(pair.second)])];
            const double ratio = distance(*a, *b) / (path * medianLength);
            // Fixed nodes on one spot say nothing about the scale.
            if (std::isfinite(ratio) && ratio > 0) {
                ratios.push_back(ratio);
            }
        }
    }
    if (ratios.empty()) {
        return 1.0;
    }
    const auto straightest = ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() * 9 / 10);
    std::nth_element(ratios.begin(), straightest, ratios.end());
    return *straightest;
}

// --- Graphviz ---

std::mutex graphvizMutex;
std::string* graphvizMessages = nullptr;  // guarded by graphvizMutex

int collectGraphvizMessage(char* text) {
    if (graphvizMessages != nullptr && text != nullptr) {
        graphvizMessages->append(text);
    }
    return 0;
}

char* mutableText(const char* text) {
    return const_cast<char*>(text);
}

// Independent of the locale: the program runs with the user's, in which printf would write "1,5",
// and Graphviz reads numbers in the C format.
std::string numberText(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

enum class Method {
    Multilevel,  // sfdp: fast and keeps the structure, but ignores the pipe lengths
    Stress       // neato, stress majorization: follows the pipe lengths
};

// Everything a series of Graphviz calls needs, held for the whole placement: the lock, Graphviz'
// messages diverted into the exception text, and the context with its plugins.
class GraphvizSession {
public:
    GraphvizSession() : lock_(graphvizMutex) {
        graphvizMessages = &messages_;
        previousHandler_ = agseterrf(collectGraphvizMessage);
        // Warnings (such as the sweep limit being reached) are expected and not shown.
        previousLevel_ = agseterr(AGERR);
        // One context for the whole process, never freed: each context keeps the plugin
        // configuration it read in memory that gvFreeContext does not release, so a context per
        // call would lose a few kilobytes every time.
        static GVC_t* shared = nullptr;
        if (shared == nullptr) {
            shared = gvContext();
        }
        context_ = shared;
        if (context_ == nullptr) {
            restore();
            throw LayoutError("Lageplan: Graphviz lässt sich nicht starten.");
        }
    }

    GraphvizSession(const GraphvizSession&) = delete;
    GraphvizSession& operator=(const GraphvizSession&) = delete;

    ~GraphvizSession() { restore(); }

    // The layout of a part in inches, one inch per median pipe length; start, when given, holds
    // the starting position of every node.
    std::vector<PlanPoint> layout(const Part& part, Method method,
                                  const std::vector<PlanPoint>& start = {}) {
        Graph graph(context_);
        Agraph_t* g = graph.g;
        if (g == nullptr) {
            fail("kein Speicher für den Graphen");
        }
        setGraphAttributes(g, method, part.nodes.size());
        agattr(g, AGNODE, mutableText("shape"), mutableText("point"));
        agattr(g, AGNODE, mutableText("width"), mutableText("0.02"));
        agattr(g, AGNODE, mutableText("label"), mutableText(""));
        Agsym_t* pos = agattr(g, AGNODE, mutableText("pos"), mutableText(""));
        Agsym_t* len = agattr(g, AGEDGE, mutableText("len"), mutableText("1"));

        std::vector<Agnode_t*> nodes(part.nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::string name = std::to_string(i);
            nodes[i] = agnode(g, name.data(), 1);
            if (nodes[i] == nullptr) {
                fail("kein Speicher für die Knoten");
            }
            if (!start.empty()) {
                std::string text = numberText(start[i].x) + ',' + numberText(start[i].y);
                agxset(nodes[i], pos, text.data());
            }
        }
        for (const PartLink& link : part.links) {
            Agedge_t* e = agedge(g, nodes[static_cast<std::size_t>(link.a)],
                                 nodes[static_cast<std::size_t>(link.b)], nullptr, 1);
            if (e == nullptr) {
                fail("kein Speicher für die Verbindungen");
            }
            std::string text = numberText(link.length);
            agxset(e, len, text.data());
        }

        const char* engine = method == Method::Multilevel ? "sfdp" : "neato";
        // Graphviz draws from rand() without seeding it, so each call would continue where the
        // last one stopped and the same network would come out differently every time. This
        // reseeds the process-wide generator; nothing else in the program relies on it.
        std::srand(1);
        if (gvLayout(context_, g, engine) != 0) {
            fail(std::string("Anordnung mit ") + engine + " nicht möglich");
        }
        graph.laidOut = true;
        std::vector<PlanPoint> result(nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            result[i] = {ND_coord(nodes[i]).x / kPointsPerInch,
                         ND_coord(nodes[i]).y / kPointsPerInch};
            if (!std::isfinite(result[i].x) || !std::isfinite(result[i].y)) {
                fail("ungültige Koordinaten berechnet");
            }
        }
        return result;
    }

private:
    struct Graph {
        explicit Graph(GVC_t* context)
            : context(context), g(agopen(mutableText("netz"), Agundirected, nullptr)) {}
        Graph(const Graph&) = delete;
        Graph& operator=(const Graph&) = delete;
        ~Graph() {
            if (g != nullptr) {
                if (laidOut) {
                    gvFreeLayout(context, g);
                }
                agclose(g);
            }
        }
        GVC_t* context;
        Agraph_t* g;
        bool laidOut = false;
    };

    static void setGraphAttributes(Agraph_t* g, Method method, std::size_t nodeCount) {
        // A fixed seed: the same network must always give the same plan.
        agattr(g, AGRAPH, mutableText("start"), mutableText("random1"));
        agattr(g, AGRAPH, mutableText("overlap"), mutableText("true"));
        agattr(g, AGRAPH, mutableText("splines"), mutableText("false"));
        if (method == Method::Stress) {
            agattr(g, AGRAPH, mutableText("mode"), mutableText("major"));
            const double pairs = static_cast<double>(nodeCount) * static_cast<double>(nodeCount);
            const auto sweeps = static_cast<int>(std::clamp(
                kStressWork / pairs, double{kStressMinSweeps}, double{kStressMaxSweeps}));
            std::string text = std::to_string(sweeps);
            agattr(g, AGRAPH, mutableText("maxiter"), text.data());
        }
    }

    [[noreturn]] void fail(const std::string& what) {
        std::string text = "Lageplan: Graphviz: " + what + ".";
        std::string details = messages_;
        for (const std::string prefix : {"Error: ", "Warning: "}) {
            for (auto at = details.find(prefix); at != std::string::npos;
                 at = details.find(prefix)) {
                details.erase(at, prefix.size());
            }
        }
        std::replace(details.begin(), details.end(), '\n', ' ');
        while (!details.empty() && details.back() == ' ') {
            details.pop_back();
        }
        if (!details.empty()) {
            text += " (" + details + ")";
        }
        throw LayoutError(text);
    }

    void restore() {
        agseterr(previousLevel_);
        agseterrf(previousHandler_);
        graphvizMessages = nullptr;
    }

    std::lock_guard<std::mutex> lock_;
    std::string messages_;
    agusererrf previousHandler_ = nullptr;
    agerrlevel_t previousLevel_ = AGWARN;
    GVC_t* context_ = nullptr;
};

// sfdp ignores the desired lengths; its drawing is scaled so that the links have the desired
// lengths in the median.
void scaleToLinkLengths(const Part& part, std::vector<PlanPoint>& points) {
    std::vector<double> ratios;
    ratios.reserve(part.links.size());
    for (const PartLink& link : part.links) {
        ratios.push_back(distance(points[static_cast<std::size_t>(link.a)],
                                  points[static_cast<std::size_t>(link.b)]) /
                         link.length);
    }
    const double ratio = median(std::move(ratios));
    if (std::isfinite(ratio) && ratio > 0) {
        for (PlanPoint& p : points) {
            p = {p.x / ratio, p.y / ratio};
        }
    }
}

// The layout of a part by itself, ignoring which of its nodes are fixed, in median pipe lengths.
std::vector<PlanPoint> freeLayout(GraphvizSession& graphviz, const Part& part) {
    std::vector<PlanPoint> points = graphviz.layout(part, Method::Multilevel);
    scaleToLinkLengths(part, points);
    if (part.nodes.size() <= static_cast<std::size_t>(kStressMaxNodes)) {
        points = graphviz.layout(part, Method::Stress, points);
    }
    return points;
}

// --- Fixed nodes ---

PlanPoint centroid(const std::vector<PlanPoint>& points) {
    PlanPoint sum;
    for (const PlanPoint& p : points) {
        sum.x += p.x;
        sum.y += p.y;
    }
    const auto count = static_cast<double>(points.size());
    return {sum.x / count, sum.y / count};
}

// Turns (and if that fits better, mirrors) a free layout about the centre of its fixed nodes,
// scales it by unit and moves that centre onto the centre of their plan points: the least-squares
// fit of the fixed nodes at the plan's scale.
std::vector<PlanPoint> placeOnFixed(const std::vector<PlanPoint>& layout,
                                    const std::vector<int>& fixed,
                                    const std::vector<PlanPoint>& fixedPoints, double unit) {
    std::vector<PlanPoint> fixedLayout;
    for (const int k : fixed) {
        fixedLayout.push_back(layout[static_cast<std::size_t>(k)]);
    }
    const PlanPoint from = centroid(fixedLayout);
    const PlanPoint to = centroid(fixedPoints);
    double bestFit = -1;
    double cosine = 1;
    double sine = 0;
    bool mirror = false;
    for (const bool m : {false, true}) {
        double dot = 0;
        double cross = 0;
        for (std::size_t f = 0; f < fixed.size(); ++f) {
            const double ax = fixedLayout[f].x - from.x;
            const double ay = m ? from.y - fixedLayout[f].y : fixedLayout[f].y - from.y;
            const double bx = fixedPoints[f].x - to.x;
            const double by = fixedPoints[f].y - to.y;
            dot += ax * bx + ay * by;
            cross += ax * by - ay * bx;
        }
        const double fit = std::hypot(dot, cross);
        if (fit > bestFit) {
            bestFit = fit;
            mirror = m;
            cosine = fit > 0 ? dot / fit : 1;
            sine = fit > 0 ? cross / fit : 0;
        }
    }
    std::vector<PlanPoint> points(layout.size());
    for (std::size_t k = 0; k < layout.size(); ++k) {
        const double x = layout[k].x - from.x;
        const double y = mirror ? from.y - layout[k].y : layout[k].y - from.y;
        points[k] = {to.x + unit * (cosine * x - sine * y), to.y + unit * (sine * x + cosine * y)};
    }
    return points;
}

// Lets the free nodes of a part settle, around its fixed ones if it has any: stress
// majorization, the model of neato's default mode, over the pairs of nodes up to kSettleReach
// median pipe lengths apart (and always the nodes' own links), with the fixed nodes held where
// they are. Over longer distances real pipes wind: demanding straight-line distances there pushes
// free nodes away from the fixed ones, and the local pairs are what makes each pipe come out at
// its length, also where the multilevel layout alone ignored the lengths. Graphviz cannot do this
// step: its stress majorization moves pinned nodes, and its spring model, which keeps them, runs
// away on branched networks. The nodes move one at a time to the minimum of their majorizing
// function, so the stress never rises. points are in median pipe lengths.
void settle(const Part& part, std::vector<PlanPoint>& points) {
    const std::size_t n = points.size();
    std::vector<bool> isFixed(n, false);
    for (const int k : part.fixed) {
        isFixed[static_cast<std::size_t>(k)] = true;
    }
    const Adjacency graph(part);
    struct Pair {
        std::size_t node;
        double distance;
        double weight;
    };
    std::vector<std::size_t> freeNodes;
    std::vector<std::size_t> pairStart{0};
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < n; ++i) {
        if (isFixed[i]) {
            continue;
        }
        double reach = kSettleReach;
        for (std::size_t e = graph.start[i]; e < graph.start[i + 1]; ++e) {
            reach = std::max(reach, graph.neighbours[e].second);
        }
        const PathSearch paths(graph, {static_cast<int>(i)}, reach);
        for (std::size_t j = 0; j < n; ++j) {
            const double d = paths.distance[j];
            if (j != i && d <= reach) {
                pairs.push_back({j, d, 1 / (d * d)});
            }
        }
        freeNodes.push_back(i);
        pairStart.push_back(pairs.size());
    }
    const auto sweeps =
        static_cast<int>(std::clamp(kSettleWork / static_cast<double>(pairs.size()),
                                    double{kSettleMinSweeps}, double{kSettleMaxSweeps}));
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        double largestMove = 0;
        for (std::size_t r = 0; r < freeNodes.size(); ++r) {
            const std::size_t i = freeNodes[r];
            const PlanPoint p = points[i];
            double sumWeights = 0;
            double sumX = 0;
            double sumY = 0;
            for (std::size_t k = pairStart[r]; k < pairStart[r + 1]; ++k) {
                const Pair& pair = pairs[k];
                const PlanPoint& q = points[pair.node];
                const double dx = p.x - q.x;
                const double dy = p.y - q.y;
                const double squared = dx * dx + dy * dy;
                // On the same spot there is no direction to push in; the other nodes decide.
                const double stretch = squared > 0 ? pair.distance / std::sqrt(squared) : 0;
                sumWeights += pair.weight;
                sumX += pair.weight * (q.x + stretch * dx);
                sumY += pair.weight * (q.y + stretch * dy);
            }
            points[i] = {sumX / sumWeights, sumY / sumWeights};
            largestMove = std::max(largestMove, distance(points[i], p));
        }
        if (largestMove < kSettleTolerance) {
            break;
        }
    }
}

// The positions of a part with fixed nodes: its free layout at the plan's scale, turned onto the
// fixed nodes and settled around them.
void placeFixedPart(const Part& part, const std::vector<PlanPoint>& layout,
                    const LayoutInput& input, double unit, std::vector<PlanPoint>& result) {
    std::vector<PlanPoint> fixedPoints;
    for (const int k : part.fixed) {
        fixedPoints.push_back(
            *input.fixed[static_cast<std::size_t>(part.nodes[static_cast<std::size_t>(k)])]);
    }
    std::vector<PlanPoint> points = placeOnFixed(layout, part.fixed, fixedPoints, unit);
    // Settled near the origin in median pipe lengths, so that plan coordinates of millions of
    // metres lose no digits.
    const PlanPoint origin = centroid(fixedPoints);
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k] = {(points[k].x - origin.x) / unit, (points[k].y - origin.y) / unit};
    }
    for (std::size_t f = 0; f < part.fixed.size(); ++f) {
        points[static_cast<std::size_t>(part.fixed[f])] = {(fixedPoints[f].x - origin.x) / unit,
                                                           (fixedPoints[f].y - origin.y) / unit};
    }
    settle(part, points);
    for (PlanPoint& p : points) {
        p = {origin.x + p.x * unit, origin.y + p.y * unit};
    }
    for (std::size_t k = 0; k < points.size(); ++k) {
        const auto node = static_cast<std::size_t>(part.nodes[k]);
        if (!input.fixed[node]) {
            result[node] = points[k];
        }
    }
}

// --- Arrangement ---

// A part without fixed nodes, laid out at the plan's scale but not yet placed.
struct FreeShape {
    const Part* part;
    std::vector<PlanPoint> points;
};

// Puts the free parts, largest first, in rows below whatever is placed already and left-aligned
// with it (from the origin when nothing is); each part keeps its shape.
void packFreeParts(std::vector<FreeShape>& shapes, const PlanBox& placed, double gap,
                   std::vector<PlanPoint>& result) {
    std::stable_sort(shapes.begin(), shapes.end(), [](const FreeShape& l, const FreeShape& r) {
        return l.part->nodes.size() > r.part->nodes.size();
    });
    std::vector<PlanBox> boxes(shapes.size());
    double area = 0;
    double widest = 0;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        for (const PlanPoint& p : shapes[i].points) {
            boxes[i].add(p);
        }
        area += (boxes[i].width() + gap) * (boxes[i].height() + gap);
        widest = std::max(widest, boxes[i].width());
    }
    const double rowWidth =
        std::max({std::sqrt(area), widest, placed.empty() ? 0.0 : placed.width()});
    const double left = placed.empty() ? 0.0 : placed.minX;
    double top = placed.empty() ? 0.0 : placed.minY - gap;
    double x = left;
    double rowHeight = 0;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const PlanBox& box = boxes[i];
        if (x > left && x + box.width() > left + rowWidth) {
            top -= rowHeight + gap;
            x = left;
            rowHeight = 0;
        }
        const Part& part = *shapes[i].part;
        for (std::size_t k = 0; k < part.nodes.size(); ++k) {
            const PlanPoint& p = shapes[i].points[k];
            result[static_cast<std::size_t>(part.nodes[k])] = {x + (p.x - box.minX),
                                                               top - (box.maxY - p.y)};
        }
        x += box.width() + gap;
        rowHeight = std::max(rowHeight, box.height());
    }
}

// Moves free nodes that came to lie on another node (in node order, so that the result does not
// vary) to the first free spot on rings around them.
void separateNodes(const LayoutInput& input, double minDistance, std::vector<PlanPoint>& points) {
    using Cell = std::pair<std::int64_t, std::int64_t>;
    struct CellHash {
        std::size_t operator()(const Cell& c) const {
            return std::hash<std::int64_t>()(c.first * 73856093) ^
                   std::hash<std::int64_t>()(c.second * 19349663);
        }
    };
    const auto cellOf = [minDistance](const PlanPoint& p) {
        const auto index = [minDistance](double v) {
            return static_cast<std::int64_t>(std::clamp(std::floor(v / minDistance), -1e15, 1e15));
        };
        return Cell{index(p.x), index(p.y)};
    };
    std::unordered_map<Cell, std::vector<std::size_t>, CellHash> grid;
    const auto crowded = [&](const PlanPoint& p) {
        const Cell c = cellOf(p);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = grid.find({c.first + dx, c.second + dy});
                if (it == grid.end()) {
                    continue;
                }
                for (const std::size_t other : it->second) {
                    if (distance(p, points[other]) < minDistance) {
                        return true;
                    }
                }
            }
        }
        return false;
    };
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (input.fixed[i]) {
            grid[cellOf(points[i])].push_back(i);
        }
    }
    constexpr double kPi = 3.14159265358979323846;
    for (std::size_t i = 0; i < n; ++i) {
        if (input.fixed[i]) {
            continue;
        }
        const PlanPoint wanted = points[i];
        for (int ring = 1; crowded(points[i]); ++ring) {
            const int steps = 6 * ring;
            for (int s = 0; s < steps; ++s) {
                const double angle = 2 * kPi * s / steps;
                points[i] = {wanted.x + ring * minDistance * std::cos(angle),
                             wanted.y + ring * minDistance * std::sin(angle)};
                if (!crowded(points[i])) {
                    break;
                }
            }
        }
        grid[cellOf(points[i])].push_back(i);
    }
}

}  // namespace

std::vector<PlanPoint> layoutNetwork(const LayoutInput& input) {
    validate(input);
    const auto n = static_cast<std::size_t>(input.nodeCount);
    std::vector<PlanPoint> result(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (input.fixed[i]) {
            result[i] = *input.fixed[i];
        }
    }
    const double medianLength = medianPipeLength(input.links);
    const std::vector<Part> parts = connectedParts(input, medianLength);
    const double unit = planScale(parts, input, medianLength) * medianLength;

    std::vector<std::vector<PlanPoint>> layouts(parts.size());
    if (std::any_of(parts.begin(), parts.end(), needsGraphviz)) {
        GraphvizSession graphviz;
        for (std::size_t c = 0; c < parts.size(); ++c) {
            if (needsGraphviz(parts[c])) {
                layouts[c] = freeLayout(graphviz, parts[c]);
            }
        }
    }

    PlanBox placed;
    std::vector<FreeShape> freeShapes;
    for (std::size_t c = 0; c < parts.size(); ++c) {
        const Part& part = parts[c];
        if (part.fixed.empty()) {
            if (needsGraphviz(part)) {
                settle(part, layouts[c]);
            }
            FreeShape shape{&part, layouts[c]};
            shape.points.resize(part.nodes.size());  // an isolated node has no layout
            for (PlanPoint& p : shape.points) {
                p = {p.x * unit, p.y * unit};
            }
            freeShapes.push_back(std::move(shape));
            continue;
        }
        if (needsGraphviz(part)) {
            placeFixedPart(part, layouts[c], input, unit, result);
        }
        for (const int node : part.nodes) {
            placed.add(result[static_cast<std::size_t>(node)]);
        }
    }
    packFreeParts(freeShapes, placed, kPackingGap * unit, result);
    separateNodes(input, kMinSeparation * unit, result);

    for (const PlanPoint& p : result) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            throw LayoutError(
                "Lageplan: Die Koordinaten liegen außerhalb des darstellbaren Bereichs.");
        }
    }
    return result;
}

}  // namespace kolma
