// Project files: the network of the tables written as "eingabe.dat" (format kind 3) and read
// back into the tables, the decimal separator conversion between the tables (commas) and the
// solver (points), and the banner that opens every report.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "Network.h"
#include "ProjectSettings.h"
#include "Tables.h"

namespace kolma {

inline const char kEingabeFile[] = "eingabe.dat";
inline const char kConversionFile[] = "ein2.dat";
inline const char kReportFile[] = "ausgabe.aus";

// The text of "eingabe.dat" for a network, with every value as typed (decimal commas).
QByteArray eingabeText(const Network& network);
// The same for the tables; raises what networkOf raises.
QByteArray eingabeText(const Tables& tables, const ProjectSettings& settings);

// Saving and calculating turn commas into points, opening points into commas.
enum class Conversion { Save, Open, Calculation };

// Whether an "eingabe.dat" holds the network of the tables and settings: the text "Fertigstellen"
// would write, with either decimal separator. Tables that cannot be saved never match.
bool eingabeMatches(const Tables& tables, const ProjectSettings& settings,
                    const QByteArray& eingabe);
bool eingabeMatches(const Network& network, const QByteArray& eingabe);

// Separator conversion of a whole text. Saving and calculating: a comma between two digits
// becomes a point, a comma that begins a number becomes "0."; opening: the same from points to
// commas. Every other separator of the direction is dropped.
QByteArray convertSeparators(const QByteArray& text, Conversion conversion);

struct FileConversion {
    enum class Status { Done, OpenFailed, WriteFailed };
    Status status = Status::Done;
    QByteArray text;  // the converted text when Done
};

// Converts "eingabe.dat" into "ein2.dat" in the current directory; "eingabe.dat" itself is left
// as it is.
FileConversion convertEingabeFile(Conversion conversion);

// Fills the (reset) tables and the settings from the text of a project of kind 1, 2 or 3.
// Settings are taken only from kind 3. A count or index that does not fit the tables, or a file
// that ends early, stops the reading with a KolmaError; the tables keep what was read.
void readProjectText(const QByteArray& text, const Tables& tables, ProjectSettings& settings);

// The report's banner for the current file, written before the solver appends its part.
QByteArray reportBanner(const QString& aktuelleDatei, const QDateTime& now);
// The banner's last heading, followed by a line of dashes: where a run's part of the report
// begins.
inline const char kInputDataTitle[] = "\nEingabedaten: ";

}  // namespace kolma
