// The report viewer: shows "ausgabe.aus" for reading and editing, saves the shown text under a
// name of the user's choice and prints the report as stored. Closing asks whether to save.
#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QLabel;
class QMenuBar;
class QPrinter;
class QStatusBar;
class QTextEdit;

namespace kolma {

// Prints a report text as the viewer prints it: Courier New 10 pt, black, every line indented by
// 50 points, with the viewer's caption as the job's title.
void printReport(const QString& report, QPrinter& printer);

class TForm5 : public QDialog {
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Loads "ausgabe.aus"; raises a KolmaError when it cannot be read, and the viewer then shows
    // nothing and has no current file name. The start-up instance runs it under runHandler.
    void FormCreate();

    const QString& currentFileName() const { return fileName_; }

    void Speichern1Click();
    void Drucken1Click();
    void Beenden1Click();

    QMenuBar* MainMenu1;
    QAction* Speichern1;
    QAction* Drucken1;
    QAction* Beenden1;
    QTextEdit* RichEdit1;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel;  // panel 0 of the status bar

protected:
    // Every way of closing (menu, close box, Escape) passes here.
    void done(int result) override;

private:
    void FormClose();
    void showReport(const QString& text);
    void showFileName();

    QString fileName_;
};

}  // namespace kolma
