// Whole program runs of the built tarnholm, one per folder under SOLVER_GOLDEN_DIR:
//   eingabe.dat       input (absent: the run has no input file)
//   before.aus        "ausgabe.aus" before the run (absent: no such file)
//   expected.aus      "ausgabe.aus" after the run (absent: the file must not exist)
//   expected.graph    "graphein.dat" after the run (absent: the file must not exist)
//   expected.console  standard output (absent: must be empty)
//   expected.exit     exit status as decimal text (absent: 0)
// Each run gets a fresh working directory and standard input from /dev/null.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadFileIfAny(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Visible(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20) {
            out += "\\x" + std::to_string(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Empty when equal; else where the texts part, with the lines around that place.
std::string Difference(const std::string& expected, const std::string& actual) {
    if (expected == actual) {
        return "";
    }
    const auto parted =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const std::size_t at = static_cast<std::size_t>(parted.first - expected.begin());
    const std::size_t lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = lineStart == std::string::npos || at == 0 ? 0 : lineStart;
    const long line = std::count(expected.begin(), expected.begin() + at, '\n') + 1;
    std::ostringstream out;
    out << "first difference at byte " << at << " (line " << line << "); sizes " << expected.size()
        << " expected, " << actual.size() << " actual\n"
        << "  expected: " << Visible(expected.substr(from, at - from + 60)) << "\n"
        << "  actual:   " << Visible(actual.substr(std::min(from, actual.size()), at - from + 60));
    return out.str();
}

struct SolverRun {
    std::string console;
    int exitStatus = -1;
};

// Runs the solver in dir with stdin from /dev/null and returns its output and exit status.
SolverRun RunSolverIn(const fs::path& dir) {
    int output[2];
    if (pipe(output) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = fork();
    if (child < 0) {
        close(output[0]);
        close(output[1]);
        ADD_FAILURE() << "no process for the solver";
        return {};
    }
    if (child == 0) {
        const int nothing = open("/dev/null", O_RDONLY);
        if (chdir(dir.c_str()) != 0 || nothing < 0) {
            _exit(126);
        }
        dup2(nothing, STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execl(TARNHOLM_PATH, "tarnholm", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    SolverRun run;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(output[0], buffer, sizeof buffer)) > 0) {
        run.console.append(buffer, static_cast<std::size_t>(got));
    }
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::vector<std::string> GoldenCases() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(SOLVER_GOLDEN_DIR)) {
        if (entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (fs::temp_directory_path() / "tarnholm-golden-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void ExpectFile(const fs::path& actualPath, const fs::path& expectedPath) {
    const std::optional<std::string> expected = ReadFileIfAny(expectedPath);
    const std::optional<std::string> actual = ReadFileIfAny(actualPath);
    if (!expected) {
        EXPECT_FALSE(actual) << actualPath.filename() << " must not exist";
        return;
    }
    ASSERT_TRUE(actual) << actualPath.filename() << " is missing";
    EXPECT_EQ(Difference(*expected, *actual), "") << "in " << actualPath.filename();
}

class GoldenCase : public testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, MatchesExpectedFiles) {
    const fs::path source = fs::path(SOLVER_GOLDEN_DIR) / GetParam();
    TemporaryDirectory work;
    ASSERT_FALSE(work.path().empty());
    if (fs::exists(source / "eingabe.dat")) {
        fs::copy_file(source / "eingabe.dat", work.path() / "eingabe.dat");
    }
    if (fs::exists(source / "before.aus")) {
        fs::copy_file(source / "before.aus", work.path() / "ausgabe.aus");
    }

    const SolverRun run = RunSolverIn(work.path());

    const std::string exitText = ReadFileIfAny(source / "expected.exit").value_or("0");
    EXPECT_EQ(run.exitStatus, std::atoi(exitText.c_str()));
    EXPECT_EQ(Difference(ReadFileIfAny(source / "expected.console").value_or(""), run.console), "")
        << "on the console";
    ExpectFile(work.path() / "ausgabe.aus", source / "expected.aus");
    ExpectFile(work.path() / "graphein.dat", source / "expected.graph");
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Solver, GoldenCase, testing::ValuesIn(GoldenCases()), CaseName);

}  // namespace
