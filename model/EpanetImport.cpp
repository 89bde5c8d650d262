#include "EpanetImport.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <deque>

#include "CellTable.h"
#include "Network.h"
#include "NodeOrder.h"
#include "Numbers.h"
#include "Project.h"
#include "SolverNetwork.h"
#include "TextFile.h"
#include "tarnholm/in_process.h"

namespace kolma {
namespace {

constexpr int kListedIds = 20;  // IDs named in one line of the message
// The flows for the roughness match: the solver's passes, ended early once the heads stand
// still to a millimetre (a pipe at the friction factor's jump may swing for ever).
constexpr int kRoughnessPasses = 1000;
constexpr double kSteadyHeads = 0.001;  // [m]

const QString kBlank = QStringLiteral(" ");

// ---------------------------------------------------------------------------------------------
// Planning the tables

// A number as a user would type it: decimal comma, no thousands separator, up to six decimals
// without trailing zeros.
QString typedNumber(double value) {
    QString text = germanLocale().toString(value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString sectionOf(EpanetNodeKind kind) {
    switch (kind) {
        case EpanetNodeKind::Reservoir:
            return QStringLiteral("RESERVOIRS");
        case EpanetNodeKind::Tank:
            return QStringLiteral("TANKS");
        default:
            return QStringLiteral("JUNCTIONS");
    }
}

QString listOfIds(const QStringList& ids) {
    if (ids.size() <= kListedIds)
        return ids.join(QStringLiteral(", "));
    return ids.mid(0, kListedIds).join(QStringLiteral(", ")) +
           QStringLiteral(" … (insgesamt %1)").arg(ids.size());
}

// The numbers of the IDs: the IDs themselves when all are distinct whole numbers, else 1 ... n
// in file order. Returns whether the IDs were kept.
bool numberIds(const QStringList& ids, QHash<QString, int>& numbers) {
    QSet<int> used;
    for (const QString& id : ids) {
        bool ok = false;
        const int value = id.toInt(&ok);
        if (!ok || used.contains(value)) {
            numbers.clear();
            for (int i = 0; i < ids.size(); ++i)
                numbers.insert(ids[i], i + 1);
            return false;
        }
        used.insert(value);
        numbers.insert(id, value);
    }
    return true;
}

QString mappingSection(const QString& title, const QStringList& ids,
                       const QHash<QString, int>& numbers) {
    QString text = QStringLiteral("[%1]\n").arg(title);
    for (const QString& id : ids)
        text += QStringLiteral("%1\t%2\n").arg(id, QString::number(numbers.value(id)));
    return text;
}

void fillTables(const ImportPlan& plan, const Tables& tables) {
    TabellenZuruecksetzen(tables);
    const auto fillRows = [](CellTable& grid, const std::vector<QStringList>& rows) {
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                grid.setCell(kKeyColumn + c, r + 1, rows[r][c]);
    };
    fillRows(*tables.nodes, plan.nodeRows);
    fillRows(*tables.pipes, plan.pipeRows);
    for (int k = 0; k < static_cast<int>(plan.pumps.size()); ++k)
        setPumpBlock(*tables.pumps, k + 1, plan.pumps[k]);
}

class Planner {
public:
    Planner(const EpanetNetwork& network, const QString& idsFile, bool valvesAsPipes)
        : net_(network), idsFile_(idsFile), valvesAsPipes_(valvesAsPipes) {}

    ImportPlan plan() {
        selectElements();
        checkLimits();
        numberElements();
        orderNodes();
        plan_.viscosity =
            germanLocale().toString(net_.relativeViscosity * kWater20Viscosity, 'f', 3);
        writeNodes();
        writePipes();
        writePumps();
        writeCoordinates();
        matchRoughnessAtFlows();
        writeNotes();
        return plan_;
    }

private:
    void selectElements() {
        for (int i = 0; i < static_cast<int>(net_.nodes.size()); ++i)
            nodeIndex_.insert(net_.nodes[i].id, i);
        for (const EpanetPipe& pipe : net_.pipes) {
            if (pipe.status == EpanetPipeStatus::Closed) {
                closedPipes_ << pipe.id;
                continue;
            }
            if (pipe.status == EpanetPipeStatus::CheckValve)
                checkValves_ << pipe.id;
            pipes_.push_back(&pipe);
        }
        for (const EpanetPump& pump : net_.pumps) {
            if (pump.closed)
                closedPumps_ << pump.id;
            else
                pumps_.push_back(&pump);
        }
        selectValves();
    }

    // Throttle and general purpose valves become short pipes with their loss coefficient, when
    // the user agreed; closed ones are left out like closed pipes.
    void selectValves() {
        if (net_.valves.empty())
            return;
        if (!valvesAsPipes_)
            refuseEpanetLine(QStringLiteral("VALVES"), net_.valves.front().line,
                             QStringLiteral("Armaturen (TCV, GPV) werden nicht als kurze Rohre "
                                            "übernommen."));
        for (const EpanetValve& valve : net_.valves) {
            if (valve.closed) {
                closedPipes_ << valve.id;
                continue;
            }
            EpanetPipe pipe;
            pipe.id = valve.id;
            pipe.from = valve.from;
            pipe.to = valve.to;
            pipe.length = kValvePipeLength;
            pipe.diameter = valve.diameter;
            pipe.roughness = kValvePipeRoughness;
            pipe.minorLoss = valve.zeta;
            pipe.line = valve.line;
            valvePipes_.push_back(pipe);
            pipes_.push_back(&valvePipes_.back());
            valveIds_.insert(valve.id);
            valveNotes_ << QStringLiteral("%1 (%2, zeta %3)")
                               .arg(valve.id, valve.type, typedNumber(valve.zeta));
        }
    }

    void checkLimits() const {
        if (static_cast<int>(net_.nodes.size()) > kTableRecords) {
            const EpanetNode& node = net_.nodes[kTableRecords];
            refuseEpanetLine(sectionOf(node.kind), node.line,
                             QStringLiteral("mehr als %1 Knoten.").arg(kTableRecords));
        }
        if (static_cast<int>(pipes_.size()) > kTableRecords)
            refuseEpanetLine(QStringLiteral("PIPES"), pipes_[kTableRecords]->line,
                             QStringLiteral("mehr als %1 Rohre.").arg(kTableRecords));
        if (static_cast<int>(pumps_.size()) > kPumpBlocks)
            refuseEpanetLine(QStringLiteral("PUMPS"), pumps_[kPumpBlocks]->line,
                             QStringLiteral("mehr als %1 Pumpen.").arg(kPumpBlocks));
    }

    void numberElements() {
        for (const EpanetNode& node : net_.nodes)
            nodeIds_ << node.id;
        for (const EpanetPipe* pipe : pipes_)
            pipeIds_ << pipe->id;
        nodesKept_ = numberIds(nodeIds_, nodeNumbers_);
        pipesKept_ = numberIds(pipeIds_, pipeNumbers_);
        if (!nodesKept_)
            plan_.idMapping += mappingSection(QStringLiteral("KNOTEN"), nodeIds_, nodeNumbers_);
        if (!pipesKept_)
            plan_.idMapping += mappingSection(QStringLiteral("ROHRE"), pipeIds_, pipeNumbers_);
        if (!plan_.idMapping.isEmpty())
            plan_.idMapping.prepend(QStringLiteral("; EPANET-ID und Nummer im Projekt\n"));
    }

    void orderNodes() {
        OrderGraph graph;
        graph.nodeCount = static_cast<int>(net_.nodes.size());
        for (const EpanetPipe* pipe : pipes_)
            graph.pipes.push_back({nodeIndex_[pipe->from], nodeIndex_[pipe->to]});
        for (const EpanetPump* pump : pumps_)
            graph.pumps.push_back({nodeIndex_[pump->from], nodeIndex_[pump->to]});
        for (int i = 0; i < graph.nodeCount; ++i)
            if (net_.nodes[i].kind != EpanetNodeKind::Junction)
                graph.knownHeadNodes.push_back(i);
        listUnconnectedNodes(graph);
        const std::optional<std::vector<int>> order = goodNodeOrder(graph);
        if (!order)
            refuseEpanetLine(
                QStringLiteral("PUMPS"), pumps_.front()->line,
                QStringLiteral("die Pumpen bilden einen Kreis; keine Knotenreihenfolge setzt "
                               "bei jeder Pumpe die Saugseite vor die Druckseite."));
        order_ = *order;
        position_ = positionsOf(order_);
    }

    // Nodes that only closed pipes or pumps touched: the solver cannot compute their heads.
    void listUnconnectedNodes(const OrderGraph& graph) {
        std::vector<char> connected(graph.nodeCount, 0);
        for (const auto* links : {&graph.pipes, &graph.pumps})
            for (const Link& link : *links)
                connected[link.a] = connected[link.b] = 1;
        for (int i = 0; i < graph.nodeCount; ++i)
            if (!connected[i])
                unconnectedNodes_ << net_.nodes[i].id;
    }

    QString nodeNumber(const QString& id) const { return QString::number(nodeNumbers_.value(id)); }

    void writeNodes() {
        for (int index : order_) {
            const EpanetNode& node = net_.nodes[index];
            const QString elevation = typedNumber(node.elevation);
            if (node.kind == EpanetNodeKind::Junction) {
                const QString inflow = node.demand < 0.0 ? typedNumber(-node.demand) : kBlank;
                const QString withdrawal = node.demand > 0.0 ? typedNumber(node.demand) : kBlank;
                plan_.nodeRows.push_back(
                    {nodeNumber(node.id), kBlank, inflow, withdrawal, elevation, elevation});
            } else {
                plan_.nodeRows.push_back({nodeNumber(node.id), typedNumber(node.head), kBlank,
                                          kBlank, elevation, elevation});
            }
        }
    }

    // A pipe whose roughness is a Hazen-Williams C or a Manning n, not a ks.
    bool convertsRoughness(const EpanetPipe& pipe) const {
        return net_.headLoss != HeadLossFormula::DarcyWeisbach && !valveIds_.contains(pipe.id);
    }

    // The first ks of a pipe: its own, or the one matching its C or n at the reference velocity.
    double firstKs(const EpanetPipe& pipe) const {
        if (!convertsRoughness(pipe))
            return pipe.roughness;
        const double viscosity = solverViscosity() * 1e-6;
        return equivalentKs(net_.headLoss, pipe.roughness, pipe.diameter, kReferenceVelocity,
                            viscosity)
            .value_or(0.0);
    }

    // The viscosity as the tables will hold it, which is what the solver computes with.
    double solverViscosity() const { return germanLocale().toDouble(plan_.viscosity); }

    // Each pipe runs from its earlier to its later node.
    void writePipes() {
        for (const EpanetPipe* pipe : pipes_) {
            QString start = pipe->from;
            QString end = pipe->to;
            const bool reversed = position_[nodeIndex_[start]] > position_[nodeIndex_[end]];
            if (reversed)
                std::swap(start, end);
            reversed_.push_back(reversed);
            ks_.push_back(firstKs(*pipe));
            // EPANET's check valve lets water pass from the pipe's first node in the file.
            if (pipe->status == EpanetPipeStatus::CheckValve)
                plan_.checkValves.push_back({QString::number(pipeNumbers_.value(pipe->id)),
                                             nodeNumbers_.value(pipe->from)});
            plan_.pipeRows.push_back({QString::number(pipeNumbers_.value(pipe->id)),
                                      nodeNumber(start), nodeNumber(end), typedNumber(pipe->length),
                                      typedNumber(pipe->diameter), typedNumber(ks_.back()),
                                      typedNumber(pipe->minorLoss)});
        }
    }

    // The plan of the network: node places by number, and each pipe's bends in the direction of
    // its table row. Pumps are drawn straight, so their bends are not kept.
    void writeCoordinates() {
        PlanCoordinates& plan = plan_.coordinates;
        for (const EpanetNode& node : net_.nodes) {
            const auto at = net_.coordinates.constFind(node.id);
            if (at != net_.coordinates.constEnd())
                plan.nodes[nodeNumbers_.value(node.id)] = {*at, Placement::Given};
        }
        for (std::size_t p = 0; p < pipes_.size(); ++p) {
            const auto bends = net_.vertices.constFind(pipes_[p]->id);
            if (bends == net_.vertices.constEnd() || bends->empty())
                continue;
            std::vector<QPointF> ordered = *bends;
            if (reversed_[p])
                std::reverse(ordered.begin(), ordered.end());
            plan.bends[QString::number(pipeNumbers_.value(pipes_[p]->id))] = ordered;
        }
    }

    // A ks matched at 1 m/s is far off where the velocity is not, so every pipe's C or n is
    // matched again at the flow it carries, until the ks values settle: the network is computed
    // with the tables the plan fills, with the solver's own code. Pipes whose flow is laminar
    // for the solver, or that carry none, keep their ks: it has no say there.
    void matchRoughnessAtFlows() {
        if (net_.headLoss == HeadLossFormula::DarcyWeisbach)
            return;
        const double viscosity = solverViscosity() * 1e-6;
        for (roughnessRounds_ = 1; roughnessRounds_ <= kMaxRoughnessRounds; ++roughnessRounds_) {
            const std::optional<std::vector<double>> flows = computedFlows();
            if (!flows) {
                roughnessRounds_ = 0;
                return;
            }
            largestKsChange_ = 0.0;
            for (std::size_t p = 0; p < pipes_.size(); ++p) {
                const EpanetPipe& pipe = *pipes_[p];
                if (!convertsRoughness(pipe))
                    continue;
                const auto ks = equivalentKs(net_.headLoss, pipe.roughness, pipe.diameter,
                                             velocityOf((*flows)[p], pipe.diameter), viscosity);
                if (!ks)
                    continue;
                largestKsChange_ = std::max(largestKsChange_, relativeChange(ks_[p], *ks));
                ks_[p] = *ks;
                plan_.pipeRows[p][5] = typedNumber(*ks);
            }
            if (largestKsChange_ <= kRoughnessTolerance)
                return;
        }
        roughnessRounds_ = kMaxRoughnessRounds;
    }

    static double relativeChange(double before, double after) {
        const double scale = std::max(std::fabs(before), std::fabs(after));
        return scale > 0.0 ? std::fabs(after - before) / scale : 0.0;
    }

    // The pipe flows [l/s] of the network the plan fills in, in pipe row order; nothing when the
    // solver cannot compute it (a part without a known head).
    std::optional<std::vector<double>> computedFlows() const {
        Project project;
        fillTables(plan_, project.tables());
        const Network network =
            networkOf(project.tables(), {plan_.viscosity, defaultSettings().iterations});
        tarnholm::Network solved = solverNetworkOf(network);
        const tarnholm::IterationOutcome outcome =
            tarnholm::Calculate(solved, {kRoughnessPasses, kSteadyHeads});
        if (outcome.result.status != tarnholm::CalcStatus::Done)
            return std::nullopt;
        std::vector<double> flows;
        for (const tarnholm::Pipe& pipe : solved.pipes)
            flows.push_back(pipe.newFlow);
        return flows;
    }

    // Eight support points evenly over the curve, the first and last kept.
    static std::vector<std::size_t> supportIndices(std::size_t count) {
        std::vector<std::size_t> indices;
        if (count <= kSupportPoints) {
            for (std::size_t k = 0; k < count; ++k)
                indices.push_back(k);
            return indices;
        }
        for (int k = 0; k < kSupportPoints; ++k)
            indices.push_back(static_cast<std::size_t>(
                std::lround(k * static_cast<double>(count - 1) / (kSupportPoints - 1))));
        return indices;
    }

    void writePumps() {
        for (const EpanetPump* pump : pumps_) {
            PumpBlock block;
            QString designation = pump->id;
            designation.remove(QRegularExpression(QStringLiteral("\\s")));
            designation.truncate(tarnholm::kPumpNameLength);
            if (designation.isEmpty())  // an empty designation would end the pump list
                designation = QStringLiteral("Pumpe%1").arg(plan_.pumps.size() + 1);
            if (designation != pump->id)
                renamedPumps_ << pump->id;
            block.type = designation;
            block.start = nodeNumber(pump->from);
            block.end = nodeNumber(pump->to);
            const std::vector<std::size_t> indices = supportIndices(pump->flows.size());
            if (indices.size() < pump->flows.size())
                reducedCurves_ << pump->id;
            for (int k = 0; k < kSupportPoints; ++k) {
                const bool used = k < static_cast<int>(indices.size());
                block.Q[k] = used ? typedNumber(pump->flows[indices[k]]) : kBlank;
                block.h[k] = used ? typedNumber(pump->heads[indices[k]]) : kBlank;
            }
            plan_.pumps.push_back(block);
        }
    }

    void note(const QString& text, const QStringList& ids) {
        if (!ids.isEmpty())
            plan_.notes << text.arg(listOfIds(ids));
    }

    void writeNotes() {
        QStringList& notes = plan_.notes;
        notes << QStringLiteral("EPANET-Netz übernommen: %1 Knoten, %2 Rohre, %3 Pumpen.")
                     .arg(plan_.nodeRows.size())
                     .arg(plan_.pipeRows.size())
                     .arg(plan_.pumps.size());
        notes << QStringLiteral("Durchfluss in %1 umgerechnet in l/s (1 %1 = %2 l/s).")
                     .arg(net_.units, typedNumber(litresPerSecond(net_.units)));
        if (usesFeet(net_.units))
            notes << QStringLiteral(
                "Längen und Höhen in Fuß umgerechnet in m (× 0,3048), "
                "Durchmesser in Zoll in mm (× 25,4).");
        if (net_.headLoss != HeadLossFormula::DarcyWeisbach)
            notes << roughnessNote();
        notes << QStringLiteral("Viskosität: %1 · 10^-6 m²/s.").arg(plan_.viscosity);
        note(QStringLiteral("Armaturen als kurze Rohre (%1 m) übernommen: %2")
                 .arg(typedNumber(kValvePipeLength)),
             valveNotes_);
        note(QStringLiteral("Geschlossene Rohre nicht übernommen: %1"), closedPipes_);
        note(QStringLiteral("Rohre mit Rückschlagklappe (CV) als offene Rohre übernommen: %1"),
             checkValves_);
        note(QStringLiteral("Abgeschaltete Pumpen nicht übernommen: %1"), closedPumps_);
        note(QStringLiteral("Knoten ohne offene Verbindung (die Berechnung bricht dort ab): %1"),
             unconnectedNodes_);
        note(QStringLiteral("Kennlinien auf acht Stützpunkte gleichmäßig verteilt reduziert: %1"),
             reducedCurves_);
        note(QStringLiteral("Pumpenbezeichnungen ohne Leerzeichen und auf 24 Zeichen gekürzt: %1"),
             renamedPumps_);
        if (!plan_.coordinates.nodes.empty())
            notes << QStringLiteral(
                         "Lageplan: Koordinaten von %1 der %2 Knoten übernommen, "
                         "Knickpunkte von %3 Rohren.")
                         .arg(plan_.coordinates.nodes.size())
                         .arg(plan_.nodeRows.size())
                         .arg(plan_.coordinates.bends.size());
        if (!net_.ignoredSections.isEmpty())
            notes << QStringLiteral("Nicht übernommen (stationäre Berechnung): %1")
                         .arg(net_.ignoredSections.join(QStringLiteral(", ")));
        if (!nodesKept_)
            notes << QStringLiteral("Knoten neu nummeriert (1 bis %1).").arg(nodeIds_.size());
        if (!pipesKept_)
            notes << QStringLiteral("Rohre neu nummeriert (1 bis %1).").arg(pipeIds_.size());
        if (!plan_.idMapping.isEmpty())
            notes
                << QStringLiteral("Zuordnung der EPANET-IDs zu den Nummern: \"%1\"").arg(idsFile_);
    }

    QString roughnessNote() const {
        const QString law = net_.headLoss == HeadLossFormula::HazenWilliams
                                ? QStringLiteral("Hazen-Williams (C)")
                                : QStringLiteral("Manning (n)");
        if (roughnessRounds_ == 0)
            return QStringLiteral(
                       "Rauheit nach %1 in gleichwertige ks-Werte umgerechnet (gleiches "
                       "Reibungsgefälle bei 1 m/s; das Netz ließ sich zum Abgleich nicht "
                       "berechnen).")
                .arg(law);
        return QStringLiteral(
                   "Rauheit nach %1 in gleichwertige ks-Werte umgerechnet: gleiches "
                   "Reibungsgefälle beim berechneten Durchfluss jedes Rohres, abgeglichen in %2 "
                   "Durchgängen (größte Änderung im letzten Durchgang: %3 %).")
            .arg(law)
            .arg(roughnessRounds_)
            .arg(germanLocale().toString(largestKsChange_ * 100.0, 'f', 2));
    }

    const EpanetNetwork& net_;
    QString idsFile_;
    bool valvesAsPipes_;
    ImportPlan plan_;
    std::deque<EpanetPipe> valvePipes_;  // pipes_ points into it
    QSet<QString> valveIds_;
    QStringList valveNotes_;
    std::vector<double> ks_;      // [mm], per pipe row
    std::vector<bool> reversed_;  // per pipe row: runs against the file's direction
    int roughnessRounds_ = 0;
    double largestKsChange_ = 0.0;
    QHash<QString, int> nodeIndex_;
    std::vector<const EpanetPipe*> pipes_;
    std::vector<const EpanetPump*> pumps_;
    QStringList closedPipes_, checkValves_, closedPumps_, reducedCurves_, renamedPumps_;
    QStringList unconnectedNodes_;
    QStringList nodeIds_, pipeIds_;
    QHash<QString, int> nodeNumbers_, pipeNumbers_;
    bool nodesKept_ = true;
    bool pipesKept_ = true;
    std::vector<int> order_;
    std::vector<int> position_;
};

}  // namespace

QString valveQuestion(const EpanetNetwork& network) {
    if (network.valves.empty())
        return QString();
    QStringList valves;
    for (const EpanetValve& valve : network.valves) {
        if (valve.closed) {
            valves << QStringLiteral("%1 '%2' (geschlossen, entfällt)").arg(valve.type, valve.id);
            continue;
        }
        QString line =
            QStringLiteral("%1 '%2': zeta %3").arg(valve.type, valve.id, typedNumber(valve.zeta));
        if (!valve.curve.isEmpty())
            line += QStringLiteral(" (ohne ihre Verlustkennlinie '%1')").arg(valve.curve);
        valves << line;
    }
    return QStringLiteral(
               "Das EPANET-Netz enthält Drossel- und Mehrzweckarmaturen (TCV, GPV), die das "
               "Berechnungsprogramm nicht kennt. Sie können als kurze Rohre (%1 m) mit ihrem "
               "Verlustbeiwert übernommen werden:\n%2\n\nAls kurze Rohre übernehmen?")
        .arg(typedNumber(kValvePipeLength), valves.join(QLatin1Char('\n')));
}

ImportPlan planImport(const EpanetNetwork& network, const QString& idsFile, bool valvesAsPipes) {
    return Planner(network, idsFile, valvesAsPipes).plan();
}

QString projectFileFor(const QString& inpFile) {
    return replacedExtension(inpFile, QStringLiteral(".ein"));
}

QString idsFileFor(const QString& inpFile) {
    return replacedExtension(inpFile, QStringLiteral(".ids"));
}

EpanetImportResult importEpanetFile(const QString& inpFile, const Tables& tables,
                                    ProjectSettings& settings, const ValveConsent& takeValves) {
    const EpanetNetwork network = parseInp(readTextFile(inpFile));
    const QString question = valveQuestion(network);
    const bool valvesAsPipes = !question.isEmpty() && takeValves(question);
    const QString idsFile = idsFileFor(inpFile);
    const ImportPlan plan = planImport(network, namePart(idsFile), valvesAsPipes);
    if (!plan.idMapping.isEmpty())
        writeFileAtomically(idsFile, plan.idMapping.toUtf8());
    fillTables(plan, tables);
    settings.viscosity = plan.viscosity;
    if (isEmptyCell(settings.iterations))
        settings.iterations = defaultSettings().iterations;
    PlanCoordinates coordinates = plan.coordinates;
    if (!coordinates.nodes.empty())
        coordinates.origin =
            QStringLiteral("Lage aus dem EPANET-Netz \"%1\"").arg(namePart(inpFile));
    return {plan.notes.join(QLatin1Char('\n')), projectFileFor(inpFile), coordinates,
            plan.checkValves};
}

}  // namespace kolma
