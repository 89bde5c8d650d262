// Help: where the help files are found (current directory, program directory, installed data
// directory), what is shown when none is there, and whether the shipped manual still matches
// the program it describes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolButton>

#include "HelpWindow.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

using kolma::findHelpFile;
using kolma::helpDirectories;
using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const QString kManual = QStringLiteral("KOLMAHELP.hlp");
const QString kEditorHelp = QStringLiteral("Texteditor.hlp");

QString sourceFile(const QString& relative) {
    return QStringLiteral(KOLMA_SOURCE_DIR "/") + relative;
}

QString titleOf(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    return title.match(html).captured(1);
}

// A project directory as the working directory and an installation below it: <prefix>/bin and
// <prefix>/share/kolma.
class HelpLookup : public ::testing::Test {
protected:
    HelpLookup() {
        QDir().mkpath(bin);
        QDir().mkpath(data);
    }
    static QString in(const QString& directory, const QString& name) {
        return QDir(directory).filePath(name);
    }
    void put(const QString& directory, const QString& name, const QByteArray& html) const {
        dir.write(QDir(dir.path()).relativeFilePath(in(directory, name)), html);
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    const QString bin = dir.filePath("prefix/bin");
    const QString data = dir.filePath("prefix/share/kolma");
    const QStringList dirs = helpDirectories(bin);
};

}  // namespace

TEST(HelpDirectories, AreTheProgramsOwnAndTheInstalledDataDirectory) {
    for (const char* bin : {"/opt/kolma/bin", "/opt/kolma/bin/"})
        EXPECT_EQ(helpDirectories(bin), QStringList({"/opt/kolma/bin", "/opt/kolma/share/kolma"}));
}

TEST_F(HelpLookup, CurrentDirectoryComesFirstThenTheProgramsDirectories) {
    EXPECT_EQ(findHelpFile(kManual, dirs), QString()) << "nowhere yet";
    put(data, kManual, "<p>installiert</p>");
    EXPECT_EQ(findHelpFile(kManual, dirs), in(data, kManual));
    put(bin, kManual, "<p>neben dem Programm</p>");
    EXPECT_EQ(findHelpFile(kManual, dirs), in(bin, kManual));
    dir.write(kManual, "<p>im Projekt</p>");
    EXPECT_EQ(findHelpFile(kManual, dirs), dir.filePath(kManual));
}

TEST_F(HelpLookup, ProgramDirectoryFileFallsBackToTheInstalledOne) {
    put(data, kEditorHelp, "<p>Editor</p>");
    // The start-up help file names the program's directory, where an installation has none.
    EXPECT_EQ(findHelpFile(in(bin, kEditorHelp), dirs), in(data, kEditorHelp));
    // A directory of that name is no help file.
    QDir().mkpath(dir.filePath(kManual));
    EXPECT_EQ(findHelpFile(kManual, dirs), QString());
}

TEST_F(HelpLookup, MissingFileNamesTheRequestedPathAndShowsNoWindow) {
    kolma::showHelpFile(nullptr, kManual, dirs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(
        dialogs.messages[0].text,
        QStringLiteral("Die Hilfedatei \"%1\" ist nicht vorhanden.").arg(dir.filePath(kManual)));
    EXPECT_EQ(dialogs.messages[0].caption, "Hilfe");
    EXPECT_EQ(dialogs.messages[0].icon, kolma::BoxIcon::Error);
    EXPECT_TRUE(dialogs.modalWindows.empty());
}

TEST_F(HelpLookup, InstalledManualIsShownWhenTheProjectHasNone) {
    put(data, kManual,
        "<html><head><title>Handbuch</title></head><body><p>Rohre</p></body></html>");
    QString shown;
    QString caption;
    dialogs.modalScripts.push_back([&](QDialog& d) {
        shown = d.findChild<QTextBrowser*>()->toPlainText();
        caption = d.windowTitle();
        return int(QDialog::Accepted);
    });
    kolma::showHelpFile(nullptr, kManual, dirs);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>{"Hilfe"});
    EXPECT_EQ(shown, "Rohre");
    EXPECT_EQ(caption, "Handbuch");
}

