#include "PlanCoordinates.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <optional>

#include "Listing.h"
#include "Network.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kGivenSection = QStringLiteral("KNOTEN");
const QString kAutomaticSection = QStringLiteral("AUTOMATISCH");
const QString kBendSection = QStringLiteral("KNICKPUNKTE");
constexpr int kListedProblems = 5;  // lines named in the message

// The shortest text that reads back as the same number, with a decimal point.
QString coordinateText(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> coordinateOf(const QString& token) {
    bool ok = false;
    const double value = token.toDouble(&ok);  // C locale: decimal point whatever the machine's
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString notANumber(const QString& token) {
    return token.contains(QLatin1Char(','))
               ? QStringLiteral("'%1' ist keine gültige Zahl (Dezimalpunkt erwartet).").arg(token)
               : QStringLiteral("'%1' ist keine gültige Zahl.").arg(token);
}

void appendNodes(QString& text, const PlanCoordinates& coordinates, Placement placement) {
    for (const auto& [number, place] : coordinates.nodes)
        if (place.placement == placement)
            text += QStringLiteral("%1\t%2\t%3\n")
                        .arg(number)
                        .arg(coordinateText(place.at.x()), coordinateText(place.at.y()));
}

// Reads the lines of a side file section by section.
class PlanFileReader {
public:
    PlanFileReading read(const QString& text) {
        for (const DataLine& line : dataLines(text))
            readLine(line.number, line.text);
        return std::move(reading_);
    }

private:
    enum class Section { Given, Automatic, Bends, Unknown };

    void problem(int line, const QString& what) {
        reading_.problems << QStringLiteral("Zeile %1: %2").arg(line).arg(what);
    }

    void readLine(int line, const QString& content) {
        if (content.startsWith(QLatin1Char('['))) {
            readHeader(line, content);
            return;
        }
        const QStringList tokens = content.split(QRegularExpression(QStringLiteral("\\s+")));
        switch (section_) {
            case Section::Given:
                return readNode(line, tokens, Placement::Given);
            case Section::Automatic:
                return readNode(line, tokens, Placement::Automatic);
            case Section::Bends:
                return readBends(line, tokens);
            case Section::Unknown:
                return;  // named once, at its header
        }
    }

    void readHeader(int line, const QString& content) {
        const QString name = content.mid(1, content.indexOf(QLatin1Char(']')) - 1).trimmed();
        if (name.compare(kGivenSection, Qt::CaseInsensitive) == 0) {
            section_ = Section::Given;
        } else if (name.compare(kAutomaticSection, Qt::CaseInsensitive) == 0) {
            section_ = Section::Automatic;
        } else if (name.compare(kBendSection, Qt::CaseInsensitive) == 0) {
            section_ = Section::Bends;
        } else {
            section_ = Section::Unknown;
            problem(line, QStringLiteral("unbekannter Abschnitt [%1]; seine Zeilen werden "
                                         "übergangen.")
                              .arg(name));
        }
    }

    void readNode(int line, const QStringList& tokens, Placement placement) {
        if (tokens.size() != 3) {
            problem(line, QStringLiteral("erwartet werden Knotennummer, x und y."));
            return;
        }
        bool ok = false;
        const int number = tokens[0].toInt(&ok);
        if (!ok) {
            problem(line, QStringLiteral("'%1' ist keine gültige Knotennummer.").arg(tokens[0]));
            return;
        }
        const auto x = coordinateOf(tokens[1]);
        const auto y = coordinateOf(tokens[2]);
        if (!x || !y) {
            problem(line, notANumber(x ? tokens[2] : tokens[1]));
            return;
        }
        const auto [where, added] = nodeLines_.insert({number, line});
        if (!added) {
            problem(line, QStringLiteral("Knoten %1 steht schon in Zeile %2.")
                              .arg(number)
                              .arg(where->second));
            return;
        }
        reading_.coordinates.nodes[number] = {QPointF(*x, *y), placement};
    }

    void readBends(int line, const QStringList& tokens) {
        if (tokens.size() < 3 || tokens.size() % 2 == 0) {
            problem(line, QStringLiteral("erwartet werden Strangnummer und Paare aus x und y."));
            return;
        }
        std::vector<QPointF> bends;
        for (int k = 1; k + 1 < tokens.size(); k += 2) {
            const auto x = coordinateOf(tokens[k]);
            const auto y = coordinateOf(tokens[k + 1]);
            if (!x || !y) {
                problem(line, notANumber(x ? tokens[k + 1] : tokens[k]));
                return;
            }
            bends.emplace_back(*x, *y);
        }
        if (reading_.coordinates.bends.count(tokens[0]) > 0) {
            problem(line, QStringLiteral("Strang %1 steht schon weiter oben.").arg(tokens[0]));
            return;
        }
        reading_.coordinates.bends[tokens[0]] = std::move(bends);
    }

    Section section_ = Section::Given;
    std::map<int, int> nodeLines_;  // node number -> line
    PlanFileReading reading_;
};

}  // namespace

QString planFileFor(const QString& projectFile) {
    return replacedExtension(projectFile, QStringLiteral(".lage"));
}

QByteArray planFileBytes(const PlanCoordinates& coordinates) {
    QString text = QStringLiteral(
                       "; KOLMA Lageplan: Knotennummer, x [m], y [m]\n"
                       "[%1]\n")
                       .arg(kGivenSection);
    appendNodes(text, coordinates, Placement::Given);
    text += QStringLiteral("[%1]\n").arg(kAutomaticSection);
    appendNodes(text, coordinates, Placement::Automatic);
    text += QStringLiteral(
                "[%1]\n"
                "; Strangnummer, dann x [m] und y [m] jedes Knickpunkts vom Anfangs- zum "
                "Endknoten\n")
                .arg(kBendSection);
    for (const auto& [pipe, bends] : coordinates.bends) {
        if (bends.empty())
            continue;
        text += pipe;
        for (const QPointF& bend : bends)
            text +=
                QStringLiteral("\t%1\t%2").arg(coordinateText(bend.x()), coordinateText(bend.y()));
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

PlanFileReading parsePlanFile(const QString& text) {
    return PlanFileReader().read(text);
}

QString planFileProblemText(const QString& fileName, const QStringList& problems) {
    return QStringLiteral(
               "Die Lagedatei \"%1\" enthält Zeilen, die nicht gelesen werden können:\n%2\n"
               "Diese Zeilen werden übergangen; ihre Knoten werden neu angeordnet. Die Tabellen "
               "sind vollständig geladen.")
        .arg(
            fileName,
            shortened(problems, kListedProblems, QStringLiteral("Zeilen")).join(QLatin1Char('\n')));
}

PlanCoordinates restrictedTo(const PlanCoordinates& coordinates, const Network& network) {
    PlanCoordinates kept;
    kept.origin = coordinates.origin;
    for (const NodeRecord& node : network.nodes) {
        const auto place = coordinates.nodes.find(node.number);
        if (place != coordinates.nodes.end())
            kept.nodes.insert(*place);
    }
    for (const PipeRecord& pipe : network.pipes) {
        const auto bends = coordinates.bends.find(pipe.number.typed.trimmed());
        if (bends != coordinates.bends.end())
            kept.bends.insert(*bends);
    }
    return kept;
}

}  // namespace kolma
