// The search dialog of the three table pages. The caller sets the label; on OK the typed
// number goes into the main window's edit that the label names.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kolma {

class TForm1;

// The labels the table pages set; each names the edit of the main window that OK fills.
inline constexpr char kPipeSearchLabel[] = "StrangNr.:";
inline constexpr char kPumpSearchLabel[] = "PumpenNr.:";
inline constexpr char kNodeSearchLabel[] = "KnotenNr.:";

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
    // The main window's edit that the label names; none for another label.
    QLineEdit* searchedEdit() const;

    TForm1* mainWindow_;
};

}  // namespace kolma
