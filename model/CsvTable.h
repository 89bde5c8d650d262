// Result tables as CSV files for spreadsheets: German style (semicolon, decimal comma) or
// international style (comma, decimal point), UTF-8 with a byte order mark so that spreadsheets
// read the umlauts, one line per row ended by LF.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace kolma {

enum class CsvStyle {
    German,         // "1,50;2,00"
    International,  // "1.50,2.00"
};

// A cell: a text, or a number shown with a fixed number of decimals (empty when not finite).
struct CsvCell {
    QString text;
    double number = 0.0;
    int decimals = -1;  // -1: the cell is the text

    static CsvCell of(const QString& text) { return {text, 0.0, -1}; }
    static CsvCell of(double number, int decimals) { return {QString(), number, decimals}; }
};

struct CsvTable {
    QStringList header;
    std::vector<std::vector<CsvCell>> rows;
};

QByteArray csvBytes(const CsvTable& table, CsvStyle style);

}  // namespace kolma
