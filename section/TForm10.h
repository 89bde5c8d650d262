// The title block editor: four fields typed or loaded from a title block file, saved to one and
// applied to the section with "OK".
#pragma once

#include <QDialog>
#include <QStringList>

#include "TitleBlock.h"

class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;

namespace kolma {

class TForm10 : public QDialog {
public:
    explicit TForm10(QWidget* parent = nullptr);

    // The fields as "OK" took them.
    const TitleBlock& titleBlock() const { return applied_; }
    const QString& currentFileName() const { return fileName_; }

    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Beenden1Click();
    void Button1Click();

private:
    TitleBlock fields() const;
    void saveTo(const QString& fileName);
    void setCurrentFileName(const QString& fileName);

    QString fileName_;
    QStringList lines_;  // the opened file's lines; lines after the fourth are written back
    TitleBlock applied_;
    QMenuBar* MainMenu1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QPushButton* Button1;
    QStatusBar* StatusBar1;
    QLabel* statusPanel_;
};

}  // namespace kolma
