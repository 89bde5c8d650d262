#include "TextFit.h"

#include <QFontMetrics>

namespace kolma {

TextSize fontTextSize(const QFont& font, const QPaintDevice* device) {
    return [font, device](const QString& text, int pixelSize) {
        QFont sized = font;
        sized.setPixelSize(pixelSize);
        const QFontMetrics metrics = device ? QFontMetrics(sized, device) : QFontMetrics(sized);
        return QSize(metrics.horizontalAdvance(text), metrics.height());
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
