#include "SolverNetwork.h"

#include <cstdio>
#include <cstdlib>

#include "KolmaError.h"
#include "ProjectFile.h"
#include "tarnholm/in_process.h"
#include "tarnholm/reader.h"

namespace kolma {
namespace {

// The texts the solver's report would show for the refusal; they name the cause, which the
// network alone cannot tell. The solver writes them UTF-8 encoded (texts.h).
QString refusalText(const tarnholm::InputError& error) {
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr)
        return {};
    tarnholm::WriteInputError(stream, error);
    std::fclose(stream);
    const QString text = QString::fromUtf8(buffer, static_cast<qsizetype>(size)).trimmed();
    std::free(buffer);
    return text;
}

}  // namespace

tarnholm::Network solverNetworkOf(const Network& network) {
    const QByteArray text = convertSeparators(eingabeText(network), Conversion::Calculation);
    tarnholm::Network net;
    const tarnholm::InputError error = tarnholm::ReadNetworkText(text.toStdString(), net);
    if (error)
        throw KolmaError(
            QStringLiteral("Das Berechnungsprogramm kann die Eingabedaten nicht lesen:\n") +
            refusalText(error));
    return net;
}

}  // namespace kolma
