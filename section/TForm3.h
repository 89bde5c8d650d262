// The section window: draws the longitudinal section along the node sequence at every paint,
// carries the applied title block and prints the section.
#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QStringList>
#include <optional>
#include <vector>

#include "SectionData.h"
#include "SectionDrawing.h"
#include "Tables.h"

class QLabel;
class QMenuBar;

namespace kolma {

class TForm3 : public QDialog {
public:
    TForm3(const Tables& tables, const QStringList& sequence, QWidget* parent = nullptr);

    // The picture of the image control as last drawn.
    const QImage& picture() const { return picture_; }
    // The title block texts as the labels hold them.
    TitleTexts titleTexts() const;

    void FormPaint();
    void Stempel1Click();
    void Drucken1Click();
    // Saves the printout of "Drucken" in a PDF file instead.
    void AlsPdf1Click();
    void Beenden1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The section along the sequence, from the tables and the graph data file as they are now.
    SectionPreparation prepare() const;
    void reportOnce(const SectionFailure& failure);
    // The section to print, or nothing after telling the user why there is none.
    std::optional<SectionData> printable();
    // Each text of the title block made as small as it must be to fit its field, or hidden.
    void fitTitleLabels();

    Tables tables_;
    QStringList sequence_;
    QImage picture_;
    bool failureReported_ = false;
    QMenuBar* MainMenu1;
    QWidget* client_;
    QWidget* Image1;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label15;
    QLabel* Label16;
    // A field of the title block: its label, its nominal pixel size and the room its text may
    // fill.
    struct TitleField {
        QLabel* label;
        int nominal;
        QSize room;
    };
    std::vector<TitleField> titleFields_;
};

}  // namespace kolma
