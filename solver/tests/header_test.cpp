#include <gtest/gtest.h>

#include <string>

#include "tarnholm/reader.h"
#include "testing/memory_io.h"

namespace tarnholm {

namespace {

struct HeaderRun {
    HeaderStatus status;
    InputError error;
    Network net;
    std::string rest;  // the next token behind what the header took
};

HeaderRun ReadHeaderOf(const std::string& text) {
    MemoryFiles files;
    files.input = text;
    FILE* input = files.Io().openInput();
    HeaderRun run{};
    run.status = ReadHeader(input, run.net, run.error);
    char token[kMaxTokenLength + 1];
    ReadToken(input, token, kMaxTokenLength);
    run.rest = token;
    std::fclose(input);
    return run;
}

TEST(ReadHeader, ZeroCountsAndAnUnreadableViscosityPass) {
    const HeaderRun run = ReadHeaderOf("3 abc 0 0 0 0 0");
    ASSERT_EQ(run.status, HeaderStatus::Read);
    EXPECT_EQ(run.net.enteredViscosity, 0.0);
    EXPECT_EQ(run.net.maxIterations, 0);
    EXPECT_EQ(run.net.nodeCount, 0);
}

TEST(ReadHeader, NewerKindsEndWithoutReadingFurther) {
    for (const char* file : {"4\t1.305\t1000\t1\t2\t0\t1\n", "17", "4 x"}) {
        const HeaderRun run = ReadHeaderOf(file);
        EXPECT_EQ(run.status, HeaderStatus::NewerKind) << file;
        EXPECT_FALSE(run.error) << file;
    }
}

TEST(ReadHeader, OldKindsStopBehindTheKind) {
    // The old kinds are refused as a whole, so their counts are never looked at.
    for (const char* file : {"1\t3\t4\t0\t1\n", "2\t-5\tx\n"}) {
        const HeaderRun run = ReadHeaderOf(file);
        EXPECT_EQ(run.status, HeaderStatus::Read) << file;
        EXPECT_EQ(run.net.pipeCount, 0) << file;
    }
}

TEST(ReadHeader, NamesTheFirstUnusableField) {
    const struct {
        const char* file;
        HeaderField field;
    } cases[] = {
        {"", HeaderField::Kind},
        {"   \n\n", HeaderField::Kind},
        {"x 1.305 1000 1 2 0 1", HeaderField::Kind},
        {"0 1.305 1000 1 2 0 1", HeaderField::Kind},
        {"-3 1.305 1000 1 2 0 1", HeaderField::Kind},
        {"99999 1.305 1000 1 2 0 1", HeaderField::Kind},
        {"3", HeaderField::Viscosity},
        {"3 1.305", HeaderField::MaxIterations},
        {"3 1.305 ---", HeaderField::MaxIterations},
        {"3 1.305 40000 1 2 0 1", HeaderField::MaxIterations},
        {"3 1.305 1000 -1 2 0 1", HeaderField::PipeCount},
        {"3 1.305 1000 1 -2 0 1", HeaderField::NodeCount},
        {"3 1.305 1000 1 2 x 1", HeaderField::PumpCount},
        {"3 1.305 1000 1 2 0", HeaderField::KnownHeadCount},
        {"3 1.305 1000 1 2 0 32768", HeaderField::KnownHeadCount},
        {"3 1.305 1000 1 2 0 12345678901234567890123456", HeaderField::KnownHeadCount},
    };
    for (const auto& c : cases) {
        const HeaderRun run = ReadHeaderOf(c.file);
        EXPECT_EQ(run.status, HeaderStatus::Error) << c.file;
        EXPECT_EQ(run.error.code, InputErrorCode::HeaderField) << c.file;
        EXPECT_EQ(run.error.field, c.field) << c.file;
    }
}

}  // namespace

}  // namespace tarnholm
