#include "PumpEditLine.h"

#include <QLineEdit>

namespace kolma {

SupportPointTexts supportPointTexts(const PumpEditLine& line) {
    SupportPointTexts texts;
    for (int i = 0; i < kSupportPoints; ++i) {
        if (line.Q[i])
            texts.Q[i] = line.Q[i]->text();
        if (line.h[i])
            texts.h[i] = line.h[i]->text();
    }
    return texts;
}

}  // namespace kolma
