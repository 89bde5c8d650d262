#include "Projekt.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScopeGuard>

#include "Network.h"
#include "TableOperations.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kEingabe = QString::fromLatin1(kEingabeFile);

void showConversionError(QWidget* parent, const char* text) {
    errorBox(parent, QString::fromUtf8(text), QStringLiteral("Fehler"));
}

FileRequest projectSaveRequest(const QString& aktuelleDatei) {
    return saveRequest(QStringLiteral("Projekt speichern"), QStringLiteral("Eingabedateien|*.ein"),
                       QStringLiteral("ein"), aktuelleDatei);
}

}  // namespace

bool writeEingabe(Project& project, QWidget* parent) {
    QByteArray text;
    try {
        text = eingabeText(project.tables(), project.settings());
    } catch (const InputRejected& e) {
        errorBox(parent, e.message(), QString::fromUtf8(kInputErrorCaption));
        return false;
    }
    writeFileAtomically(kEingabe, text);
    return true;
}

FileRequest projectOpenRequest() {
    FileRequest r;
    r.title = QStringLiteral("Projekt öffnen");
    r.filter = QStringLiteral("Eingabedateien|*.ein|Datendateien|*.dat|Richtext|*.rtf");
    r.defaultExtension = QStringLiteral("ein");
    r.showReadOnly = true;
    return r;
}

bool Fertigstellen(Project& project, QString& aktuelleDatei, QPlainTextEdit& richEdit1,
                   QWidget* parent) {
    if (!writeEingabe(project, parent))
        return false;
    const auto chosen = dialogs().getSaveFileName(parent, projectSaveRequest(aktuelleDatei));
    if (chosen && EingabeUmwandeln(Conversion::Save, *chosen, richEdit1, parent)) {
        aktuelleDatei = *chosen;
        LagedateiSchreiben(project, *chosen);
        RueckschlagklappenSchreiben(project, *chosen);
    }
    return true;
}

bool EingabeUmwandeln(Conversion conversion, const QString& projectFile, QPlainTextEdit& richEdit1,
                      QWidget* parent) {
    const FileConversion converted = convertEingabeFile(conversion);
    switch (converted.status) {
        case FileConversion::Status::OpenFailed:
            showConversionError(parent, "Fehler beim öffnen von Eingabe.dat");
            return false;
        case FileConversion::Status::WriteFailed:
            showConversionError(parent, "Fehler beim schreiben in ein2");
            return false;
        case FileConversion::Status::Done:
            break;
    }
    const QString text = decodeText(converted.text);
    richEdit1.hide();
    richEdit1.setPlainText(text);
    if (conversion == Conversion::Save)
        writeFileAtomically(projectFile, text.toUtf8());
    writeFileAtomically(kEingabe, text.toUtf8());
    return true;
}

void copyProjectToEingabe(const QString& projectFile) {
    writeFileAtomically(kEingabe, readFileBytes(projectFile));
}

void LagedateiSchreiben(Project& project, const QString& projectFile) {
    if (project.coordinates().nodes.empty())
        return;
    const Network network = networkOf(project.tables(), project.settings());
    writeFileAtomically(planFileFor(projectFile),
                        planFileBytes(restrictedTo(project.coordinates(), network)));
}

void LagedateiLesen(Project& project, const QString& projectFile, QWidget* parent) {
    const QString file = planFileFor(projectFile);
    PlanCoordinates coordinates;
    if (!QFileInfo::exists(file)) {
        coordinates.origin =
            QStringLiteral("Keine Lagedatei \"%1\": die Knoten werden automatisch angeordnet.")
                .arg(namePart(file));
        project.setCoordinates(coordinates);
        return;
    }
    const PlanFileReading reading = parsePlanFile(readTextFile(file));
    coordinates = reading.coordinates;
    coordinates.origin = QStringLiteral("Lage aus \"%1\"").arg(namePart(file));
    project.setCoordinates(coordinates);
    if (!reading.problems.isEmpty())
        errorBox(parent, planFileProblemText(namePart(file), reading.problems),
                 QStringLiteral("Lageplan"));
}

// A file of valves that no pipe of the tables has any more would give a later project of the
// same name valves it never had.
void RueckschlagklappenSchreiben(Project& project, const QString& projectFile) {
    const QString file = checkValveFileFor(projectFile);
    const CheckValves valves =
        restrictedTo(project.checkValves(), networkOf(project.tables(), project.settings()));
    if (!valves.empty())
        writeFileAtomically(file, checkValveFileBytes(valves));
    else if (QFileInfo::exists(file))
        QFile::remove(file);
}

void RueckschlagklappenLesen(Project& project, const QString& projectFile, QWidget* parent) {
    const QString file = checkValveFileFor(projectFile);
    if (!QFileInfo::exists(file)) {
        project.setCheckValves({});
        return;
    }
    const CheckValveReading reading = parseCheckValveFile(readTextFile(file));
    project.setCheckValves(reading.valves);
    if (!reading.problems.isEmpty())
        errorBox(parent, checkValveFileProblemText(namePart(file), reading.problems),
                 QStringLiteral("Rückschlagklappen"));
}

void ProjektLesen(Project& project) {
    ProjectSettings settings = project.settings();
    const auto takeSettings = qScopeGuard([&] { project.setSettings(settings); });
    readProjectText(readFileBytes(kEingabe), project.tables(), settings);
}

}  // namespace kolma
