#include "sim_geoid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr double kStep = 15.0;  // degrees
constexpr int kRows = 13;
constexpr int kColumns = 24;

// EGM96 every 15 degrees, rows from 90 N to 90 S, columns from 180 W eastwards: the heights of
// these nodes in the 15-minute grid egm96_15.gtx (Debian's proj-data), rounded to whole metres.
// Coarser than the host's grid on purpose, so that the two are not the same numbers.
// clang-format off
constexpr int8_t kHeights[kRows][kColumns] = {
    {14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14},  // 90 N
    {2, 0, -4, -9, -12, -14, -4, 14, 19, 35, 45, 46, 44, 40, 21, 8, 1, -6, -7, -9, -4, -1, 1, 2},  // 75 N
    {0, 12, 13, 7, -16, -36, -47, -30, 5, 41, 64, 60, 48, 29, 16, 10, -4, -26, -34, -31, -17, 5, 16, 13},  // 60 N
    {-6, -3, -13, -27, -19, -15, -34, -32, -15, 28, 61, 57, 47, 46, 31, 1, -29, -47, -59, -44, 0, 29, 14, -3},  // 45 N
    {-8, -6, -16, -34, -42, -24, -27, -46, -41, 1, 30, 40, 35, 30, 16, -4, -15, -46, -34, -42, 7, 36, 19, -4},  // 30 N
    {9, 10, -4, -26, -45, -21, 2, -18, -55, -26, 8, 31, 22, 14, 4, -8, -54, -83, -64, -21, 41, 50, 44, 23},  // 15 N
    {21, 15, 13, -7, -23, -18, -4, 20, -13, -23, 2, 19, 17, -1, -10, -43, -63, -100, -63, 14, 58, 72, 63, 41},  // 0
    {49, 14, 1, -10, -7, -5, -6, 30, 16, -13, -7, 7, 13, 22, -8, -26, -24, -52, -58, -28, 15, 48, 63, 59},  // 15 S
    {48, 14, -1, -12, -10, -6, 1, 15, 18, -7, 3, 14, 21, 32, 30, 19, 15, 0, -25, -39, -23, 0, 32, 36},  // 30 S
    {3, -9, -12, -15, -11, -9, -1, 13, 9, -3, 7, 26, 21, 28, 34, 46, 36, 27, 8, -17, -27, -20, -12, -3},  // 45 S
    {-46, -40, -32, -29, -24, -20, -11, 2, 20, 16, 24, 19, 15, 24, 29, 34, 33, 27, 9, -8, -25, -33, -30, -40},  // 60 S
    {-62, -63, -62, -44, -36, -27, -19, -12, -10, -7, -2, 4, 9, 15, 16, 16, 13, 8, 2, -17, -36, -48, -58, -58},  // 75 S
    {-30, -30, -30, -30, -30, -30, -30, -30, -30, -30, -30, -30,
     -30, -30, -30, -30, -30, -30, -30, -30, -30, -30, -30, -30},  // 90 S
};
// clang-format on
}  // namespace

double SimGeoidHeight(double latitude, double longitude) {
    const double down = (90 - std::clamp(latitude, -90.0, 90.0)) / kStep;
    const double across = std::fmod(std::fmod(longitude + 180, 360.0) + 360, 360.0) / kStep;
    const int row = std::min(static_cast<int>(down), kRows - 2);
    const int column = std::min(static_cast<int>(across), kColumns - 1);
    const int next = (column + 1) % kColumns;
    const double v = down - row, u = across - column;
    const double upper = kHeights[row][column] + u * (kHeights[row][next] - kHeights[row][column]);
    const double lower = kHeights[row + 1][column] + u * (kHeights[row + 1][next] - kHeights[row + 1][column]);
    return upper + v * (lower - upper);
}
