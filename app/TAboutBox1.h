// The info box of the program.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kolma {

class TAboutBox1 : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox1(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* Produktname;
    QLabel* Version;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* OKButton;
};

}  // namespace kolma
