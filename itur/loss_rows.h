#pragma once

#include <cstddef>

// P.617 and P.2001 over many rows at once, for array front ends: the same
// formulas as p617Loss and p2001Loss, written without branches so that the
// compiler runs them through the vector maths library, a few rows a step.
// They agree with the one-row functions to about 1e-12 dB.
namespace tropolink::itur {

// Rows per call at most: the columns of one block stay in the first-level cache.
inline constexpr std::size_t kRowBlock = 256;

// Each member points at `rows` contiguous values. Percentages must lie in
// (0, 100); the loss is NaN where the one-row function gives no figure.
struct P617Rows {
    const double* fMhz;
    const double* dKm;
    const double* aeKm;
    const double* thetaTMrad;
    const double* thetaRMrad;
    const double* htsM;
    const double* hrsM;
    const double* gtDbi;
    const double* grDbi;
    const double* n0;
    const double* deltaN;
    const double* hsKm;
    const double* revised;  // 0 or 1
    const double* p;
};

struct P2001Rows {
    const double* fMhz;
    const double* dKm;
    const double* aeKm;
    const double* thetaTMrad;
    const double* thetaRMrad;
    const double* zone;  // whole numbers 1 to 7
    const double* gtDbi;
    const double* grDbi;
    const double* p;
};

void p617LossRows(const P617Rows& in, std::size_t rows, double* lossDb);
void p2001LossRows(const P2001Rows& in, std::size_t rows, double* lossDb);

}  // namespace tropolink::itur
