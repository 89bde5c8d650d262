// The design limits of the evaluation, kept in the user's settings.
#pragma once

#include "Evaluation.h"

namespace kolma {

DesignLimits loadDesignLimits();
void saveDesignLimits(const DesignLimits& limits);

}  // namespace kolma
