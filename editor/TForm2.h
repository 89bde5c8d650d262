// The search dialog of the three table pages. The caller sets the label; on OK the typed
// number goes into the main window's edit that the label names.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kolma {

class TForm1;

class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(TForm1* mainWindow);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* OK2;
    QPushButton* Abbrechen2;

    void OK2Click();
    void Abbrechen2Click();

private:
    TForm1* mainWindow_;
};

}  // namespace kolma
