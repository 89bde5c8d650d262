#include "CsvChoice.h"

namespace kolma {
namespace {

const QString kGermanCsv =
    QStringLiteral("CSV für deutsche Tabellenkalkulation (Semikolon, Dezimalkomma)");
const QString kInternationalCsv = QStringLiteral("CSV international (Komma, Dezimalpunkt)");

}  // namespace

QString csvFilter() {
    return kGermanCsv + QStringLiteral("|*.csv|") + kInternationalCsv + QStringLiteral("|*.csv");
}

CsvStyle csvStyleOf(const QString& chosenFilter) {
    return chosenFilter == kInternationalCsv ? CsvStyle::International : CsvStyle::German;
}

}  // namespace kolma
