// The tables' network in the solver's own model, for calculations inside the program (fire flow,
// roughness conversion, diagnostics). It is read from the very text that "Fertigstellen" and the
// calculation run hand to tarnholm, by tarnholm's own reader, so that both compute the same
// numbers.
#pragma once

#include "Network.h"
#include "tarnholm/network.h"

namespace kolma {

// The solver's network of the snapshot. Raises KolmaError when the solver would refuse the input;
// the message gives the solver's own text of the refusal, as its report would.
tarnholm::Network solverNetworkOf(const Network& network);

}  // namespace kolma
