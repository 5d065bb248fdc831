#include "satellite_system.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <initializer_list>

#include "host/views/qt_text.h"
#include "shared/channel_history.h"

namespace {

bool IsOneOf(int number, std::initializer_list<int> numbers) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

const char16_t* SbasName(int number) {
    if (IsOneOf(number, {122, 134, 135, 138})) return u"WAAS";
    if (IsOneOf(number, {120, 124, 126, 131})) return u"EGNOS";
    if (IsOneOf(number, {129, 137})) return u"MSAS";
    return u"SBAS";
}

struct SystemLook {
    SatelliteSystem system;
    const char16_t* name;
    char letter;
    QRgb color;
};

// clang-format off
constexpr SystemLook kLooks[] = {
    {SatelliteSystem::Glonass, u"Glonass", 'R', qRgb(255, 160, 64)},
    {SatelliteSystem::Galileo, u"Galileo", 'E', qRgb(96, 176, 255)},
    {SatelliteSystem::BeiDou,  u"BeiDou",  'C', qRgb(255, 96, 160)},
    {SatelliteSystem::Qzss,    u"QZSS",    'J', qRgb(192, 128, 255)},
    {SatelliteSystem::Navic,   u"NavIC",   'I', qRgb(240, 220, 80)},
};
// clang-format on

const SystemLook* LookOf(SatelliteSystem system) {
    for (const SystemLook& look : kLooks)
        if (look.system == system) return &look;
    return nullptr;
}

}  // namespace

const char16_t* SatelliteSystemName(int number) {
    if (number == 0) return u"";
    if (number >= 1 && number <= 37) return u"GPS";
    if (number >= 38 && number <= 61) return u"Glonass";
    if (number >= 120 && number <= 158) return SbasName(number);
    if (number >= 159 && number <= 208) return u"Galileo";
    if (number == 209) return u"Giove-A";
    return u"SV";
}

const char16_t* SatelliteSystemName(SatelliteSystem system, int number) {
    const SystemLook* look = LookOf(system);
    return look ? look->name : SatelliteSystemName(number);
}

int NumberWithinSystem(SatelliteSystem system, int number) {
    const SatelliteId id = SatelliteOfNumberAcrossSystems(number);
    return LookOf(system) && id.system == system ? id.number : number;
}

QString SatelliteLabel(SatelliteSystem system, int number) {
    const SystemLook* look = LookOf(system);
    const QString digits = QString::number(NumberWithinSystem(system, number));
    return look ? QChar(look->letter) + digits : digits;
}

QColor SystemColor(SatelliteSystem system, const QColor& scale) {
    const SystemLook* look = LookOf(system);
    return look ? QColor(look->color) : scale;
}

std::vector<SatelliteSystem> LegendSystems(std::vector<SatelliteSystem> seen) {
    std::erase_if(seen, [](SatelliteSystem system) { return LookOf(system) == nullptr; });
    if (seen.empty()) return seen;
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    seen.insert(seen.begin(), SatelliteSystem::Gps);
    return seen;
}

std::vector<SatelliteSystem> SystemsOfChannels(const CChannelHistory& channels, int count) {
    std::vector<SatelliteSystem> systems;
    for (int channel = 0; channel < std::min(count, CChannelHistory::kChannels); ++channel)
        if (const CChannelHistory::Sample& newest = channels.At(channel, 0); newest.satellite != 0)
            systems.push_back(newest.system);
    return LegendSystems(std::move(systems));
}

void DrawSystemLegend(QPainter& painter, const QRect& rect, const std::vector<SatelliteSystem>& systems,
                      const QColor& scale) {
    constexpr int kPadding = 3;
    const QFontMetrics metrics(painter.font());
    int top = rect.top() + kPadding;
    painter.save();
    for (SatelliteSystem system : systems) {
        const QString name =
            system == SatelliteSystem::Gps ? QStringLiteral("GPS") : ToQString(SatelliteSystemName(system, 0));
        painter.setPen(SystemColor(system, scale));
        painter.drawText(QRect(rect.left(), top, rect.width() - kPadding, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, name);
        top += metrics.height();
    }
    painter.restore();
}
