// Reading an EPANET input file: its sections, options, nodes, links, curves, demands and
// states, checked and converted into the program's units.
#include <QHash>
#include <QSet>
#include <cmath>
#include <optional>

#include "EpanetImport.h"

namespace kolma {
namespace {

constexpr double kInch = 25.4;  // [mm]

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
const QStringList kReadSections = {"OPTIONS", "JUNCTIONS", "RESERVOIRS",  "TANKS",
                                   "PIPES",   "PUMPS",     "VALVES",      "CURVES",
                                   "DEMANDS", "STATUS",    "COORDINATES", "VERTICES"};
// Sections without meaning for the network's tables and its plan.
const QStringList kSilentSections = {"TITLE", "LABELS", "BACKDROP", "TAGS", "REPORT", "TIMES"};
// Pressure and flow control valves: no short pipe behaves like them.
const QStringList kUnrepresentableValves = {"PRV", "PSV", "PBV", "FCV", "PCV"};

// Sections of time-dependent or quality data: left out, but named in the message.
const QStringList kNamedSections = {"PATTERNS", "CONTROLS", "RULES",     "ENERGY", "EMITTERS",
                                    "QUALITY",  "SOURCES",  "REACTIONS", "MIXING", "LEAKAGE"};

[[noreturn]] void refuse(const QString& section, int line, const QString& what) {
    refuseEpanetLine(section, line, what);
}

// EPANET takes a keyword when the word begins with it, in any case ("Units", "HEADL", "lps").
bool matches(const QString& word, const char* keyword) {
    return word.toUpper().startsWith(QLatin1String(keyword));
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
            refuseEpanetFile(
                QStringLiteral("Zeile %1: Angabe vor dem ersten Abschnitt.").arg(number));
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
        readNodes(QStringLiteral("JUNCTIONS"), EpanetNodeKind::Junction);
        readNodes(QStringLiteral("RESERVOIRS"), EpanetNodeKind::Reservoir);
        readNodes(QStringLiteral("TANKS"), EpanetNodeKind::Tank);
        if (network_.nodes.empty())
            refuseEpanetFile(QStringLiteral("Die Datei enthält keine Knoten."));
        readCurves();
        readPipes();
        readPumps();
        readValves();
        readDemands();
        readStatus();
        readCoordinates();
        readVertices();
        applyPumpCurves();
        applyValveSettings();
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
            const QString& key = line.tokens[0];
            if (matches(key, "UNIT")) {
                require(line, 2);
                const auto unit = flowUnitNamed(line.tokens[1]);
                if (!unit)
                    refuse(
                        section_, line.number,
                        QStringLiteral("unbekannte Durchflusseinheit '%1'.").arg(line.tokens[1]));
                network_.units = *unit;
            } else if (matches(key, "HEADL")) {
                require(line, 2);
                network_.headLoss = headLossFormula(line);
            } else if (matches(key, "VISC")) {
                require(line, 2);
                network_.relativeViscosity = positive(line, 1, QStringLiteral("Die Viskosität"));
            } else if (matches(key, "DEMA") && line.tokens.size() >= 3 &&
                       matches(line.tokens[1], "MULT")) {
                multiplier = number(line, 2);
            }
        }
        const bool feet = usesFeet(network_.units);
        lengthFactor_ = feet ? kFoot : 1.0;
        diameterFactor_ = feet ? kInch : 1.0;
        flowFactor_ = litresPerSecond(network_.units);
        demandFactor_ = flowFactor_ * multiplier;
    }

