#include "EpanetImport.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "CellTable.h"
#include "NodeOrder.h"
#include "Numbers.h"
#include "TextFile.h"

namespace kolma {
namespace {

constexpr int kTableRows = 1000;        // nodes and pipes the tables hold
constexpr int kPumpBlocks = 34;         // pumps the pump table holds
constexpr int kDesignationLength = 24;  // characters of a pump designation the solver keeps
constexpr int kListedIds = 20;          // IDs named in one line of the message
constexpr double kTwoG = 19.62;         // 2 g [m/s²], as in the solver's pipe law
constexpr double kPi = 3.14159265358979323846;
constexpr double kFoot = 0.3048;  // [m]
constexpr double kInch = 25.4;    // [mm]

const QString kBlank = QStringLiteral(" ");

// ---------------------------------------------------------------------------------------------
// Lines and sections of the file

struct InpLine {
    int number = 0;
    QStringList tokens;
};

struct Section {
    int headerLine = 0;
    std::vector<InpLine> lines;
};

// Sections whose data the import reads.
const QStringList kReadSections = {"OPTIONS", "JUNCTIONS", "RESERVOIRS", "TANKS",   "PIPES",
                                   "PUMPS",   "VALVES",    "CURVES",     "DEMANDS", "STATUS"};
// Sections without meaning for the network's tables.
const QStringList kSilentSections = {"TITLE",    "COORDINATES", "VERTICES", "LABELS",
                                     "BACKDROP", "TAGS",        "REPORT",   "TIMES"};
// Sections of time-dependent or quality data: left out, but named in the message.
const QStringList kNamedSections = {"PATTERNS", "CONTROLS", "RULES",     "ENERGY", "EMITTERS",
                                    "QUALITY",  "SOURCES",  "REACTIONS", "MIXING", "LEAKAGE"};

const QString kRefused = QStringLiteral("Das EPANET-Netz wird nicht übernommen.\n");
const QString kTablesKept = QStringLiteral("\nDie Tabellen bleiben unverändert.");

[[noreturn]] void refuse(const QString& section, int line, const QString& what) {
    throw EpanetRefusal(
        kRefused +
        QStringLiteral("Abschnitt [%1], Zeile %2: %3").arg(section, QString::number(line), what) +
        kTablesKept);
}

[[noreturn]] void refuseFile(const QString& what) {
    throw EpanetRefusal(kRefused + what + kTablesKept);
}

// The line without its comment (from a ';' outside quotes on).
QString withoutComment(const QString& line) {
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (line[i] == QLatin1Char(';') && !quoted)
            return line.left(i);
    }
    return line;
}

// Tokens separated by white space; a token in double quotes may hold blanks.
QStringList tokenize(const QString& line) {
    QStringList tokens;
    QString token;
    bool quoted = false;
    bool inToken = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inToken = true;
        } else if (c.isSpace() && !quoted) {
            if (inToken)
                tokens << token;
            token.clear();
            inToken = false;
        } else {
            token += c;
            inToken = true;
        }
    }
    if (inToken)
        tokens << token;
    return tokens;
}

QHash<QString, Section> splitSections(const QString& text, QStringList& namedSections) {
    QHash<QString, Section> sections;
    Section* current = nullptr;
    QString currentName;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString content = withoutComment(lines[i]).trimmed();
        if (content.isEmpty())
            continue;
        if (content.startsWith(QLatin1Char('['))) {
            currentName = content.mid(1, content.indexOf(QLatin1Char(']')) - 1).trimmed().toUpper();
            if (currentName == QLatin1String("END"))
                break;
            if (!kReadSections.contains(currentName) && !kSilentSections.contains(currentName) &&
                !kNamedSections.contains(currentName))
                refuse(currentName, number, QStringLiteral("unbekannter Abschnitt."));
            current = &sections[currentName];
            if (current->headerLine == 0)
                current->headerLine = number;
            continue;
        }
        if (!current)
            refuseFile(QStringLiteral("Zeile %1: Angabe vor dem ersten Abschnitt.").arg(number));
        if (kNamedSections.contains(currentName) &&
            !namedSections.contains(QLatin1Char('[') + currentName + QLatin1Char(']')))
            namedSections << QLatin1Char('[') + currentName + QLatin1Char(']');
        current->lines.push_back({number, tokenize(content)});
    }
    return sections;
}

