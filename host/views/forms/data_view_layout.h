#pragma once
#include <QFont>
#include <QRect>
#include <string>

class QFontMetrics;
struct ScreenDensity;

// Geometry and texts of the data panel, apart from the painting.

inline constexpr int kDataRowCount = 9;
enum DataRow { ROW_LON, ROW_LAT, ROW_ALT, ROW_SOG, ROW_UTC, ROW_DATE, ROW_FIX, ROW_PDOP, ROW_HDOP };
inline constexpr const char16_t* kDataLabels[kDataRowCount] = {u"Lon", u"Lat",  u"Alt",  u"SoG", u"UTC",
                                                              u"Date", u"Fix", u"PDoP", u"HDoP"};

// The panel's font: the largest within the drawing views' text limits at which all rows, and a
// longitude as wide as "-000.000000 °" beside its label, fit in inner.
QFont DataPanelFont(const QRect& inner, const ScreenDensity& density);

// The width of the label block, in the font of the metrics.
int DataLabelWidth(const QFontMetrics& metrics);

// What the panel draws in: the client area less 5 pixels on every side.
QRect DataPanelInner(const QRect& client);
// The frame of a row's value: from 2 pixels right of the labels to the inner right edge, one
// pixel less high than the row.
QRect DataCell(const QRect& inner, int labelWidth, int rowHeight, int row);

// A DOP as its bar sees it: 0 without a value and from 99 on, which only its text shows.
double DopBarValue(double dop);
// The whole number that the full width of both DOP bars stands for, chosen so that the larger
// bar covers between a fifth and about three fifths of its cell; never below 1.
int DopScale(double pdopBar, double hdopBar);
// Pixels of a bar of the value on a cell of the width.
int DopBarLength(int cellWidth, double value, int scale);

// The speed in whole kilometres per hour, truncated: "35 km/h"; empty without a value.
std::u16string SpeedText(double metresPerSecond);
// "No Fix" unless the navigation is valid (exactly 1); else the mode's label, with "/DGPS" when
// DGPS has a value other than 0.
std::u16string FixText(double navigationValid, const std::u16string& modeLabel, double dgpsUsed);
