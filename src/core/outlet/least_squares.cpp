#include "core/outlet/least_squares.h"

#include <algorithm>
#include <cmath>

namespace pelvane::outlet {

std::optional<std::vector<double>> least_squares(const std::vector<std::vector<double>>& rows,
                                                 const std::vector<double>& values) {
    const std::size_t m = rows.size();
    if (m == 0 || values.size() != m) return std::nullopt;
    const std::size_t n = rows.front().size();
    if (n == 0 || n > m) return std::nullopt;
    for (const auto& row : rows) {
        if (row.size() != n) return std::nullopt;
    }

    auto a = rows;
    auto y = values;
    // Largest column norm, to judge a vanishing pivot relative to the data.
    double scale = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        double sum = 0.0;
        for (std::size_t i = 0; i < m; ++i) sum += a[i][j] * a[i][j];
        scale = std::max(scale, std::sqrt(sum));
    }
    std::vector<double> v(m);
    for (std::size_t k = 0; k < n; ++k) {
        double norm = 0.0;
        for (std::size_t i = k; i < m; ++i) norm += a[i][k] * a[i][k];
        norm = std::sqrt(norm);
        if (!(norm > 1e-12 * scale)) return std::nullopt;
        const double alpha = a[k][k] > 0.0 ? -norm : norm;
        double v_norm2 = 0.0;
        for (std::size_t i = k; i < m; ++i) {
            v[i] = a[i][k] - (i == k ? alpha : 0.0);
            v_norm2 += v[i] * v[i];
        }
        // Reflect the remaining columns and the right-hand side.
        const auto reflect = [&](auto&& element) {
            double dot = 0.0;
            for (std::size_t i = k; i < m; ++i) dot += v[i] * element(i);
            const double factor = 2.0 * dot / v_norm2;
            for (std::size_t i = k; i < m; ++i) element(i) -= factor * v[i];
        };
        for (std::size_t j = k; j < n; ++j) {
            reflect([&](std::size_t i) -> double& { return a[i][j]; });
        }
        reflect([&](std::size_t i) -> double& { return y[i]; });
    }

    std::vector<double> b(n);
    for (std::size_t k = n; k-- > 0;) {
        double sum = y[k];
        for (std::size_t j = k + 1; j < n; ++j) sum -= a[k][j] * b[j];
        b[k] = sum / a[k][k];
    }
    return b;
}

}  // namespace pelvane::outlet
