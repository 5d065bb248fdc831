#pragma once
#include <QFont>
#include <QRect>
#include <cstdint>
#include <vector>

#include "shared/channel_history.h"

struct ScreenDensity;

// Geometry shared by the signal level bars and the signal history rows: how many channels are
// shown, where each one goes, and how a C/N0 becomes a height on the 5 to 55 dB-Hz scale.

inline constexpr int kLowestLevel = 5;
inline constexpr int kHighestLevel = 55;

// Bit i set: channel i has data younger than 20 epochs.
uint64_t FreshChannels(const CChannelHistory& channels);
// Channels shown along an extent of pixels: one per 50 pixels, 8 to 16, and more where a channel
// beyond them is fresh.
int ChannelCount(int extent, uint64_t freshChannels);
// Start of part index of count parts of extent pixels from origin; part i ends where i + 1 starts.
int PartStart(int origin, int extent, int count, int index);
// The signal bars' font: the largest within the drawing views' text limits at which a three-digit
// number fits a column and a line of text takes at most a fourteenth of the client's height.
QFont SignalLevelFont(QSize client, int columns, const ScreenDensity& density);
// The column of a channel among count columns across the plot.
QRect ColumnBox(const QRect& plot, int count, int channel);
// Height in pixels of a C/N0 on a scale of the given height; 5 dB-Hz and below are 0, 55 and
// above the whole height.
int LevelHeight(double cn0, int scaleHeight);

// The least and greatest C/N0 of a channel while its samples hold the satellite of the newest.
struct Cn0Range {
    double minimum;
    double maximum;
};
Cn0Range Cn0RangeOf(const CChannelHistory& channels, int channel);

// The colour-table index of a sample's state: the satellite states 0 to 3 are their own colours;
// an empty channel's state takes the scale colour.
int StateColorIndex(uint8_t state);

// Box of a sample in a strip of 20, the newest (0) at the right end.
QRect SampleBox(const QRect& strip, int sample);
// The filled parts inside a sample's box (within its frame), from the bottom up: one for the
// C/N0, or one per measurement when the sample carries them. None without a C/N0 above 0.
std::vector<QRect> SampleBars(const QRect& box, const CChannelHistory::Sample& sample);
