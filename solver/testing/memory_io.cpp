#include "testing/memory_io.h"

#include <algorithm>
#include <cstring>

namespace tarnholm {

namespace {

struct ReadCookie {
    const std::string* text;
    std::size_t position;
};

ssize_t ReadFromString(void* cookie, char* buffer, std::size_t size) {
    auto* source = static_cast<ReadCookie*>(cookie);
    const std::size_t count = std::min(size, source->text->size() - source->position);
    std::memcpy(buffer, source->text->data() + source->position, count);
    source->position += count;
    return static_cast<ssize_t>(count);
}

int CloseReader(void* cookie) {
    delete static_cast<ReadCookie*>(cookie);
    return 0;
}

ssize_t AppendToString(void* cookie, const char* buffer, std::size_t size) {
    static_cast<std::string*>(cookie)->append(buffer, size);
    return static_cast<ssize_t>(size);
}

FILE* OpenReader(const std::string& text) {
    cookie_io_functions_t functions{};
    functions.read = ReadFromString;
    functions.close = CloseReader;
    auto* cookie = new ReadCookie{&text, 0};
    FILE* file = fopencookie(cookie, "r", functions);
    if (file == nullptr) {
        delete cookie;
    }
    return file;
}

FILE* OpenAppender(std::string& text) {
    cookie_io_functions_t functions{};
    functions.write = AppendToString;
    return fopencookie(&text, "a", functions);
}

}  // namespace

MemoryFiles::MemoryFiles() : consoleStream_(OpenAppender(console_)) {}

MemoryFiles::~MemoryFiles() {
    std::fclose(consoleStream_);
}

SolverIo MemoryFiles::Io() {
    SolverIo io;
    io.openInput = [this]() -> FILE* { return hasInput ? OpenReader(input) : nullptr; };
    io.openReport = [this]() -> FILE* {
        ++reportOpenings;
        return reportOpens ? OpenAppender(report) : nullptr;
    };
    io.openGraph = [this]() -> FILE* {
        ++graphOpenings;
        if (!graphOpens) {
            return nullptr;
        }
        hasGraph = true;
        graph.clear();
        return OpenAppender(graph);
    };
    io.console = consoleStream_;
    io.waitForKey = [this] { ++keyWaits; };
    return io;
}

std::string MemoryFiles::Console() {
    std::fflush(consoleStream_);
    return console_;
}

}  // namespace tarnholm
