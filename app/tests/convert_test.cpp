// kolma-convert against the program: the example project and an imported EPANET network give the
// "eingabe.dat" that the main window writes with "Fertigstellen", and a refusal or a failed write
// is the program's message with a failing exit status.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "WorkingDirectory.h"

using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const QString kConverter = QStringLiteral(KOLMA_BINARY_DIR "/app/kolma-convert");

struct Converted {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Standard output is read unless it goes to the named file.
Converted convert(const WorkingDirectory& dir, const QStringList& arguments,
                  const QString& outputFile = {}) {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(kConverter, arguments);
    process.closeWriteChannel();
    Converted result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

class Converter : public ::testing::Test {
protected:
    // What the main window leaves in "eingabe.dat" after "Fertigstellen" under a project name.
    QByteArray savedByTheProgram() {
        dialogs.fileAnswers.push_back(dir.filePath("gespeichert.ein"));
        form.Fertigstellen->click();
        return dir.read("eingabe.dat");
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    kolma::TForm1 form;
};

TEST_F(Converter, ExampleProjectGivesTheProgramsBytes) {
    const QString project = QStringLiteral(KOLMA_SOURCE_DIR "/examples/Beispielnetz.ein");
    const Converted run = convert(dir, {project, "-o", "konvertiert.dat"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    dialogs.fileAnswers.push_back(project);
    form.Projekt->trigger();
    const QByteArray expected = savedByTheProgram();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(dir.read("konvertiert.dat"), expected);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Converter, EpanetNetworkGivesTheProgramsBytesAndItsNotes) {
    dir.write("netz.inp",
              "[JUNCTIONS]\n J3  95  2.0\n J2  96  1.5\n[RESERVOIRS]\n R1  120\n"
              "[PIPES]\n P11  R1  J2  300  150  100\n P12  J2  J3  200  100  120  0.5\n"
              "[OPTIONS]\n Units LPS\n Headloss H-W\n[END]\n");
    const Converted run = convert(dir, {"netz.inp", "-o", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("EPANET-Netz übernommen")) << run.err.toStdString();
    dialogs.fileAnswers.push_back(dir.filePath("netz.inp"));
    form.EpanetImport1->trigger();
    EXPECT_EQ(run.out, savedByTheProgram());
}

TEST_F(Converter, RefusalIsTheProgramsMessageAndWritesNothing) {
    dir.write("kaputt.inp", "[JUNCTIONS]\nA 1 1\n[PIPES]\nX A B 1 1 1\n");
    const Converted run = convert(dir, {"kaputt.inp"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Knoten 'B' ist nicht definiert")) << run.err.toStdString();
    EXPECT_FALSE(dir.exists("eingabe.dat"));

    EXPECT_EQ(convert(dir, {}).exitCode, 2);
    const Converted help = convert(dir, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Aufruf: kolma-convert"));
}

TEST_F(Converter, FailedWriteToStandardOutputIsAFailure) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full to write to";
    const QString project = QStringLiteral(KOLMA_SOURCE_DIR "/examples/Beispielnetz.ein");
    const Converted run = convert(dir, {project, "-o", "-"}, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Die Standardausgabe kann nicht geschrieben werden"))
        << run.err.toStdString();
}

}  // namespace
