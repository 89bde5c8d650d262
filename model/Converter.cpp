#include "Converter.h"

#include "EpanetImport.h"
#include "Project.h"
#include "ProjectFile.h"
#include "TextFile.h"

namespace kolma {

ConvertedInput convertToEingabe(const QString& inputFile, bool valvesAsPipes) {
    Project project;
    project.reset();
    ProjectSettings settings = project.settings();
    ConvertedInput converted;
    if (inputFile.endsWith(QLatin1String(".inp"), Qt::CaseInsensitive)) {
        converted.notes =
            importEpanetFile(inputFile, project.tables(), settings,
                             [valvesAsPipes](const QString&) { return valvesAsPipes; })
                .message;
    } else {
        // Opening reads the file with decimal commas, as the tables hold them.
        readProjectText(convertSeparators(readFileBytes(inputFile), Conversion::Open),
                        project.tables(), settings);
    }
    converted.eingabe =
        convertSeparators(eingabeText(project.tables(), settings), Conversion::Save);
    return converted;
}

}  // namespace kolma
