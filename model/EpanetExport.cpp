#include "EpanetExport.h"

#include <QLocale>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "EpanetImport.h"
#include "tarnholm/element_laws.h"

namespace kolma {
namespace {

constexpr int kLongestId = 31;  // characters of an EPANET ID
constexpr int kColumnWidth = 15;
// A curve of three points from zero flow is a power function for EPANET. The solver follows its
// Hermite curve instead: straight segments through eight of its points stray from it by less
// than 1 % of the curve's head span, the power function by up to 3 % (measured on typical
// curves). Eight points are what the tables hold, so the import reads them back unchanged.
constexpr int kSampledPoints = kSupportPoints;

// Decimal points whatever the locale, as few digits as give the number back.
QString number(double value) {
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString line(const QStringList& fields) {
    QString text = QStringLiteral(" ");
    for (int i = 0; i < fields.size(); ++i)
        text += i + 1 < fields.size() ? fields[i].leftJustified(kColumnWidth) + QLatin1Char('\t')
                                      : fields[i];
    return text + QLatin1Char('\n');
}

[[noreturn]] void refuse(const QString& what) {
    throw EpanetExportRefusal(
        QStringLiteral("Das Netz kann nicht als EPANET-Datei geschrieben werden.\n") + what);
}

// EPANET IDs are single words of at most 31 characters without ';' and '"', unique among nodes
// and among links. A name that cannot be one takes the fallback, a taken one a suffix "_2",
// "_3", ...
class IdSet {
public:
    QString claim(const QString& wanted, const QString& fallback, QStringList& renamed) {
        QString id = usable(wanted) ? wanted : fallback;
        if (used_.contains(id)) {
            int k = 2;
            while (used_.contains(id + QStringLiteral("_%1").arg(k)))
                ++k;
            id += QStringLiteral("_%1").arg(k);
        }
        if (id != wanted)
            renamed << QStringLiteral("%1 → %2").arg(wanted, id);
        used_.insert(id);
        return id;
    }

private:
    static bool usable(const QString& id) {
        if (id.isEmpty() || id.size() > kLongestId)
            return false;
        return std::none_of(id.begin(), id.end(), [](QChar c) {
            return c.isSpace() || c == QLatin1Char(';') || c == QLatin1Char('"');
        });
    }

    QSet<QString> used_;
};

struct CurvePoints {
    std::vector<double> flows;  // [l/s]
    std::vector<double> heads;  // [m]
};

CurvePoints supportPoints(const PumpRecord& pump) {
    CurvePoints points;
    for (int k = 0; k < pump.supportCount; ++k) {
        points.flows.push_back(pump.flows[k].number);
        points.heads.push_back(pump.heads[k].number);
    }
    return points;
}

bool flowsRiseAndHeadsFall(const CurvePoints& points) {
    for (std::size_t k = 0; k < points.flows.size(); ++k) {
        if (!std::isfinite(points.flows[k]) || !std::isfinite(points.heads[k]))
            return false;
        if (k > 0 &&
            (points.flows[k] <= points.flows[k - 1] || points.heads[k] >= points.heads[k - 1]))
            return false;
    }
    return true;
}

// The head the solver's pump gives at a flow: the tangent it linearises the curve with there.
double solverHead(tarnholm::Pump pump, double flow) {
    pump.flow = flow;
    tarnholm::PumpLinearization(pump);
    return pump.tangentHead - flow * tarnholm::kMilli / pump.conductance;
}

// Sampled flows and heads are written to a thousandth of their unit, as a user would type them.
double toThousandths(double value) {
    return std::round(value * 1000.0) / 1000.0;
}

// Points of the solver's curve through three support points from zero flow: the three, and the
// others spread over the two intervals by their widths.
CurvePoints sampledCurve(const CurvePoints& support) {
    tarnholm::Pump pump{};
    pump.supportCount = 3;
    for (int k = 0; k < 3; ++k) {
        pump.supportFlow[k] = support.flows[k];
        pump.supportHead[k] = support.heads[k];
    }
    const int extra = kSampledPoints - 3;
    const int first = std::clamp(
        static_cast<int>(std::lround(extra * support.flows[1] / support.flows[2])), 1, extra - 1);
    const int parts[2] = {first + 1, extra - first + 1};
    CurvePoints points;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < parts[j]; ++i) {
            const double q = toThousandths(
                support.flows[j] + (support.flows[j + 1] - support.flows[j]) * i / parts[j]);
            points.flows.push_back(q);
            points.heads.push_back(i == 0 ? support.heads[j] : toThousandths(solverHead(pump, q)));
        }
    }
    points.flows.push_back(support.flows[2]);
    points.heads.push_back(support.heads[2]);
    return points;
}

bool isPowerCurve(const CurvePoints& points) {
    return points.flows.size() == 3 && points.flows[0] == 0.0;
}

class Writer {
public:
    Writer(const Network& network, const PlanCoordinates& coordinates)
        : net_(network), coordinates_(coordinates) {}

