// Texts in drawings that must not run into each other: the font is made smaller, down to a
// size that is still readable, until the text fits the room it has; a text that fits at no
// readable size is left out rather than printed over another.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPaintDevice;

namespace kolma {

// The size a text takes in a drawing's font of the given pixel size: width along the text, and
// the height of a line.
using TextSize = std::function<QSize(const QString& text, int pixelSize)>;

// The text's size measured in `font` at each pixel size, on the given device (its resolution
// decides the metrics). The measure keeps the metrics of each size and the size of each text it
// measured: a plan's labels come in thousands, and a window measures the same numbers at every
// paint.
TextSize fontTextSize(const QFont& font, const QPaintDevice* device);

// The largest pixel size from `nominal` down to `minimum` at which the text fits the room
// (width along the text, height across it); nothing when it fits at none.
std::optional<int> fittingPixelSize(const QString& text, const QSize& room, int nominal,
                                    int minimum, const TextSize& size);

}  // namespace kolma
