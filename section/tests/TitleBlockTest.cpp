// Title block files and the title block editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm10.h"
#include "TitleBlock.h"

namespace kolma::testing {
namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TitleBlockFile, WritesEveryLineWithCrLf) {
    const QByteArray bytes = titleBlockBytes(withTitleBlock({}, {"abc", "de", "f", "12"}));
    EXPECT_EQ(bytes, QByteArray("abc\r\nde\r\nf\r\n12\r\n"));
    EXPECT_EQ(bytes.size(), 16);
}

TEST(TitleBlockFile, UsesTheEightBitCharacterSetWhenItCanAndUtf8Otherwise) {
    EXPECT_EQ(titleBlockBytes({QStringLiteral("Maßnahme 5 €")}),
              QByteArray("Ma\xDFnahme 5 \x80\r\n"));
    const QString far = QStringLiteral("Straße \u6C34");
    EXPECT_EQ(titleBlockBytes({far}), (far + QStringLiteral("\r\n")).toUtf8());
    EXPECT_EQ(titleBlockLines(titleBlockBytes({far})), QStringList{far});
}

TEST(TitleBlockFile, ReadsAnyLineEndAndEitherEncoding) {
    EXPECT_EQ(titleBlockLines("a\rb\nc\r\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(titleBlockLines("Ma\xDFnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_EQ(titleBlockLines("Ma\xC3\x9Fnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_EQ(titleBlockLines("\r\n\r\nx\r\n"), (QStringList{"", "", "x"}));
    EXPECT_TRUE(titleBlockLines("").isEmpty());
}

TEST(TitleBlockFile, KeepsLinesAfterTheFourthAndFillsShortFiles) {
    const QStringList six{"a", "b", "c", "d", "e", "f"};
    EXPECT_EQ(withTitleBlock(six, {"1", "2", "3", "4"}),
              (QStringList{"1", "2", "3", "4", "e", "f"}));
    const TitleBlock two = titleBlockOf({"Kunde", "Projekt"});
    EXPECT_EQ(two.project, QStringLiteral("Projekt"));
    EXPECT_TRUE(two.measure.isEmpty());
    EXPECT_TRUE(two.projectNumber.isEmpty());
}

class TitleEditor : public SectionFixture {
protected:
    static void trigger(TForm10& editor, const char* action) {
        editor.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    static QLineEdit* edit(TForm10& editor, const char* name) {
        return editor.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QString status(TForm10& editor) {
        return editor.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))
            ->findChild<QLabel*>()
            ->text();
    }
    ScriptedDialogs scripted;
};

TEST_F(TitleEditor, SavingAnUntitledBlockAsksForANameFirst) {
    TForm10 editor;
    EXPECT_EQ(status(editor), QStringLiteral("Unbenannt.spl"));
    const char* texts[] = {"abc", "de", "f", "12"};
    for (int i = 0; i < 4; ++i)
        edit(editor, ("Edit" + std::to_string(i + 1)).c_str())
            ->setText(QString::fromLatin1(texts[i]));
    scripted.fileAnswers = {path("stempel.spl")};
    trigger(editor, "Speichern1");
    ASSERT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(scripted.fileRequests[0].filter, QStringLiteral("Stempel|*.spl"));
    EXPECT_EQ(scripted.fileRequests[0].fileName, QStringLiteral("Unbenannt.spl"));
    EXPECT_EQ(fileBytes(path("stempel.spl")), QByteArray("abc\r\nde\r\nf\r\n12\r\n"));
    EXPECT_EQ(editor.currentFileName(), path("stempel.spl"));
    EXPECT_EQ(status(editor), path("stempel.spl"));
    // The next save writes to that file without asking.
    edit(editor, "Edit2")->setText(QStringLiteral("xy"));
    trigger(editor, "Speichern1");
    EXPECT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(fileBytes(path("stempel.spl")), QByteArray("abc\r\nxy\r\nf\r\n12\r\n"));
}

TEST_F(TitleEditor, OpeningAndSavingKeepsTheUsersExtraLines) {
    writeBytes(path("alt.spl"), "Stadt\rNetz\rBau\r4711\rFu\xDFnote\rEnde\r");
    TForm10 editor;
    scripted.fileAnswers = {path("alt.spl")};
    trigger(editor, "ffnen1");
    EXPECT_EQ(edit(editor, "Edit1")->text(), QStringLiteral("Stadt"));
    EXPECT_EQ(edit(editor, "Edit4")->text(), QStringLiteral("4711"));
    EXPECT_EQ(status(editor), path("alt.spl"));
    edit(editor, "Edit3")->setText(QStringLiteral("Umbau"));
    trigger(editor, "Speichern1");
    EXPECT_EQ(fileBytes(path("alt.spl")),
              QByteArray("Stadt\r\nNetz\r\nUmbau\r\n4711\r\nFu\xDFnote\r\nEnde\r\n"));
}

TEST_F(TitleEditor, AShortFileFillsTheFieldsItHas) {
    writeBytes(path("kurz.spl"), "Stadt\r\nNetz\r\n");
    TForm10 editor;
    edit(editor, "Edit3")->setText(QStringLiteral("alt"));
    scripted.fileAnswers = {path("kurz.spl")};
    trigger(editor, "ffnen1");
    EXPECT_EQ(edit(editor, "Edit2")->text(), QStringLiteral("Netz"));
    EXPECT_TRUE(edit(editor, "Edit3")->text().isEmpty());
    EXPECT_TRUE(edit(editor, "Edit4")->text().isEmpty());
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(TitleEditor, AFileThatCannotBeReadChangesNothing) {
    TForm10 editor;
    edit(editor, "Edit1")->setText(QStringLiteral("bleibt"));
    scripted.fileAnswers = {path("fehlt.spl")};
    trigger(editor, "ffnen1");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("KOLMA"));
    EXPECT_EQ(edit(editor, "Edit1")->text(), QStringLiteral("bleibt"));
    EXPECT_EQ(editor.currentFileName(), QStringLiteral("Unbenannt.spl"));
}

TEST_F(TitleEditor, OkAppliesTheFieldsAndBeendenDoesNot) {
    TForm10 editor;
    edit(editor, "Edit1")->setText(QStringLiteral("Kunde"));
    trigger(editor, "Beenden1");
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_TRUE(editor.titleBlock().client.isEmpty());
    editor.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.titleBlock().client, QStringLiteral("Kunde"));
}

}  // namespace
}  // namespace kolma::testing