    EpanetExport write(const QString& title) {
        requireNumbers(net_);
        checkPipes();
        nameElements();
        // One line that no reader takes for a section.
        QString titleLine = QStringLiteral("KOLMA-Projekt ") + title;
        titleLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text_ += QStringLiteral("[TITLE]\n") + titleLine + QStringLiteral("\n\n");
        writeOptions();
        writeNodes();
        writePipes();
        writePumps();
        writeCoordinates();
        text_ += QStringLiteral("[END]\n");
        return {text_.toUtf8(), notes()};
    }

private:
    void checkPipes() const {
        for (const PipeRecord& pipe : net_.pipes) {
            const QString name = pipe.number.typed.trimmed();
            if (!(pipe.length.number > 0.0))
                refuse(QStringLiteral("Rohr %1: Die Länge muss größer als 0 sein.").arg(name));
            if (!(pipe.diameter.number > 0.0))
                refuse(
                    QStringLiteral("Rohr %1: Der Durchmesser muss größer als 0 sein.").arg(name));
            if (pipe.roughness.number < 0.0)
                refuse(QStringLiteral("Rohr %1: Die Rauheit darf nicht negativ sein.").arg(name));
            if (pipe.zeta.number < 0.0)
                refuse(QStringLiteral("Rohr %1: Der Verlustbeiwert darf nicht negativ sein.")
                           .arg(name));
        }
    }

    void nameElements() {
        IdSet nodeIds;
        for (const NodeRecord& node : net_.nodes)
            nodeIds_ << nodeIds.claim(QString::number(node.number),
                                      QStringLiteral("K%1").arg(node.row), renamed_);
        IdSet linkIds;
        for (const PipeRecord& pipe : net_.pipes)
            pipeIds_ << linkIds.claim(pipe.number.typed.trimmed(),
                                      QStringLiteral("R%1").arg(pipe.row), renamed_);
        for (const PumpRecord& pump : net_.pumps)
            pumpIds_ << linkIds.claim(pump.type.trimmed(),
                                      QStringLiteral("Pumpe%1").arg(pump.block), renamed_);
    }

    void writeOptions() {
        text_ += QStringLiteral("[OPTIONS]\n");
        text_ += line({QStringLiteral("UNITS"), QStringLiteral("LPS")});
        text_ += line({QStringLiteral("HEADLOSS"), QStringLiteral("D-W")});
        text_ += line({QStringLiteral("VISCOSITY"), number(net_.viscosity / kWater20Viscosity)});
        text_ += QLatin1Char('\n');
    }

    void writeNodes() {
        QString junctions = QStringLiteral("[JUNCTIONS]\n;ID\tElev\tDemand\n");
        QString reservoirs = QStringLiteral("[RESERVOIRS]\n;ID\tHead\n");
        for (std::size_t i = 0; i < net_.nodes.size(); ++i) {
            const NodeRecord& node = net_.nodes[i];
            const double inflow = node.inflow.orElse(0.0);
            const double withdrawal = node.withdrawal.orElse(0.0);
            const double elevation =
                node.hasKnownHead() ? node.knownHead.number : node.invert.orElse(0.0);
            for (const Value* height : {&node.ground, &node.invert})
                if (height->isNumber() && height->number != elevation)
                    heightsLost_ = true;
            if (node.hasKnownHead()) {
                reservoirs += line({nodeIds_[i], number(node.knownHead.number)});
                if (inflow != 0.0 || withdrawal != 0.0)
                    reservoirFlows_ << nodeIds_[i];
            } else {
                junctions += line({nodeIds_[i], number(elevation), number(withdrawal - inflow)});
            }
        }
        text_ += junctions + QLatin1Char('\n') + reservoirs + QLatin1Char('\n');
    }

    void writePipes() {
        text_ += QStringLiteral(
            "[PIPES]\n;ID\tNode1\tNode2\tLength\tDiameter\tRoughness\t"
            "MinorLoss\tStatus\n");
        for (std::size_t p = 0; p < net_.pipes.size(); ++p) {
            const PipeRecord& pipe = net_.pipes[p];
            double roughness = pipe.roughness.number;
            if (roughness == 0.0) {
                roughness = kSmoothRoughness;
                smoothPipes_ << pipeIds_[p];
            }
            text_ += line({pipeIds_[p], nodeIds_[pipe.startNode], nodeIds_[pipe.endNode],
                           number(pipe.length.number), number(pipe.diameter.number),
                           number(roughness), number(pipe.zeta.number), QStringLiteral("Open")});
        }
        text_ += QLatin1Char('\n');
    }

