#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ombrelis {

// One window holds eight curve slots: curves 1 to 4, the edit backup and three spares.
inline constexpr int kSlotCount = 8;
inline constexpr int kCurveCount = 4;
inline constexpr int kBackupSlot = 4;
inline constexpr int kMaxSamples = 16;
inline constexpr int kMaxSampledPoints = 4096;

// Colours are 0x00BBGGRR words.
using Colour = std::uint32_t;
inline constexpr Colour kDefaultCurveColour = 255;  // pure red

// A point in curve (world) units.
struct CurvePoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const CurvePoint &, const CurvePoint &) = default;
};
static_assert(sizeof(CurvePoint) == 2 * sizeof(double), "points compare as bytes");

// One curve of a window. Texts are UTF-8; arrays are fixed so that nothing is
// allocated per point. Entries beyond the counts keep whatever they last held.
struct CurveSlot {
    std::string name;
    std::string xLegend = "X";
    std::string yLegend = "Y";
    double xmin = 0.0;
    double xmax = 1000.0;
    double ymin = 0.0;
    double ymax = 1000.0;
    std::int32_t sampleCount = 0;
    std::int32_t samplingCount = 64;
    std::array<CurvePoint, kMaxSamples> samples{};
    std::array<CurvePoint, kMaxSamples> startTangents{};  // absolute handle tips
    std::array<CurvePoint, kMaxSamples> endTangents{};    // absolute handle tips
    std::array<CurvePoint, kMaxSampledPoints> sampledPoints{};
    Colour colour = kDefaultCurveColour;
    bool active = false;
    std::int32_t interpolationFlag = 0;  // kept as read from a file; set means "computed"
    std::string scriptText;
    // The folder of the file the curve was last opened from or saved to
    // (absolute, "/" separators), empty for a curve that never had a file.
    // Save writes back there rather than into whatever folder is current.
    std::string folder;
};

// The number of entries of a count that the fixed arrays can hold: 0 for
// counts of 0 or less, the capacity for counts above it.
int usedEntries(std::int32_t count, int capacity);

// The number of the curve's control samples the arrays hold: sampleCount
// within 0..kMaxSamples.
int sampleTotal(const CurveSlot &slot);

// Whether k indexes one of the curve's control samples.
bool isSample(const CurveSlot &slot, int k);

// Whether two slots hold the same texts and the same bytes in every number:
// a bound of -0 is not one of 0, since a file shows the sign.
bool sameContents(const CurveSlot &a, const CurveSlot &b);

// Gives every field its default value.
void resetSlot(CurveSlot &slot);

// Copies the used part of src into dst: texts, bounds, both counts and the
// entries below the counts, and the folder, which goes with the name.
// colour, active, interpolationFlag and scriptText keep dst's values, as do
// array entries beyond the copied counts.
void copySlot(const CurveSlot &src, CurveSlot &dst);

// The index k of the first sampled interval with x[k] <= x < x[k+1]; the last
// index when x equals the last sampled x; -1 with fewer than two sampled points
// or when x lies outside [first x, last x].
int findSampledIndex(const CurveSlot &slot, double x);

}  // namespace ombrelis