    HeadLossFormula headLossFormula(const InpLine& line) const {
        const QString& name = line.tokens[1];
        if (matches(name, "D-W"))
            return HeadLossFormula::DarcyWeisbach;
        if (matches(name, "H-W"))
            return HeadLossFormula::HazenWilliams;
        if (matches(name, "C-M"))
            return HeadLossFormula::ChezyManning;
        refuse(section_, line.number,
               QStringLiteral("unbekannte Fließformel '%1'.").arg(line.tokens[1]));
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

    // A pipe, pump or valve joins two distinct defined nodes and has an ID of its own.
    template <typename Link>
    Link linkOf(const InpLine& line) {
        checkEnds(line);
        claimLinkId(line);
        Link link;
        link.id = line.tokens[0];
        link.from = line.tokens[1];
        link.to = line.tokens[2];
        return link;
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
            EpanetPipe pipe = linkOf<EpanetPipe>(line);
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
            const QString& word = line.tokens[k];
            if (matches(word, "OPEN"))
                pipe.status = EpanetPipeStatus::Open;
            else if (matches(word, "CLOSED"))
                pipe.status = EpanetPipeStatus::Closed;
            else if (matches(word, "CV"))
                pipe.status = EpanetPipeStatus::CheckValve;
            else if (k == 6)
                pipe.minorLoss = nonNegative(line, k, QStringLiteral("Der Verlustbeiwert"));
            else
                refuse(section_, line.number,
                       QStringLiteral("unbekannte Angabe '%1'.").arg(line.tokens[k]));
        }
    }

    // Throttle and general purpose valves are kept for a short pipe each; every valve the solver
    // cannot represent is collected, so that the refusal names them all.
    void readValves() {
        QStringList refused;
        for (const InpLine& line : linesOf(QStringLiteral("VALVES"))) {
            require(line, 6);
            EpanetValve valve = linkOf<EpanetValve>(line);
            const QString type = line.tokens[4].toUpper();
            if (kUnrepresentableValves.contains(type)) {
                refused << QStringLiteral("Zeile %1: %2 '%3'")
                               .arg(line.number)
                               .arg(type, line.tokens[0]);
                continue;
            }
            if (type != QLatin1String("TCV") && type != QLatin1String("GPV"))
                refuse(section_, line.number,
                       QStringLiteral("unbekannter Armaturentyp '%1'.").arg(line.tokens[4]));
            valve.type = type;
            valve.diameter = positive(line, 3, QStringLiteral("Der Durchmesser")) * diameterFactor_;
            valve.line = line.number;
            ValveSetting setting;
            if (type == QLatin1String("TCV"))
                setting.throttle = nonNegative(line, 5, QStringLiteral("Der Verlustbeiwert"));
            else
                valve.curve = line.tokens[5];
            if (line.tokens.size() > 6)
                setting.minorLoss = nonNegative(line, 6, QStringLiteral("Der Verlustbeiwert"));
            valveIndex_.insert(valve.id, static_cast<int>(network_.valves.size()));
            network_.valves.push_back(valve);
            valveSettings_.push_back(setting);
        }
        if (!refused.isEmpty())
            refuseEpanetFile(
                QStringLiteral("Armaturen, die das Berechnungsprogramm nicht abbilden kann "
                               "(Druckminderer PRV, Druckhalter PSV, Druckbrecher PBV, "
                               "Durchflussregler FCV, Stellarmaturen PCV), Abschnitt [VALVES]:\n") +
                refused.join(QLatin1Char('\n')));
    }

    // An active throttle valve loses its setting as loss coefficient; fixed open, only its
    // minor loss, as EPANET computes it.
    void applyValveSettings() {
        for (std::size_t i = 0; i < network_.valves.size(); ++i) {
            EpanetValve& valve = network_.valves[i];
            const ValveSetting& setting = valveSettings_[i];
            valve.closed = setting.status == ValveStatus::Closed;
            const bool throttling =
                valve.type == QLatin1String("TCV") && setting.status == ValveStatus::Active;
            valve.zeta = throttling ? setting.throttle : setting.minorLoss;
        }
    }

    void readPumps() {
        for (const InpLine& line : linesOf(QStringLiteral("PUMPS"))) {
            require(line, 3);
            EpanetPump pump = linkOf<EpanetPump>(line);
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
            const QString& word = line.tokens[1];
            if (pipeIndex_.contains(id)) {
                setPipeStatus(line, network_.pipes[pipeIndex_[id]], word);
            } else if (pumpIndex_.contains(id)) {
                setPumpStatus(line, pumpIndex_[id], word);
            } else if (valveIndex_.contains(id)) {
                setValveStatus(line, valveIndex_[id], word);
            } else {
                refuse(section_, line.number,
                       QStringLiteral("Verbindung '%1' ist nicht definiert.").arg(id));
            }
        }
    }

    QPointF point(const InpLine& line) const {
        require(line, 3);
        return {number(line, 1), number(line, 2)};
    }

