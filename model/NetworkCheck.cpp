#include "NetworkCheck.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "Listing.h"
#include "Numbers.h"
#include "ProjectFile.h"
#include "tarnholm/network.h"
#include "tarnholm/reader.h"

namespace kolma {
namespace {

constexpr int kListedNodes = 10;  // node numbers named in one finding
// The iteration bound the solver can hold.
constexpr int kMaxIterations =
    std::numeric_limits<decltype(tarnholm::Network::maxIterations)>::max();

QString remedyFor(TableProblem::Kind kind) {
    switch (kind) {
        case TableProblem::Kind::Unsaveable:
            return QStringLiteral("Einen Wert ohne Leerzeichen eintragen.");
        case TableProblem::Kind::MissingNode:
            return QStringLiteral(
                "Den Knoten in der Knotentabelle anlegen („Knotnum akt.“) oder die Knotennummer "
                "berichtigen.");
        case TableProblem::Kind::NotWhole:
            return QStringLiteral("Eine ganze Zahl eintragen.");
        case TableProblem::Kind::NotANumber:
            break;
    }
    return QStringLiteral("Eine Zahl mit Dezimalkomma eintragen.");
}

// The parts of the network that elements join, as a union of node indices.
class Parts {
public:
    explicit Parts(int nodes) : parent_(nodes) { std::iota(parent_.begin(), parent_.end(), 0); }
    int root(int node) {
        while (parent_[node] != node)
            node = parent_[node] = parent_[parent_[node]];
        return node;
    }
    void join(int a, int b) { parent_[root(a)] = root(b); }

private:
    std::vector<int> parent_;
};

class Checker {
public:
    Checker(const Tables& tables, const ProjectSettings& settings)
        : net_(readNetwork(tables, settings)) {}

    std::vector<Finding> run() {
        problems();
        lengths();
        settings();
        if (nodesResolved()) {
            order();
            parts();
            deadEnds();
            duplicates();
            pipeValues();
            pumpCurves();
            knownHeads();
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) {
                             return a.severity == Severity::Fatal && b.severity != Severity::Fatal;
                         });
        return std::move(findings_);
    }

private:
    void add(Severity severity, std::optional<CellPlace> place, const QString& what,
             const QString& remedy, bool offersNodeOrder = false) {
        findings_.push_back({severity, place, what, remedy, offersNodeOrder});
    }

    static CellPlace pipeRow(const PipeRecord& pipe) {
        return {TableId::Pipes, pipe.row, kKeyColumn};
    }
    static CellPlace pumpRow(const PumpRecord& pump) {
        return {TableId::Pumps, firstPumpRow(pump.block), kKeyColumn};
    }
    static CellPlace nodeRow(const NodeRecord& node) {
        return {TableId::Nodes, node.row, kKeyColumn};
    }
    QString nodeNumber(int index) const { return net_.nodes[index].numberText; }

    // Every element's nodes are known, so that the network's shape can be looked at.
    bool nodesResolved() const {
        return std::none_of(net_.problems.begin(), net_.problems.end(), [](const TableProblem& p) {
            return p.kind == TableProblem::Kind::MissingNode ||
                   p.kind == TableProblem::Kind::NotWhole;
        });
    }

    // What saving cannot write, and values the solver would read as something else.
    void problems() {
        for (const TableProblem& problem : net_.problems)
            add(Severity::Fatal, problem.place, problem.message, remedyFor(problem.kind));
    }

    // The solver reads a value of at most so many characters (as it sees them, with decimal
    // points) and a pump's designation of at most so many; a longer one stops its run.
    void lengths() {
        const auto tooLong = [](const QString& typed) {
            return convertSeparators(typed.trimmed().toUtf8(), Conversion::Calculation).size() >
                   tarnholm::kMaxTokenLength;
        };
        const auto checkValue = [&](const CellPlace& place, const QString& name,
                                    const QString& typed) {
            if (tooLong(typed))
                add(Severity::Fatal, place,
                    name + QStringLiteral("der Wert '%1' hat mehr als %2 Zeichen.")
                               .arg(typed.trimmed())
                               .arg(tarnholm::kMaxTokenLength),
                    QStringLiteral("Den Wert mit weniger Stellen eintragen."));
        };
        for (const PipeRecord& pipe : net_.pipes)
            for (const Value* v : {&pipe.length, &pipe.diameter, &pipe.roughness, &pipe.zeta})
                checkValue(pipeRow(pipe), QStringLiteral("Strang %1: ").arg(pipe.number.typed),
                           v->typed);
        for (const PumpRecord& pump : net_.pumps) {
            const QString name = QStringLiteral("Pumpe %1: ").arg(pump.type);
            if (pump.type.trimmed().size() > tarnholm::kPumpNameLength)
                add(Severity::Fatal, pumpRow(pump),
                    name + QStringLiteral("die Bezeichnung hat mehr als %1 Zeichen.")
                               .arg(tarnholm::kPumpNameLength),
                    QStringLiteral("Eine kürzere Bezeichnung eintragen."));
            for (int k = 0; k < kSupportPoints; ++k) {
                checkValue(pumpRow(pump), name, pump.heads[k].typed);
                checkValue(pumpRow(pump), name, pump.flows[k].typed);
            }
        }
        for (const NodeRecord& node : net_.nodes)
            for (const Value* v :
                 {&node.knownHead, &node.inflow, &node.withdrawal, &node.ground, &node.invert})
                checkValue(nodeRow(node), QStringLiteral("Knoten %1: ").arg(node.numberText),
                           v->typed);
    }

