// The pump input line of the main window, as far as the pump catalogue and the characteristic
// plot use it: the type field and the eight flow and head fields.
#pragma once

#include <QString>
#include <array>

#include "Tables.h"

class QLineEdit;

namespace kolma {

struct PumpEditLine {
    QLineEdit* type = nullptr;          // Edit9
    QLineEdit* Q[kSupportPoints] = {};  // Q1 ... Q8, l/s
    QLineEdit* h[kSupportPoints] = {};  // h1 ... h8, m
};

// The texts of the eight flow and the eight head fields ("" for a missing field).
struct SupportPointTexts {
    std::array<QString, kSupportPoints> Q;
    std::array<QString, kSupportPoints> h;
};

SupportPointTexts supportPointTexts(const PumpEditLine& line);

}  // namespace kolma