    // A node listed twice takes its last place, as EPANET does.
    void readCoordinates() {
        for (const InpLine& line : linesOf(QStringLiteral("COORDINATES"))) {
            const QPointF at = point(line);
            if (!nodeIndex_.contains(line.tokens[0]))
                refuse(section_, line.number,
                       QStringLiteral("Knoten '%1' ist nicht definiert.").arg(line.tokens[0]));
            network_.coordinates.insert(line.tokens[0], at);
        }
    }

    // The bends of a link, in file order from its start to its end node.
    void readVertices() {
        for (const InpLine& line : linesOf(QStringLiteral("VERTICES"))) {
            const QPointF at = point(line);
            if (!linkIds_.contains(line.tokens[0]))
                refuse(section_, line.number,
                       QStringLiteral("Verbindung '%1' ist nicht definiert.").arg(line.tokens[0]));
            network_.vertices[line.tokens[0]].push_back(at);
        }
    }

    void setPipeStatus(const InpLine& line, EpanetPipe& pipe, const QString& word) const {
        if (matches(word, "CLOSED"))
            pipe.status = EpanetPipeStatus::Closed;
        else if (matches(word, "OPEN"))
            pipe.status = pipe.status == EpanetPipeStatus::CheckValve ? EpanetPipeStatus::CheckValve
                                                                      : EpanetPipeStatus::Open;
        else
            refuse(section_, line.number,
                   QStringLiteral("unbekannter Zustand '%1'.").arg(line.tokens[1]));
    }

    // A number sets the pump's relative speed; 0 switches it off.
    void setPumpStatus(const InpLine& line, int pump, const QString& word) {
        if (matches(word, "CLOSED")) {
            network_.pumps[pump].closed = true;
        } else if (matches(word, "OPEN")) {
            network_.pumps[pump].closed = false;
        } else {
            const double speed = nonNegative(line, 1, QStringLiteral("Die Drehzahl"));
            network_.pumps[pump].closed = speed == 0.0;
            if (speed > 0.0)
                pumpCurves_[pump].speed = speed;
        }
    }