    // A pump of one support point carries nothing in the solver: it is left out. Three points
    // from zero flow become points of the solver's curve, unless that does not fall throughout:
    // then EPANET's power function through the three stands for it.
    void writePumps() {
        QString pumps;
        QString curves;
        for (std::size_t k = 0; k < net_.pumps.size(); ++k) {
            const PumpRecord& pump = net_.pumps[k];
            const QString& id = pumpIds_[k];
            const CurvePoints support = supportPoints(pump);
            if (!flowsRiseAndHeadsFall(support))
                refuse(QStringLiteral("Pumpe %1: EPANET verlangt eine Kennlinie mit steigenden "
                                      "Förderströmen und fallenden Förderhöhen.")
                           .arg(pump.type.trimmed()));
            if (support.flows.size() == 1) {
                idlePumps_ << id;
                continue;
            }
            CurvePoints points = support;
            if (isPowerCurve(support)) {
                const CurvePoints sampled = sampledCurve(support);
                if (flowsRiseAndHeadsFall(sampled)) {
                    points = sampled;
                    sampledPumps_ << id;
                }
            }
            pumps += line(
                {id, nodeIds_[pump.startNode], nodeIds_[pump.endNode], QStringLiteral("HEAD"), id});
            curves += QStringLiteral(";PUMP: ") + pump.type.trimmed() + QLatin1Char('\n');
            for (std::size_t i = 0; i < points.flows.size(); ++i)
                curves += line({id, number(points.flows[i]), number(points.heads[i])});
        }
        if (pumps.isEmpty())
            return;
        text_ +=
            QStringLiteral("[PUMPS]\n;ID\tNode1\tNode2\tParameters\n") + pumps + QLatin1Char('\n');
        text_ += QStringLiteral("[CURVES]\n;ID\tX-Value\tY-Value\n") + curves + QLatin1Char('\n');
    }

    // Places of the first node of each number, bends of the first pipe of each number.
    void writeCoordinates() {
        QString places;
        QSet<int> placed;
        for (std::size_t i = 0; i < net_.nodes.size(); ++i) {
            const int nodeNumber = net_.nodes[i].number;
            const auto at = coordinates_.nodes.find(nodeNumber);
            if (at == coordinates_.nodes.end() || placed.contains(nodeNumber))
                continue;
            placed.insert(nodeNumber);
            places += line({nodeIds_[i], number(at->second.at.x()), number(at->second.at.y())});
        }
        QString vertices;
        QSet<QString> bent;
        for (std::size_t p = 0; p < net_.pipes.size(); ++p) {
            const QString name = net_.pipes[p].number.typed.trimmed();
            const auto bends = coordinates_.bends.find(name);
            if (bends == coordinates_.bends.end() || bent.contains(name))
                continue;
            bent.insert(name);
            for (const QPointF& at : bends->second)
                vertices += line({pipeIds_[p], number(at.x()), number(at.y())});
        }
        if (!places.isEmpty())
            text_ += QStringLiteral("[COORDINATES]\n;Node\tX-Coord\tY-Coord\n") + places +
                     QLatin1Char('\n');
        if (!vertices.isEmpty())
            text_ += QStringLiteral("[VERTICES]\n;Link\tX-Coord\tY-Coord\n") + vertices +
                     QLatin1Char('\n');
    }

    QStringList notes() const {
        QStringList notes;
        const auto note = [&notes](const QString& text, const QStringList& ids) {
            if (!ids.isEmpty())
                notes << text.arg(ids.join(QStringLiteral(", ")));
        };
        if (heightsLost_)
            notes << QStringLiteral(
                "EPANET kennt je Knoten nur eine Höhe: Verbrauchsknoten stehen mit ihrer "
                "Rohrsohle (RS) in der Datei, Knoten mit bekanntem Druck als Behälter mit diesem "
                "Druck; die Geländehöhen (GOK) und die Rohrsohlen der Behälter fehlen.");
        note(QStringLiteral("Zugabe und Entnahme an Knoten mit bekanntem Druck entfallen "
                            "(EPANET-Behälter): %1"),
             reservoirFlows_);
        note(QStringLiteral("Rohre mit ks = 0 als hydraulisch glatt mit ks = %1 mm geschrieben "
                            "(EPANET verlangt eine Rauheit größer als 0): %2")
                 .arg(QString::number(kSmoothRoughness, 'f', 6)),
             smoothPipes_);
        note(QStringLiteral("Pumpen mit nur einem Stützpunkt fördern nichts und fehlen in der "
                            "Datei: %1"),
             idlePumps_);
        note(QStringLiteral("Kennlinien aus drei Stützpunkten ab Förderstrom 0 als %1 Punkte der "
                            "Kennlinie des Berechnungsprogramms geschrieben (EPANET machte "
                            "daraus eine Potenzfunktion): %2")
                 .arg(kSampledPoints),
             sampledPumps_);
        note(QStringLiteral("Umbenannt (EPANET verlangt eindeutige IDs ohne Leerzeichen, "
                            "höchstens 31 Zeichen): %1"),
             renamed_);
        return notes;
    }

    const Network& net_;
    const PlanCoordinates& coordinates_;
    QString text_;
    QStringList nodeIds_, pipeIds_, pumpIds_;
    QStringList renamed_, reservoirFlows_, smoothPipes_, idlePumps_, sampledPumps_;
    bool heightsLost_ = false;
};

}  // namespace

EpanetExport epanetExportOf(const Network& network, const PlanCoordinates& coordinates,
                            const QString& title) {
    return Writer(network, coordinates).write(title);
}

}  // namespace kolma
