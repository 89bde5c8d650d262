// Interpolation through keyed vectors of floats: a cubic Hermite curve whose tangents are the
// central differences of the neighbouring values times the tension (zero at both ends). With
// keys equally spaced this is the uniform cardinal spline, which passes through every value.
// All arithmetic is in 32-bit floats, so the drawn curve does not depend on the compiler.
#pragma once

#include <cstdint>
#include <vector>

namespace kolma {

class CardinalSpline {
public:
    CardinalSpline(std::uint32_t dimension, float tension, std::uint32_t capacity);

    // Adds a key with dimension values (copied); does nothing when the spline is full.
    void AddKey(std::uint32_t key, const float* values);
    // Sorts the entries by key and computes the tangents; call after the last AddKey.
    void Prepare();
    // The curve at x (rounded down to a whole key) into out[dimension]. Outside the keys (before
    // the first or from the last on) the values of the last entry; zeros while there is none.
    void Evaluate(float x, float* out) const;

    std::uint32_t count() const { return count_; }
    std::uint32_t capacity() const { return capacity_; }

private:
    static constexpr std::uint32_t kEmptyKey = 0xFFFFFFFFu;

    struct Entry {
        std::uint32_t key = kEmptyKey;
        std::vector<float> values;    // dimension components once added
        std::vector<float> tangents;  // dimension components, computed by Prepare
    };

    float tension_;
    std::uint32_t capacity_;
    std::uint32_t count_ = 0;
    std::vector<Entry> entries_;  // capacity entries
    std::uint32_t dimension_;
};

}  // namespace kolma
