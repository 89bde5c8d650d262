#include "SolverNetwork.h"

#include "KolmaError.h"
#include "ProjectFile.h"
#include "tarnholm/in_process.h"

namespace kolma {

tarnholm::Network solverNetworkOf(const Network& network) {
    const QByteArray text = convertSeparators(eingabeText(network), Conversion::Calculation);
    tarnholm::Network net;
    if (tarnholm::ReadNetworkText(text.toStdString(), net))
        throw KolmaError(
            QStringLiteral("Das Berechnungsprogramm kann die Eingabedaten nicht lesen: "
                           "Knotenanfangsnummer nach Knotenendnummer, ein Knoten "
                           "außerhalb der Knotentabelle oder ein zu langer Wert."));
    return net;
}

}  // namespace kolma
