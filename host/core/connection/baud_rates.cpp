#include "baud_rates.h"

#include <algorithm>
#include <iterator>

namespace {

struct BaudCommand {
    unsigned command;
    uint32_t rate;
    bool offeredToAutobaud;
};

constexpr BaudCommand kBaudCommands[] = {
    {40194, 1200, false}, {40195, 2400, false}, {40196, 4800, true},  {40197, 9600, true},
    {40199, 19200, true}, {40201, 38400, true}, {40203, 57600, true}, {40204, 115200, true},
};

template <typename Match>
const BaudCommand* Find(Match match) {
    const auto found = std::find_if(std::begin(kBaudCommands), std::end(kBaudCommands), match);
    return found == std::end(kBaudCommands) ? nullptr : found;
}

}  // namespace

uint32_t BaudRateOfCommand(unsigned command) {
    const BaudCommand* entry = Find([command](const BaudCommand& e) { return e.command == command; });
    return entry ? entry->rate : 0;
}

unsigned CommandOfBaudRate(uint32_t rate) {
    const BaudCommand* entry = Find([rate](const BaudCommand& e) { return e.rate == rate; });
    return entry ? entry->command : 0;
}

bool IsOfferedToAutobaud(unsigned command) {
    const BaudCommand* entry = Find([command](const BaudCommand& e) { return e.command == command; });
    return entry && entry->offeredToAutobaud;
}
