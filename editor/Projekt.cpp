#include "Projekt.h"

#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringList>
#include <QVector>

#include "Numbers.h"
#include "StringGrid.h"
#include "TableOperations.h"
#include "TextFile.h"

namespace kolma {

namespace {

const QString kEingabe = QStringLiteral("eingabe.dat");
const QString kEin2 = QStringLiteral("ein2.dat");
const QString kPlaceholder = QStringLiteral("---");
const QString kNull = QStringLiteral("(null)");

// The format kind written. Kind 3 carries the settings; kinds 2 and 3 list the node numbers and
// refer to nodes by their index in that list, kind 1 by their numbers.
constexpr int kWrittenKind = 3;
constexpr int kFirstKindWithNodeList = 2;

bool isEmptyHead(const QString& text) {
    return isEmptyCell(text) || text == kPlaceholder;
}

// A value stays one token for the solver and for reopening when it holds no white space
// between other characters and is not blank altogether.
bool isOneToken(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c.isSpace())
            return false;
    return true;
}

QString cellRejected(const QString& table, int row, const QString& column) {
    return QStringLiteral("%1, Zeile %2, Spalte \"%3\": leerer Wert oder Wert mit Leerzeichen.")
        .arg(table)
        .arg(row)
        .arg(column);
}

// A cell written as typed; a cell with no text is written as "(null)".
QString asTyped(const QString& text) {
    return text.isEmpty() ? kNull : text;
}

class EingabeWriter {
public:
    EingabeWriter(const Tables& tables, const ProjectSettings& settings)
        : t_(tables), settings_(settings) {}

    QByteArray text() {
        const int pipes = listLength(*t_.pipes);
        const int nodes = listLength(*t_.nodes);
        const int pumps = pumpListLength(*t_.pumps);
        writeHeader(pipes, nodes, pumps, knownHeadCount(*t_.nodes, nodes));
        writeNodeNumbers(nodes);
        for (int r = 1; r <= pipes; ++r)
            writePipe(r);
        out_ += QStringLiteral("\n\n");
        for (int block = 1; block <= pumps; ++block)
            writePump(block);
        out_ += QStringLiteral("\n\n");
        for (int r = 1; r <= nodes; ++r)
            writeNode(r);
        return out_.toUtf8();
    }

private:
    void field(const QString& text) { out_ += text + QLatin1Char('\t'); }

    void writeHeader(int pipes, int nodes, int pumps, int knownHeads) {
        field(QString::number(kWrittenKind));
        field(setting(settings_.viscosity, QStringLiteral("kin. Viskosität")));
        field(setting(settings_.iterations, QStringLiteral("Max. Anzahl Iterationen")));
        field(QString::number(pipes));
        field(QString::number(nodes));
        field(QString::number(pumps));
        out_ += QString::number(knownHeads) + QStringLiteral("\n\n");
    }

    static QString setting(const QString& text, const QString& name) {
        if (text.isEmpty() || !isOneToken(text) || text != text.trimmed())
            throw InputRejected(
                QStringLiteral("Einstellung \"%1\": leerer Wert oder Wert mit Leerzeichen.")
                    .arg(name));
        return text;
    }

    void writeNodeNumbers(int nodes) {
        for (int r = 1; r <= nodes; ++r) {
            const QString number = t_.nodes->cell(kKeyColumn, r);
            nodeNumbers_.append(strictInt(number));
            out_ += number + QLatin1Char('\n');
        }
        out_ += QLatin1Char('\n');
    }

    // The node index of a pipe's or pump's node number cell.
    QString nodeIndex(const QString& cell, const QString& element) const {
        const int number = strictInt(cell);
        const int index = nodeNumbers_.indexOf(number);
        if (index < 0)
            throw InputRejected(QStringLiteral("%1: Knoten %2 fehlt in der Knotentabelle.")
                                    .arg(element)
                                    .arg(number));
        return QString::number(index);
    }

    QString verbatim(const StringGrid& grid, int col, int row, const QString& table) const {
        const QString text = grid.cell(col, row);
        if (!isOneToken(text))
            throw InputRejected(cellRejected(table, row, grid.cell(col, 0)));
        return text;
    }

