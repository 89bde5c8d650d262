// "Stützwerte Pumpenkennlinien": the pump curve catalogue ("*.DTB"). The user picks a
// manufacturer (file) and a pump type; after "OK" the main window takes the type and up to eight
// support points into its pump input line (takePumpFromCatalogue).
#pragma once

#include <QDialog>

#include "PumpEditLine.h"

class QListWidget;
class QPushButton;

namespace kolma {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QListWidget* FileListBox1;
    QListWidget* ListBox1;
    QListWidget* ListBox2;  // Q [l/s]
    QListWidget* ListBox3;  // h [m]
    QPushButton* Button1;
    QPushButton* Button2;

    void FormCreate();
    void FileListBox1Change();
    void ListBox1Click();
    void Button1Click();
    void Button2Click();

private:
    void buildControls();
    void connectHandlers();
    // Reads the selected file: the types into ListBox1 when listTypes, the points of record
    // pointsOf into ListBox2 and ListBox3. False when it could not be opened.
    bool readSelectedFile(bool listTypes, int pointsOf);
};

// After "OK": the selected type into the type field, the first eight points into Q1..Q8 and
// h1..h8; fields beyond the listed points keep their texts.
void takePumpFromCatalogue(const TForm7& catalogue, const PumpEditLine& line);

// "DB Pumpe": shows the catalogue modally and takes the chosen pump over on "OK".
void choosePumpFromCatalogue(const PumpEditLine& line, QWidget* parent);

}  // namespace kolma