// ---------------------------------------------------------------------------------------------
// Reading the sections

struct RawCurve {
    int line = 0;
    std::vector<double> x;
    std::vector<double> y;
};

class InpReader {
public:
    explicit InpReader(const QString& text) {
        sections_ = splitSections(text, network_.ignoredSections);
    }

    EpanetNetwork read() {
        readOptions();
        refuseValves();
        readNodes(QStringLiteral("JUNCTIONS"), EpanetNodeKind::Junction);
        readNodes(QStringLiteral("RESERVOIRS"), EpanetNodeKind::Reservoir);
        readNodes(QStringLiteral("TANKS"), EpanetNodeKind::Tank);
        if (network_.nodes.empty())
            refuseFile(QStringLiteral("Die Datei enthält keine Knoten."));
        readCurves();
        readPipes();
        readPumps();
        readDemands();
        readStatus();
        applyPumpCurves();
        return network_;
    }

private:
    const std::vector<InpLine>& linesOf(const QString& name) {
        section_ = name;
        return sections_[name].lines;
    }

    void require(const InpLine& line, int count) const {
        if (line.tokens.size() < count)
            refuse(section_, line.number,
                   QStringLiteral("zu wenige Angaben (mindestens %1 erwartet).").arg(count));
    }

    double number(const InpLine& line, int index) const {
        bool ok = false;
        const double value = line.tokens[index].toDouble(&ok);
        if (!ok || !std::isfinite(value))
            refuse(section_, line.number,
                   QStringLiteral("'%1' ist keine gültige Zahl.").arg(line.tokens[index]));
        return value;
    }

    double positive(const InpLine& line, int index, const QString& what) const {
        const double value = number(line, index);
        if (value <= 0.0)
            refuse(section_, line.number, QStringLiteral("%1 muss größer als 0 sein.").arg(what));
        return value;
    }

    double nonNegative(const InpLine& line, int index, const QString& what) const {
        const double value = number(line, index);
        if (value < 0.0)
            refuse(section_, line.number, QStringLiteral("%1 darf nicht negativ sein.").arg(what));
        return value;
    }

    void readOptions() {
        double multiplier = 1.0;
        for (const InpLine& line : linesOf(QStringLiteral("OPTIONS"))) {
            const QString key = line.tokens[0].toUpper();
            if (key == QLatin1String("UNITS")) {
                require(line, 2);
                network_.units = line.tokens[1].toUpper();
                if (!litresPerSecond(network_.units))
                    refuse(
                        section_, line.number,
                        QStringLiteral("unbekannte Durchflusseinheit '%1'.").arg(line.tokens[1]));
            } else if (key == QLatin1String("HEADLOSS")) {
                require(line, 2);
                network_.headLoss = headLossFormula(line);
            } else if (key == QLatin1String("VISCOSITY")) {
                require(line, 2);
                network_.relativeViscosity = positive(line, 1, QStringLiteral("Die Viskosität"));
            } else if (key == QLatin1String("DEMAND") && line.tokens.size() >= 3 &&
                       line.tokens[1].toUpper() == QLatin1String("MULTIPLIER")) {
                multiplier = number(line, 2);
            }
        }
        const bool feet = usesFeet(network_.units);
        lengthFactor_ = feet ? kFoot : 1.0;
        diameterFactor_ = feet ? kInch : 1.0;
        flowFactor_ = *litresPerSecond(network_.units);
        demandFactor_ = flowFactor_ * multiplier;
    }

