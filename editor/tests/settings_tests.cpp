// The settings dialog and the way the two settings travel through a project.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Dialogs.h"
#include "ScriptedDialogs.h"
#include "TForm11.h"

using kolma::testing::ScriptedDialogs;

TEST(Settings, DialogShowsTheSettingsAndConfirmingKeepsThem) {
    QLineEdit nue("1,305");
    QLineEdit iter("1000");
    kolma::TForm11 dialog(&nue, &iter);
    EXPECT_EQ(dialog.windowTitle(), "Einstellungen");
    EXPECT_EQ(dialog.Label1->text(), "kin. Viskosität :");
    EXPECT_EQ(dialog.Label2->text(), "Max. Anzahl Iterationen :");
    EXPECT_EQ(dialog.Edit1->text(), "1,305");
    EXPECT_EQ(dialog.Edit2->text(), "1000");
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(nue.text(), "1,305");
    EXPECT_EQ(iter.text(), "1000");
}

TEST(Settings, TypedTextsAreTakenUncheckedOnOk) {
    ScriptedDialogs dialogs;
    QLineEdit nue("1,305");
    QLineEdit iter("1000");
    dialogs.modalScripts.push_back([](QDialog& d) {
        auto& settings = static_cast<kolma::TForm11&>(d);
        settings.Edit1->clear();
        settings.Edit2->clear();
        QTest::keyClicks(settings.Edit1, "abc");
        QTest::keyClicks(settings.Edit2, "25x");
        settings.Button1->click();
        return settings.result();
    });
    kolma::TForm11 dialog(&nue, &iter);
    EXPECT_EQ(kolma::dialogs().execModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>{"Form11"});
    EXPECT_EQ(nue.text(), "abc");
    EXPECT_EQ(iter.text(), "25x");
}

TEST(Settings, ClosingWithoutOkLeavesBothSettings) {
    QLineEdit nue("1,305");
    QLineEdit iter("1000");
    kolma::TForm11 dialog(&nue, &iter);
    dialog.Edit1->setText("2,0");
    dialog.Edit2->setText("10");
    dialog.reject();
    EXPECT_EQ(nue.text(), "1,305");
    EXPECT_EQ(iter.text(), "1000");
}
