#include "TAboutBox1.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "Controls.h"

namespace kolma {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pixelSize,
                  bool bold = false) {
    auto* label = namedControl<QLabel>(parent, name, text);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

}  // namespace

TAboutBox1::TAboutBox1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox1"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(298, 213);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    ProgramIcon = namedControl<QLabel>(panel, "ProgramIcon");
    ProgramIcon->setFixedSize(65, 57);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(65, 57));
    Produktname = makeLabel(panel, "Produktname", QStringLiteral("KOLMA"), 19, true);
    Version = makeLabel(panel, "Version", QStringLiteral("Version 2.5"), 13);
    Label1 = makeLabel(panel, "Label1",
                       QStringLiteral("Berechnung von Druckverlusten in  beliebig"), 13);
    Label2 = makeLabel(panel, "Label2", QStringLiteral("vermaschten Drucknetzen"), 13);

    Label1->setWordWrap(true);

    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(6, 6, 6, 6);
    panelLayout->addWidget(ProgramIcon, 0, 0, 2, 1);
    panelLayout->addWidget(Produktname, 0, 1);
    panelLayout->addWidget(Version, 1, 1);
    panelLayout->addWidget(Label1, 2, 0, 1, 2);
    panelLayout->addWidget(Label2, 3, 0, 1, 2);

    OKButton = namedControl<QPushButton>(this, "OKButton", QStringLiteral("OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
}

}  // namespace kolma
