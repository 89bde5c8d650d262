// KOLMA1: the project editor. German throughout, whatever the machine's locale.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "StartupWindows.h"
#include "TForm1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOLMA1"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    const kolma::StartupWindows windows = kolma::createStartupWindows();
    windows.Form1->setAttribute(Qt::WA_DeleteOnClose);
    windows.Form1->show();
    return QApplication::exec();
}
