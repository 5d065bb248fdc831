#pragma once
#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

#include "shared/satellite_systems.h"

class CChannelHistory;
class QPainter;

// The satellite system a satellite number belongs to, as the satellite views label it: "GPS",
// "Glonass", the SBAS services ("WAAS", "EGNOS", "MSAS", other numbers "SBAS"), "Galileo",
// "Giove-A"; "SV" for numbers of no known system, and an empty text for 0 (no satellite).
const char16_t* SatelliteSystemName(int number);
// A satellite of a channel: with a system, "Glonass", "Galileo", "BeiDou", "QZSS" or "NavIC";
// without one, by its number as above.
const char16_t* SatelliteSystemName(SatelliteSystem system, int number);

// The number a view shows for a channel's satellite: plain without a system, else the system's
// letter and the number within it ("R1", "E11", "C7", "J2", "I4").
QString SatelliteLabel(SatelliteSystem system, int number);
// The number within its system of a satellite numbered across systems; unchanged without a system.
int NumberWithinSystem(SatelliteSystem system, int number);

// What marks a system in the views; GPS, SBAS and satellites without a system keep the scale's colour.
QColor SystemColor(SatelliteSystem system, const QColor& scale);

// The systems of a legend in its order: GPS first, then each marked system seen once; empty when
// none of those seen is marked.
std::vector<SatelliteSystem> LegendSystems(std::vector<SatelliteSystem> seen);
// The systems of the channels shown, in the order of the legend.
std::vector<SatelliteSystem> SystemsOfChannels(const CChannelHistory& channels, int count);
// The legend of the systems in the top right corner of the rectangle, one name above the other.
void DrawSystemLegend(QPainter& painter, const QRect& rect, const std::vector<SatelliteSystem>& systems,
                      const QColor& scale);
