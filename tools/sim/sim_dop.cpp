#include "sim_dop.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace {
constexpr double kDegree = std::numbers::pi / 180;
using Matrix4 = std::array<std::array<double, 4>, 4>;

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool Invert(Matrix4 m, Matrix4& inverse) {
    inverse = {};
    for (int i = 0; i < 4; ++i) inverse[i][i] = 1;
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row)
            if (std::abs(m[row][column]) > std::abs(m[pivot][column])) pivot = row;
        if (std::abs(m[pivot][column]) < 1e-12) return false;
        std::swap(m[pivot], m[column]);
        std::swap(inverse[pivot], inverse[column]);
        const double scale = 1 / m[column][column];
        for (int k = 0; k < 4; ++k) m[column][k] *= scale, inverse[column][k] *= scale;
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = m[row][column];
            for (int k = 0; k < 4; ++k)
                m[row][k] -= factor * m[column][k], inverse[row][k] -= factor * inverse[column][k];
        }
    }
    return true;
}
}  // namespace

SimDop ComputeDop(const std::vector<SimSatellite>& satellites) {
    constexpr SimDop kNone{kSimNoDop, kSimNoDop, kSimNoDop, kSimNoDop, kSimNoDop, kSimNoDop, kSimNoDop};
    Matrix4 normal{};  // sum of h hᵀ over the line-of-sight rows h = (east, north, up, 1)
    int used = 0;
    for (const SimSatellite& s : satellites) {
        if (!s.used) continue;
        const double el = s.elevation * kDegree, az = s.azimuth * kDegree;
        const std::array<double, 4> h{-std::cos(el) * std::sin(az), -std::cos(el) * std::cos(az), -std::sin(el), 1};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) normal[i][j] += h[i] * h[j];
        ++used;
    }
    Matrix4 q;
    if (used < 4 || !Invert(normal, q)) return kNone;
    const double e = q[0][0], n = q[1][1], u = q[2][2], t = q[3][3];
    return {std::sqrt(e + n + u + t), std::sqrt(e + n + u), std::sqrt(t), std::sqrt(u),
            std::sqrt(e + n),         std::sqrt(n),         std::sqrt(e)};
}
