// What the catalogue tests share: readable strings in failure messages and a working
// directory of their own for the catalogue files.
#pragma once

#include <QString>
#include <ostream>

#include "WorkingDirectory.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
