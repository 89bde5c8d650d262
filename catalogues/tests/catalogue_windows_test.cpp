// The three catalogue windows driven like a user would: list selections, typing into the count
// field, the transfer into the main window's edits, and the catalogue messages.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "CatalogueTestSupport.h"
#include "ScriptedDialogs.h"
#include "TForm6.h"
#include "TForm7.h"
#include "TForm8.h"

namespace kolma {
namespace {

using testing::entries;
using testing::ScriptedDialogs;
using testing::WorkingDirectory;

// The count-th message so far, and the last one.
void expectBox(const ScriptedDialogs& scripted, size_t count, const char* text, const char* caption,
               BoxIcon icon, QMessageBox::StandardButtons buttons) {
    ASSERT_EQ(scripted.messages.size(), count);
    const MessageRequest& m = scripted.messages.back();
    EXPECT_EQ(m.text, QString::fromUtf8(text));
    EXPECT_EQ(m.caption, caption);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.buttons, buttons);
}

void expectUnreadableQuestion(const ScriptedDialogs& scripted, size_t count) {
    expectBox(scripted, count, "Datei konnte nicht exklusiv geöffnet werden? Abbrechen?", "",
              BoxIcon::None, QMessageBox::Ok | QMessageBox::Cancel);
}

void expectNotANumber(const ScriptedDialogs& scripted, const char* text) {
    expectBox(scripted, 1, text, "Fehler", BoxIcon::Error, QMessageBox::Ok);
}

class LossCatalogue : public ::testing::Test {
protected:
    LossCatalogue() {
        dir.write("Armaturen.xta",
                  "Schieber DN50 0,3 DN80 0,25 endl\nKlappe DN50 0,6 DN80 0,45 DN100 0,4 endl\n");
        dir.write("Bogen.xta", "B90 DN65 0,4 endl\n");
    }
    ScriptedDialogs scripted;
    WorkingDirectory dir;
    QLineEdit edit12{QStringLiteral("1,50")};
};

TEST_F(LossCatalogue, OpeningShowsTheFirstZetaAndAddReplacesTheMainWindowZeta) {
    TForm6 form(&edit12);
    EXPECT_EQ(entries(form.FileListBox1), (QStringList{"Armaturen.xta", "Bogen.xta"}));
    EXPECT_EQ(form.FileListBox1->currentRow(), 0);
    EXPECT_EQ(entries(form.ListBox1), (QStringList{"Schieber", "Klappe"}));
    EXPECT_EQ(form.ListBox1->currentRow(), 0);
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"DN50", "DN80"}));
    EXPECT_TRUE(form.ListBox3->isHidden());
    EXPECT_EQ(form.Edit1->text(), "0,3");
    EXPECT_EQ(form.Edit2->text(), "1");
    EXPECT_EQ(form.Edit3->text(), "0,3");
    QTest::keyClicks(form.Edit2, "0");  // count 10
    form.Button1->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(edit12.text(), "3,00");
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(LossCatalogue, CountFieldTypingAndDeleting) {
    TForm6 form(&edit12);
    QTest::keyClicks(form.Edit2, "3");
    EXPECT_EQ(form.Edit2->text(), "13");
    EXPECT_EQ(form.Edit3->text(), "3,90");
    // Backspace, point and letters never reach the field.
    QTest::keyClick(form.Edit2, Qt::Key_Backspace);
    QTest::keyClicks(form.Edit2, ".a-");
    EXPECT_EQ(form.Edit2->text(), "13");
    form.Edit2->selectAll();
    QTest::keyClick(form.Edit2, Qt::Key_Delete);
    EXPECT_EQ(form.Edit2->text(), "");
    expectBox(scripted, 1, "Sie müssen Integer-Werte eingeben. Versuchen Sie es erneut.", "Fehler",
              BoxIcon::None, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(form.Edit3->text(), "3,90");
    QTest::keyClicks(form.Edit2, "0");
    EXPECT_EQ(form.Edit3->text(), "0,00");
    // Zeta and total only show values.
    QTest::keyClicks(form.Edit1, "7");
    QTest::keyClicks(form.Edit3, "7");
    EXPECT_EQ(form.Edit1->text(), "0,3");
    EXPECT_EQ(form.Edit3->text(), "0,00");
}

TEST_F(LossCatalogue, ClicksKeepDiametersAndZetaPairedAndCancelKeepsTheMainWindowZeta) {
    TForm6 form(&edit12);
    form.Edit2->setText("2");
    form.ListBox1->setCurrentRow(1);
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"DN50", "DN80", "DN100"}));
    EXPECT_EQ(form.ListBox2->currentRow(), 0);
    EXPECT_EQ(form.Edit1->text(), "0,6");
    EXPECT_EQ(form.Edit3->text(), "1,20");
    form.ListBox2->setCurrentRow(2);
    EXPECT_EQ(form.ListBox3->currentRow(), 2);
    EXPECT_EQ(form.Edit1->text(), "0,4");
    EXPECT_EQ(form.Edit3->text(), "0,80");
    form.FileListBox1->setCurrentRow(1);
    EXPECT_EQ(entries(form.ListBox1), QStringList{"B90"});
    EXPECT_EQ(entries(form.ListBox2), QStringList{"DN65"});
    EXPECT_EQ(form.Edit3->text(), "0,80");
    EXPECT_TRUE(scripted.messages.empty());
    form.Button2->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(edit12.text(), "1,50");
}

