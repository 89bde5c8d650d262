// KOLMA1 speaks German whatever the machine's locale: numbers, dates and Qt's own texts.
#pragma once

class QTranslator;

namespace kolma {

// Makes the German locale the default for every conversion and installs Qt's German
// translations (standard buttons "Ja", "Nein", "Abbrechen") through the translator, which must
// outlive the application. Returns false when the translations are not installed.
bool useGerman(QTranslator& qtTranslations);

}  // namespace kolma