    void settings() {
        if (!std::isfinite(net_.viscosity) || net_.viscosity <= 0.0)
            add(Severity::Fatal, std::nullopt,
                QStringLiteral("Die kinematische Viskosität '%1' ist keine Zahl größer als 0.")
                    .arg(net_.settings.viscosity),
                QStringLiteral("Unter „Einstellungen“ die Viskosität in 10^-6 m²/s eintragen "
                               "(Wasser bei 10 °C: 1,305)."));
        const double iterations = solverNumber(net_.settings.iterations);
        if (!(iterations >= 1 && iterations <= kMaxIterations &&
              iterations == std::floor(iterations)))
            add(Severity::Fatal, std::nullopt,
                QStringLiteral("Die Höchstzahl der Iterationen '%1' ist keine ganze Zahl von 1 "
                               "bis %2.")
                    .arg(net_.settings.iterations)
                    .arg(kMaxIterations),
                QStringLiteral("Unter „Einstellungen“ eine ganze Zahl eintragen (üblich: 1000)."));
        if (net_.nodes.size() > static_cast<std::size_t>(tarnholm::kMaxNodes))
            add(Severity::Fatal, std::nullopt,
                QStringLiteral("Das Netz hat %1 Knoten; das Berechnungsprogramm rechnet mit "
                               "höchstens %2.")
                    .arg(net_.nodes.size())
                    .arg(tarnholm::kMaxNodes),
                QStringLiteral("Das Netz in Teilnetze aufteilen."));
    }

    // The solver's node matrix needs every element from an earlier to a later node.
    void order() {
        for (const PipeRecord& pipe : net_.pipes)
            if (pipe.startNode > pipe.endNode)
                add(Severity::Fatal, pipeRow(pipe),
                    QStringLiteral("Strang %1: der Anfangsknoten %2 steht in der Knotentabelle "
                                   "nach dem Endknoten %3.")
                        .arg(pipe.number.typed, nodeNumber(pipe.startNode),
                             nodeNumber(pipe.endNode)),
                    QStringLiteral("„Knotenreihenfolge optimieren“ ordnet die Knoten und dreht "
                                   "solche Rohre um."),
                    true);
        for (const PumpRecord& pump : net_.pumps)
            if (pump.startNode > pump.endNode)
                add(Severity::Fatal, pumpRow(pump),
                    QStringLiteral("Pumpe %1: die Saugseite %2 steht in der Knotentabelle nach "
                                   "der Druckseite %3.")
                        .arg(pump.type, nodeNumber(pump.startNode), nodeNumber(pump.endNode)),
                    QStringLiteral("„Knotenreihenfolge optimieren“ ordnet die Knoten so, dass "
                                   "die Saugseite vorn steht."),
                    true);
    }

    std::vector<int> degrees() const {
        std::vector<int> degree(net_.nodes.size(), 0);
        for (const PipeRecord& pipe : net_.pipes) {
            ++degree[pipe.startNode];
            ++degree[pipe.endNode];
        }
        for (const PumpRecord& pump : net_.pumps) {
            ++degree[pump.startNode];
            ++degree[pump.endNode];
        }
        return degree;
    }

