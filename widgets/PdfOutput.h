// Printouts saved as PDF files instead of going to a printer: the window's own print routine
// draws on a printer in PDF mode (A4, as German users print), and the file is written completely
// or not at all.
#pragma once

#include <QPrinter>
#include <QString>
#include <functional>

#include "Dialogs.h"

namespace kolma {

// The save dialog of "Als PDF speichern", preset with the name.
FileRequest pdfSaveRequest(const QString& fileName);

// Runs `print` on a PDF printer of the mode and stores what it printed in `fileName`. `print`
// returns false when its print job could not start. Raises a KolmaError naming the file when no
// PDF came about or the file cannot be written; an existing file is then left as it was.
void printToPdf(const QString& fileName, QPrinter::PrinterMode mode,
                const std::function<bool(QPrinter&)>& print);

}  // namespace kolma
