// The title block editor: open, save under a name, apply.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm10.h"

namespace kolma::testing {
namespace {

class TitleEditor : public SectionFixture {
protected:
    void trigger(const char* action) {
        editor.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QLineEdit* edit(int i) { return editor.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i)); }
    QString status() { return editor.findChild<QStatusBar*>()->findChild<QLabel*>()->text(); }
    ScriptedDialogs scripted;
    TForm10 editor;
};

TEST_F(TitleEditor, SavingAnUntitledBlockAsksForANameFirst) {
    EXPECT_EQ(status(), QStringLiteral("Unbenannt.spl"));
    const char* texts[] = {"abc", "de", "f", "12"};
    for (int i = 0; i < 4; ++i)
        edit(i + 1)->setText(QString::fromLatin1(texts[i]));
    scripted.fileAnswers = {path("stempel.spl")};
    trigger("Speichern1");
    ASSERT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(scripted.fileRequests[0].filter, QStringLiteral("Stempel|*.spl"));
    EXPECT_EQ(dir_.read("stempel.spl"), QByteArray("abc\r\nde\r\nf\r\n12\r\n"));
    EXPECT_EQ(status(), path("stempel.spl"));
    // The next save writes to that file without asking.
    edit(2)->setText(QStringLiteral("xy"));
    trigger("Speichern1");
    EXPECT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(dir_.read("stempel.spl"), QByteArray("abc\r\nxy\r\nf\r\n12\r\n"));
}

TEST_F(TitleEditor, OpeningAndSavingKeepsTheUsersExtraLines) {
    dir_.write("alt.spl", "Stadt\rNetz\rBau\r4711\rFu\xDFnote\rEnde\r");
    scripted.fileAnswers = {path("alt.spl")};
    trigger("ffnen1");
    EXPECT_EQ(edit(1)->text(), QStringLiteral("Stadt"));
    EXPECT_EQ(edit(4)->text(), QStringLiteral("4711"));
    edit(3)->setText(QStringLiteral("Umbau"));
    trigger("Speichern1");
    EXPECT_EQ(dir_.read("alt.spl"),
              QByteArray("Stadt\r\nNetz\r\nUmbau\r\n4711\r\nFu\xDFnote\r\nEnde\r\n"));
}

TEST_F(TitleEditor, AShortFileFillsTheFieldsItHasAndAMissingOneNone) {
    dir_.write("kurz.spl", "Stadt\r\nNetz\r\n");
    edit(3)->setText(QStringLiteral("alt"));
    scripted.fileAnswers = {path("kurz.spl"), path("fehlt.spl")};
    trigger("ffnen1");
    EXPECT_EQ(edit(2)->text(), QStringLiteral("Netz"));
    EXPECT_TRUE(edit(3)->text().isEmpty());
    EXPECT_TRUE(scripted.messages.empty());
    trigger("ffnen1");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(edit(1)->text(), QStringLiteral("Stadt"));
    EXPECT_EQ(editor.currentFileName(), path("kurz.spl"));
}

}  // namespace
}  // namespace kolma::testing