TEST_F(LossCatalogue, VanishedFileIsReportedAndTheOldDiametersStay) {
    TForm6 form(&edit12);
    QFile::remove(dir.filePath("Bogen.xta"));
    form.FileListBox1->setCurrentRow(1);
    expectUnreadableQuestion(scripted, 1);
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"DN50", "DN80"}));
    EXPECT_EQ(form.Edit1->text(), "0,3");
}

TEST_F(LossCatalogue, ZetaThatIsNotANumberIsNamedOnceAndNeverTransferred) {
    dir.write("Armaturen.xta", "Schieber DN50 0.3 endl\n");
    TForm6 form(&edit12);
    expectNotANumber(scripted,
                     "Der Wert \"0.3\" in der Datei \"Armaturen.xta\" ist keine gültige Zahl.");
    EXPECT_EQ(form.Edit3->text(), "");
    EXPECT_FALSE(form.Button1->isEnabled());
    form.Button1->click();
    EXPECT_EQ(edit12.text(), "1,50");
    form.FileListBox1->setCurrentRow(1);
    EXPECT_EQ(form.Edit3->text(), "0,40");
    EXPECT_TRUE(form.Button1->isEnabled());
}

TEST(Catalogues, WithoutCatalogueFilesTheWindowsOpenQuietlyWithEmptyLists) {
    ScriptedDialogs scripted;
    WorkingDirectory dir;
    QLineEdit target(QStringLiteral("5"));
    TForm6 losses(&target);
    TForm7 pumps;
    TForm8 diameters(&target);
    for (const QListWidget* list :
         {losses.FileListBox1, losses.ListBox1, losses.ListBox2, pumps.FileListBox1, pumps.ListBox1,
          pumps.ListBox2, diameters.FileListBox1, diameters.ListBox1, diameters.ListBox2})
        EXPECT_EQ(list->count(), 0);
    losses.Button1->click();
    diameters.Button1->click();
    EXPECT_EQ(target.text(), "5");
    // The start-up instances take no target at all.
    TForm6 startupLosses(nullptr);
    TForm8 startupDiameters(nullptr);
    EXPECT_TRUE(scripted.messages.empty());
}

class PumpCatalogue : public ::testing::Test {
protected:
    PumpCatalogue() {
        QByteArray ten = "P3";
        for (int k = 1; k <= 10; ++k)
            ten += " " + QByteArray::number(k) + " " + QByteArray::number(50 - k);
        dir.write("Firma.DTB", "P1 0 20 5 18 10 12 endl\nP2 endl\n" + ten + " endl\n");
        dir.write("Zweite.dtb", "Z1 1 2 endl\n");
        pump.type.setText(QStringLiteral("alt"));
        for (int i = 0; i < kSupportPoints; ++i) {
            pump.Q[i].setText(QStringLiteral("q%1").arg(i + 1));
            pump.H[i].setText(QStringLiteral("h%1").arg(i + 1));
        }
    }
    QStringList qTexts() const { return pump.textsOf(pump.Q); }
    QStringList hTexts() const { return pump.textsOf(pump.H); }
    ScriptedDialogs scripted;
    WorkingDirectory dir;
    testing::PumpEdits pump{{}, {}};
};

