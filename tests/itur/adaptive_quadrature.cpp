#include "adaptive_quadrature.h"

#include <array>
#include <cmath>

namespace tropolink::itur::testing_support {
namespace {

constexpr int kMaxDepth = 60;

// Kronrod nodes on [0, 1] of the half-width and their weights; every other
// one (from the second) is a Gauss node.
constexpr std::array<double, 8> kNodes{0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                                       0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                                       0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                                       0.207784955007898467600689403773245, 0.0};
constexpr std::array<double, 8> kKronrod{0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                                         0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                                         0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                                         0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr std::array<double, 4> kGauss{0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                                       0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

double piece(const std::function<double(double)>& f, double a, double b, double& error) {
    const double centre = (a + b) / 2;
    const double half = (b - a) / 2;
    const double middle = f(centre);
    double kronrod = kKronrod[7] * middle;
    double gauss = kGauss[3] * middle;
    for (std::size_t j = 0; j < 7; ++j) {
        const double pair = f(centre - half * kNodes[j]) + f(centre + half * kNodes[j]);
        kronrod += kKronrod[j] * pair;
        if (j % 2 == 1) gauss += kGauss[j / 2] * pair;
    }
    error = std::abs((kronrod - gauss) * half);
    return kronrod * half;
}

double refine(const std::function<double(double)>& f, double a, double b, double tolerance, int depth) {
    double error = 0;
    const double whole = piece(f, a, b, error);
    if (error <= tolerance || depth >= kMaxDepth) return whole;
    const double middle = (a + b) / 2;
    return refine(f, a, middle, tolerance / 2, depth + 1) + refine(f, middle, b, tolerance / 2, depth + 1);
}

}  // namespace

double adaptiveIntegral(const std::function<double(double)>& f, double a, double b, double absoluteTolerance) {
    return refine(f, a, b, absoluteTolerance, 0);
}

double adaptiveIntegralRelative(const std::function<double(double)>& f, double a, double b,
                                double relativeTolerance) {
    double error = 0;
    const double rough = piece(f, a, b, error);
    return refine(f, a, b, relativeTolerance * std::abs(rough), 0);
}

}  // namespace tropolink::itur::testing_support
