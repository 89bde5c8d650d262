#include "TForm10.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "Dialogs.h"
#include "Handler.h"
#include "TextFile.h"

namespace kolma {

namespace {

const QString kUntitled = QStringLiteral("Unbenannt.spl");

kolma::FileRequest titleBlockRequest(const QString& fileName, const QString& directory) {
    kolma::FileRequest request;
    request.filter = QStringLiteral("Stempel|*.spl");
    request.fileName = fileName;
    request.directory = directory;
    return request;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, QRect geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    return e;
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
    QMenu* file = MainMenu1->addMenu(QStringLiteral("Datei"));
    const struct {
        const char* name;
        QString text;
        void (TForm10::*handler)();
    } items[] = {
        {"ffnen1", QStringLiteral("Öffnen"), &TForm10::ffnen1Click},
        {"Speichern1", QStringLiteral("Speichern"), &TForm10::Speichern1Click},
        {"Speichernunter1", QStringLiteral("Speichern unter"), &TForm10::Speichernunter1Click},
        {"Beenden1", QStringLiteral("Beenden"), &TForm10::Beenden1Click}};
    for (const auto& item : items) {
        QAction* action = file->addAction(item.text);
        action->setObjectName(QString::fromLatin1(item.name));
        kolma::connectHandler(action, &QAction::triggered, this, item.handler);
    }

    Label3 = label(this, "Label3", QStringLiteral("Auftraggeber:"), {16, 36, 300, 18});
    Edit1 = edit(this, "Edit1", {16, 56, 305, 24});
    Label1 = label(this, "Label1", QStringLiteral("Projekt:"), {16, 88, 300, 18});
    Edit2 = edit(this, "Edit2", {16, 108, 305, 24});
    Label2 = label(this, "Label2", QStringLiteral("Maßnahme:"), {16, 140, 300, 18});
    Edit3 = edit(this, "Edit3", {16, 160, 305, 24});
    Label4 = label(this, "Label4", QStringLiteral("Maßstab: o. M."), {16, 200, 110, 18});
    Label5 = label(this, "Label5", QStringLiteral("Projektnr.:"), {136, 200, 80, 18});
    Edit4 = edit(this, "Edit4", {216, 196, 105, 24});
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(128, 250, 90, 28);
    Button1->setDefault(true);
    kolma::connectHandler(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 353 - 22, 339, 22);
    statusPanel_ = new QLabel(StatusBar1);
    statusPanel_->setMinimumWidth(50);
    StatusBar1->addWidget(statusPanel_);
    setCurrentFileName(kUntitled);
}

kolma::TitleBlock TForm10::fields() const {
    return {Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text()};
}

void TForm10::setCurrentFileName(const QString& fileName) {
    fileName_ = fileName;
    statusPanel_->setText(fileName);
}

void TForm10::ffnen1Click() {
    const auto chosen = kolma::dialogs().getOpenFileName(
        this, titleBlockRequest(QStringLiteral("unbenannt.spl"), {}));
    if (!chosen)
        return;
    lines_ = kolma::titleBlockLines(kolma::readFileBytes(*chosen));
    setCurrentFileName(*chosen);
    const kolma::TitleBlock block = kolma::titleBlockOf(lines_);
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
        kolma::dialogs().getSaveFileName(this, titleBlockRequest(current.fileName(), directory));
    if (!chosen)
        return;
    saveTo(*chosen);
    // The status line names the file that "Speichern" will write next.
    setCurrentFileName(*chosen);
}

void TForm10::saveTo(const QString& fileName) {
    const QStringList lines = kolma::withTitleBlock(lines_, fields());
    kolma::writeFileAtomically(fileName, kolma::titleBlockBytes(lines));
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
