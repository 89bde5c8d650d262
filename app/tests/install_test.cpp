// Installation: "cmake --install" into a temporary prefix, then the installed KOLMA1 itself is
// started headless in a project directory that holds neither help files nor a solver. A small
// library preloaded into it (tools/install-probe) presses F1, "Hilfe" and "Berechnung" and
// prints what opened; so the test sees the installed program find its help files in
// <prefix>/share/kolma and its solver beside itself, without any switch built into KOLMA1.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TextFile.h"

namespace {

const QString kBuildDir = QStringLiteral(KOLMA_BINARY_DIR);
const QString kSourceDir = QStringLiteral(KOLMA_SOURCE_DIR);
const QString kProbe = kBuildDir + QStringLiteral("/tools/libkolma_install_probe.so");

QString titleOf(const QString& helpFile) {
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    return title.match(kolma::readTextFile(kSourceDir + "/app/help/" + helpFile)).captured(1);
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = new QTemporaryDir;
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        ASSERT_FALSE(cmake.isEmpty());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(cmake, {"--install", kBuildDir, "--prefix", prefix_->path()});
        ASSERT_TRUE(install.waitForFinished(120000));
        installLog_ = QString::fromUtf8(install.readAll());
        installed_ = install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installLog_.toStdString(); }

    static QString path(const QString& relative) { return prefix_->filePath(relative); }

    // Runs the installed KOLMA1 with the probe in a project directory holding only the sample
    // project as "eingabe.dat" and an old report; returns what the probe printed.
    static QStringList runInstalledProgram() {
        QTemporaryDir project;
        QFile::copy(kSourceDir + "/examples/Beispielnetz.ein", project.filePath("eingabe.dat"));
        QFile report(project.filePath("ausgabe.aus"));
        report.open(QIODevice::WriteOnly);
        report.close();
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LD_PRELOAD", kProbe);
        env.insert("PATH", "/usr/bin:/bin");  // no solver of the build tree on the path
        // In a sanitizer build the preloaded probe comes before the sanitizer's runtime.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(project.path());
        program.start(path("bin/KOLMA1"), {});
        if (!program.waitForFinished(90000)) {
            program.kill();
            program.waitForFinished();
        }
        QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split('\n');
        lines.removeAll(QString());
        return lines;
    }

    static inline QTemporaryDir* prefix_ = nullptr;
    static inline bool installed_ = false;
    static inline QString installLog_;
};

TEST_F(Installed, PutsProgramsHelpDesktopEntryAndIconUnderThePrefix) {
    for (const char* program : {"bin/KOLMA1", "bin/tarnholm"})
        EXPECT_TRUE(QFileInfo(path(program)).isExecutable()) << program;
    for (const char* help : {"KOLMAHELP.hlp", "Texteditor.hlp"})
        EXPECT_EQ(kolma::readFileBytes(path(QStringLiteral("share/kolma/") + help)),
                  kolma::readFileBytes(kSourceDir + "/app/help/" + help));
    EXPECT_TRUE(QFileInfo(path("share/icons/hicolor/scalable/apps/kolma.svg")).isFile());
    EXPECT_TRUE(QFileInfo(path("share/kolma/examples/Beispielnetz.ein")).isFile());
    const QString entry = kolma::readTextFile(path("share/applications/kolma1.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    for (const char* line :
         {"Exec=KOLMA1", "Icon=kolma", "Name=KOLMA",
          "Comment=Berechnung von Druckverlusten in beliebig vermaschten Drucknetzen"})
        EXPECT_TRUE(entry.contains(QStringLiteral("\n%1\n").arg(line))) << line;
}

TEST_F(Installed, ProgramFindsItsHelpFilesAndItsSolver) {
    if (!QFileInfo(kProbe).isFile())
        GTEST_SKIP() << "the probe library has not been built";
    const QStringList seen = runInstalledProgram();
    // F1 at start-up, the "Hilfe" button, then "Berechnung" with the report viewer and the
    // question it asks when it is closed; an error box on the way would stand in between.
    const QStringList expected = {
        QStringLiteral("help: ") + titleOf(QStringLiteral("Texteditor.hlp")),
        QStringLiteral("help: ") + titleOf(QStringLiteral("KOLMAHELP.hlp")),
        QStringLiteral("report: Anzahl der benötigten Iterationsschritte = "),
        QStringLiteral("message: Speicherung der Ergebnisse ?"),
        QStringLiteral("done"),
    };
    ASSERT_EQ(seen.size(), expected.size()) << seen.join('\n').toStdString();
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(seen[i].startsWith(expected[i])) << seen[i].toStdString();
}

}  // namespace