    // The key of a pipe or pump row and the indices of its two nodes.
    void writeLink(const StringGrid& grid, int r, const QString& table, const QString& element) {
        field(verbatim(grid, kKeyColumn, r, table));
        field(nodeIndex(grid.cell(kStartNodeColumn, r), element));
        field(nodeIndex(grid.cell(kEndNodeColumn, r), element));
    }

    void writePipe(int r) {
        const StringGrid& pipes = *t_.pipes;
        const QString table = QStringLiteral("Rohrtabelle");
        const QString element =
            QStringLiteral("Strang %1 (Zeile %2)").arg(pipes.cell(kKeyColumn, r)).arg(r);
        writeLink(pipes, r, table, element);
        for (int c = kLengthColumn; c < kKeyColumn + kPipeValues; ++c)
            field(verbatim(pipes, c, r, table));
        out_ += QLatin1Char('\n');
    }

    void writePump(int block) {
        const StringGrid& pumps = *t_.pumps;
        const int r = firstPumpRow(block);
        const QString table = QStringLiteral("Pumpentabelle");
        const QString element =
            QStringLiteral("Pumpe %1 (Block %2)").arg(pumps.cell(kKeyColumn, r)).arg(block);
        writeLink(pumps, r, table, element);
        out_ += QString::number(supportCount(pumps, r + 1)) + QLatin1Char('\n');
        for (int c = 1; c <= kSupportPoints; ++c) {
            const QString head = pumps.cell(c, r + 1);
            field(isEmptyHead(head) ? kPlaceholder
                                    : pumpValue(head, r + 1, c, QStringLiteral("h")));
        }
        out_ += QLatin1Char('\n');
        for (int c = 1; c <= kSupportPoints; ++c) {
            const QString flow = pumps.cell(c, r + 2);
            field(flow == QLatin1String(" ")
                      ? kPlaceholder
                      : pumpValue(asTyped(flow), r + 2, c, QStringLiteral("Q")));
        }
        out_ += QStringLiteral("\n\n");
    }

    static QString pumpValue(const QString& text, int row, int c, const QString& kind) {
        if (!isOneToken(text))
            throw InputRejected(cellRejected(QStringLiteral("Pumpentabelle"), row,
                                             QStringLiteral("%1%2").arg(kind).arg(c)));
        return text;
    }

    void writeNode(int r) {
        const StringGrid& nodes = *t_.nodes;
        field(QString::number(r - 1));
        for (int c = kKnownHeadColumn; c < kKeyColumn + kNodeValues; ++c)
            field(isEmptyCell(nodes.cell(c, r))
                      ? kPlaceholder
                      : verbatim(nodes, c, r, QStringLiteral("Knotentabelle")));
        out_ += QLatin1Char('\n');
    }

    const Tables& t_;
    const ProjectSettings& settings_;
    QString out_;
    QVector<int> nodeNumbers_;
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
        return token == kNull ? kPlaceholder : token;
    }

    void readPipe(int r) {
        for (int c = kKeyColumn; c < kKeyColumn + kPipeValues; ++c) {
            const QString token = tokens_.next();
            const bool node = c == kStartNodeColumn || c == kEndNodeColumn;
            t_.pipes->setCell(c, r, node ? nodeNumber(token) : token);
        }
    }

