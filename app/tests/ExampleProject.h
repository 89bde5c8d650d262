// The sample project of the installation, opened in the main window as the user opens it.
#pragma once

#include <QFile>

#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "WorkingDirectory.h"

namespace kolma::testing {

// Copies the project file into the working directory and opens it through "Projekt öffnen".
inline void openExampleProject(const WorkingDirectory& dir, ScriptedDialogs& dialogs,
                               TForm1& form) {
    const QString project = dir.filePath(QStringLiteral("Beispielnetz.ein"));
    QFile::copy(QStringLiteral(KOLMA_SOURCE_DIR "/examples/Beispielnetz.ein"), project);
    dialogs.fileAnswers.push_back(project);
    form.Projekt->trigger();
}

}  // namespace kolma::testing
