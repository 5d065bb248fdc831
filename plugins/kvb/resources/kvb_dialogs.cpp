#include <array>
#include <cstddef>

#include "plugins/kvb/resources/kvb_editor_dialogs.h"
#include "plugins/kvb/resources/kvb_resources.h"

namespace {

using namespace kvb_res;

// A line of a page with fields: a value with its label and unit, a heading, or a note.
struct FormLine {
    enum class Kind { Field, Heading, Note } kind;
    const char16_t* label;
    int id = 0;
    const char16_t* unit = u"";
};

constexpr FormLine Field(const char16_t* label, int id, const char16_t* unit) {
    return {FormLine::Kind::Field, label, id, unit};
}
constexpr FormLine Heading(const char16_t* text) { return {FormLine::Kind::Heading, text}; }
constexpr FormLine Note(const char16_t* text) { return {FormLine::Kind::Note, text}; }

// Dialog units of a form: one line every 14 units, label, value and unit side by side.
constexpr int kFormWidth = 160;
constexpr int kLinePitch = 14;
constexpr int kMargin = 4;
constexpr int kValueX = 70;
constexpr int kValueWidth = 58;
constexpr int kUnitX = 131;
constexpr int kFirstStaticId = 2000;

template <size_t N>
constexpr size_t ControlCount(const std::array<FormLine, N>& lines) {
    size_t count = 0;
    for (const FormLine& line : lines) count += line.kind == FormLine::Kind::Field ? 3 : 1;
    return count;
}

constexpr ControlTemplate Text(int id, const char16_t* text, int x, int y, int width,
                               ControlFont font = ControlFont::Dialog) {
    return {id, ControlKind::StaticText, text, {x, y + 2, width, 9}, STYLE_NONE, font};
}

constexpr ControlTemplate Value(int id, int y) {
    return {id, ControlKind::Edit, u"", {kValueX, y, kValueWidth, 12}, STYLE_READ_ONLY | STYLE_RIGHT};
}

// Label, value and unit of each line, in that order, so that a value's label is the static text
// before it; static texts are numbered from 2000.
template <const auto& Lines>
constexpr auto LayOutForm() {
    constexpr int kLineWidth = kFormWidth - 2 * kMargin;
    std::array<ControlTemplate, ControlCount(Lines)> controls{};
    size_t at = 0;
    int staticId = kFirstStaticId;
    int y = kMargin;
    for (const FormLine& line : Lines) {
        switch (line.kind) {
            case FormLine::Kind::Field:
                controls[at++] = Text(staticId++, line.label, kMargin, y, kValueX - kMargin - 2);
                controls[at++] = Value(line.id, y);
                controls[at++] = Text(staticId++, line.unit, kUnitX, y, kFormWidth - kUnitX - 2);
                break;
            case FormLine::Kind::Heading:
                controls[at++] = Text(staticId++, line.label, kMargin, y, kLineWidth, ControlFont::Bold);
                break;
            case FormLine::Kind::Note:
                controls[at++] = Text(staticId++, line.label, kMargin, y, kLineWidth);
                break;
        }
        y += kLinePitch;
    }
    return controls;
}

template <size_t N>
constexpr int FormHeight(const std::array<FormLine, N>&) {
    return kMargin * 2 + static_cast<int>(N) * kLinePitch;
}

constexpr FormLine kTimeOfWeekLine = Field(u"Time of week", kTimeOfWeek, u"[s]");

// clang-format off
constexpr std::array kPosEcefLines{
    kTimeOfWeekLine,
    Field(u"ECEF - X", posecef::kX, u"[m]"),
    Field(u"ECEF - Y", posecef::kY, u"[m]"),
    Field(u"ECEF - Z", posecef::kZ, u"[m]"),
    Heading(u"Accuracy"),
    Field(u"Position 3D", posecef::kAccuracy, u"[m]"),
};

constexpr std::array kPosLlhLines{
    kTimeOfWeekLine,
    Field(u"Longitude", posllh::kLongitude, u"[degrees]"),
    Field(u"Latitude", posllh::kLatitude, u"[degrees]"),
    Heading(u"Height"),
    Field(u"Ellipsoid", posllh::kEllipsoid, u"[m]"),
    Field(u"Mean Sealevel", posllh::kMeanSeaLevel, u"[m]"),
    Field(u"Geoid Sep.", posllh::kGeoidSeparation, u"[m]"),
    Heading(u"Accuracy"),
    Field(u"Horizontal (2D)", posllh::kHorizontal, u"[m]"),
    Field(u"Vertical", posllh::kVertical, u"[m]"),
    Note(u"Values above depend on selected Datum."),
};

constexpr std::array kVelEcefLines{
    kTimeOfWeekLine,
    Field(u"Vel ECEF - X", velecef::kX, u"[m/s]"),
    Field(u"Vel ECEF - Y", velecef::kY, u"[m/s]"),
    Field(u"Vel ECEF - Z", velecef::kZ, u"[m/s]"),
    Heading(u"Accuracy"),
    Field(u"Velocity 3D", velecef::kAccuracy, u"[m/s]"),
};

constexpr std::array kVelNedLines{
    kTimeOfWeekLine,
    Field(u"Velocity North", velned::kNorth, u"[m/s]"),
    Field(u"Velocity East", velned::kEast, u"[m/s]"),
    Field(u"Velocity Down", velned::kDown, u"[m/s]"),
    Field(u"Speed (3D)", velned::kSpeed, u"[m/s]"),
    Field(u"Ground Speed", velned::kGroundSpeed, u"[m/s]"),
    Field(u"Heading (2D)", velned::kHeading, u"[degrees]"),
    Heading(u"Accuracy"),
    Field(u"Velocity 3D", velned::kSpeedAccuracy, u"[m/s]"),
    Field(u"Heading", velned::kHeadingAccuracy, u"[degrees]"),
};

constexpr std::array kTimeGpsLines{
    kTimeOfWeekLine,
    Field(u"Week Number", timegps::kWeek, u""),
    Field(u"Fractional ms", timegps::kFraction, u"[ns]"),
    Field(u"Leap Seconds", timegps::kLeapSeconds, u"[s]"),
    Note(u"(GPS Time ahead of UTC)"),
    Heading(u"Accuracy"),
    Field(u"Time", timegps::kAccuracy, u"[\u00B5s]"),
};

constexpr std::array kTimeUtcLines{
    kTimeOfWeekLine,
    Field(u"Date", timeutc::kDate, u"[D/M/Y]"),
    Field(u"Time", timeutc::kTime, u"[H/M/S]"),
    Field(u"Fract. Seconds", timeutc::kFraction, u"[ns]"),
    Heading(u"Accuracy"),
    Field(u"Time", timeutc::kAccuracy, u"[\u00B5s]"),
};

constexpr std::array kClockLines{
    kTimeOfWeekLine,
    Field(u"Clock Bias", clock::kBias, u"[\u00B5s]"),
    Field(u"Clock Drift", clock::kDrift, u"[\u00B5s/s]"),
    Heading(u"Accuracy"),
    Field(u"Time", clock::kTimeAccuracy, u"[\u00B5s]"),
    Field(u"Frequency", clock::kFrequencyAccuracy, u"[ppm]"),
};

constexpr std::array kPosUtmLines{
    kTimeOfWeekLine,
    Field(u"Easting", posutm::kEasting, u"[m]"),
    Field(u"Northing", posutm::kNorthing, u"[m]"),
    Field(u"Altitude", posutm::kAltitude, u"[m]"),
    Field(u"Hemisphere", posutm::kHemisphere, u""),
    Field(u"Zone Number", posutm::kZone, u""),
};

constexpr auto kPosEcefControls = LayOutForm<kPosEcefLines>();
constexpr auto kPosLlhControls = LayOutForm<kPosLlhLines>();
constexpr auto kVelEcefControls = LayOutForm<kVelEcefLines>();
constexpr auto kVelNedControls = LayOutForm<kVelNedLines>();
constexpr auto kTimeGpsControls = LayOutForm<kTimeGpsLines>();
constexpr auto kTimeUtcControls = LayOutForm<kTimeUtcLines>();
constexpr auto kClockControls = LayOutForm<kClockLines>();
constexpr auto kPosUtmControls = LayOutForm<kPosUtmLines>();

// A table filling the page; the messages fill its columns and rows.
constexpr ControlTemplate kListControls[] = {
    {kList, ControlKind::ListControl, u"", {0, 0, kFormWidth, 150}},
};

constexpr ControlTemplate kInformationControls[] = {
    {kText, ControlKind::MultiLineEdit, u"", {0, 0, kFormWidth, 150}, STYLE_READ_ONLY, ControlFont::System},
};

constexpr ControlTemplate kMonVerControls[] = {
    {2000, ControlKind::StaticText, u"Software Version", {kMargin, 6, 150, 9}},
    {monver::kSoftware, ControlKind::Edit, u"", {kMargin, 16, 152, 12}, STYLE_READ_ONLY},
    {2001, ControlKind::StaticText, u"Hardware Version", {kMargin, 34, 150, 9}},
    {monver::kHardware, ControlKind::Edit, u"", {kMargin, 44, 152, 12}, STYLE_READ_ONLY},
    {2002, ControlKind::StaticText, u"Extension(s)", {kMargin, 62, 150, 9}},
    {monver::kExtensions, ControlKind::ListBox, u"", {kMargin, 72, 152, 70}},
};

constexpr ControlTemplate kSbasControls[] = {
    {2000, ControlKind::StaticText, u"SBAS ID used", {kMargin, 6, 60, 9}},
    {sbas::kGeo, ControlKind::Edit, u"", {66, 4, 30, 12}, STYLE_READ_ONLY | STYLE_RIGHT},
    {2001, ControlKind::StaticText, u"SBAS Mode", {kMargin, 20, 60, 9}},
    {sbas::kMode, ControlKind::Edit, u"", {66, 18, 60, 12}, STYLE_READ_ONLY},
    {2002, ControlKind::StaticText, u"System", {kMargin, 34, 60, 9}},
    {sbas::kSystem, ControlKind::Edit, u"", {66, 32, 60, 12}, STYLE_READ_ONLY},
    {sbas::kRanging, ControlKind::CheckBox, u"Ranging", {kMargin, 48, 46, 10}, STYLE_DISABLED},
    {sbas::kCorrections, ControlKind::CheckBox, u"Corrections", {52, 48, 56, 10}, STYLE_DISABLED},
    {sbas::kIntegrity, ControlKind::CheckBox, u"Integrity", {110, 48, 48, 10}, STYLE_DISABLED},
    {kList, ControlKind::ListControl, u"", {0, 62, kFormWidth, 88}},
};
// clang-format on

constexpr DialogTemplate kPageDialogs[] = {
    {kListPage, kFormWidth, 150, kListControls},
    {kInformationPage, kFormWidth, 150, kInformationControls},
    {kPosEcefPage, kFormWidth, FormHeight(kPosEcefLines), kPosEcefControls},
    {kPosLlhPage, kFormWidth, FormHeight(kPosLlhLines), kPosLlhControls},
    {kVelEcefPage, kFormWidth, FormHeight(kVelEcefLines), kVelEcefControls},
    {kVelNedPage, kFormWidth, FormHeight(kVelNedLines), kVelNedControls},
    {kTimeGpsPage, kFormWidth, FormHeight(kTimeGpsLines), kTimeGpsControls},
    {kTimeUtcPage, kFormWidth, FormHeight(kTimeUtcLines), kTimeUtcControls},
    {kClockPage, kFormWidth, FormHeight(kClockLines), kClockControls},
    {kPosUtmPage, kFormWidth, FormHeight(kPosUtmLines), kPosUtmControls},
    {kMonVerPage, kFormWidth, 146, kMonVerControls},
    {kSbasPage, kFormWidth, 150, kSbasControls},
};

template <size_t A, size_t B>
constexpr std::array<DialogTemplate, A + B> Joined(const DialogTemplate (&first)[A], const DialogTemplate (&second)[B]) {
    std::array<DialogTemplate, A + B> joined{};
    for (size_t at = 0; at < A; ++at) joined[at] = first[at];
    for (size_t at = 0; at < B; ++at) joined[A + at] = second[at];
    return joined;
}

constexpr auto kDialogs = Joined(kPageDialogs, kvb_editor_pages::kEditorDialogs);

}  // namespace

const std::span<const DialogTemplate> kKvbDialogs = kDialogs;
