#include "ProjectFile.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

#include "CellTable.h"
#include "Numbers.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kEingabe = QString::fromLatin1(kEingabeFile);

// The format kind written. Kind 3 carries the settings; kinds 2 and 3 list the node numbers and
// refer to nodes by their index in that list, kind 1 by their numbers.
constexpr int kWrittenKind = 3;
constexpr int kFirstKindWithNodeList = 2;

class EingabeWriter {
public:
    explicit EingabeWriter(const Network& network) : net_(network) {}

    QByteArray text() {
        writeHeader();
        for (const NodeRecord& node : net_.nodes)
            out_ += node.numberText + QLatin1Char('\n');
        out_ += QLatin1Char('\n');
        for (const PipeRecord& pipe : net_.pipes)
            writePipe(pipe);
        out_ += QStringLiteral("\n\n");
        for (const PumpRecord& pump : net_.pumps)
            writePump(pump);
        out_ += QStringLiteral("\n\n");
        for (int index = 0; index < static_cast<int>(net_.nodes.size()); ++index)
            writeNode(index, net_.nodes[index]);
        return out_.toUtf8();
    }

private:
    void field(const QString& text) { out_ += text + QLatin1Char('\t'); }

    void writeHeader() {
        field(QString::number(kWrittenKind));
        field(net_.settings.viscosity);
        field(net_.settings.iterations);
        field(QString::number(net_.pipes.size()));
        field(QString::number(net_.nodes.size()));
        field(QString::number(net_.pumps.size()));
        out_ += QString::number(net_.knownHeadCount()) + QStringLiteral("\n\n");
    }

    void writePipe(const PipeRecord& pipe) {
        for (const QString& text :
             {pipe.number.typed, QString::number(pipe.startNode), QString::number(pipe.endNode),
              pipe.length.typed, pipe.diameter.typed, pipe.roughness.typed, pipe.zeta.typed})
            field(text);
        out_ += QLatin1Char('\n');
    }

    void writePump(const PumpRecord& pump) {
        field(pump.type);
        field(QString::number(pump.startNode));
        field(QString::number(pump.endNode));
        out_ += QString::number(pump.supportCount) + QLatin1Char('\n');
        for (const Value& head : pump.heads)
            field(isEmptyHead(head.typed) ? kPlaceholder : head.typed);
        out_ += QLatin1Char('\n');
        for (const Value& flow : pump.flows)
            field(flow.typed == QLatin1String(" ") ? kPlaceholder : flow.typed);
        out_ += QStringLiteral("\n\n");
    }

    void writeNode(int index, const NodeRecord& node) {
        field(QString::number(index));
        for (const Value* value :
             {&node.knownHead, &node.inflow, &node.withdrawal, &node.ground, &node.invert})
            field(isEmptyCell(value->typed) ? kPlaceholder : value->typed);
        out_ += QLatin1Char('\n');
    }

    const Network& net_;
    QString out_;
};

// Whitespace-separated tokens of a project text, handed out in order.
class Tokens {
public:
    explicit Tokens(const QByteArray& text)
        : tokens_(decodeText(text).split(QRegularExpression(QStringLiteral("\\s+")),
                                         Qt::SkipEmptyParts)) {}

    QString next() {
        if (pos_ >= tokens_.size())
            throw KolmaError(QStringLiteral("Die Datei %1 endet vorzeitig.").arg(kEingabe));
        return tokens_[pos_++];
    }

    // A flag or count: a whole number of at most 4 characters within 0 ... limit.
    int count(const QString& what, int limit) {
        const QString token = next();
        bool ok = token.size() <= 4;
        const int value = ok ? token.toInt(&ok) : 0;
        if (!ok || value < 0 || value > limit)
            throw KolmaError(QStringLiteral("Ungültige %1 '%2' in %3 (erlaubt: 0 bis %4).")
                                 .arg(what, token, kEingabe)
                                 .arg(limit));
        return value;
    }

private:
    QStringList tokens_;
    int pos_ = 0;
};

class ProjectReader {
public:
    ProjectReader(const QByteArray& text, const Tables& tables) : tokens_(text), t_(tables) {}

    void read(ProjectSettings& settings) {
        flag_ = tokens_.count(QStringLiteral("Formatkennung"), 9999);
        if (flag_ == kWrittenKind) {
            settings.viscosity = tokens_.next();
            settings.iterations = tokens_.next();
        }
        const int pipes =
            tokens_.count(QStringLiteral("Anzahl der Stränge"), t_.pipes->rowCount() - 1);
        const int nodes =
            tokens_.count(QStringLiteral("Anzahl der Knoten"), t_.nodes->rowCount() - 1);
        const int pumps =
            tokens_.count(QStringLiteral("Anzahl der Pumpen"), pumpBlockCount(*t_.pumps));
        tokens_.count(QStringLiteral("Anzahl der bekannten Druckhöhen"), t_.nodes->rowCount() - 1);
        if (flag_ >= kFirstKindWithNodeList)
            for (int i = 0; i < nodes; ++i)
                nodeNumbers_.append(strictInt(tokens_.next()));
        for (int r = 1; r <= pipes; ++r)
            readPipe(r);
        for (int k = 1; k <= pumps; ++k)
            readPump(firstPumpRow(k));
        for (int r = 1; r <= nodes; ++r)
            readNode(r);
    }

private:
    // A node reference: a node index in kinds 2 and 3, the node number itself in kind 1.
    QString nodeNumber(const QString& token) const {
        if (flag_ < kFirstKindWithNodeList)
            return token;
        const int index = strictInt(token);
        if (index < 0 || index >= nodeNumbers_.size())
            throw KolmaError(QStringLiteral("Knotenindex %1 in %2 liegt nicht zwischen 0 und %3.")
                                 .arg(index)
                                 .arg(kEingabe)
                                 .arg(nodeNumbers_.size() - 1));
        return QString::number(nodeNumbers_[index]);
    }

