#include "TForm10.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "Controls.h"
#include "Dialogs.h"
#include "Handler.h"
#include "TextFile.h"

namespace kolma {

namespace {

const QString kUntitled = QStringLiteral("Unbenannt.spl");
// The name the open dialog proposes; lower case, unlike the editor's own untitled name.
const QString kProposedName = QStringLiteral("unbenannt.spl");

FileRequest titleBlockRequest(const QString& fileName, const QString& directory) {
    FileRequest request;
    request.filter = QStringLiteral("Stempel|*.spl");
    request.fileName = fileName;
    request.directory = directory;
    return request;
}

}  // namespace

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Stempelfeld"));
    resize(339, 353);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);
    setAutoFillBackground(true);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setGeometry(0, 0, 339, 24);
    addMenuItems<TForm10>(
        MainMenu1->addMenu(QStringLiteral("Datei")), this,
        {{"ffnen1", QStringLiteral("Öffnen"), &TForm10::ffnen1Click},
         {"Speichern1", QStringLiteral("Speichern"), &TForm10::Speichern1Click},
         {"Speichernunter1", QStringLiteral("Speichern unter"), &TForm10::Speichernunter1Click},
         {"Beenden1", QStringLiteral("Beenden"), &TForm10::Beenden1Click}});

    Label3 =
        namedControl<QLabel>(this, "Label3", QStringLiteral("Auftraggeber:"), {16, 36, 300, 18});
    Edit1 = namedControl<QLineEdit>(this, "Edit1", {16, 56, 305, 24});
    Label1 = namedControl<QLabel>(this, "Label1", QStringLiteral("Projekt:"), {16, 88, 300, 18});
    Edit2 = namedControl<QLineEdit>(this, "Edit2", {16, 108, 305, 24});
    Label2 = namedControl<QLabel>(this, "Label2", QStringLiteral("Maßnahme:"), {16, 140, 300, 18});
    Edit3 = namedControl<QLineEdit>(this, "Edit3", {16, 160, 305, 24});
    Label4 =
        namedControl<QLabel>(this, "Label4", QStringLiteral("Maßstab: o. M."), {16, 200, 110, 18});
    Label5 =
        namedControl<QLabel>(this, "Label5", QStringLiteral("Projektnr.:"), {136, 200, 80, 18});
    Edit4 = namedControl<QLineEdit>(this, "Edit4", {216, 196, 105, 24});
    Button1 = namedControl<QPushButton>(this, "Button1", QStringLiteral("OK"), {128, 250, 90, 28});
    Button1->setDefault(true);
    connectHandler(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 353 - 22, 339, 22);
    statusPanel_ = new QLabel(StatusBar1);
    statusPanel_->setMinimumWidth(50);
    StatusBar1->addWidget(statusPanel_);
    setCurrentFileName(kUntitled);
}

TitleBlock TForm10::fields() const {
    return {Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text()};
}

void TForm10::setCurrentFileName(const QString& fileName) {
    fileName_ = fileName;
    statusPanel_->setText(fileName);
}

void TForm10::ffnen1Click() {
    const auto chosen = dialogs().getOpenFileName(this, titleBlockRequest(kProposedName, {}));
    if (!chosen)
        return;
    lines_ = titleBlockLines(readFileBytes(*chosen));
    setCurrentFileName(*chosen);
    const TitleBlock block = titleBlockOf(lines_);
    Edit1->setText(block.client);
    Edit2->setText(block.project);
    Edit3->setText(block.measure);
    Edit4->setText(block.projectNumber);
}

void TForm10::Speichern1Click() {
    if (fileName_ == kUntitled)
        return Speichernunter1Click();
    saveTo(fileName_);
}

void TForm10::Speichernunter1Click() {
    const QFileInfo current(fileName_);
    const QString directory = fileName_ == kUntitled ? QString() : current.absolutePath();
    const auto chosen =
        dialogs().getSaveFileName(this, titleBlockRequest(current.fileName(), directory));
    if (!chosen)
        return;
    saveTo(*chosen);
    // The status line names the file that "Speichern" will write next.
    setCurrentFileName(*chosen);
}

void TForm10::saveTo(const QString& fileName) {
    const QStringList lines = withTitleBlock(lines_, fields());
    writeFileAtomically(fileName, titleBlockBytes(lines));
    lines_ = lines;
}

void TForm10::Beenden1Click() {
    reject();
}

void TForm10::Button1Click() {
    applied_ = fields();
    accept();
}

}  // namespace kolma
