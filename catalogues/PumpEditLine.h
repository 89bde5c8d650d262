// The pump input line of the main window, as far as the pump catalogue and the characteristic
// plot use it: the type field and the eight flow and head fields.
#pragma once

#include <QString>
#include <array>

class QLineEdit;

namespace kolma {

struct PumpEditLine {
    QLineEdit* type = nullptr;  // Edit9
    QLineEdit* Q[8] = {};       // Q1 ... Q8, l/s
    QLineEdit* h[8] = {};       // h1 ... h8, m
};

// The texts of the eight flow and the eight head fields ("" for a missing field).
struct SupportPointTexts {
    std::array<QString, 8> Q;
    std::array<QString, 8> h;
};

SupportPointTexts supportPointTexts(const PumpEditLine& line);

}  // namespace kolma