    static QString withoutNull(const QString& token) {
        return token == kNullWord ? kPlaceholder : token;
    }

    void readPipe(int r) {
        for (int c = kKeyColumn; c < kKeyColumn + kPipeValues; ++c) {
            const QString token = tokens_.next();
            const bool node = c == kStartNodeColumn || c == kEndNodeColumn;
            t_.pipes->setCell(c, r, node ? nodeNumber(token) : token);
        }
    }

    void readPump(int r) {
        CellTable& pumps = *t_.pumps;
        pumps.setCell(kKeyColumn, r, withoutNull(tokens_.next()));
        pumps.setCell(kStartNodeColumn, r, nodeNumber(tokens_.next()));
        pumps.setCell(kEndNodeColumn, r, nodeNumber(tokens_.next()));
        tokens_.next();  // the support count follows from the heads
        for (int row = r + 1; row <= r + 2; ++row)
            for (int c = 1; c <= kSupportPoints; ++c)
                pumps.setCell(c, row, withoutNull(tokens_.next()));
    }

    void readNode(int r) {
        for (int c = kKeyColumn; c < kKeyColumn + kNodeValues; ++c) {
            const QString token = tokens_.next();
            t_.nodes->setCell(c, r, c == kKeyColumn ? nodeNumber(token) : withoutNull(token));
        }
    }

    Tokens tokens_;
    const Tables& t_;
    int flag_ = 0;
    QVector<int> nodeNumbers_;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool beginsNumber(const QByteArray& text, int i) {
    if (i == 0)
        return true;
    const char before = text[i - 1];
    return before == ' ' || before == '\t' || before == '\n' || before == '\r' || before == '+' ||
           before == '-';
}

// The build date of the program as dd.MM.yyyy.
QString buildDate() {
    const QString compiled = QString::fromLatin1(__DATE__).simplified();  // "Dec 8 2026"
    return QLocale::c()
        .toDate(compiled, QStringLiteral("MMM d yyyy"))
        .toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace

QByteArray eingabeText(const Network& network) {
    return EingabeWriter(network).text();
}

QByteArray eingabeText(const Tables& tables, const ProjectSettings& settings) {
    return eingabeText(networkOf(tables, settings));
}

QByteArray convertSeparators(const QByteArray& text, Conversion conversion) {
    const char from = conversion == Conversion::Open ? '.' : ',';
    const char to = conversion == Conversion::Open ? ',' : '.';
    QByteArray out;
    out.reserve(text.size() + text.size() / 8);
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        if (text[i] != from) {
            out += text[i];
            continue;
        }
        const bool digitAfter = i + 1 < n && isDigit(text[i + 1]);
        if (digitAfter && i > 0 && isDigit(text[i - 1])) {
            out += to;
        } else if (digitAfter && beginsNumber(text, i)) {
            out += '0';
            out += to;
        }
    }
    return out;
}

bool eingabeMatches(const Tables& tables, const ProjectSettings& settings,
                    const QByteArray& eingabe) {
    try {
        return eingabeMatches(networkOf(tables, settings), eingabe);
    } catch (const KolmaError&) {
        return false;
    }
}

bool eingabeMatches(const Network& network, const QByteArray& eingabe) {
    return convertSeparators(eingabeText(network), Conversion::Calculation) ==
           convertSeparators(eingabe, Conversion::Calculation);
}

FileConversion convertEingabeFile(Conversion conversion) {
    QFile input(kEingabe);
    QFile intermediate(QString::fromLatin1(kConversionFile));
    if (!input.open(QIODevice::ReadOnly) || !intermediate.open(QIODevice::WriteOnly))
        return {FileConversion::Status::OpenFailed, {}};
    const QByteArray converted = convertSeparators(input.readAll(), conversion);
    if (intermediate.write(converted) != converted.size() || !intermediate.flush())
        return {FileConversion::Status::WriteFailed, {}};
    return {FileConversion::Status::Done, converted};
}

void readProjectText(const QByteArray& text, const Tables& tables, ProjectSettings& settings) {
    ProjectReader(text, tables).read(settings);
}

QByteArray reportBanner(const QString& aktuelleDatei, const QDateTime& now) {
    const QString stars = QString(63, QLatin1Char('*'));
    const QString dashes = QString(66, QLatin1Char('-'));
    QString banner;
    banner += QStringLiteral("\n\n");
    banner += QLatin1Char('\n') + stars;
    banner += QStringLiteral("\nDrucknetzeberechnung nach der Finite Elemente Methode ");
    banner += QStringLiteral("\nKOLMA Version 2.5 vom ") + buildDate();
    banner += QStringLiteral("\n\n") + namePart(aktuelleDatei);
    banner += QStringLiteral("\t\t\t\t\t\t") + now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    banner += QLatin1Char('\n') + stars;
    banner += QStringLiteral("\n\n");
    banner += QLatin1Char('\n') + dashes;
    banner += QString::fromUtf8(kInputDataTitle);
    banner += QLatin1Char('\n') + dashes;
    return banner.toUtf8();
}

}  // namespace kolma
