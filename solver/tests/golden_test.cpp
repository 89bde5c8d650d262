// Whole program runs of the built tarnholm, one per folder under SOLVER_GOLDEN_DIR:
//   eingabe.dat       input (absent: the run has no input file)
//   before.aus        "ausgabe.aus" before the run (absent: no such file)
//   expected.aus      "ausgabe.aus" after the run (absent: the file must not exist)
//   expected.graph    "graphein.dat" after the run (absent: the file must not exist)
//   expected.console  standard output (absent: must be empty)
//   expected.exit     exit status as decimal text (absent: 0)
// Each run gets a fresh working directory and standard input from /dev/null.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
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

struct SolverRun {
    std::string console;
    int exitStatus = -1;
};

// Runs the solver in dir with stdin from /dev/null and returns its output and exit status.
SolverRun RunSolverIn(const fs::path& dir) {
    const std::string command = "cd '" + dir.string() + "' && exec '" TARNHOLM_PATH "' </dev/null";
    FILE* output = popen(command.c_str(), "r");
    if (!output) {
        ADD_FAILURE() << "no process for the solver";
        return {};
    }
    SolverRun run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, output)) > 0;) {
        run.console.append(buffer, got);
    }
    const int status = pclose(output);
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
    EXPECT_EQ(*expected, *actual) << "in " << actualPath.filename();
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
    EXPECT_EQ(ReadFileIfAny(source / "expected.console").value_or(""), run.console)
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
