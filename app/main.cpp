// KOLMA1: the project editor.
#include <QApplication>
#include <QTranslator>

#include "German.h"
#include "StartupWindows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The user's preferences (plan colours, design limits) are kept under these names.
    QApplication::setOrganizationName(QStringLiteral("KOLMA"));
    QApplication::setApplicationName(QStringLiteral("KOLMA1"));
    QTranslator qtTranslations;
    kolma::useGerman(qtTranslations);
    return kolma::runKolma();
}
