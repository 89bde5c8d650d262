#include "TForm3.h"

#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QTimer>
#include <QVBoxLayout>

#include "Controls.h"
#include "Dialogs.h"
#include "GraphData.h"
#include "Handler.h"
#include "PdfOutput.h"
#include "SectionData.h"
#include "TForm10.h"
#include "TextFit.h"

namespace kolma {

namespace {

constexpr int kPictureWidth = 937;
constexpr int kPictureHeight = 529;
constexpr int kTitlePixels = 15;  // client, project and measure
constexpr int kNotePixels = 11;   // scale note, number caption and project number
constexpr int kMinimumTitlePixels = 8;

// The image control: shows the picture, which the window redraws right before.
class SectionImage : public QWidget {
public:
    SectionImage(TForm3& form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("Image1"));
        setGeometry(0, 0, kPictureWidth, kPictureHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        form_.FormPaint();
        QPainter(this).drawImage(0, 0, form_.picture());
    }

private:
    TForm3& form_;
};

QLabel* titleLabel(QWidget* parent, const char* name, QPoint at, int pixelHeight) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    label->setFont(font);
    label->move(at);
    label->hide();
    return label;
}

}  // namespace

TForm3::TForm3(const Tables& tables, const QStringList& sequence, QWidget* parent)
    : QDialog(parent),
      tables_(tables),
      sequence_(sequence),
      picture_(kPictureWidth, kPictureHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Längsschnitt"));
    picture_.fill(kSectionBackground);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    addMenuItems<TForm3>(MainMenu1->addMenu(QStringLiteral("Datei")), this,
                         {{"Stempel1", QStringLiteral("Stempel"), &TForm3::Stempel1Click},
                          {"Drucken1", QStringLiteral("Drucken"), &TForm3::Drucken1Click},
                          {"AlsPdf1", QStringLiteral("Als PDF speichern"), &TForm3::AlsPdf1Click},
                          {"Beenden1", QStringLiteral("Beenden"), &TForm3::Beenden1Click}});

    // The client area below the menu: its rectangle is the section's geometry.
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, kSectionBackground);
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(client_);

    Image1 = new SectionImage(*this, client_);
    // Each field of the title block reaches to the next one on its right (or the picture's
    // edge) and down to the next line.
    const struct {
        QLabel*& label;
        const char* name;
        QPoint at;
        int nominal;
        QSize room;
    } fields[] = {
        {Label6, "Label6", {760, 392}, kTitlePixels, {kPictureWidth - 760 - 2, 416 - 392}},
        {Label7, "Label7", {760, 416}, kTitlePixels, {kPictureWidth - 760 - 2, 448 - 416}},
        {Label15, "Label15", {760, 448}, kTitlePixels, {kPictureWidth - 760 - 2, 480 - 448}},
        {Label5, "Label5", {760, 480}, kNotePixels, {832 - 760 - 2, kPictureHeight - 480}},
        {Label4, "Label4", {832, 480}, kNotePixels, {888 - 832 - 2, kPictureHeight - 480}},
        {Label16,
         "Label16",
         {888, 480},
         kNotePixels,
         {kPictureWidth - 888 - 2, kPictureHeight - 480}}};
    for (const auto& field : fields) {
        field.label = titleLabel(client_, field.name, field.at, field.nominal);
        titleFields_.push_back({field.label, field.nominal, field.room});
    }
    resize(949, 577);
}

TitleTexts TForm3::titleTexts() const {
    return {Label6->text(),  Label7->text(), Label15->text(),
            Label16->text(), Label4->text(), Label5->text()};
}

SectionPreparation TForm3::prepare() const {
    return prepareSection(sequence_, tables_, QString::fromLatin1(kGraphFileName));
}

void TForm3::FormPaint() {
    const auto prepared = prepare();
    if (prepared.failure)
        return reportOnce(*prepared.failure);
    if (!prepared.data.drawable())
        return;
    QPainter painter(&picture_);
    drawSection(painter, SectionGeometry::screen(client_->rect(), picture_.rect()), prepared.data);
}

// A message box must not open while the window paints, and not again at every repaint: it is
// shown once per opening, after the paint.
void TForm3::reportOnce(const SectionFailure& failure) {
    if (failureReported_)
        return;
    failureReported_ = true;
    QTimer::singleShot(0, this, [this, failure] { errorBox(this, failure.text, failure.caption); });
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The drawing follows the window's size even where the picture itself is not uncovered.
    Image1->update();
}

void TForm3::Stempel1Click() {
    TForm10 editor(this);
    if (dialogs().execModal(editor) != QDialog::Accepted)
        return;
    const TitleBlock block = editor.titleBlock();
    Label6->setText(block.client);
    Label7->setText(block.project);
    Label15->setText(block.measure);
    Label16->setText(block.projectNumber);
    Label4->setText(QStringLiteral("Projektnr.:"));
    Label5->setText(QStringLiteral("Maßstab: o. M."));
    fitTitleLabels();
}

void TForm3::fitTitleLabels() {
    for (const TitleField& field : titleFields_) {
        QLabel* label = field.label;
        const auto size = fittingPixelSize(label->text(), field.room, field.nominal,
                                           kMinimumTitlePixels, fontTextSize(label->font(), label));
        if (!size) {
            label->hide();
            continue;
        }
        QFont font = label->font();
        font.setPixelSize(*size);
        label->setFont(font);
        label->adjustSize();
        label->show();
        label->raise();
    }
}

std::optional<SectionData> TForm3::printable() {
    auto prepared = prepare();
    if (prepared.failure) {
        errorBox(this, prepared.failure->text, prepared.failure->caption);
        return std::nullopt;
    }
    if (!prepared.data.drawable())
        return std::nullopt;
    return std::move(prepared.data);
}

void TForm3::Drucken1Click() {
    const auto data = printable();
    if (!data)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().choosePrinter(this, printer))
        return;
    if (!printSection(printer, *data, titleTexts()))
        throw KolmaError(QStringLiteral("Der Druckauftrag konnte nicht begonnen werden."));
}

void TForm3::AlsPdf1Click() {
    const auto data = printable();
    if (!data)
        return;
    const auto chosen =
        dialogs().getSaveFileName(this, pdfSaveRequest(QStringLiteral("Längsschnitt.pdf")));
    if (!chosen)
        return;
    const TitleTexts title = titleTexts();
    printToPdf(*chosen, QPrinter::HighResolution,
               [&](QPrinter& printer) { return printSection(printer, *data, title); });
}

void TForm3::Beenden1Click() {
    reject();
}

}  // namespace kolma
