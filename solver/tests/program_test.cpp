#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "testing/memory_io.h"

namespace tarnholm {

namespace {

// The two-node example as the editor writes it: nodes 10 (known head 100 m) and 20 (withdrawal
// 2.5 l/s), joined by pipe 1 of 120.5 m and 150 mm.
constexpr char kTwoNodeExample[] =
    "3\t1.305\t1000\t1\t2\t0\t1\n"
    "\n"
    "10\n"
    "20\n"
    "\n"
    "1\t0\t1\t120.5\t150\t0.1\t0.00\t\n"
    "\n\n\n\n"
    "0\t100.0\t---\t---\t105.0\t98.0\t\n"
    "1\t---\t0\t2.5\t104.0\t97.5\t\n";

// The editor shows the report after every run; without it the user would see a stale report
// and believe the run succeeded, so this end must fail loudly and calculate nothing.
TEST(RunTarnholm, UnopenableReportEndsWithFailureBeforeCalculating) {
    MemoryFiles files;
    files.input = kTwoNodeExample;
    files.reportOpens = false;
    EXPECT_EQ(RunTarnholm(files.Io()), 2);
    EXPECT_EQ(files.Console(), "\n***Datei ausgabe.aus kann nicht geoeffnet werden\n***Abbruch\n");
    EXPECT_EQ(files.graphOpenings, 0);
    EXPECT_FALSE(files.hasGraph);
    EXPECT_EQ(files.keyWaits, 0);
}

// A node without any element and without a known head cannot be solved; the run must stop
// with the row named, wait for a key only through the seam, and leave no graph data.
TEST(RunTarnholm, SingularSystemReportsTheRowAndFails) {
    MemoryFiles files;
    files.input =
        "3 1.305 100 1 3 0 1\n10 20 30\n1 0 1 100 100 0.1 0\n"
        "0 100 --- --- --- ---\n1 --- --- 1 --- ---\n2 --- --- --- --- ---\n";
    EXPECT_EQ(RunTarnholm(files.Io()), 4);
    EXPECT_EQ(files.Console(),
              "\n***Matrix nicht positiv definit\n***Abbruch in Zeile 2\n***Druecken Sie eine "
              "beliebige Taste um fortzufahren.\n");
    EXPECT_EQ(files.keyWaits, 1);
    EXPECT_FALSE(files.hasGraph);
}

TEST(RunTarnholm, UncreatableGraphDataEndsWithFailure) {
    MemoryFiles files;
    files.input = kTwoNodeExample;
    files.graphOpens = false;
    EXPECT_EQ(RunTarnholm(files.Io()), 5);
    EXPECT_EQ(files.Console(),
              "\n***Datei graphein.dat kann nicht geschrieben werden\n***Abbruch\n");
    EXPECT_NE(files.report.find("Ausgabedaten:"), std::string::npos) << "results are kept";
}

// The editor starts the solver with a pipe as standard input that stays open; a key wait on it
// would never end and would freeze the editor. An isolated node ends the run with the key wait.
TEST(Tarnholm, KeyWaitReturnsAtOnceWithoutATerminal) {
    char directory[] = "/tmp/tarnholm-keywait-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string input = std::string(directory) + "/eingabe.dat";
    FILE* file = std::fopen(input.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(
        "3\t1.305\t1000\t1\t3\t0\t1\n\n1\n2\n3\n\n1\t0\t1\t10\t100\t0.1\t0\t\n\n\n\n\n"
        "0\t100\t---\t---\t0\t0\t\n1\t---\t---\t1\t0\t0\t\n2\t---\t---\t---\t0\t0\t\n",
        file);
    std::fclose(file);
    int keys[2];
    ASSERT_EQ(pipe(keys), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(keys[0], STDIN_FILENO);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        if (chdir(directory) == 0)
            execl(TARNHOLM_PATH, TARNHOLM_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    pid_t ended = 0;
    for (int tries = 0; tries < 200 && ended == 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = waitpid(child, &status, WNOHANG);
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    close(keys[0]);
    close(keys[1]);
    std::filesystem::remove_all(directory);
    EXPECT_EQ(ended, child) << "the key wait blocked on a pipe";
    EXPECT_EQ(WEXITSTATUS(status), 4) << "the isolated node ends the run as not positive definite";
}

}  // namespace

}  // namespace tarnholm
