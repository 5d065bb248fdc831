#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CDialogPage;

// What every configuration editor reads from and writes to its page. Whatever a user typed is
// read within the control's text; a value that does not read gives nothing, and the editor's
// ValidateControl reports the control as invalid.

// A list item made of a number, " - " and a name ("3 - Automotive"), or a bare number typed in.
std::optional<uint32_t> ReadNumberedChoice(const CDialogPage& page, int id);
// Selects the item of that number, or shows the number.
void ShowNumberedChoice(CDialogPage& page, int id, uint32_t value);

// Bit numbers 0–31 joined by "+" ("0+1 - KVB+NMEA": bits 0 and 1; what follows the numbers is
// ignored), or "none" for 0.
std::optional<uint32_t> ParseProtocolMask(std::u16string_view text);
// The bit numbers in ascending order joined by "+"; "none" for 0.
std::u16string FormatProtocolMask(uint32_t mask);
std::optional<uint32_t> ReadProtocolMask(const CDialogPage& page, int id);
// Selects the item that begins with the mask's text, or shows the text.
void ShowProtocolMask(CDialogPage& page, int id, uint32_t mask);

// A decimal number times scale, rounded to the nearest integer; nothing when it is negative or
// above maximum (the largest value of the field's width).
std::optional<uint32_t> ReadScaledField(const CDialogPage& page, int id, double scale, uint32_t maximum);
// The field's value divided by scale, with decimals places.
void ShowScaledField(CDialogPage& page, int id, double value, double scale, int decimals);

// A numbered choice whose number may carry a sign ("+1 - rising edge", "-1 - falling edge"),
// within minimum and maximum.
std::optional<int32_t> ReadSignedChoice(const CDialogPage& page, int id, int32_t minimum, int32_t maximum);
// Selects the item whose leading number is value, or shows the number.
void ShowSignedChoice(CDialogPage& page, int id, int32_t value);

// A signed decimal number times scale, rounded; nothing when it falls outside minimum..maximum.
std::optional<int64_t> ReadSignedScaledField(const CDialogPage& page, int id, double scale, int64_t minimum,
                                             int64_t maximum);
