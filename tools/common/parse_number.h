#pragma once
#include <charconv>
#include <string_view>
#include <system_error>

// Whole-text numbers from the command line, in the C locale whatever the process's locale is:
// false unless the entire text is one number within [low, high].
template <typename T>
bool ParseNumber(std::string_view text, T low, T high, T& value) {
    T parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}