    // A part without a known head makes the node matrix singular: the solver stops there.
    void parts() {
        const int n = static_cast<int>(net_.nodes.size());
        Parts parts(n);
        for (const PipeRecord& pipe : net_.pipes)
            parts.join(pipe.startNode, pipe.endNode);
        for (const PumpRecord& pump : net_.pumps)
            parts.join(pump.startNode, pump.endNode);
        QSet<int> fed;
        for (int i = 0; i < n; ++i)
            if (net_.nodes[i].hasKnownHead())
                fed.insert(parts.root(i));
        const std::vector<int> degree = degrees();
        QHash<int, QList<int>> unfed;
        std::vector<int> firstOf;
        for (int i = 0; i < n; ++i) {
            if (degree[i] == 0 && net_.nodes[i].hasKnownHead())
                add(Severity::Warning, nodeRow(net_.nodes[i]),
                    QStringLiteral("Knoten %1 wird von keinem Rohr und keiner Pumpe genutzt.")
                        .arg(nodeNumber(i)),
                    QStringLiteral("Den Knoten entfernen oder anschließen."));
            const int root = parts.root(i);
            if (fed.contains(root))
                continue;
            if (!unfed.contains(root))
                firstOf.push_back(i);
            unfed[root].push_back(i);
        }
        for (int first : firstOf)
            unfedPart(unfed[parts.root(first)]);
    }

    void unfedPart(const QList<int>& members) {
        QStringList numbers;
        for (int member : members)
            numbers << nodeNumber(member);
        numbers = shortened(numbers, kListedNodes);
        const QString what =
            members.size() == 1
                ? QStringLiteral(
                      "Knoten %1 hängt an keinem Knoten mit bekannter Druckhöhe: die "
                      "Knotenmatrix ist singulär.")
                      .arg(numbers.front())
                : QStringLiteral(
                      "Die Knoten %1 hängen an keinem Knoten mit bekannter "
                      "Druckhöhe: die Knotenmatrix ist singulär.")
                      .arg(numbers.join(QStringLiteral(", ")));
        add(Severity::Fatal, nodeRow(net_.nodes[members.front()]), what,
            QStringLiteral("Die Knotennummern der Rohre prüfen, eine Verbindung zum übrigen Netz "
                           "eintragen oder eine bekannte Druckhöhe angeben."));
    }

    static bool takesOrGivesWater(const NodeRecord& node) {
        return node.inflow.orElse(0.0) != 0.0 || node.withdrawal.orElse(0.0) != 0.0;
    }

    // A pipe to a node that nothing else uses and where nothing is taken carries no water: a
    // mistyped node number turns a loop into such a dead end.
    void deadEnds() {
        const std::vector<int> degree = degrees();
        for (const PipeRecord& pipe : net_.pipes)
            for (int end : {pipe.startNode, pipe.endNode}) {
                const NodeRecord& node = net_.nodes[end];
                if (degree[end] == 1 && !node.hasKnownHead() && !takesOrGivesWater(node))
                    add(Severity::Warning, pipeRow(pipe),
                        QStringLiteral("Strang %1 endet in Knoten %2, den kein anderes Element "
                                       "nutzt und an dem nichts entnommen wird: er führt kein "
                                       "Wasser.")
                            .arg(pipe.number.typed, node.numberText),
                        QStringLiteral("Die Knotennummer prüfen (Tippfehler?)."));
            }
    }

    void duplicates() {
        QHash<QPair<int, int>, const PipeRecord*> first;
        for (const PipeRecord& pipe : net_.pipes) {
            if (pipe.startNode == pipe.endNode) {
                add(Severity::Warning, pipeRow(pipe),
                    QStringLiteral("Strang %1 verbindet Knoten %2 mit sich selbst; er trägt "
                                   "nichts zur Berechnung bei.")
                        .arg(pipe.number.typed, nodeNumber(pipe.startNode)),
                    QStringLiteral("Die Knotennummern prüfen."));
                continue;
            }
            const QPair<int, int> ends(std::min(pipe.startNode, pipe.endNode),
                                       std::max(pipe.startNode, pipe.endNode));
            if (const PipeRecord* earlier = first.value(ends)) {
                add(Severity::Warning, pipeRow(pipe),
                    QStringLiteral("Strang %1 verbindet dieselben Knoten %2 und %3 wie Strang %4.")
                        .arg(pipe.number.typed, nodeNumber(ends.first), nodeNumber(ends.second),
                             earlier->number.typed),
                    QStringLiteral("Eine doppelte Eingabe löschen; parallele Leitungen sind "
                                   "zulässig."));
                continue;
            }
            first.insert(ends, &pipe);
        }
    }

    void pipeValue(const PipeRecord& pipe, bool fatal, bool warning, const QString& what,
                   const QString& remedy) {
        if (fatal)
            add(Severity::Fatal, pipeRow(pipe), what, remedy);
        else if (warning)
            add(Severity::Warning, pipeRow(pipe), what, remedy);
    }

