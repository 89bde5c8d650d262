// What the three catalogue windows share: the file list of one pattern in the current
// directory, list selection without running the click handlers, and the catalogue messages.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace kolma {

struct PairRecord;

// A caption at a fixed place.
QLabel* addCaption(QWidget* window, const QString& text, int x, int y);

// Keeps a take-over button enabled only while the field it takes over holds a value, so that an
// empty field never replaces a value standing in the main window.
void enableWhileFilled(QPushButton* button, const QLineEdit* field);

// Fills a file list with the files of the current directory that match the pattern, sorted by
// name; the file name comparison ignores case, as on the systems the catalogues come from.
void fillFileList(QListWidget* list, const QString& pattern);

// Empties a list without running the handlers attached to its selection.
void clearList(QListWidget* list);

// Selects the first entry (if any) without running the handlers attached to the selection.
void selectFirst(QListWidget* list);

// Selects an entry without running the handlers attached to the selection.
void selectRow(QListWidget* list, int row);

// Text of the current entry (the one just clicked); empty when there is none.
QString currentText(const QListWidget* list);

// The question shown when a catalogue file cannot be opened (the answer changes nothing).
void reportUnreadableCatalogue(QWidget* parent);

// The tokens of a catalogue file; nothing (reported) when it cannot be opened.
std::optional<QStringList> catalogueTokensOrReport(QWidget* parent, const QString& fileName);

// Lists the types of the records (when `types` is given) and the pairs of record `pairsOf` as
// the two lists of first and second values, without running the lists' handlers. The value
// lists are emptied first; the type list is only added to.
void listPairRecords(const std::vector<PairRecord>& records, QListWidget* types, int pairsOf,
                     QListWidget* firstValues, QListWidget* secondValues);

// Error box for a catalogue value that is not a number.
void reportInvalidNumber(QWidget* parent, const QString& fileName, const QString& value);

// The number of a catalogue value; reports it and gives nothing when it is not a number.
std::optional<double> numberOrReport(QWidget* parent, const QString& fileName,
                                     const QString& value);

}  // namespace kolma
