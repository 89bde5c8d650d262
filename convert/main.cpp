// kolma-convert: writes the solver input "eingabe.dat" of an EPANET network or a project file,
// without the desktop program. Refusals are printed as the program shows them.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "Converter.h"
#include "KolmaError.h"
#include "TextFile.h"

namespace {

const char kUsage[] =
    "Aufruf: kolma-convert NETZ.inp|NETZ.ein [-o AUSGABE] [--armaturen-als-rohre]\n"
    "\n"
    "Schreibt die Eingabedatei des Berechnungsprogramms (eingabe.dat) aus einem EPANET-Netz\n"
    "(.inp) oder einer Projektdatei, mit denselben Bytes wie KOLMA1 nach \"Fertigstellen\".\n"
    "\n"
    "  -o AUSGABE  Zieldatei (Vorgabe: eingabe.dat im aktuellen Verzeichnis); \"-\" schreibt\n"
    "              auf die Standardausgabe.\n"
    "  --armaturen-als-rohre  übernimmt Drossel- und Mehrzweckarmaturen (TCV, GPV) eines\n"
    "              EPANET-Netzes als kurze Rohre mit ihrem Verlustbeiwert (KOLMA1 fragt danach).\n"
    "  --help      zeigt diese Hilfe.\n";

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct Arguments {
    QString input;
    QString output = QStringLiteral("eingabe.dat");
    bool help = false;
    bool valvesAsPipes = false;
    bool valid = false;
};

Arguments parseArguments(const QStringList& args) {
    Arguments parsed;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            parsed.help = true;
        } else if (args[i] == QLatin1String("--armaturen-als-rohre")) {
            parsed.valvesAsPipes = true;
        } else if (args[i] == QLatin1String("-o")) {
            if (++i >= args.size())
                return parsed;
            parsed.output = args[i];
        } else if (parsed.input.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            parsed.input = args[i];
        } else {
            return parsed;
        }
    }
    parsed.valid = !parsed.input.isEmpty();
    return parsed;
}

void printLine(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

void writeOutput(const QString& output, const QByteArray& bytes) {
    if (output == QLatin1String("-")) {
        // QFile keeps what it is given in its buffer: only the flush reaches the stream and
        // learns that it fails (a full disk, say).
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush())
            throw kolma::KolmaError(
                QStringLiteral("Die Standardausgabe kann nicht geschrieben werden."));
        return;
    }
    kolma::writeFileAtomically(output, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Arguments args = parseArguments(QCoreApplication::arguments());
    if (args.help) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (!args.valid) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    try {
        const kolma::ConvertedInput converted =
            kolma::convertToEingabe(args.input, args.valvesAsPipes);
        writeOutput(args.output, converted.eingabe);
        // With the input on standard output, what the import tells goes to the error stream.
        if (!converted.notes.isEmpty())
            printLine(args.output == QLatin1String("-") ? stderr : stdout, converted.notes);
    } catch (const kolma::KolmaError& error) {
        printLine(stderr, error.message());
        return kExitRefused;
    }
    return kExitOk;
}
