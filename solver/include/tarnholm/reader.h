// Reading "eingabe.dat": the token reader, the header, the body with its checks, and the input
// echo in the report.
#pragma once

#include <cstdio>

#include "tarnholm/network.h"

namespace tarnholm {

constexpr int kMaxTokenLength = 25;  // characters of a numeric or placeholder token

// ---- Tokens ---------------------------------------------------------------------------------

enum class TokenStatus {
    Read,     // a token of at most the allowed length is in the buffer
    End,      // the stream ended (or failed) before a token began
    TooLong,  // the token has more characters than allowed; the stream stands inside it
};

// Reads the next whitespace-separated token into buffer (at most maxLength characters plus the
// terminator, so buffer must hold maxLength + 1 characters).
TokenStatus ReadToken(FILE* input, char* buffer, int maxLength);

// True for the texts that stand for an empty value: "---", "(null)", " " and "".
bool IsPlaceholder(const char* token);

// The value of a token as the solver's equations see it: the leading numeric part of the token
// ("12.5abc" gives 12.5), 0 for a placeholder or a token that does not begin with a number.
double TokenValue(const char* token);

// The leading whole number of a token as a signed 16-bit value. False when the token does not
// begin with a whole number or the number lies outside -32768 ... 32767.
bool TokenShort(const char* token, short& value);

// ---- Input errors ---------------------------------------------------------------------------

enum class InputErrorCode {
    None,
    OldFile,                 // format kind 1 or 2
    HeaderField,             // a header value is missing or unusable, see InputError::field
    FileEnds,                // the file ends before the counts are read
    TokenTooLong,            // a token longer than kMaxTokenLength
    PumpNameTooLong,         // a pump type name longer than kPumpNameLength
    PipeStartAfterEnd,       // start node > end node of a pipe
    PumpStartAfterEnd,       // start node > end node of a pump
    NodeOutOfRange,          // a node index outside 0 ... node count - 1
    NodeIndexNotWhole,       // the index of a node line is no whole number
    SupportCountOutOfRange,  // a pump's support count outside 1 ... kMaxSupportPoints
    KnownHeadCountMismatch,  // the header's known-head count differs from the node lines
};

// The part of the file an error lies in; the report names its line.
enum class InputSection { Header, NodeNumbers, Pipes, Pumps, Nodes };

enum class HeaderField {
    Kind,
    Viscosity,
    MaxIterations,
    PipeCount,
    NodeCount,
    PumpCount,
    KnownHeadCount,
};

struct InputError {
    InputErrorCode code = InputErrorCode::None;
    InputSection section = InputSection::Header;
    int line = 0;  // 1-based line within the section
    HeaderField field = HeaderField::Kind;
    short knownHeadsExpected = 0;  // known-head count of the header
    int knownHeadsFound = 0;       // node lines that carry a known head

    explicit operator bool() const { return code != InputErrorCode::None; }
};

// Appends the texts of an input error to the report.
void WriteInputError(FILE* report, const InputError& error);

// ---- The file -------------------------------------------------------------------------------

enum class HeaderStatus {
    Read,       // kind 1, 2 or 3 and its header values are in net
    NewerKind,  // kind 4 or above: nothing more is read
    Error,      // see the InputError
};

// Reads the format kind and, for kind 3, the viscosity, the maximum iterations and the four
// counts into net. Kinds 1 and 2 are refused later with the old-file texts, so nothing behind
// their kind is read.
HeaderStatus ReadHeader(FILE* input, Network& net, InputError& error);

// Sizes the tables and node vectors of net for its counts; heads start at 0. Throws
// std::bad_alloc when memory runs out.
void CreateTables(Network& net);

// Reads the body of the file behind the header (node-number list, pipes, pumps, nodes) into
// the tables of net, tests it and appends either the input echo or the texts of the first input
// error to report. After the echo the net inflows are in m^3/s.
InputError ReadNetwork(FILE* input, Network& net, FILE* report);

}  // namespace tarnholm
