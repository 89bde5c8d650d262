#include "PdfOutput.h"

#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>

#include "KolmaError.h"
#include "TextFile.h"

namespace kolma {

FileRequest pdfSaveRequest(const QString& fileName) {
    return saveRequest(QStringLiteral("Als PDF speichern"), QStringLiteral("PDF-Dateien|*.pdf"),
                       QStringLiteral("pdf"), fileName);
}

void printToPdf(const QString& fileName, QPrinter::PrinterMode mode,
                const std::function<bool(QPrinter&)>& print) {
    // The printer writes its file while it prints; a failure half way must not leave a broken
    // file under the user's name, so it prints into a file of its own first.
    QTemporaryDir scratch;
    const QString printed = scratch.filePath(QStringLiteral("druck.pdf"));
    bool done = false;
    {
        QPrinter printer(mode);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        done = scratch.isValid() && print(printer);
    }
    if (!done || QFileInfo(printed).size() == 0)
        throw KolmaError(
            QStringLiteral("Die PDF-Datei \"%1\" konnte nicht erstellt werden.").arg(fileName));
    writeFileAtomically(fileName, readFileBytes(printed));
}

}  // namespace kolma