    HeadLossFormula headLossFormula(const InpLine& line) const {
        const QString name = line.tokens[1].toUpper();
        if (name == QLatin1String("D-W"))
            return HeadLossFormula::DarcyWeisbach;
        if (name == QLatin1String("H-W"))
            return HeadLossFormula::HazenWilliams;
        if (name == QLatin1String("C-M"))
            return HeadLossFormula::ChezyManning;
        refuse(section_, line.number,
               QStringLiteral("unbekannte Fließformel '%1'.").arg(line.tokens[1]));
    }

    void refuseValves() {
        const auto& lines = linesOf(QStringLiteral("VALVES"));
        if (!lines.empty())
            refuse(section_, lines.front().number,
                   QStringLiteral("Armaturen (Ventile) können nicht übernommen werden."));
    }

    void readNodes(const QString& section, EpanetNodeKind kind) {
        const int needed = kind == EpanetNodeKind::Tank ? 3 : 2;
        for (const InpLine& line : linesOf(section)) {
            require(line, needed);
            EpanetNode node;
            node.id = line.tokens[0];
            node.kind = kind;
            node.line = line.number;
            // A reservoir's first value is its head; a tank's is its bottom, and the water
            // level above the bottom follows.
            node.elevation = number(line, 1) * lengthFactor_;
            if (kind == EpanetNodeKind::Junction) {
                if (line.tokens.size() > 2)
                    node.demand = number(line, 2) * demandFactor_;
            } else if (kind == EpanetNodeKind::Tank) {
                node.head = node.elevation + number(line, 2) * lengthFactor_;
            } else {
                node.head = node.elevation;
            }
            if (nodeIndex_.contains(node.id))
                refuse(section_, line.number,
                       QStringLiteral("Knoten '%1' ist doppelt angegeben.").arg(node.id));
            nodeIndex_.insert(node.id, static_cast<int>(network_.nodes.size()));
            network_.nodes.push_back(node);
        }
    }

    void readCurves() {
        for (const InpLine& line : linesOf(QStringLiteral("CURVES"))) {
            require(line, 3);
            RawCurve& curve = curves_[line.tokens[0]];
            if (curve.line == 0)
                curve.line = line.number;
            curve.x.push_back(number(line, 1));
            curve.y.push_back(number(line, 2));
        }
    }

    // A pipe or pump joins two distinct defined nodes and has an ID of its own.
    void checkLink(const InpLine& line) {
        checkEnds(line);
        claimLinkId(line);
    }

    void checkEnds(const InpLine& line) const {
        for (int k : {1, 2})
            if (!nodeIndex_.contains(line.tokens[k]))
                refuse(section_, line.number,
                       QStringLiteral("Knoten '%1' ist nicht definiert.").arg(line.tokens[k]));
        if (line.tokens[1] == line.tokens[2])
            refuse(section_, line.number,
                   QStringLiteral("Anfangs- und Endknoten sind derselbe Knoten."));
    }

    void claimLinkId(const InpLine& line) {
        if (linkIds_.contains(line.tokens[0]))
            refuse(section_, line.number,
                   QStringLiteral("Verbindung '%1' ist doppelt angegeben.").arg(line.tokens[0]));
        linkIds_.insert(line.tokens[0]);
    }

    void readPipes() {
        const double roughnessFactor =
            network_.headLoss == HeadLossFormula::DarcyWeisbach ? lengthFactor_ : 1.0;
        for (const InpLine& line : linesOf(QStringLiteral("PIPES"))) {
            require(line, 6);
            checkLink(line);
            EpanetPipe pipe;
            pipe.id = line.tokens[0];
            pipe.from = line.tokens[1];
            pipe.to = line.tokens[2];
            pipe.length = positive(line, 3, QStringLiteral("Die Länge")) * lengthFactor_;
            pipe.diameter = positive(line, 4, QStringLiteral("Der Durchmesser")) * diameterFactor_;
            pipe.roughness = positive(line, 5, QStringLiteral("Die Rauheit")) * roughnessFactor;
            pipe.line = line.number;
            readPipeTail(line, pipe);
            pipeIndex_.insert(pipe.id, static_cast<int>(network_.pipes.size()));
            network_.pipes.push_back(pipe);
        }
    }

