// What the batch converter does: the "eingabe.dat" (decimal points, as the solver reads it) of
// an EPANET network or of a project file, with the bytes the program writes when the user
// imports or opens that file and then saves it with "Fertigstellen".
#pragma once

#include <QByteArray>
#include <QString>

namespace kolma {

struct ConvertedInput {
    QByteArray eingabe;  // the bytes of "eingabe.dat"
    QString notes;       // what the EPANET import converted, left out or renumbered
};

// Converts a ".inp" file (EPANET) or a project file (any other name). Raises KolmaError with the
// program's own message when the file cannot be read or taken over; an EPANET import may write
// its ".ids" mapping file beside the input, as the program does. Throttle and general purpose
// valves are taken over as short pipes only with `valvesAsPipes` (the program asks the user).
ConvertedInput convertToEingabe(const QString& inputFile, bool valvesAsPipes);

}  // namespace kolma
