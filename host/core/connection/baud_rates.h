#pragma once
#include <cstdint>

// The baud-rate menu: commands 40192 … 40207, of which those below select a rate.
constexpr unsigned kFirstBaudCommand = 40192;
constexpr unsigned kLastBaudCommand = 40207;

// The rate a command selects; 0 for commands without one.
uint32_t BaudRateOfCommand(unsigned command);
// The command that selects a rate; 0 when none does.
unsigned CommandOfBaudRate(uint32_t rate);
bool IsOfferedToAutobaud(unsigned command);

// What automatic baud detection needs of the port.
class IBaudControl {
public:
    virtual ~IBaudControl() = default;
    virtual uint32_t BaudRate() const = 0;
    virtual bool SetBaud(uint32_t rate) = 0;
};
