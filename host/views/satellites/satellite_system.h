#pragma once

// The satellite system a satellite number belongs to, as the satellite views label it: "GPS",
// "Glonass", the SBAS services ("WAAS", "EGNOS", "MSAS", other numbers "SBAS"), "Galileo",
// "Giove-A"; "SV" for numbers of no known system, and an empty text for 0 (no satellite).
const char16_t* SatelliteSystemName(int number);
