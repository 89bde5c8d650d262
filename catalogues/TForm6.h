// "Verluste": the loss coefficient catalogue ("*.xta"). The user picks kind (file), fitting type
// and diameter, enters the number of fittings, and "Hinzufügen" writes the total zeta into the
// zeta field of the main window's pipe input line.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kolma {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    // zetaTarget: the main window's Edit12 (may be null for an instance that is never shown).
    TForm6(QLineEdit* zetaTarget, QWidget* parent = nullptr);

    QListWidget* FileListBox1;
    QListWidget* ListBox1;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QPushButton* Button1;
    QPushButton* Button2;

    void FormCreate();
    void FileListBox1Change();
    void ListBox1Click();
    void ListBox2Click();
    void Edit2Change();
    void Button1Click();
    void Button2Click();

private:
    void buildControls();
    void connectHandlers();
    // Reads the selected file: every type into ListBox1 when listTypes, the pairs of record
    // pairsOf into ListBox2 and ListBox3. False (reported) when it could not be opened.
    bool readSelectedFile(bool listTypes, int pairsOf);
    void showZetaOfCurrentDiameter();
    void computeTotalZeta();
    QString fileName() const;

    QLineEdit* zetaTarget_;
};

}  // namespace kolma
