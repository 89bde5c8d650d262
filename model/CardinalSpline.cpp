#include "CardinalSpline.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kolma {

CardinalSpline::CardinalSpline(std::uint32_t dimension, float tension, std::uint32_t capacity)
    : tension_(tension), capacity_(capacity), entries_(capacity), dimension_(dimension) {}

void CardinalSpline::AddKey(std::uint32_t key, const float* values) {
    if (count_ >= capacity_)
        return;
    Entry& entry = entries_[count_];
    entry.key = key;
    entry.values.assign(values, values + dimension_);
    entry.tangents.assign(dimension_, 0.0f);
    ++count_;
}

void CardinalSpline::Prepare() {
    std::stable_sort(entries_.begin(), entries_.begin() + count_,
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (std::uint32_t i = 1; i + 1 < count_; ++i) {
        for (std::uint32_t j = 0; j < dimension_; ++j)
            entries_[i].tangents[j] =
                (entries_[i + 1].values[j] - entries_[i - 1].values[j]) * tension_;
    }
    if (count_ == 0)
        return;
    std::fill(entries_[0].tangents.begin(), entries_[0].tangents.end(), 0.0f);
    std::fill(entries_[count_ - 1].tangents.begin(), entries_[count_ - 1].tangents.end(), 0.0f);
}

void CardinalSpline::Evaluate(float x, float* out) const {
    if (count_ == 0) {
        std::fill(out, out + dimension_, 0.0f);
        return;
    }
    const double whole = std::floor(static_cast<double>(x));
    const bool representable = whole >= INT_MIN && whole <= INT_MAX;  // false for NaN too
    // Keys compare unsigned, so a point before 0 lies after every key.
    const auto k = static_cast<std::uint32_t>(representable ? static_cast<int>(whole) : -1);
    std::uint32_t i = 0;
    while (i + 1 < count_ && !(entries_[i].key <= k && k < entries_[i + 1].key))
        ++i;
    if (!representable || i + 1 >= count_) {
        const Entry& last = entries_[count_ - 1];
        std::copy(last.values.begin(), last.values.end(), out);
        return;
    }
    const Entry& a = entries_[i];
    const Entry& b = entries_[i + 1];
    const float span = static_cast<float>(b.key - a.key);
    const float t = static_cast<float>(k - a.key) / span;
    const float t2 = t * t;
    const float t3 = t2 * t;
    const float h00 = 2 * t3 - 3 * t2 + 1;
    const float h01 = -2 * t3 + 3 * t2;
    const float h10 = t3 - 2 * t2 + t;
    const float h11 = t3 - t2;
    for (std::uint32_t j = 0; j < dimension_; ++j)
        out[j] = h00 * a.values[j] + h01 * b.values[j] + h10 * a.tangents[j] + h11 * b.tangents[j];
}

}  // namespace kolma
