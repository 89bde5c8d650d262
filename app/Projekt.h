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

// The project file dialog of "Projekt öffnen".
FileRequest projectOpenRequest();

// "Fertigstellen": writes "eingabe.dat", asks for a project file and, when one is named, stores
// the converted text there and in "eingabe.dat", writes the side files and makes it the current
// file. Returns whether "eingabe.dat" now holds the tables.
bool Fertigstellen(Project& project, QString& aktuelleDatei, QPlainTextEdit& richEdit1,
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

// The plan's side file "<name>.lage" of a project file. Writing stores the places of the nodes
// and the bends of the pipes the tables have (nothing when the plan has no places). Reading
// makes the file's places the project's; a missing file leaves the plan to the automatic layout,
// and lines that cannot be read are named in an error box and left out: the tables, read
// before, stay complete either way.
void LagedateiSchreiben(Project& project, const QString& projectFile);
void LagedateiLesen(Project& project, const QString& projectFile, QWidget* parent);

// The check valves' side file "<name>.rsk" of a project file. Writing stores the valves of the
// pipes the tables have, and removes the file when there are none. Reading makes the file's
// valves the project's (none without a file); lines that cannot be read are named in an error
// box and left out.
void RueckschlagklappenSchreiben(Project& project, const QString& projectFile);
void RueckschlagklappenLesen(Project& project, const QString& projectFile, QWidget* parent);

}  // namespace kolma