// The build copies the help files beside the programs, so that KOLMA1 finds them when started
// from the build tree; a stale copy would show old help.
TEST(ShippedHelp, BuildTreeCopiesMatchTheSources) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& name : {kManual, kEditorHelp}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(kolma::readFileBytes(programDir.filePath(name)),
                  kolma::readFileBytes(sourceFile(QStringLiteral("app/help/") + name)));
    }
}

// F1 shows the editor help until the "Hilfe" button has switched it to the manual.
TEST(ShippedHelp, MainWindowShowsBothFilesFromAProjectDirectoryWithoutHelp) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    QStringList titles;
    for (int i = 0; i < 3; ++i)
        dialogs.modalScripts.push_back([&titles](QDialog& d) {
            titles << d.windowTitle();
            return int(QDialog::Accepted);
        });
    kolma::TForm1 form;
    form.Hilfe->trigger();
    form.ToolButton10->click();
    form.Hilfe->trigger();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    const QString manual = titleOf(kolma::readTextFile(sourceFile("app/help/KOLMAHELP.hlp")));
    EXPECT_EQ(titles,
              QStringList({titleOf(kolma::readTextFile(sourceFile("app/help/Texteditor.hlp"))),
                           manual, manual}));
}

TEST(ShippedHelp, EveryLinkOfTheManualHasItsTarget) {
    const QString html = kolma::readTextFile(sourceFile("app/help/KOLMAHELP.hlp"));
    QStringList missing;
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (!html.contains(QStringLiteral("id=\"%1\"").arg(target)))
            missing << target;
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

namespace {

// The program's sources as one text, with adjacent string literals joined and line breaks, tabs
// and white space collapsed, so that a message split over lines of code reads as it is shown.
QString sourceText() {
    QString all;
    for (const char* folder : {"model", "widgets", "app", "section", "catalogues", "checks", "plan",
                               "fireflow", "solver"}) {
        QDirIterator it(sourceFile(QString::fromLatin1(folder)), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.contains(QStringLiteral("/tests/")))
                all += kolma::readTextFile(path);
        }
    }
    all.replace(QRegularExpression(QStringLiteral("\"\\s*\"")), QString());
    all.replace(QStringLiteral("\\n"), QStringLiteral(" "));
    all.replace(QStringLiteral("\\t"), QStringLiteral(" "));
    return all.simplified();
}

// The fixed parts of a message as the manual quotes it: its sentences (the program may show them
// from separate texts), split at placeholders ("…", "n", "m", "n-ten", "[X]", quoted names) and
// alternatives (" / "), without the manual's own notes.
QStringList quotedFragments(const QString& message) {
    QString text = message.simplified();
    text.remove(QStringLiteral("(im Bericht)"));
    static const QRegularExpression placeholder(
        QStringLiteral("…|\\s/\\s|\\[X\\]|\\bn-ten\\b|\\b[nm]\\b|['\"]|(?<=[.!?])\\s"));
    QStringList fragments;
    for (QString part : text.split(placeholder)) {
        part = part.trimmed();
        while (!part.isEmpty() && QStringLiteral(".,:;(").contains(part.back()))
            part.chop(1);
        if (part.size() >= 10)
            fragments << part;
    }
    return fragments;
}

}  // namespace

// The manual lists every message with what to do about it; a message the program no longer
// shows (or shows in other words) leaves the user searching for the wrong text.
TEST(ShippedHelp, EveryMessageTheManualQuotesIsOneTheProgramShows) {
    const QString html = kolma::readTextFile(sourceFile("app/help/KOLMAHELP.hlp"));
    const QString messagesPart = html.mid(html.indexOf(QStringLiteral("id=\"meldungen\"")));
    const QString sources = sourceText();
    static const QRegularExpression term(QStringLiteral("<dt>(.*?)</dt>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList unknown;
    int checked = 0;
    for (auto it = term.globalMatch(messagesPart); it.hasNext();) {
        QString message = it.next().captured(1);
        message.remove(QRegularExpression(QStringLiteral("<[^>]+>")));
        for (const QString& fragment : quotedFragments(message)) {
            ++checked;
            if (!sources.contains(fragment))
                unknown << fragment;
        }
    }
    EXPECT_GT(checked, 30);
    EXPECT_TRUE(unknown.isEmpty()) << unknown.join(QStringLiteral("\n")).toStdString();
}
