// The node sequence dialog: the user lists the chain of nodes along which the longitudinal
// section runs, then opens the section window.
#pragma once

#include <QDialog>
#include <QStringList>

#include "Tables.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kolma {

class StringGrid;

class TForm9 : public QDialog {
public:
    // systemNodeCount: the node count of the calculated system as last read, kept by the caller
    // between openings; the dialog reads it anew from the graph data when it opens.
    TForm9(const Tables& tables, int& systemNodeCount, QWidget* parent = nullptr);

    // The sequence as "Längsschnitt zeichnen" last counted it (n entries).
    QStringList sequence() const;

    void Button1Click();  // Hinzufügen
    void Button2Click();  // Entfernen
    void Button3Click();  // Längsschnitt zeichnen
    void Button4Click();  // Abbrechen

private:
    void FormCreate();

    Tables tables_;
    int& systemNodeCount_;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* Button1;
    QPushButton* Button2;
    StringGrid* StringGrid1;
    QPushButton* Button3;
    QPushButton* Button4;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
};

}  // namespace kolma
