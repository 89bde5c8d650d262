// Project files: the tables and settings of the main window turned into "eingabe.dat" and back,
// the decimal separator conversion between the tables (commas) and the solver (points), and the
// banner that opens every report. The main window's handlers only wire these to their widgets.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "Dialogs.h"
#include "Handler.h"
#include "Tables.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kolma {

class StringGrid;

// The two settings of a project as the hidden edits nue and iter hold them.
struct ProjectSettings {
    QString viscosity;   // 10^-6 m²/s, decimal comma
    QString iterations;  // maximum number of solver iterations
};

// A table or setting value that cannot be saved; shown in an error box "Eingabefehler".
class InputRejected : public KolmaError {
public:
    using KolmaError::KolmaError;
};

// Node rows 1 ... nodeRows whose "bek. Druck" cell holds a value.
int knownHeadCount(const StringGrid& nodes, int nodeRows);
// Support points of the pump whose heads stand in the given row.
int supportCount(const StringGrid& pumps, int headRow);

// The text of "eingabe.dat" (format kind 3) with the values as typed. Raises InputRejected for a
// node reference missing from the node table or a value that would not stay one token, and
// KolmaError for a node number that is not a whole number.
QByteArray eingabeText(const Tables& tables, const ProjectSettings& settings);

// Writes "eingabe.dat" from the tables. A rejected value is shown in an error box and nothing is
// written; returns whether the file was written.
bool writeEingabe(const Tables& tables, const ProjectSettings& settings, QWidget* parent);

// The project file dialogs of the main window.
FileRequest projectSaveRequest(const QString& aktuelleDatei);
FileRequest projectOpenRequest();

// "Fertigstellen": writes "eingabe.dat", asks for a project file and, when one is named, stores
// the converted text there and in "eingabe.dat" and makes it the current file.
void Fertigstellen(const Tables& tables, const ProjectSettings& settings, QString& aktuelleDatei,
                   QPlainTextEdit& richEdit1, QWidget* parent);

// The conversion modes: saving and calculating turn commas into points, opening points into
// commas.
inline constexpr int kSaveConversion = 1;
inline constexpr int kOpenConversion = 2;
inline constexpr int kCalculationConversion = 3;

// Separator conversion of a whole text. Modes 1 and 3 (save, calculation): a comma between two
// digits becomes a point, a comma that begins a number becomes "0."; mode 2 (open): the same
// from points to commas. Every other separator of the mode is dropped.
QByteArray convertSeparators(const QByteArray& text, int mode);

// Converts "eingabe.dat" through "ein2.dat", shows the result in the hidden editor and writes it
// back to "eingabe.dat" and, when saving, to the project file. Failures to open or write the
// intermediate file are shown in an error box and leave every file as it was; returns whether
// the conversion went through.
bool EingabeUmwandeln(int mode, const QString& projectFile, QPlainTextEdit& richEdit1,
                      QWidget* parent);

// Copies a chosen project file to "eingabe.dat".
void copyProjectToEingabe(const QString& projectFile);

// Fills the (reset) tables and the settings from the text of a project of kind 1, 2 or 3.
// Settings are taken only from kind 3. A count or index that does not fit the tables, or a file
// that ends early, stops the reading with a KolmaError; the tables keep what was read.
void readProjectText(const QByteArray& text, const Tables& tables, ProjectSettings& settings);

// Reads "eingabe.dat" into the tables and the two setting edits.
void ProjektLesen(const Tables& tables, QLineEdit& nue, QLineEdit& iter);

// The report's banner for the current file, written before the solver appends its part.
QByteArray reportBanner(const QString& aktuelleDatei, const QDateTime& now);

}  // namespace kolma
