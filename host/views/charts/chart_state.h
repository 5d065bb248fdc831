#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "shared/entry_ids.h"

// How the stylus acts on the chart, how points and the lines between them are drawn.
enum class ChartMouseMode : int32_t { Cursor = 0, Move = 1, ZoomIn = 2, ZoomOut = 3 };
enum class ChartPointStyle : int32_t { None = 0, Dot = 1, BoldDot = 2, Cross = 3, BoldCross = 4 };
enum class ChartConnectStyle : int32_t { None = 0, Always = 1, Consecutive = 2 };

// The chart's settings as its 28-byte state block keeps them (little-endian): mouse mode, point
// style, connect style (32-bit each), statistics and smoothing switches, the smoothing factor
// (16-bit), then for X and for Y the value's identifier (16-bit), fit, follow, use value and
// deviation (a byte each).
struct ChartSettings {
    struct Axis {
        uint16_t valueId = 0;
        bool fit = false;
        bool follow = false;
        bool useValue = false;
        bool deviation = false;
    };

    static constexpr size_t kBlockSize = 28;
    static constexpr uint16_t kDefaultSmoothing = 16;

    ChartMouseMode mouseMode = ChartMouseMode::Cursor;
    ChartPointStyle pointStyle = ChartPointStyle::BoldDot;
    ChartConnectStyle connectStyle = ChartConnectStyle::Consecutive;
    bool statistics = false;
    bool smoothing = false;
    uint16_t smoothingFactor = kDefaultSmoothing;
    Axis x{};
    Axis y{entry::kHeightAboveEllipsoid, false, false, true, false};

    std::array<uint8_t, kBlockSize> Encode() const;
    // A block from the profile is not trusted: a smoothing factor of 0, which would divide by
    // zero, reads as 16; modes and styles outside their ranges read as the defaults; fit wins
    // over follow when both are set.
    static ChartSettings Decode(std::span<const uint8_t, kBlockSize> block);
};
