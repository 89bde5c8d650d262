#include "German.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kolma {

bool useGerman(QTranslator& qtTranslations) {
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    return qtTranslations.load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&qtTranslations);
}

}  // namespace kolma