    // Minor loss and status, in EPANET's order; either may be left out.
    void readPipeTail(const InpLine& line, EpanetPipe& pipe) const {
        for (int k = 6; k < line.tokens.size(); ++k) {
            const QString word = line.tokens[k].toUpper();
            if (word == QLatin1String("OPEN"))
                pipe.status = EpanetPipeStatus::Open;
            else if (word == QLatin1String("CLOSED"))
                pipe.status = EpanetPipeStatus::Closed;
            else if (word == QLatin1String("CV"))
                pipe.status = EpanetPipeStatus::CheckValve;
            else if (k == 6)
                pipe.minorLoss = nonNegative(line, k, QStringLiteral("Der Verlustbeiwert"));
            else
                refuse(section_, line.number,
                       QStringLiteral("unbekannte Angabe '%1'.").arg(line.tokens[k]));
        }
    }

    void readPumps() {
        for (const InpLine& line : linesOf(QStringLiteral("PUMPS"))) {
            require(line, 3);
            checkLink(line);
            EpanetPump pump;
            pump.id = line.tokens[0];
            pump.from = line.tokens[1];
            pump.to = line.tokens[2];
            pump.line = line.number;
            PumpCurve use{line.number, QString(), 1.0};
            readPumpProperties(line, use);
            pumpIndex_.insert(pump.id, static_cast<int>(network_.pumps.size()));
            network_.pumps.push_back(pump);
            pumpCurves_.push_back(use);
        }
    }

    struct PumpCurve {
        int line = 0;
        QString curve;
        double speed = 1.0;
    };

    void readPumpProperties(const InpLine& line, PumpCurve& use) const {
        for (int k = 3; k < line.tokens.size(); k += 2) {
            const QString key = line.tokens[k].toUpper();
            if (key == QLatin1String("POWER"))
                refuse(section_, line.number,
                       QStringLiteral("Pumpen mit fester Leistung (POWER) können nicht übernommen "
                                      "werden, nur Pumpen mit Kennlinie (HEAD)."));
            if (k + 1 >= line.tokens.size())
                refuse(section_, line.number,
                       QStringLiteral("zu '%1' fehlt der Wert.").arg(line.tokens[k]));
            if (key == QLatin1String("HEAD"))
                use.curve = line.tokens[k + 1];
            else if (key == QLatin1String("SPEED"))
                use.speed = positive(line, k + 1, QStringLiteral("Die Drehzahl"));
            else if (key != QLatin1String("PATTERN"))
                refuse(section_, line.number,
                       QStringLiteral("unbekannte Angabe '%1'.").arg(line.tokens[k]));
        }
        if (use.curve.isEmpty())
            refuse(section_, line.number, QStringLiteral("Pumpe ohne Kennlinie (HEAD)."));
        if (!curves_.contains(use.curve))
            refuse(section_, line.number,
                   QStringLiteral("Kennlinie '%1' fehlt in [CURVES].").arg(use.curve));
    }

    // Demands listed for a junction replace the demand of its [JUNCTIONS] line and add up.
    void readDemands() {
        QSet<int> listed;
        for (const InpLine& line : linesOf(QStringLiteral("DEMANDS"))) {
            require(line, 2);
            const auto it = nodeIndex_.constFind(line.tokens[0]);
            if (it == nodeIndex_.constEnd())
                refuse(section_, line.number,
                       QStringLiteral("Knoten '%1' ist nicht definiert.").arg(line.tokens[0]));
            EpanetNode& node = network_.nodes[*it];
            if (node.kind != EpanetNodeKind::Junction)
                refuse(section_, line.number,
                       QStringLiteral("Knoten '%1' ist kein Verbrauchsknoten.").arg(node.id));
            if (!listed.contains(*it))
                node.demand = 0.0;
            listed.insert(*it);
            node.demand += number(line, 1) * demandFactor_;
        }
    }

