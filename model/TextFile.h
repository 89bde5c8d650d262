// Reading and writing the text files of KOLMA1. Files we read may come from older installations
// (Windows-1252, CR LF); files we write are UTF-8 with LF and are replaced as a whole or not at
// all, so that a failed write never leaves the user with half a project.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kolma {

// The bytes of a file; raises a KolmaError naming the file when it cannot be read.
QByteArray readFileBytes(const QString& fileName);

// Writes the bytes to a temporary file beside the target and renames it over the target; raises
// a KolmaError naming the file when that fails, leaving an existing target untouched.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);

// Text of a file's bytes: UTF-8 when the bytes are valid UTF-8, else Windows-1252; CR LF and lone
// CR become LF.
QString decodeText(const QByteArray& bytes);

// The file as text (readFileBytes, then decodeText).
QString readTextFile(const QString& fileName);

// A line of a side file that holds data: its number (from 1) and its text, trimmed.
struct DataLine {
    int number = 0;
    QString text;
};

// The lines of a side file's text without empty lines and comments (lines starting with ";").
std::vector<DataLine> dataLines(const QString& text);

// Lines longer than this are shown split: a text layout wraps a line without blanks in a time
// that grows with the square of its length (a single line of a megabyte takes a minute).
inline constexpr int kLongestShownLine = 10000;
inline constexpr int kShownPiece = 1000;

// The text with every line longer than kLongestShownLine broken into pieces of kShownPiece
// characters; nothing when no line is that long.
std::optional<QString> splitLongLines(const QString& text);

// The directory part of a file name, "" for a bare name; "/" and "\\" both separate.
QString directoryPart(const QString& fileName);

// The name part of a file name, without its directory.
QString namePart(const QString& fileName);

// The file name with its extension (from the last dot of the name part on, if any) replaced by
// `extension` (with its dot): "netz.ein", ".inp" gives "netz.inp".
QString replacedExtension(const QString& fileName, const QString& extension);

}  // namespace kolma
