// The pump input line of the main window, as far as the pump catalogue and the characteristic
// plot use it: the type field and the eight flow and head fields.
#pragma once

#include <QString>
#include <array>

class QLineEdit;

namespace kolma {

// A pump characteristic has up to this many support points (Q, h).
inline constexpr int kSupportPointCount = 8;

struct PumpEditLine {
    QLineEdit* type = nullptr;              // Edit9
    QLineEdit* Q[kSupportPointCount] = {};  // Q1 ... Q8, l/s
    QLineEdit* h[kSupportPointCount] = {};  // h1 ... h8, m
};

// The texts of the eight flow and the eight head fields ("" for a missing field).
struct SupportPointTexts {
    std::array<QString, kSupportPointCount> Q;
    std::array<QString, kSupportPointCount> h;
};

SupportPointTexts supportPointTexts(const PumpEditLine& line);

}  // namespace kolma
