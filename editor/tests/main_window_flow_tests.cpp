// The main window end to end, as a user drives it: typing a network into the edit lines, saving
// the project, computing it with the real solver, reading the report, drawing a section,
// opening the project again, and the menu items that open the other windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm3.h"
#include "TForm5.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using testing::WorkingDirectory;

class MainWindowFlow : public ::testing::Test {
protected:
    MainWindowFlow() : form(createStartupWindows().Form1) { dialogs.messages.clear(); }

    void type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void addPipe(const char* row, const char* number, const char* from, const char* to,
                 const char* length, const char* diameter) {
        type(form->Edit1, row);
        type(form->Edit2, number);
        type(form->Edit3, from);
        type(form->Edit4, to);
        type(form->Edit5, length);
        type(form->Edit6, diameter);
        type(form->Edit7, "0,1");
        form->Hinzu1->click();
    }
    void addNode(const char* row, const char* knownHead, const char* withdrawal, const char* ground,
                 const char* invert) {
        type(form->Zeil3, row);
        type(form->Knotnum, form->StringGrid3->cell(1, QString(row).toInt()));
        type(form->Druck, knownHead);
        type(form->Entnahme, withdrawal);
        type(form->GOK, ground);
        type(form->RS, invert);
        form->Hinzu3->click();
    }
    // Three pipes in a chain from the reservoir node 10; node numbers from "Knotnum akt.".
    void typeChain() {
        addPipe("1", "1", "10", "20", "250", "150");
        addPipe("2", "2", "20", "30", "180,5", "100");
        addPipe("3", "3", "30", "40", "120", "80");
        form->knotnum3->click();
        addNode("1", "120", "", "105", "103,5");
        addNode("2", "", "2,5", "104", "102,5");
        addNode("3", "", "1,5", "103", "101,5");
        addNode("4", "", "0,8", "108", "106,5");
    }
    // Runs a modal window through the seam and returns the name it was shown under.
    QString lastModal() const {
        return dialogs.modalWindows.empty() ? QString() : dialogs.modalWindows.back();
    }

    ScriptedDialogs dialogs;
    WorkingDirectory dir;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindowFlow, TypedNetworkIsSavedComputedReportedAndDrawn) {
    typeChain();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();
    EXPECT_EQ(form->StringGrid3->cell(1, 4), QStringLiteral("40"));

    dialogs.fileAnswers.push_back(dir.filePath("kette.ein"));
    form->Fertigstellen->click();
    const QByteArray saved = dir.read("eingabe.dat");
    EXPECT_TRUE(saved.startsWith("3\t1.305\t1000\t3\t4\t0\t1\n\n10\n20\n30\n40\n\n"));
    EXPECT_TRUE(saved.contains("2\t1\t2\t180.5\t100\t0.1\t0,00\t\n") ||
                saved.contains("2\t1\t2\t180.5\t100\t0.1\t0.00\t\n"));
    EXPECT_EQ(dir.read("kette.ein"), saved);
    EXPECT_TRUE(form->AktuelleDatei().endsWith(QStringLiteral("kette.ein")));

    QString report;
    dialogs.modalScripts.push_back([&report](QDialog& d) {
        report = static_cast<TForm5&>(d).RichEdit1->toPlainText();
        return int(QDialog::Rejected);
    });
    form->Action4->trigger();
    EXPECT_EQ(lastModal(), QStringLiteral("Form5"));
    EXPECT_TRUE(report.contains(QStringLiteral("kette.ein")));
    EXPECT_TRUE(report.contains(QStringLiteral("Ausgabedaten:")));
    EXPECT_TRUE(report.contains(QStringLiteral("|  30-40  |       0.80|")));
    EXPECT_FALSE(report.contains(QStringLiteral("Grenzwert")));
    EXPECT_TRUE(dir.exists("graphein.dat"));

    // The section along 10-20-30-40: the sequence dialog hands its chain to the section window.
    QImage section;
    dialogs.modalScripts.push_back([&](QDialog& sequence) {
        for (const char* node : {"10", "20", "30", "40"}) {
            sequence.findChild<QLineEdit*>("Edit2")->setText(node);
            sequence.findChild<QPushButton*>("Button1")->click();
        }
        dialogs.modalScripts.push_back([&section](QDialog& window) {
            window.resize(949, 577);
            section = static_cast<TForm3&>(window).grab().toImage();
            return int(QDialog::Rejected);
        });
        sequence.findChild<QPushButton*>("Button3")->click();
        return int(QDialog::Rejected);
    });
    form->Action6->trigger();
    ASSERT_EQ(dialogs.modalWindows.size(), 3u);
    EXPECT_EQ(dialogs.modalWindows[1], QStringLiteral("Form9"));
    EXPECT_EQ(dialogs.modalWindows[2], QStringLiteral("Form3"));
    EXPECT_FALSE(section.isNull());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();
}

