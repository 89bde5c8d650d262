#include "HelpWindow.h"

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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Browser);
}

void showHelpFile(QWidget* parent, const QString& helpFile) {
    const QString path = QFileInfo(helpFile).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        errorBox(parent, QStringLiteral("Die Hilfedatei \"%1\" ist nicht vorhanden.").arg(path),
                 QStringLiteral("Hilfe"));
        return;
    }
    HelpWindow window(readTextFile(path), parent);
    dialogs().execModal(window);
}

}  // namespace kolma
