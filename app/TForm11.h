// The settings dialog: kinematic viscosity and maximum iterations of the main window's hidden
// edits nue and iter, taken over as typed on OK.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kolma {

class TForm11 : public QDialog {
public:
    TForm11(QLineEdit* nue, QLineEdit* iter, QWidget* parent = nullptr);

    void Button1Click();

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label2;
    QLineEdit* Edit2;
    QPushButton* Button1;

private:
    void FormCreate();

    QLineEdit* nue_;
    QLineEdit* iter_;
};

}  // namespace kolma
