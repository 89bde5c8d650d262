// The two CSV styles every result export offers as entries of its file dialog: the entry the user
// picks decides the separator and the decimal mark.
#pragma once

#include <QString>

#include "CsvTable.h"

namespace kolma {

// The file dialog filter ("Name|*.csv|Name|*.csv"), German style first.
QString csvFilter();
// The style of the filter entry the dialog reported as chosen.
CsvStyle csvStyleOf(const QString& chosenFilter);

}  // namespace kolma