    // A valve fixed open throttles with its minor loss only; a closed one is left out.
    void setValveStatus(const InpLine& line, int valve, const QString& word) {
        if (matches(word, "CLOSED"))
            valveSettings_[valve].status = ValveStatus::Closed;
        else if (matches(word, "OPEN"))
            valveSettings_[valve].status = ValveStatus::Open;
        else
            refuse(section_, line.number,
                   QStringLiteral("unbekannter Zustand '%1'.").arg(line.tokens[1]));
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
            if (const auto power = powerCurveOf(curve)) {
                if (!power->valid())
                    refuse(section_, curve.line,
                           QStringLiteral("Kennlinie '%1': die Förderhöhen fallen nicht mit dem "
                                          "Förderstrom.")
                               .arg(use.curve));
                samplePowerCurve(*power, x, y);
            }
            EpanetPump& pump = network_.pumps[i];
            for (std::size_t k = 0; k < x.size(); ++k) {
                pump.flows.push_back(x[k] * flowFactor_ * use.speed);
                pump.heads.push_back(y[k] * lengthFactor_ * use.speed * use.speed);
            }
        }
    }

    // EPANET turns a curve of one point, or of three starting at zero flow, into the power
    // function h = a + b q^c through three points (a single point (q, h) stands for
    // (0, 1.33334 h), (q, h), (2q, 0)); other curves it follows point by point.
    struct PowerCurve {
        double a = 0.0;
        double b = 0.0;
        double c = 0.0;
        bool valid() const { return b < 0.0 && c > 0.0 && c <= 20.0; }
        double maxFlow() const { return std::pow(-a / b, 1.0 / c); }
    };

    static std::optional<PowerCurve> powerCurveOf(const RawCurve& curve) {
        double h0, h1, h2, q1, q2;
        if (curve.x.size() == 1) {
            q1 = curve.x[0];
            h1 = curve.y[0];
            h0 = 1.33334 * h1;
            q2 = 2.0 * q1;
            h2 = 0.0;
        } else if (curve.x.size() == 3 && curve.x[0] == 0.0) {
            h0 = curve.y[0];
            q1 = curve.x[1];
            h1 = curve.y[1];
            q2 = curve.x[2];
            h2 = curve.y[2];
        } else {
            return std::nullopt;
        }
        constexpr double kTiny = 1e-6;
        PowerCurve power;
        if (h0 < kTiny || h0 - h1 < kTiny || h1 - h2 < kTiny || q1 < kTiny || q2 - q1 < kTiny)
            return power;
        power.a = h0;
        power.c = std::log((h0 - h2) / (h0 - h1)) / std::log(q2 / q1);
        power.b = -(h0 - h1) / std::pow(q1, power.c);
        return power;
    }

    // The solver follows a curve through support points; eight of them spread from zero flow to
    // the flow at which the power function's head falls to zero keep EPANET's shape.
    static void samplePowerCurve(const PowerCurve& power, std::vector<double>& x,
                                 std::vector<double>& y) {
        x.clear();
        y.clear();
        const double maxFlow = power.maxFlow();
        for (int k = 0; k < kSupportPoints; ++k) {
            const double q = maxFlow * k / (kSupportPoints - 1);
            x.push_back(q);
            y.push_back(k == kSupportPoints - 1 ? 0.0 : power.a + power.b * std::pow(q, power.c));
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
    QHash<QString, int> valveIndex_;
    QSet<QString> linkIds_;
    QHash<QString, RawCurve> curves_;
    std::vector<PumpCurve> pumpCurves_;
    enum class ValveStatus { Active, Open, Closed };
    struct ValveSetting {
        double throttle = 0.0;   // a TCV's loss coefficient while it throttles
        double minorLoss = 0.0;  // the valve's loss when fixed open
        ValveStatus status = ValveStatus::Active;
    };
    std::vector<ValveSetting> valveSettings_;
    double lengthFactor_ = 1.0;
    double diameterFactor_ = 1.0;
    double flowFactor_ = 1.0;
    double demandFactor_ = 1.0;
};

// EPANET's flow units with litres per second in one unit, in the order EPANET tries them.
struct FlowUnit {
    const char* name;
    double litresPerSecond;
    bool feet;  // lengths and heads in feet, diameters in inches
};
const FlowUnit kFlowUnits[] = {
    {"CFS", 28.316846592, true},
    {"GPM", 3.785411784 / 60.0, true},
    {"AFD", 1233481.83754752 / 86400.0, true},
    {"MGD", 3.785411784e6 / 86400.0, true},
    {"IMGD", 4.54609e6 / 86400.0, true},
    {"LPS", 1.0, false},
    {"LPM", 1.0 / 60.0, false},
    {"CMH", 1000.0 / 3600.0, false},
    {"CMD", 1000.0 / 86400.0, false},
    {"CMS", 1000.0, false},
    {"MLD", 1.0e6 / 86400.0, false},
};

const FlowUnit* flowUnit(const QString& name) {
    for (const FlowUnit& unit : kFlowUnits)
        if (name == QLatin1String(unit.name))
            return &unit;
    return nullptr;
}

}  // namespace

[[noreturn]] void refuseEpanetLine(const QString& section, int line, const QString& what) {
    refuseEpanetFile(
        QStringLiteral("Abschnitt [%1], Zeile %2: %3").arg(section, QString::number(line), what));
}

[[noreturn]] void refuseEpanetFile(const QString& what) {
    throw EpanetRefusal(QStringLiteral("Das EPANET-Netz wird nicht übernommen.\n") + what +
                        QStringLiteral("\nDie Tabellen bleiben unverändert."));
}

std::optional<QString> flowUnitNamed(const QString& word) {
    for (const FlowUnit& unit : kFlowUnits)
        if (matches(word, unit.name))
            return QString::fromLatin1(unit.name);
    // The unit system "SI" stands for litres per second.
    if (matches(word, "SI"))
        return QStringLiteral("LPS");
    return std::nullopt;
}

double litresPerSecond(const QString& flowUnitName) {
    const FlowUnit* unit = flowUnit(flowUnitName);
    return unit ? unit->litresPerSecond : 1.0;
}

bool usesFeet(const QString& flowUnitName) {
    const FlowUnit* unit = flowUnit(flowUnitName);
    return unit && unit->feet;
}

EpanetNetwork parseInp(const QString& text) {
    return InpReader(text).read();
}

}  // namespace kolma
