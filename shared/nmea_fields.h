#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/export.h"

struct NmeaTime {
    int hour;
    int minute;
    double second;  // with fraction
};

struct NmeaDate {
    int day;
    int month;
    int year;  // as the sentence gives it: two digits (ddmmyy) or four
};

// hhmmss.sss; nothing for a time outside 00:00:00 to 23:59:59.999.
VELTRO_EXPORT std::optional<NmeaTime> ParseNmeaTime(double t);
// ddmmyy as one number; the year stays two-digit.
VELTRO_EXPORT std::optional<NmeaDate> ParseNmeaDate(int ddmmyy);
// ddmm.mmmm with N/S, dddmm.mmmm with E/W, in radians; nothing beyond the poles or the date line.
VELTRO_EXPORT std::optional<double> ParseNmeaLatitude(double ddmm, char hemisphere);
VELTRO_EXPORT std::optional<double> ParseNmeaLongitude(double dddmm, char hemisphere);
// A two-digit year placed in 1980-2079, the years a GPS receiver can report.
VELTRO_EXPORT int FourDigitYear(int twoDigitYear);

// Read access to the fields of one sentence, for every plug-in that reads NMEA text. Field 0 is
// the address ("$GPGGA"); field n is the text after the n-th comma, up to the next comma, "*", CR
// or LF. Every read stays inside the given bytes; a field that is empty, missing or unreadable is
// absent.
class VELTRO_EXPORT NmeaFields {
public:
    NmeaFields(const uint8_t* bytes, int length);

    std::string_view Text(int n) const;
    // The number of the last field: the commas before the checksum or the end.
    int LastField() const;
    std::optional<double> Number(int n) const;
    std::optional<int> Integer(int n) const;
    // The first non-blank character, upper-cased.
    std::optional<char> Letter(int n) const;

    // Field n of a sentence as an integer, read without splitting the rest of it: recognisers
    // that tell sentences apart by an early field try every sentence of their kind.
    static std::optional<int> IntegerIn(const uint8_t* bytes, int length, int n);

    std::optional<NmeaTime> Time(int n) const;
    std::optional<NmeaDate> Date(int n) const;
    // The value in field n, the hemisphere letter in field n + 1.
    std::optional<double> Latitude(int n) const;
    std::optional<double> Longitude(int n) const;

private:
    // As many as the longest sentence the recogniser passes can hold; fields past it are absent.
    static constexpr int kMaxFields = 512;

    std::string_view sentence;
    // Where each field begins and where the last one ends, found in one pass: every decoder reads
    // many fields of the same sentence.
    std::array<uint16_t, kMaxFields + 2> fieldStart;
    int fieldCount = 0;
};

// The fields of a node's stored sentence, split when first read after the sentence was stored:
// the epoch test and the decoder read the same sentence one after the other.
class StoredNmeaFields {
public:
    const NmeaFields& Of(const uint8_t* bytes, int length) const {
        if (!fields) fields.emplace(bytes, length);
        return *fields;
    }
    void Forget() { fields.reset(); }

private:
    mutable std::optional<NmeaFields> fields;
};
