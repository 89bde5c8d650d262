// KOLMA1: the project editor.
#include <QApplication>
#include <QTranslator>

#include "German.h"
#include "StartupWindows.h"
#include "TForm1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOLMA1"));
    QTranslator qtTranslations;
    kolma::useGerman(qtTranslations);

    const kolma::StartupWindows windows = kolma::createStartupWindows();
    windows.Form1->setAttribute(Qt::WA_DeleteOnClose);
    windows.Form1->show();
    return QApplication::exec();
}
