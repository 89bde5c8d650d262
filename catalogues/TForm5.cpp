#include "TForm5.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "Dialogs.h"
#include "Handler.h"
#include "PdfOutput.h"
#include "TextFile.h"

namespace kolma {

namespace {

const QString kReport = QStringLiteral("ausgabe.aus");
const QString kCaption = QStringLiteral("Ausgabe");
const QColor kScreenBackground(1, 118, 156);
const QColor kScreenText(237, 233, 143);
const QString kFontFamily = QStringLiteral("Courier New");
const int kScreenPointSize = 11;
const int kPrintPointSize = 10;
const qreal kPrintIndentPoints = 50;

}  // namespace

void printReport(const QString& report, QPrinter& printer) {
    QTextDocument document;
    document.setDefaultFont(QFont(kFontFamily, kPrintPointSize));
    document.setPlainText(report);
    // Indents are laid out in pixels of the standard 96 dpi.
    QTextBlockFormat indent;
    indent.setTextIndent(kPrintIndentPoints * 96.0 / 72.0);
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(indent);
    QTextCharFormat black;
    black.setForeground(Qt::black);
    cursor.mergeCharFormat(black);
    printer.setDocName(kCaption);
    document.print(&printer);
}

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(kCaption);
    resize(805, 570);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* datei = MainMenu1->addMenu(QStringLiteral("Datei"));
    Speichern1 = datei->addAction(QStringLiteral("Speichern"));
    Speichern1->setObjectName(QStringLiteral("Speichern1"));
    Drucken1 = datei->addAction(QStringLiteral("Drucken"));
    Drucken1->setObjectName(QStringLiteral("Drucken1"));
    AlsPdf1 = datei->addAction(QStringLiteral("Als PDF speichern"));
    AlsPdf1->setObjectName(QStringLiteral("AlsPdf1"));
    Beenden1 = datei->addAction(QStringLiteral("Beenden"));
    Beenden1->setObjectName(QStringLiteral("Beenden1"));

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    QPalette colours = RichEdit1->palette();
    colours.setColor(QPalette::Base, kScreenBackground);
    colours.setColor(QPalette::Text, kScreenText);
    RichEdit1->setPalette(colours);
    RichEdit1->setFont(QFont(kFontFamily, kScreenPointSize));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel = new QLabel(StatusBar1);
    StatusPanel->setFixedWidth(50);
    StatusBar1->addWidget(StatusPanel);
    Bewertung2 = new QPushButton(QStringLiteral("Bewertung ..."), StatusBar1);
    Bewertung2->setObjectName(QStringLiteral("Bewertung2"));
    Bewertung2->hide();
    StatusBar1->addPermanentWidget(Bewertung2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(RichEdit1);
    layout->addWidget(StatusBar1);

    connectHandler(Speichern1, &QAction::triggered, this, &TForm5::Speichern1Click);
    connectHandler(Drucken1, &QAction::triggered, this, &TForm5::Drucken1Click);
    connectHandler(AlsPdf1, &QAction::triggered, this, &TForm5::AlsPdf1Click);
    connectHandler(Beenden1, &QAction::triggered, this, &TForm5::Beenden1Click);
}

void TForm5::FormCreate() {
    showReport(readTextFile(kReport));
    fileName_ = kReport;
    showFileName();
}

void TForm5::showText(const QString& text) {
    if (RichEdit1->find(text))
        RichEdit1->ensureCursorVisible();
}

void TForm5::offerEvaluation(std::function<void()> evaluate) {
    connect(Bewertung2, &QPushButton::clicked, this,
            [evaluate = std::move(evaluate)] { runHandler(evaluate); });
    Bewertung2->show();
}

void TForm5::showReport(const QString& text) {
    RichEdit1->setPlainText(text);
}

void TForm5::showFileName() {
    StatusPanel->setText(fileName_);
}

void TForm5::Speichern1Click() {
    const auto chosen = dialogs().getSaveFileName(
        this, saveRequest({}, QStringLiteral("Ausgabedateien|*.aus"), {}, fileName_));
    if (!chosen)
        return;
    writeFileAtomically(*chosen, RichEdit1->toPlainText().toUtf8());
    fileName_ = *chosen;
}

void TForm5::Drucken1Click() {
    QPrinter printer;
    // Cancel in the printer dialog means no printing.
    if (!dialogs().choosePrinter(this, printer))
        return;
    const QString stored = readTextFile(kReport);
    printReport(stored, printer);
    showReport(stored);
}

void TForm5::AlsPdf1Click() {
    const auto chosen = dialogs().getSaveFileName(
        this, pdfSaveRequest(replacedExtension(fileName_.isEmpty() ? kReport : fileName_,
                                               QStringLiteral(".pdf"))));
    if (!chosen)
        return;
    const QString stored = readTextFile(kReport);
    printToPdf(*chosen, QPrinter::ScreenResolution, [&stored](QPrinter& printer) {
        printReport(stored, printer);
        return true;
    });
}

void TForm5::Beenden1Click() {
    reject();
}

void TForm5::FormClose() {
    const bool save = questionBox(this, QStringLiteral("Speicherung der Ergebnisse ?"),
                                  QStringLiteral("Ergebnisanzeige schließen"));
    if (save)
        runHandler([this] { Speichern1Click(); });
}

void TForm5::done(int result) {
    FormClose();
    QDialog::done(result);
}

}  // namespace kolma
