#include "Projekt.h"

#include <QPlainTextEdit>
#include <QScopeGuard>

#include "TableOperations.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kEingabe = QString::fromLatin1(kEingabeFile);

void showConversionError(QWidget* parent, const char* text) {
    errorBox(parent, QString::fromUtf8(text), QStringLiteral("Fehler"));
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

FileRequest projectSaveRequest(const QString& aktuelleDatei) {
    return saveRequest(QStringLiteral("Projekt speichern"), QStringLiteral("Eingabedateien|*.ein"),
                       QStringLiteral("ein"), aktuelleDatei);
}

FileRequest projectOpenRequest() {
    FileRequest r;
    r.title = QStringLiteral("Projekt öffnen");
    r.filter = QStringLiteral("Eingabedateien|*.ein|Datendateien|*.dat|Richtext|*.rtf");
    r.defaultExtension = QStringLiteral("ein");
    r.showReadOnly = true;
    return r;
}

void Fertigstellen(Project& project, QString& aktuelleDatei, QPlainTextEdit& richEdit1,
                   QWidget* parent) {
    if (!writeEingabe(project, parent))
        return;
    const auto chosen = dialogs().getSaveFileName(parent, projectSaveRequest(aktuelleDatei));
    if (chosen && EingabeUmwandeln(Conversion::Save, *chosen, richEdit1, parent))
        aktuelleDatei = *chosen;
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

void ProjektLesen(Project& project) {
    ProjectSettings settings = project.settings();
    const auto takeSettings = qScopeGuard([&] { project.setSettings(settings); });
    readProjectText(readFileBytes(kEingabe), project.tables(), settings);
}

}  // namespace kolma
