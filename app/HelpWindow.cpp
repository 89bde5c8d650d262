#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "Dialogs.h"
#include "TextFile.h"

namespace kolma {

HelpWindow::HelpWindow(const QString& html, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Hilfe"));
    resize(640, 520);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setHtml(html);
    if (!Browser->documentTitle().isEmpty())
        setWindowTitle(Browser->documentTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Browser);
}

QStringList helpDirectories(const QString& programDir) {
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.absolutePath()),
            QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/kolma")))};
}

QString findHelpFile(const QString& helpFile, const QStringList& directories) {
    const QFileInfo given(helpFile);
    if (given.isFile())
        return given.absoluteFilePath();
    for (const QString& directory : directories) {
        const QFileInfo candidate(QDir(directory), given.fileName());
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

void showHelpFile(QWidget* parent, const QString& helpFile) {
    showHelpFile(parent, helpFile, helpDirectories(QCoreApplication::applicationDirPath()));
}

void showHelpFile(QWidget* parent, const QString& helpFile, const QStringList& directories) {
    const QString path = findHelpFile(helpFile, directories);
    if (path.isEmpty()) {
        errorBox(parent,
                 QStringLiteral("Die Hilfedatei \"%1\" ist nicht vorhanden.")
                     .arg(QFileInfo(helpFile).absoluteFilePath()),
                 QStringLiteral("Hilfe"));
        return;
    }
    HelpWindow window(readTextFile(path), parent);
    dialogs().execModal(window);
}

}  // namespace kolma
