#include "TextFit.h"

#include <QFontMetrics>
#include <QHash>
#include <map>
#include <memory>

namespace kolma {

TextSize fontTextSize(const QFont& font, const QPaintDevice* device) {
    struct Measured {
        QFontMetrics metrics;
        QHash<QString, QSize> sizes;
    };
    auto measured = std::make_shared<std::map<int, Measured>>();
    return [font, device, measured](const QString& text, int pixelSize) {
        auto found = measured->find(pixelSize);
        if (found == measured->end()) {
            QFont sized = font;
            sized.setPixelSize(pixelSize);
            const QFontMetrics metrics = device ? QFontMetrics(sized, device) : QFontMetrics(sized);
            found = measured->emplace(pixelSize, Measured{metrics, {}}).first;
        }
        Measured& m = found->second;
        auto size = m.sizes.constFind(text);
        if (size == m.sizes.constEnd())
            size =
                m.sizes.insert(text, QSize(m.metrics.horizontalAdvance(text), m.metrics.height()));
        return *size;
    };
}

std::optional<int> fittingPixelSize(const QString& text, const QSize& room, int nominal,
                                    int minimum, const TextSize& size) {
    for (int pixelSize = nominal; pixelSize >= minimum; --pixelSize) {
        const QSize needed = size(text, pixelSize);
        if (needed.width() <= room.width() && needed.height() <= room.height())
            return pixelSize;
    }
    return std::nullopt;
}

}  // namespace kolma
