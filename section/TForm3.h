// The section window: draws the longitudinal section along the node sequence at every paint,
// carries the applied title block and prints the section.
#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>

#include "SectionDrawing.h"
#include "Tables.h"

class QLabel;
class QMenuBar;

namespace kolma {

class TForm3 : public QDialog {
public:
    TForm3(const kolma::Tables& tables, const QStringList& sequence, QWidget* parent = nullptr);

    // The picture of the image control as last drawn.
    const QImage& picture() const { return picture_; }
    // The title block texts as the labels hold them.
    kolma::TitleTexts titleTexts() const;

    void FormPaint();
    void Stempel1Click();
    void Drucken1Click();
    void Beenden1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void reportOnce(const kolma::SectionFailure& failure);

    kolma::Tables tables_;
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
};

}  // namespace kolma