    void readStatus() {
        for (const InpLine& line : linesOf(QStringLiteral("STATUS"))) {
            require(line, 2);
            const QString id = line.tokens[0];
            const QString word = line.tokens[1].toUpper();
            if (pipeIndex_.contains(id)) {
                setPipeStatus(line, network_.pipes[pipeIndex_[id]], word);
            } else if (pumpIndex_.contains(id)) {
                setPumpStatus(line, pumpIndex_[id], word);
            } else {
                refuse(section_, line.number,
                       QStringLiteral("Verbindung '%1' ist nicht definiert.").arg(id));
            }
        }
    }

    void setPipeStatus(const InpLine& line, EpanetPipe& pipe, const QString& word) const {
        if (word == QLatin1String("CLOSED"))
            pipe.status = EpanetPipeStatus::Closed;
        else if (word == QLatin1String("OPEN"))
            pipe.status = pipe.status == EpanetPipeStatus::CheckValve ? EpanetPipeStatus::CheckValve
                                                                      : EpanetPipeStatus::Open;
        else
            refuse(section_, line.number,
                   QStringLiteral("unbekannter Zustand '%1'.").arg(line.tokens[1]));
    }

    // A number sets the pump's relative speed; 0 switches it off.
    void setPumpStatus(const InpLine& line, int pump, const QString& word) {
        if (word == QLatin1String("CLOSED")) {
            network_.pumps[pump].closed = true;
        } else if (word == QLatin1String("OPEN")) {
            network_.pumps[pump].closed = false;
        } else {
            const double speed = nonNegative(line, 1, QStringLiteral("Die Drehzahl"));
            network_.pumps[pump].closed = speed == 0.0;
            if (speed > 0.0)
                pumpCurves_[pump].speed = speed;
        }
    }

    // Support points of every pump from its curve, by the affinity laws at its speed. A single
    // point becomes the three-point curve EPANET builds from it.
    void applyPumpCurves() {
        section_ = QStringLiteral("CURVES");
        for (std::size_t i = 0; i < network_.pumps.size(); ++i) {
            const PumpCurve& use = pumpCurves_[i];
            const RawCurve& curve = curves_[use.curve];
            checkPumpCurve(use.curve, curve);
            std::vector<double> x = curve.x;
            std::vector<double> y = curve.y;
            if (x.size() == 1) {
                x = {0.0, x[0], 2.0 * x[0]};
                y = {4.0 / 3.0 * y[0], y[0], 0.0};
            }
            EpanetPump& pump = network_.pumps[i];
            for (std::size_t k = 0; k < x.size(); ++k) {
                pump.flows.push_back(x[k] * flowFactor_ * use.speed);
                pump.heads.push_back(y[k] * lengthFactor_ * use.speed * use.speed);
            }
        }
    }

    void checkPumpCurve(const QString& id, const RawCurve& curve) const {
        if (curve.x.size() == 2)
            refuse(section_, curve.line,
                   QStringLiteral("Kennlinie '%1' hat zwei Punkte; eine Pumpenkennlinie braucht "
                                  "einen oder mindestens drei Punkte.")
                       .arg(id));
        if (curve.x.size() == 1 && curve.x[0] <= 0.0)
            refuse(section_, curve.line,
                   QStringLiteral("Der Förderstrom der Kennlinie '%1' muss größer als 0 sein.")
                       .arg(id));
        for (std::size_t k = 1; k < curve.x.size(); ++k)
            if (curve.x[k] <= curve.x[k - 1])
                refuse(section_, curve.line,
                       QStringLiteral("Die Förderströme der Kennlinie '%1' steigen nicht an.")
                           .arg(id));
    }

