#pragma once
#include <string>

class CEpochHistory;
class CEpochSnapshot;
class CStorage;

// One named value of the database read from the epoch history: numbers in the units the
// catalogue shows (degrees, metres, seconds) at the full precision of the value, UTC as ISO 8601,
// choices and satellite lists as their text. Empty text for an epoch without the value.
class CValueColumn {
public:
    explicit CValueColumn(const CStorage& entry);

    std::string Name() const;
    // Numbers, as opposed to texts (JSON writes them without quotes).
    bool IsNumber() const { return kind == Kind::Number || kind == Kind::Angle || kind == Kind::Angle360; }
    // NaN for texts and for epochs without the value.
    double Value(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    std::string Text(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;

private:
    enum class Kind { Number, Angle, Angle360, Utc, Choice, SatelliteList };

    std::string UtcText(double seconds) const;

    const CStorage& entry;
    Kind kind;
};