TEST_F(PumpCatalogue, ThreeRecordsListThreeTypesWithThePointsOfTheFirst) {
    TForm7 form;
    // The pattern matches regardless of case, as on the systems the files come from.
    EXPECT_EQ(entries(form.FileListBox1), (QStringList{"Firma.DTB", "Zweite.dtb"}));
    EXPECT_EQ(entries(form.ListBox1), (QStringList{"P1", "P2", "P3"}));
    EXPECT_EQ(form.ListBox1->currentRow(), 0);
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"0", "5", "10"}));
    EXPECT_EQ(entries(form.ListBox3), (QStringList{"20", "18", "12"}));
    takePumpFromCatalogue(form, pump.line);
    EXPECT_EQ(pump.type.text(), "P1");
    EXPECT_EQ(qTexts(), (QStringList{"0", "5", "10", "q4", "q5", "q6", "q7", "q8"}));
    EXPECT_EQ(hTexts(), (QStringList{"20", "18", "12", "h4", "h5", "h6", "h7", "h8"}));
}

TEST_F(PumpCatalogue, MouseClicksChooseFileAndType) {
    TForm7 form;
    form.show();
    const auto click = [](QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    click(form.ListBox1, 2);
    EXPECT_EQ(form.ListBox2->count(), 10);
    click(form.FileListBox1, 1);
    EXPECT_EQ(entries(form.ListBox1), QStringList{"Z1"});
    EXPECT_EQ(entries(form.ListBox3), QStringList{"2"});
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(PumpCatalogue, OnlyOkTransfersTheTypeAndAtMostEightOfItsPoints) {
    const QStringList oldQ = qTexts();
    const QStringList oldH = hTexts();
    const struct {
        int row;
        QPushButton* TForm7::*button;
        int listed;
        const char* type;
        QStringList q, h;
    } cases[] = {
        {2, &TForm7::Button2, 10, "alt", oldQ, oldH},  // "Abbrechen"
        {1, &TForm7::Button1, 0, "P2", oldQ, oldH},    // a type without points
        {2,
         &TForm7::Button1,
         10,
         "P3",
         {"1", "2", "3", "4", "5", "6", "7", "8"},
         {"49", "48", "47", "46", "45", "44", "43", "42"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        scripted.modalScripts.push_back([&c](QDialog& dialog) {
            auto& form = static_cast<TForm7&>(dialog);
            form.ListBox1->setCurrentRow(c.row);
            EXPECT_EQ(form.ListBox2->count(), c.listed);
            (form.*c.button)->click();
            return form.result();
        });
        choosePumpFromCatalogue(pump.line, nullptr);
        EXPECT_EQ(pump.type.text(), c.type);
        EXPECT_EQ(qTexts(), c.q);
        EXPECT_EQ(hTexts(), c.h);
    }
    EXPECT_EQ(scripted.modalWindows, std::vector<QString>(3, "Form7"));
}

TEST_F(PumpCatalogue, VanishedFileEndsTheHandlerWithTheListsAsTheyStand) {
    TForm7 form;
    QFile::remove(dir.filePath("Firma.DTB"));
    form.ListBox1->setCurrentRow(2);
    expectUnreadableQuestion(scripted, 1);
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"0", "5", "10"}));
    QFile::remove(dir.filePath("Zweite.dtb"));
    form.FileListBox1->setCurrentRow(1);
    expectUnreadableQuestion(scripted, 2);
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_EQ(entries(form.ListBox3), (QStringList{"20", "18", "12"}));
}

TEST_F(PumpCatalogue, PointThatIsNotANumberIsNamedWhenTheFileIsOpened) {
    dir.write("Firma.DTB", "P1 0 20 5 18,5 endl P2 1 2.5 endl\n");
    TForm7 form;
    expectNotANumber(scripted,
                     "Der Wert \"2.5\" in der Datei \"Firma.DTB\" ist keine gültige Zahl.");
    form.ListBox1->setCurrentRow(1);  // a type click does not repeat it
    EXPECT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(entries(form.ListBox3), QStringList{"2.5"});
}

class DiameterCatalogue : public ::testing::Test {
protected:
    DiameterCatalogue() {
        dir.write("PEHD.dur",
                  "DN100 110 pehd 2,7 3,4 4,2 6,6 10,0 15,1 endl\nDN25 32 pehd endl\n"
                  "DN150 160 pehd 4,0 4,9 endl\n");
        dir.write("Stahl.dur", "DN50 60,3 null 2,9 3,2 endl\n");
        dir.write("Weich.dur", "DN40 40 peld 2,4 3,7 endl\n");
        dir.write("Zink.dur", "DN32 42,4 verzinkt 2,6 endl\n");
    }
    static QStringList labels(const TForm8& form) {
        return {form.Label7->text(),  form.Label8->text(),  form.Label9->text(),
                form.Label10->text(), form.Label11->text(), form.Label12->text()};
    }
    ScriptedDialogs scripted;
    WorkingDirectory dir;
    QLineEdit edit6{QStringLiteral("80")};
};

TEST_F(DiameterCatalogue, OpeningShowsTheFirstDnWithItsFirstWallAndNoLabels) {
    TForm8 form(&edit6);
    EXPECT_EQ(entries(form.ListBox1), (QStringList{"DN100", "DN25", "DN150"}));
    EXPECT_EQ(form.ListBox1->currentRow(), 0);
    EXPECT_EQ(form.ListBox2->count(), 6);
    EXPECT_EQ(form.ListBox2->currentRow(), 0);
    EXPECT_EQ(form.Edit1->text(), "110");
    EXPECT_EQ(form.Edit2->text(), "pehd");
    EXPECT_TRUE(form.Edit2->isHidden());
    EXPECT_EQ(form.Edit3->text(), "104,60");
    EXPECT_EQ(labels(form), QStringList(6, QString()));
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(DiameterCatalogue, WallAndDnClicksRecomputeAndAddTransfersTheText) {
    TForm8 form(&edit6);
    form.ListBox2->setCurrentRow(3);
    EXPECT_EQ(form.Edit3->text(), "96,80");
    form.ListBox1->setCurrentRow(2);
    EXPECT_EQ(form.Edit1->text(), "160");
    EXPECT_EQ(entries(form.ListBox2), (QStringList{"4,0", "4,9"}));
    EXPECT_EQ(form.ListBox2->currentRow(), 0);
    EXPECT_EQ(form.Edit3->text(), "152,00");
    // A DN without wall thicknesses empties the wall list and leaves the fields.
    form.ListBox1->setCurrentRow(1);
    EXPECT_EQ(form.ListBox2->count(), 0);
    EXPECT_EQ(form.Edit1->text(), "160");
    EXPECT_EQ(form.Edit3->text(), "152,00");
    form.ListBox1->setCurrentRow(0);
    form.ListBox2->setCurrentRow(3);
    form.Button1->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(edit6.text(), "96,80");
}

TEST_F(DiameterCatalogue, PressureClassLabelsFollowTheChosenStandard) {
    TForm8 form(&edit6);
    form.FileListBox1->setCurrentRow(1);  // Stahl, "null"
    EXPECT_EQ(labels(form), QStringList(6, QString()));
    EXPECT_EQ(form.Edit1->text(), "60,3");
    form.FileListBox1->setCurrentRow(0);  // PEHD
    EXPECT_EQ(labels(form), (QStringList{"PN 2,5", "PN 3,2", "PN 4", "PN 6", "PN 10", "PN 16"}));
    EXPECT_EQ(form.ListBox1->currentRow(), 0);
    EXPECT_EQ(form.Edit3->text(), "104,60");
    form.FileListBox1->setCurrentRow(3);  // another code leaves them
    EXPECT_EQ(labels(form).first(), "PN 2,5");
    form.FileListBox1->setCurrentRow(2);  // "peld"
    EXPECT_EQ(labels(form), (QStringList{"PN 6", "PN 10", "", "", "", ""}));
    form.Button2->click();
    EXPECT_EQ(edit6.text(), "80");
}

TEST_F(DiameterCatalogue, NonNumericOuterDiameterIsNamedAndNotTransferred) {
    dir.write("PEHD.dur", "DN100 110.0 pehd 2,7 endl\n");
    TForm8 form(&edit6);
    expectNotANumber(scripted,
                     "Der Wert \"110.0\" in der Datei \"PEHD.dur\" ist keine gültige Zahl.");
    EXPECT_EQ(form.Edit3->text(), "");
    EXPECT_FALSE(form.Button1->isEnabled());
    QFile::remove(dir.filePath("Stahl.dur"));
    form.FileListBox1->setCurrentRow(1);
    expectUnreadableQuestion(scripted, 2);
    EXPECT_EQ(form.ListBox1->count(), 0);
}

}  // namespace
}  // namespace kolma
