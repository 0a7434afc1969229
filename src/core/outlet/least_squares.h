#pragma once
// Linear least squares for small curve fits.

#include <optional>
#include <vector>

namespace pelvane::outlet {

// The coefficients b minimising |X·b − y|, where row i of X holds the basis values of
// sample i. Solved by Householder QR, which keeps the accuracy that normal equations
// lose when the basis spans several orders of magnitude (Q² against 1). nullopt when
// the columns of X are not independent or the sizes do not agree.
std::optional<std::vector<double>> least_squares(const std::vector<std::vector<double>>& rows,
                                                 const std::vector<double>& values);

}  // namespace pelvane::outlet