TEST_F(MainWindowFlow, SavedProjectOpensAgainIntoFreshTables) {
    typeChain();
    dialogs.fileAnswers.push_back(dir.filePath("kette.ein"));
    form->Fertigstellen->click();
    const QString lengthCell = form->StringGrid1->cell(4, 2);

    form->Eingabe1->trigger();
    EXPECT_EQ(form->StringGrid1->cell(4, 2), QStringLiteral(" "));

    dialogs.fileAnswers.push_back(dir.filePath("kette.ein"));
    form->Projekt->trigger();
    EXPECT_EQ(form->StringGrid1->cell(4, 2), lengthCell);
    EXPECT_EQ(form->StringGrid3->cell(2, 1), QStringLiteral("120"));
    EXPECT_EQ(form->nue->text(), QStringLiteral("1,305"));
    EXPECT_FALSE(form->ToolButton1->isEnabled());
    EXPECT_FALSE(form->Speichern1->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowFlow, ButtonsOpenTheirWindows) {
    form->Verluste->click();
    EXPECT_EQ(lastModal(), QStringLiteral("Form6"));
    form->Durchmesser->click();
    EXPECT_EQ(lastModal(), QStringLiteral("Form8"));
    form->Button2->click();
    EXPECT_EQ(lastModal(), QStringLiteral("Form7"));
    form->Einstelungen1->trigger();
    EXPECT_EQ(lastModal(), QStringLiteral("Form11"));

    form->Button1->click();  // "Kennlinie" with an empty edit line
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Es sollten mindestens drei Stützwerte eingegeben werden"));
    for (int i = 0; i < 3; ++i) {
        form->Q[i]->setText(QString::number(10 * i));
        form->h[i]->setText(QString::number(40 - 5 * i));
    }
    form->Button1->click();
    EXPECT_EQ(lastModal(), QStringLiteral("Form4"));
}

TEST_F(MainWindowFlow, EpanetNetworkIsImportedAndItsNodeOrderOptimised) {
    dir.write("netz.inp",
              "[JUNCTIONS]\n 3  95  2.0\n 2  96  1.0\n[RESERVOIRS]\n 1  120\n"
              "[PIPES]\n 11  1  2  300  150  0.1  0  Open\n 12  2  3  200  100  0.1  0  Open\n"
              "[OPTIONS]\n Units LPS\n Headloss D-W\n[END]\n");
    dialogs.fileAnswers.push_back(dir.filePath("netz.inp"));
    form->EpanetImport1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("EPANET-Netz importieren"));
    EXPECT_TRUE(form->AktuelleDatei().endsWith(QStringLiteral("netz.ein")));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->StringGrid1->cell(1, 1), QStringLiteral("11"));
    QStringList heads;  // node number and known head of the three node rows
    for (int r = 1; r <= 3; ++r)
        heads << form->StringGrid3->cell(1, r) + QLatin1Char(':') + form->StringGrid3->cell(2, r);
    EXPECT_TRUE(heads.contains(QStringLiteral("1:120"))) << heads.join(' ').toStdString();

    form->Knotenreihenfolge1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Knotenreihenfolge optimieren"));
}

}  // namespace
}  // namespace kolma