    void readPump(int r) {
        StringGrid& pumps = *t_.pumps;
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

void showConversionError(QWidget* parent, const char* text) {
    errorBox(parent, QString::fromUtf8(text), QStringLiteral("Fehler"));
}

// The build date of the program as dd.MM.yyyy.
QString buildDate() {
    const QString compiled = QString::fromLatin1(__DATE__).simplified();  // "Dec 8 2026"
    return QLocale::c()
        .toDate(compiled, QStringLiteral("MMM d yyyy"))
        .toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace

int knownHeadCount(const StringGrid& nodes, int nodeRows) {
    int count = 0;
    for (int r = 1; r <= nodeRows; ++r)
        if (holdsValue(nodes.cell(kKnownHeadColumn, r)))
            ++count;
    return count;
}

int supportCount(const StringGrid& pumps, int headRow) {
    // An empty first head does not end the list; the next empty head does.
    for (int c = 2; c <= kSupportPoints; ++c)
        if (isEmptyHead(pumps.cell(c, headRow)))
            return c - 1;
    return kSupportPoints;
}

QByteArray eingabeText(const Tables& tables, const ProjectSettings& settings) {
    return EingabeWriter(tables, settings).text();
}

bool writeEingabe(const Tables& tables, const ProjectSettings& settings, QWidget* parent) {
    QByteArray text;
    try {
        text = eingabeText(tables, settings);
    } catch (const InputRejected& e) {
        errorBox(parent, e.message(), QString::fromUtf8(kInputErrorCaption));
        return false;
    }
    writeFileAtomically(kEingabe, text);
    return true;
}

FileRequest projectSaveRequest(const QString& aktuelleDatei) {
    FileRequest r;
    r.title = QStringLiteral("Projekt speichern");
    r.filter = QStringLiteral("Eingabedateien|*.ein");
    r.fileName = aktuelleDatei;
    r.directory = directoryPart(aktuelleDatei);
    r.defaultExtension = QStringLiteral("ein");
    return r;
}

FileRequest projectOpenRequest() {
    FileRequest r;
    r.title = QStringLiteral("Projekt öffnen");
    r.filter = QStringLiteral("Eingabedateien|*.ein|Datendateien|*.dat|Richtext|*.rtf");
    r.defaultExtension = QStringLiteral("ein");
    r.showReadOnly = true;
    return r;
}

void Fertigstellen(const Tables& tables, const ProjectSettings& settings, QString& aktuelleDatei,
                   QPlainTextEdit& richEdit1, QWidget* parent) {
    if (!writeEingabe(tables, settings, parent))
        return;
    const auto chosen = dialogs().getSaveFileName(parent, projectSaveRequest(aktuelleDatei));
    if (chosen && EingabeUmwandeln(kSaveConversion, *chosen, richEdit1, parent))
        aktuelleDatei = *chosen;
}

QByteArray convertSeparators(const QByteArray& text, int mode) {
    const char from = mode == kOpenConversion ? '.' : ',';
    const char to = mode == kOpenConversion ? ',' : '.';
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

bool EingabeUmwandeln(int mode, const QString& projectFile, QPlainTextEdit& richEdit1,
                      QWidget* parent) {
    QFile input(kEingabe);
    QFile intermediate(kEin2);
    if (!input.open(QIODevice::ReadOnly) || !intermediate.open(QIODevice::WriteOnly)) {
        showConversionError(parent, "Fehler beim öffnen von Eingabe.dat");
        return false;
    }
    const QByteArray converted = convertSeparators(input.readAll(), mode);
    input.close();
    if (intermediate.write(converted) != converted.size() || !intermediate.flush()) {
        showConversionError(parent, "Fehler beim schreiben in ein2");
        return false;
    }
    intermediate.close();

    const QString text = decodeText(converted);
    richEdit1.hide();
    richEdit1.setPlainText(text);
    if (mode == kSaveConversion)
        writeFileAtomically(projectFile, text.toUtf8());
    writeFileAtomically(kEingabe, text.toUtf8());
    return true;
}

void copyProjectToEingabe(const QString& projectFile) {
    writeFileAtomically(kEingabe, readFileBytes(projectFile));
}

void readProjectText(const QByteArray& text, const Tables& tables, ProjectSettings& settings) {
    ProjectReader(text, tables).read(settings);
}

void ProjektLesen(const Tables& tables, QLineEdit& nue, QLineEdit& iter) {
    ProjectSettings settings{nue.text(), iter.text()};
    const auto takeSettings = qScopeGuard([&] {
        nue.setText(settings.viscosity);
        iter.setText(settings.iterations);
    });
    readProjectText(readFileBytes(kEingabe), tables, settings);
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
    banner += QStringLiteral("\nEingabedaten: ");
    banner += QLatin1Char('\n') + dashes;
    return banner.toUtf8();
}

}  // namespace kolma
