// The main window's project commands on files: "Fertigstellen" (write "eingabe.dat", ask for a
// project file, store the converted text there), the conversion of "eingabe.dat" through
// "ein2.dat" with the editor showing the result, and opening a project into the tables.
#pragma once

#include <QString>

#include "Dialogs.h"
#include "Project.h"
#include "ProjectFile.h"

class QPlainTextEdit;
class QWidget;

namespace kolma {

// Writes "eingabe.dat" from the project. A rejected value is shown in an error box and nothing is
// written; returns whether the file was written.
bool writeEingabe(Project& project, QWidget* parent);

// The project file dialogs of the main window.
FileRequest projectSaveRequest(const QString& aktuelleDatei);
FileRequest projectOpenRequest();

// "Fertigstellen": writes "eingabe.dat", asks for a project file and, when one is named, stores
// the converted text there and in "eingabe.dat" and makes it the current file.
void Fertigstellen(Project& project, QString& aktuelleDatei, QPlainTextEdit& richEdit1,
                   QWidget* parent);

// Converts "eingabe.dat" through "ein2.dat", shows the result in the hidden editor and writes it
// back to "eingabe.dat" and, when saving, to the project file. Failures to open or write the
// intermediate file are shown in an error box and leave every file as it was; returns whether
// the conversion went through.
bool EingabeUmwandeln(Conversion conversion, const QString& projectFile, QPlainTextEdit& richEdit1,
                      QWidget* parent);

// Copies a chosen project file to "eingabe.dat".
void copyProjectToEingabe(const QString& projectFile);

// Reads "eingabe.dat" into the project's (reset) tables and settings; on an error the tables and
// settings keep what was read.
void ProjektLesen(Project& project);

}  // namespace kolma
