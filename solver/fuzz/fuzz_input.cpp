// Arbitrary bytes as "eingabe.dat", through the whole program: header, reading, checks, echo
// and, for inputs that pass, the calculation and its report and graph data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tarnholm/reader.h"
#include "testing/memory_io.h"

using namespace tarnholm;

namespace {

// The calculation is a Cholesky factorisation per pass, up to nodes^3 work each, for as many
// passes as the file allows (up to 32767). Inputs whose bound on that work is large would make
// single runs take minutes and teach the fuzzer nothing new about the reader, so they are
// skipped here; the product itself takes them as they come.
constexpr double kMaxWork = 1e8;

bool CalculationTooLong(const std::string& bytes) {
    MemoryFiles files;
    files.input = bytes;
    FILE* input = files.Io().openInput();
    Network net;
    InputError error;
    const HeaderStatus header = ReadHeader(input, net, error);
    std::fclose(input);
    if (header != HeaderStatus::Read) {
        return false;
    }
    const double nodes = net.nodeCount;
    const double passes = net.maxIterations > 1 ? net.maxIterations : 1;
    return passes * nodes * nodes * nodes > kMaxWork;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (CalculationTooLong(bytes)) {
        return -1;
    }
    MemoryFiles files;
    files.input = std::move(bytes);
    RunTarnholm(files.Io());
    return 0;
}
