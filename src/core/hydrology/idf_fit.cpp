#include "core/hydrology/idf_fit.h"

#include <cmath>
#include <limits>
#include <optional>

namespace pelvane::hydrology {
namespace {

constexpr double kGridTop = 240.0;  // minutes, for D and the legacy B
constexpr double kGridStep = 0.5;
constexpr double kExponentLow = 0.05;
constexpr double kExponentHigh = 3.0;
constexpr double kExponentStep = 0.01;
constexpr double kSmallestStep = 1e-10;
constexpr int kMaxSearchSteps = 200000;

// Sum of squared relative residuals for r_k = c * v_k - 1 with the best c.
struct Profile {
    double c = 0.0;
    double sum_squares = std::numeric_limits<double>::infinity();
};

template <class VFunction>
Profile best_multiplier(const std::vector<IdfPoint>& points, VFunction v_of) {
    double sum_v = 0.0;
    double sum_v2 = 0.0;
    for (const auto& p : points) {
        const double v = v_of(p);
        sum_v += v;
        sum_v2 += v * v;
    }
    Profile profile;
    if (!(sum_v2 > 0.0) || !std::isfinite(sum_v2)) return profile;
    profile.c = sum_v / sum_v2;
    double s = 0.0;
    for (const auto& p : points) {
        const double r = profile.c * v_of(p) - 1.0;
        s += r * r;
    }
    profile.sum_squares = std::isfinite(s) ? s : std::numeric_limits<double>::infinity();
    return profile;
}

Profile idf_profile(const std::vector<IdfPoint>& points, double d, double e) {
    return best_multiplier(points, [d, e](const IdfPoint& p) {
        return std::pow(p.duration_minutes + d, -e) / p.intensity;
    });
}

Profile legacy_profile(const std::vector<IdfPoint>& points, double b) {
    return best_multiplier(
        points, [b](const IdfPoint& p) { return 1.0 / ((b + p.duration_minutes) * p.intensity); });
}

std::optional<IdfProblem> check_points(const std::vector<IdfPoint>& points) {
    if (points.size() < 3) return IdfProblem{.kind = IdfProblem::Kind::TooFewDurations};
    for (const auto& p : points) {
        if (!(p.duration_minutes > 0.0) || !(p.intensity > 0.0) ||
            !std::isfinite(p.duration_minutes) || !std::isfinite(p.intensity)) {
            return IdfProblem{.kind = IdfProblem::Kind::NotPositivePoint};
        }
    }
    return std::nullopt;
}

template <class Curve, class Evaluate>
FitQuality quality_of(const Curve& curve, const std::vector<IdfPoint>& points, Evaluate f) {
    FitQuality q;
    double sum = 0.0;
    for (const auto& p : points) {
        const double r = f(curve, p.duration_minutes) / p.intensity - 1.0;
        q.worst_relative_error = std::max(q.worst_relative_error, std::abs(r));
        sum += r * r;
    }
    if (!points.empty()) q.rms_relative_error = std::sqrt(sum / static_cast<double>(points.size()));
    return q;
}

}  // namespace

FitQuality fit_quality(const IdfCurve& curve, const std::vector<IdfPoint>& points) {
    return quality_of(curve, points, idf_intensity);
}

FitQuality fit_quality(const LegacyIdfCurve& curve, const std::vector<IdfPoint>& points) {
    return quality_of(curve, points, legacy_idf_intensity);
}

IdfResult<IdfFit> fit_idf_curve(const std::vector<IdfPoint>& points) {
    if (auto problem = check_points(points)) return *problem;
    double best_d = 0.0;
    double best_e = 1.0;
    double best = std::numeric_limits<double>::infinity();
    const int d_steps = static_cast<int>(std::lround(kGridTop / kGridStep));
    const int e_steps =
        static_cast<int>(std::lround((kExponentHigh - kExponentLow) / kExponentStep));
    for (int i = 0; i <= d_steps; ++i) {
        const double d = i * kGridStep;
        for (int j = 0; j <= e_steps; ++j) {
            const double e = kExponentLow + j * kExponentStep;
            const double s = idf_profile(points, d, e).sum_squares;
            if (s < best) {
                best = s;
                best_d = d;
                best_e = e;
            }
        }
    }

    // Compass search over the eight neighbours; steps halve when none is better.
    double step_d = kGridStep;
    double step_e = kExponentStep;
    for (int n = 0; n < kMaxSearchSteps && step_d > kSmallestStep; ++n) {
        double next_d = best_d;
        double next_e = best_e;
        double next = best;
        for (int di = -1; di <= 1; ++di) {
            for (int ei = -1; ei <= 1; ++ei) {
                if (di == 0 && ei == 0) continue;
                const double d = best_d + di * step_d;
                const double e = best_e + ei * step_e;
                if (d < 0.0 || e <= 0.0) continue;
                const double s = idf_profile(points, d, e).sum_squares;
                if (s < next) {
                    next = s;
                    next_d = d;
                    next_e = e;
                }
            }
        }
        if (next < best) {
            best = next;
            best_d = next_d;
            best_e = next_e;
        } else {
            step_d /= 2.0;
            step_e /= 2.0;
        }
    }

    const Profile profile = idf_profile(points, best_d, best_e);
    if (!std::isfinite(profile.sum_squares)) {
        return IdfProblem{.kind = IdfProblem::Kind::NoCurveFits};
    }
    IdfFit fit;
    fit.curve = {profile.c, best_d, best_e};
    fit.quality = fit_quality(fit.curve, points);
    return fit;
}

IdfResult<LegacyIdfFit> fit_legacy_idf_curve(const std::vector<IdfPoint>& points) {
    if (auto problem = check_points(points)) return *problem;
    double best_b = 0.0;
    double best = std::numeric_limits<double>::infinity();
    const int steps = static_cast<int>(std::lround(kGridTop / kGridStep));
    for (int i = 0; i <= steps; ++i) {
        const double s = legacy_profile(points, i * kGridStep).sum_squares;
        if (s < best) {
            best = s;
            best_b = i * kGridStep;
        }
    }
    for (double step = kGridStep; step > kSmallestStep;) {
        const double down = best_b - step >= 0.0 ? legacy_profile(points, best_b - step).sum_squares
                                                 : std::numeric_limits<double>::infinity();
        const double up = legacy_profile(points, best_b + step).sum_squares;
        if (down < best && down <= up) {
            best = down;
            best_b -= step;
        } else if (up < best) {
            best = up;
            best_b += step;
        } else {
            step /= 2.0;
        }
    }
    const Profile profile = legacy_profile(points, best_b);
    if (!std::isfinite(profile.sum_squares)) {
        return IdfProblem{.kind = IdfProblem::Kind::NoLegacyCurveFits};
    }
    LegacyIdfFit fit;
    fit.curve = {profile.c, best_b};
    fit.quality = fit_quality(fit.curve, points);
    return fit;
}

}  // namespace pelvane::hydrology
