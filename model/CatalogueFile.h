// The three catalogue formats ("*.xta" loss coefficients, "*.DTB" pump support points, "*.dur"
// pipe dimensions). All three are streams of white-space separated tokens, grouped into records
// that end with the token "endl"; only the fields before the variable part differ. Tokens stay
// text: the windows show them as read and convert only what they compute with.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace kolma {

// A file holds at most this many records, a record at most this many pairs or wall thicknesses.
constexpr int kMaxCatalogueRecords = 100;
constexpr int kMaxCatalogueEntries = 100;

// A record of a "*.xta" or "*.DTB" file: a type followed by pairs (diameter and zeta, or Q and h).
struct PairRecord {
    QString type;
    std::vector<std::pair<QString, QString>> pairs;
};

// A record of a "*.dur" file.
struct DiameterRecord {
    QString dn;
    QString outerDiameter;        // mm
    QString seriesCode;           // "pehd", "peld", "null" or any other
    QStringList wallThicknesses;  // mm
};

// The tokens of a catalogue file (UTF-8 or Windows-1252); nothing when it cannot be opened.
std::optional<QStringList> readCatalogueTokens(const QString& fileName);

// Splits text at blanks, tabs and line breaks.
QStringList catalogueTokens(const QString& text);

// Records of the pair formats. A record cut off by the end of the tokens keeps what was read;
// pairs beyond the hundredth are skipped up to the record's "endl".
std::vector<PairRecord> pairRecords(const QStringList& tokens);

// Records of the dimension format, with the same treatment of cut-off and overlong records.
std::vector<DiameterRecord> diameterRecords(const QStringList& tokens);

// A catalogue number with a decimal comma; nothing when the text is not a finite number.
std::optional<double> catalogueNumber(const QString& text);

// The first Q or h token of the records that is not a number, if any.
std::optional<QString> firstInvalidPoint(const std::vector<PairRecord>& records);

// Total zeta of count fittings, computed in 32-bit floats like the zeta itself: "0,75".
QString totalZetaText(int count, float zeta);

// Inner diameter = outer diameter - 2 * wall thickness, with two decimals: "96,80".
QString innerDiameterText(double outerDiameter, double wallThickness);

}  // namespace kolma
