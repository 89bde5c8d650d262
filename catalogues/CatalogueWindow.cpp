#include "CatalogueWindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "CatalogueFile.h"
#include "Dialogs.h"

namespace kolma {

QLabel* addCaption(QWidget* window, const QString& text, int x, int y) {
    auto* label = new QLabel(text, window);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void enableWhileFilled(QPushButton* button, const QLineEdit* field) {
    const auto update = [button, field] { button->setEnabled(!field->text().isEmpty()); };
    QObject::connect(field, &QLineEdit::textChanged, button, update);
    update();
}

void fillFileList(QListWidget* list, const QString& pattern) {
    list->clear();
    list->addItems(QDir::current().entryList(QStringList{pattern}, QDir::Files,
                                             QDir::Name | QDir::IgnoreCase));
}

void clearList(QListWidget* list) {
    const QSignalBlocker blocker(list);
    list->clear();
}

void selectFirst(QListWidget* list) {
    selectRow(list, list->count() > 0 ? 0 : -1);
}

void selectRow(QListWidget* list, int row) {
    const QSignalBlocker blocker(list);
    list->setCurrentRow(row);
}

QString currentText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

void reportUnreadableCatalogue(QWidget* parent) {
    MessageRequest request;
    request.text = QStringLiteral("Datei konnte nicht exklusiv geöffnet werden? Abbrechen?");
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    dialogs().showMessage(parent, request);
}

std::optional<QStringList> catalogueTokensOrReport(QWidget* parent, const QString& fileName) {
    auto tokens = readCatalogueTokens(fileName);
    if (!tokens)
        reportUnreadableCatalogue(parent);
    return tokens;
}

void listPairRecords(const std::vector<PairRecord>& records, QListWidget* types, int pairsOf,
                     QListWidget* firstValues, QListWidget* secondValues) {
    clearList(firstValues);
    clearList(secondValues);
    const QSignalBlocker typeBlocker(types);
    const QSignalBlocker firstBlocker(firstValues);
    const QSignalBlocker secondBlocker(secondValues);
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        if (types)
            types->addItem(records[r].type);
        if (r != pairsOf)
            continue;
        for (const auto& [first, second] : records[r].pairs) {
            firstValues->addItem(first);
            secondValues->addItem(second);
        }
    }
}

void reportInvalidNumber(QWidget* parent, const QString& fileName, const QString& value) {
    errorBox(parent,
             QStringLiteral("Der Wert \"%1\" in der Datei \"%2\" ist keine gültige Zahl.")
                 .arg(value, fileName),
             QStringLiteral("Fehler"));
}

std::optional<double> numberOrReport(QWidget* parent, const QString& fileName,
                                     const QString& value) {
    const auto number = catalogueNumber(value);
    if (!number)
        reportInvalidNumber(parent, fileName, value);
    return number;
}

}  // namespace kolma
