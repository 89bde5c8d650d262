// The report viewer: shows "ausgabe.aus" for reading and editing, saves the shown text under a
// name of the user's choice and prints the report as stored. Closing asks whether to save.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMenuBar;
class QPrinter;
class QPushButton;
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

    // Selects the first place of the text in the report and scrolls it into view.
    void showText(const QString& text);
    // Shows the button "Bewertung", which calls `evaluate`.
    void offerEvaluation(std::function<void()> evaluate);

    void Speichern1Click();
    void Drucken1Click();
    // Saves the report as stored, laid out as "Drucken" prints it, in a PDF file; the view keeps
    // its text.
    void AlsPdf1Click();
    void Beenden1Click();

    QMenuBar* MainMenu1;
    QAction* Speichern1;
    QAction* Drucken1;
    QAction* AlsPdf1;
    QAction* Beenden1;
    QTextEdit* RichEdit1;
    QStatusBar* StatusBar1;
    QPushButton* Bewertung2;  // hidden unless an evaluation is offered
    QLabel* StatusPanel;      // panel 0 of the status bar

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