    QHash<QString, Section> sections_;
    QString section_;
    EpanetNetwork network_;
    QHash<QString, int> nodeIndex_;
    QHash<QString, int> pipeIndex_;
    QHash<QString, int> pumpIndex_;
    QSet<QString> linkIds_;
    QHash<QString, RawCurve> curves_;
    std::vector<PumpCurve> pumpCurves_;
    double lengthFactor_ = 1.0;
    double diameterFactor_ = 1.0;
    double flowFactor_ = 1.0;
    double demandFactor_ = 1.0;
};

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

class Planner {
public:
    Planner(const EpanetNetwork& network, const QString& idsFile)
        : net_(network), idsFile_(idsFile) {}

    ImportPlan plan() {
        selectElements();
        checkLimits();
        numberElements();
        orderNodes();
        writeNodes();
        writePipes();
        writePumps();
        plan_.viscosity =
            germanLocale().toString(net_.relativeViscosity * kWater20Viscosity, 'f', 3);
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
    }

    void checkLimits() const {
        if (static_cast<int>(net_.nodes.size()) > kTableRows) {
            const EpanetNode& node = net_.nodes[kTableRows];
            refuse(sectionOf(node.kind), node.line,
                   QStringLiteral("mehr als %1 Knoten.").arg(kTableRows));
        }
        if (static_cast<int>(pipes_.size()) > kTableRows)
            refuse(QStringLiteral("PIPES"), pipes_[kTableRows]->line,
                   QStringLiteral("mehr als %1 Rohre.").arg(kTableRows));
        if (static_cast<int>(pumps_.size()) > kPumpBlocks)
            refuse(QStringLiteral("PUMPS"), pumps_[kPumpBlocks]->line,
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
            refuse(QStringLiteral("PUMPS"), pumps_.front()->line,
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

    double ks(const EpanetPipe& pipe) const {
        const double viscosity = net_.relativeViscosity * kWater20Viscosity * 1e-6;
        switch (net_.headLoss) {
            case HeadLossFormula::HazenWilliams:
                return equivalentKsHazenWilliams(pipe.roughness, pipe.diameter, viscosity);
            case HeadLossFormula::ChezyManning:
                return equivalentKsManning(pipe.roughness, pipe.diameter, viscosity);
            default:
                return pipe.roughness;
        }
    }

    // Each pipe runs from its earlier to its later node.
    void writePipes() {
        for (const EpanetPipe* pipe : pipes_) {
            QString start = pipe->from;
            QString end = pipe->to;
            if (position_[nodeIndex_[start]] > position_[nodeIndex_[end]])
                std::swap(start, end);
            plan_.pipeRows.push_back({QString::number(pipeNumbers_.value(pipe->id)),
                                      nodeNumber(start), nodeNumber(end), typedNumber(pipe->length),
                                      typedNumber(pipe->diameter), typedNumber(ks(*pipe)),
                                      typedNumber(pipe->minorLoss)});
        }
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
            designation.truncate(kDesignationLength);
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
                     .arg(net_.units, typedNumber(*litresPerSecond(net_.units)));
        if (usesFeet(net_.units))
            notes << QStringLiteral(
                "Längen und Höhen in Fuß umgerechnet in m (× 0,3048), "
                "Durchmesser in Zoll in mm (× 25,4).");
        if (net_.headLoss == HeadLossFormula::HazenWilliams)
            notes << QStringLiteral(
                "Rauheit nach Hazen-Williams (C) in gleichwertige ks-Werte "
                "umgerechnet (gleiches Reibungsgefälle bei 1 m/s).");
        if (net_.headLoss == HeadLossFormula::ChezyManning)
            notes << QStringLiteral(
                "Rauheit nach Manning (n) in gleichwertige ks-Werte "
                "umgerechnet (gleiches Reibungsgefälle bei 1 m/s).");
        notes << QStringLiteral("Viskosität: %1 · 10^-6 m²/s.").arg(plan_.viscosity);
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

    const EpanetNetwork& net_;
    QString idsFile_;
    ImportPlan plan_;
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

// Colebrook-White solved for ks: the roughness at which a pipe of diameter d [m] has the friction
// factor lambda at the reference velocity.
double ksForFrictionFactor(double lambda, double d, double viscosity) {
    const double reynolds = kReferenceVelocity * d / viscosity;
    const double root = std::sqrt(lambda);
    const double ks = 3.71 * d * (std::pow(10.0, -1.0 / (2.0 * root)) - 2.51 / (reynolds * root));
    return std::max(0.0, ks * 1000.0);
}

// Friction factor of a friction gradient at the reference velocity: S = lambda / d * v² / 2g.
double frictionFactor(double gradient, double d) {
    return gradient * d * kTwoG / (kReferenceVelocity * kReferenceVelocity);
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

QString withExtension(const QString& fileName, const QString& extension) {
    const QString name = namePart(fileName);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return fileName.left(fileName.size() - name.size()) + base + extension;
}

}  // namespace

std::optional<double> litresPerSecond(const QString& flowUnits) {
    static const QHash<QString, double> factors = {
        {QStringLiteral("LPS"), 1.0},
        {QStringLiteral("LPM"), 1.0 / 60.0},
        {QStringLiteral("MLD"), 1.0e6 / 86400.0},
        {QStringLiteral("CMH"), 1000.0 / 3600.0},
        {QStringLiteral("CMD"), 1000.0 / 86400.0},
        {QStringLiteral("CFS"), 28.316846592},
        {QStringLiteral("GPM"), 3.785411784 / 60.0},
        {QStringLiteral("MGD"), 3.785411784e6 / 86400.0},
        {QStringLiteral("IMGD"), 4.54609e6 / 86400.0},
        {QStringLiteral("AFD"), 1233481.83754752 / 86400.0},
    };
    const auto it = factors.constFind(flowUnits.toUpper());
    if (it == factors.constEnd())
        return std::nullopt;
    return *it;
}

bool usesFeet(const QString& flowUnits) {
    static const QStringList us = {"CFS", "GPM", "MGD", "IMGD", "AFD"};
    return us.contains(flowUnits.toUpper());
}

double equivalentKsHazenWilliams(double c, double diameterMm, double viscosity) {
    const double d = diameterMm * 1e-3;
    const double flow = kReferenceVelocity * kPi * d * d / 4.0;
    const double gradient =
        10.67 * std::pow(flow, 1.852) / (std::pow(c, 1.852) * std::pow(d, 4.871));
    return ksForFrictionFactor(frictionFactor(gradient, d), d, viscosity);
}

double equivalentKsManning(double n, double diameterMm, double viscosity) {
    const double d = diameterMm * 1e-3;
    const double gradient =
        n * n * kReferenceVelocity * kReferenceVelocity / std::pow(d / 4.0, 4.0 / 3.0);
    return ksForFrictionFactor(frictionFactor(gradient, d), d, viscosity);
}

EpanetNetwork parseInp(const QString& text) {
    return InpReader(text).read();
}

ImportPlan planImport(const EpanetNetwork& network, const QString& idsFile) {
    return Planner(network, idsFile).plan();
}

QString projectFileFor(const QString& inpFile) {
    return withExtension(inpFile, QStringLiteral(".ein"));
}

QString idsFileFor(const QString& inpFile) {
    return withExtension(inpFile, QStringLiteral(".ids"));
}

EpanetImportResult importEpanetFile(const QString& inpFile, const Tables& tables,
                                    ProjectSettings& settings) {
    const EpanetNetwork network = parseInp(readTextFile(inpFile));
    const QString idsFile = idsFileFor(inpFile);
    const ImportPlan plan = planImport(network, namePart(idsFile));
    if (!plan.idMapping.isEmpty())
        writeFileAtomically(idsFile, plan.idMapping.toUtf8());
    fillTables(plan, tables);
    settings.viscosity = plan.viscosity;
    if (isEmptyCell(settings.iterations))
        settings.iterations = QStringLiteral("1000");
    return {plan.notes.join(QLatin1Char('\n')), projectFileFor(inpFile)};
}

}  // namespace kolma