    void pipeValues() {
        for (const PipeRecord& pipe : net_.pipes) {
            const QString name = QStringLiteral("Strang %1: ").arg(pipe.number.typed);
            const double length = pipe.length.number;
            pipeValue(pipe, length < 0.0, length == 0.0 || length > kLongestPlausiblePipe,
                      name + QStringLiteral("Länge %1 m.").arg(twoDecimals(length)),
                      length == 0.0 ? QStringLiteral(
                                          "Für eine Armatur ohne Länge nur zeta angeben, sonst die "
                                          "Länge berichtigen.")
                                    : QStringLiteral("Die Länge in m prüfen."));
            const double d = pipe.diameter.number;
            pipeValue(pipe, d <= 0.0,
                      d < kSmallestPlausibleDiameter || d > kLargestPlausibleDiameter,
                      name + QStringLiteral("Innendurchmesser %1 mm.").arg(twoDecimals(d)),
                      QStringLiteral("Den Innendurchmesser in mm prüfen (üblich 10 bis 3000)."));
            const double ks = pipe.roughness.number;
            pipeValue(pipe, ks<0.0, ks> kLargestPlausibleRoughness,
                      name + QStringLiteral("Rauheit ks %1 mm.").arg(twoDecimals(ks)),
                      QStringLiteral("ks in mm prüfen (üblich 0,01 bis 2)."));
            const double zeta = pipe.zeta.number;
            pipeValue(pipe, zeta < 0.0, false,
                      name + QStringLiteral("Verlustbeiwert zeta %1.").arg(twoDecimals(zeta)),
                      QStringLiteral("zeta ist nie negativ."));
        }
    }

    // The solver follows a curve through the support points, ascending in flow; a head that
    // does not fall with the flow makes the operating point ambiguous.
    void pumpCurves() {
        for (const PumpRecord& pump : net_.pumps) {
            const QString name = QStringLiteral("Pumpe %1: ").arg(pump.type);
            if (pump.supportCount < 2) {
                add(Severity::Fatal, pumpRow(pump),
                    name + QStringLiteral("weniger als zwei Stützwerte der Kennlinie."),
                    QStringLiteral(
                        "Mindestens zwei, besser drei bis acht Punkte (Q, h) eintragen."));
                continue;
            }
            for (int k = 1; k < pump.supportCount; ++k) {
                if (!(pump.flows[k].number > pump.flows[k - 1].number)) {
                    add(Severity::Fatal, pumpRow(pump),
                        name + QStringLiteral("die Förderströme steigen nicht an (Q%1 ≤ Q%2).")
                                   .arg(k + 1)
                                   .arg(k),
                        QStringLiteral("Die Stützwerte nach steigendem Förderstrom ordnen."));
                    break;
                }
                if (!(pump.heads[k].number < pump.heads[k - 1].number)) {
                    add(Severity::Warning, pumpRow(pump),
                        name + QStringLiteral("die Förderhöhe fällt nicht mit dem Förderstrom "
                                              "(h%1 ≥ h%2).")
                                   .arg(k + 1)
                                   .arg(k),
                        QStringLiteral("Die Kennlinie prüfen: die Förderhöhe fällt mit "
                                       "steigendem Förderstrom."));
                    break;
                }
            }
        }
    }

    // A known head typed as a pressure lies far below the node. A buried tank's level lies below
    // the ground, though, but above the pipe it feeds: the pipe invert is the bound where given.
    void knownHeads() {
        for (const NodeRecord& node : net_.nodes) {
            if (!node.hasKnownHead())
                continue;
            const bool byInvert = node.invert.isNumber();
            const Value& bound = byInvert ? node.invert : node.ground;
            if (!bound.isNumber() || node.knownHead.number >= bound.number)
                continue;
            add(Severity::Warning, nodeRow(node),
                QStringLiteral(
                    "Knoten %1: die bekannte Druckhöhe %2 mNN liegt unter der %3 %4 mNN.")
                    .arg(
                        node.numberText, twoDecimals(node.knownHead.number),
                        byInvert ? QStringLiteral("Rohrsohle") : QStringLiteral("Geländeoberkante"),
                        twoDecimals(bound.number)),
                QStringLiteral("Die Druckhöhe ist eine Höhe über NN, kein Druck: den "
                               "Wasserspiegel in mNN eintragen."));
        }
    }

    Network net_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkNetwork(const Tables& tables, const ProjectSettings& settings) {
    return Checker(tables, settings).run();
}

QString severityText(Severity severity) {
    return severity == Severity::Fatal ? QStringLiteral("Fehler") : QStringLiteral("Warnung");
}

QString tableText(const std::optional<CellPlace>& place) {
    if (!place)
        return QStringLiteral("Einstellungen");
    switch (place->table) {
        case TableId::Pipes:
            return QStringLiteral("Rohre");
        case TableId::Pumps:
            return QStringLiteral("Pumpen");
        case TableId::Nodes:
            break;
    }
    return QStringLiteral("Knoten");
}

bool hasFatal(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Fatal; });
}

}  // namespace kolma
