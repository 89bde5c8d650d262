// "Norm Innendurchmesser": the inner-diameter catalogue ("*.dur"). The user picks a standard
// (file), a nominal diameter and a wall thickness; "Hinzufügen" writes the inner diameter into
// the diameter field of the main window's pipe input line.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kolma {

struct DiameterRecord;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    // diameterTarget: the main window's Edit6 (may be null for an instance that is never shown).
    TForm8(QLineEdit* diameterTarget, QWidget* parent = nullptr);

    QListWidget* FileListBox1;
    QListWidget* ListBox1;  // DN
    QListWidget* ListBox2;  // wall thicknesses
    QLabel* Label7;         // pressure classes of the first six wall thicknesses
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLineEdit* Edit1;  // outer diameter
    QLineEdit* Edit2;  // series code (hidden)
    QLineEdit* Edit3;  // inner diameter
    QPushButton* Button1;
    QPushButton* Button2;

    void FormCreate();
    void FileListBox1Change();
    void ListBox1Click();
    void ListBox2Click();
    void Button1Click();
    void Button2Click();

private:
    void buildControls();
    void connectHandlers();
    // Reads the selected file: the DNs into ListBox1 when listDns, the wall thicknesses of
    // record wallsOf into ListBox2 (with the edits set from its first one). The series code of
    // the last record goes to lastSeries. False when the file could not be opened.
    bool readSelectedFile(bool listDns, int wallsOf, QString* lastSeries = nullptr);
    void showRecord(const DiameterRecord& record);
    void setPressureClassLabels(const QString& seriesCode);
    // The inner diameter for the outer diameter in Edit1 and a wall thickness, or "" (reported)
    // when one of them is not a number.
    QString innerDiameter(const QString& wallThickness);

    QLineEdit* diameterTarget_;
};

}  // namespace kolma
