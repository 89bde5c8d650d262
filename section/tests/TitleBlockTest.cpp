// Title block files and the title block editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm10.h"
#include "TitleBlock.h"

namespace kolma::testing {
namespace {

// Line ends and the lines after the fourth are checked through the editor below.
TEST(TitleBlockFile, WritesTheEightBitCharacterSetWhereItCan) {
    EXPECT_EQ(titleBlockBytes({QStringLiteral("Maßnahme 5 €")}),
              QByteArray("Ma\xDFnahme 5 \x80\r\n"));
    // A character the 8-bit set lacks keeps the whole file in UTF-8, so that nothing is lost.
    const QString far = QStringLiteral("Straße \u6C34");
    EXPECT_EQ(titleBlockLines(titleBlockBytes({far})), QStringList{far});
}

TEST(TitleBlockFile, EveryEightBitCharacterIsWrittenAsTheByteItIsReadFrom) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QByteArray line(1, static_cast<char>(byte));
        const QStringList read = titleBlockLines(line);
        ASSERT_EQ(read.size(), 1) << byte;
        EXPECT_EQ(titleBlockBytes(read), line + "\r\n") << byte;
    }
}

TEST(TitleBlockFile, ReadsAnyLineEndAndEitherEncoding) {
    EXPECT_EQ(titleBlockLines("a\rb\nc\r\n\r\nd"), (QStringList{"a", "b", "c", "", "d"}));
    EXPECT_EQ(titleBlockLines("Ma\xDFnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_EQ(titleBlockLines("Ma\xC3\x9Fnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_TRUE(titleBlockLines("").isEmpty());
}

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
