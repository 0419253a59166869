#include "python/itu_functions.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <string>

#include "itur/loss_rows.h"
#include "itur/p2001_method.h"
#include "python/itu_arguments.h"
#include "python/itu_availability.h"
#include "python/itu_loops.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// The Python names of the loss functions: each method's Python word.
const std::string kP617Loss = std::string(itur::methodNames(itur::ItuMethod::P617).python) + "_loss";
const std::string kP2001Loss = std::string(itur::methodNames(itur::ItuMethod::P2001).python) + "_loss";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What a row's value must be, as the error names it.
enum class Range { Positive, Finite, NonNegative, Percent, Zone };

const char* allowedText(Range range) {
    switch (range) {
        case Range::Positive:
            return "a finite number above 0";
        case Range::NonNegative:
            return "a finite number, 0 or more";
        case Range::Percent:
            return "strictly between 0 and 100";
        case Range::Zone:
            return "a whole number 1 to 7";
        case Range::Finite:
            break;
    }
    return "a finite number";
}

bool inRange(double v, Range range) {
    switch (range) {
        case Range::Positive:
            return std::isfinite(v) && v > 0;
        case Range::NonNegative:
            return std::isfinite(v) && v >= 0;
        case Range::Percent:
            return v > 0 && v < 100;
        case Range::Zone:
            return v >= 1 && v <= itur::kClimateZoneCount && v == std::floor(v);
        case Range::Finite:
            break;
    }
    return std::isfinite(v);
}

struct Argument {
    ArgumentRule rule;
    Range range;
};

// The refused value to report: that of the lowest row among the blocks that
// held one (within a block, the first argument refused), whatever the threads.
struct FirstRefusal {
    std::mutex mutex;
    std::size_t row = std::numeric_limits<std::size_t>::max();
    std::size_t argument = 0;

    void note(std::size_t r, std::size_t a) {
        const std::lock_guard lock(mutex);
        if (r < row || (r == row && a < argument)) {
            row = r;
            argument = a;
        }
    }
};

// inRange without branches, for whole blocks at a time; false for NaN and
// infinities (x − x is then NaN).
template <Range R>
bool accepted(double v) {
    const bool finite = v - v == 0;
    if constexpr (R == Range::Positive) return finite & (v > 0);
    if constexpr (R == Range::NonNegative) return finite & (v >= 0);
    if constexpr (R == Range::Percent) return (v > 0) & (v < 100);
    return finite;
}

// Whether every value lies in `range`: one loop without branches, which GCC
// runs a vector at a time when it compiles the file itself (after link-time
// optimisation it stays scalar, still without branches).
template <Range R>
bool allInRange(const double* values, std::size_t count) {
    std::int64_t all = -1;  // as wide as a double, so that the compare masks need no packing
#pragma omp simd reduction(& : all)
    for (std::size_t i = 0; i < count; ++i) all &= -static_cast<std::int64_t>(accepted<R>(values[i]));
    return all != 0;
}

// The first row of [0, count) whose value lies outside `range`, or `count`;
// one loop per range, so that the check is not a switch per value.
template <Range R>
std::size_t firstRefused(const double* values, std::size_t count) {
    if constexpr (R != Range::Zone)
        if (allInRange<R>(values, count)) return count;
    for (std::size_t i = 0; i < count; ++i)
        if (!inRange(values[i], R)) return i;
    return count;
}

std::size_t firstRefused(const double* values, std::size_t count, Range range) {
    switch (range) {
        case Range::Positive:
            return firstRefused<Range::Positive>(values, count);
        case Range::NonNegative:
            return firstRefused<Range::NonNegative>(values, count);
        case Range::Percent:
            return firstRefused<Range::Percent>(values, count);
        case Range::Zone:
            return firstRefused<Range::Zone>(values, count);
        case Range::Finite:
            break;
    }
    return firstRefused<Range::Finite>(values, count);
}

// One block of rows as the row loops read it: each argument's own values, or
// kRowBlock copies of a value given once.
template <std::size_t N>
using BlockColumns = std::array<const double*, N>;

template <std::size_t N>
using Repeated = std::array<std::array<double, itur::kRowBlock>, N>;

// Fills `repeated` for the arguments given once; they are checked with each block.
template <std::size_t N>
void repeatSingles(const Broadcast& b, Repeated<N>& repeated) {
    for (std::size_t a = 0; a < N; ++a)
        if (b.columns[a].step == 0) repeated[a].fill(b.columns[a].data[0]);
}

// Points `block` at the rows [begin, end) of every column, without copying an
// array; false (and noted) when a value is refused.
template <std::size_t N>
bool pointBlock(const std::array<Argument, N>& arguments, const Broadcast& b, std::size_t begin, std::size_t end,
                const Repeated<N>& repeated, BlockColumns<N>& block, FirstRefusal& refusal) {
    for (std::size_t a = 0; a < N; ++a) {
        const Column& c = b.columns[a];
        block[a] = c.step == 0 ? repeated[a].data() : c.data + begin;
        if (arguments[a].rule.kind == ArgumentKind::Flag) continue;
        const std::size_t count = c.step == 0 ? 1 : end - begin;
        const std::size_t refused = firstRefused(block[a], count, arguments[a].range);
        if (refused < count) {
            refusal.note(begin + refused, a);
            return false;
        }
    }
    return true;
}

// The values by name, from positional and keyword arguments; `positional`
// of them may be given by position.
template <std::size_t N>
std::array<py::object, N> namedValues(const std::array<Argument, N>& arguments, std::size_t positional,
                                      const py::args& args, py::dict& kwargs, std::string_view function) {
    std::array<py::object, N> values;
    if (args.size() > positional)
        throw py::type_error(std::string(function) + " takes " + std::to_string(positional) +
                             " positional arguments, " + std::to_string(args.size()) + " given; name the others");
    for (std::size_t i = 0; i < args.size(); ++i) values[i] = args[i];
    for (std::size_t i = 0; i < N; ++i) {
        const char* name = arguments[i].rule.name;
        if (!kwargs.contains(name)) continue;
        if (values[i]) throw py::type_error(std::string(function) + " got " + name + " twice");
        values[i] = kwargs[name];
        PyDict_DelItemString(kwargs.ptr(), name);
    }
    return values;
}

void warnDeprecated(const std::string& text) {
    if (PyErr_WarnEx(PyExc_DeprecationWarning, text.c_str(), 2) != 0) throw py::error_already_set();
}

struct RunOptions {
    py::object out = py::none();
    int threads = 0;  // 0: the default
};

RunOptions runOptions(py::dict& kwargs, std::string_view function) {
    RunOptions o;
    if (kwargs.contains("out")) {
        o.out = kwargs["out"];
        PyDict_DelItemString(kwargs.ptr(), "out");
    }
    if (kwargs.contains("threads")) {
        const py::object t = kwargs["threads"];
        PyDict_DelItemString(kwargs.ptr(), "threads");
        if (!t.is_none()) {
            if (PyBool_Check(t.ptr()) || !PyIndex_Check(t.ptr()))
                throw py::type_error("threads: a whole number, not " + std::string(py::str(t.get_type().attr("__name__"))));
            const long n = t.cast<long>();
            if (n < 1 || n > 1024) throw py::value_error("threads=" + std::to_string(n) + ": out of range (allowed: 1 to 1024)");
            o.threads = static_cast<int>(n);
        }
    }
    for (const auto& [key, value] : kwargs)
        throw py::type_error(std::string(function) + " got an unexpected keyword argument " +
                             std::string(py::str(key)));
    return o;
}

template <std::size_t N>
void requireAll(const std::array<Argument, N>& arguments, const std::array<py::object, N>& values,
                std::string_view function) {
    for (std::size_t i = 0; i < N; ++i)
        if (!values[i]) throw py::type_error(std::string(function) + " needs " + arguments[i].rule.name);
}

// An input that overlaps `out` other than row for row would be read after the
// loop had overwritten it, as NumPy's own functions never allow: such an input
// is read from a copy.
void copyInputsOverlapping(Broadcast& b, const double* out) {
    const std::less<const double*> before;
    for (Column& c : b.columns) {
        if (c.step == 0 || c.data == out) continue;
        if (before(c.data, out + b.rows) && before(out, c.data + b.rows)) {
            py::array_t<double> copy(static_cast<py::ssize_t>(b.rows));
            std::copy_n(c.data, b.rows, copy.mutable_data());
            c.data = copy.data();
            b.owners.push_back(copy);
        }
    }
}

// Runs rowLoss over every row into the result, refusing the first bad value.
template <std::size_t N, typename RowLoss>
py::object lossOverRows(const std::array<Argument, N>& arguments, const std::array<py::object, N>& values,
                        const RunOptions& options, RowLoss rowLoss) {
    std::array<ArgumentRule, N> rules;
    for (std::size_t i = 0; i < N; ++i) rules[i] = arguments[i].rule;
    Broadcast b = broadcastArguments(rules, values);
    py::array_t<double> result =
        options.out.is_none() ? py::array_t<double>(b.shape) : outputArray(options.out, b.shape);
    double* out = result.mutable_data();
    if (!options.out.is_none()) copyInputsOverlapping(b, out);
    FirstRefusal refusal;
    runChunked(b.rows, threadsFor(b.rows, options.threads), [&](std::size_t begin, std::size_t end) {
        Repeated<N> repeated;
        repeatSingles(b, repeated);
        BlockColumns<N> block;
        for (std::size_t first = begin; first < end; first += itur::kRowBlock) {
            const std::size_t last = std::min(first + itur::kRowBlock, end);
            if (pointBlock(arguments, b, first, last, repeated, block, refusal))
                rowLoss(block, last - first, out + first);
            else
                std::fill(out + first, out + last, kNaN);
        }
    });
    if (refusal.row != std::numeric_limits<std::size_t>::max()) {
        const Argument& a = arguments[refusal.argument];
        throw py::value_error(argumentText(a.rule, b.columns[refusal.argument], refusal.row) +
                              ": out of range (allowed: " + allowedText(a.range) + ")");
    }
    if (b.shape.empty() && options.out.is_none()) return py::float_(out[0]);
    return result;
}

constexpr ArgumentRule real(const char* name) { return {name, ArgumentKind::Real}; }

// In the order of the positions the function has always taken.
const std::array<Argument, 14> kP617Arguments{{
    {real("f_mhz"), Range::Positive},
    {real("d_km"), Range::Positive},
    {real("theta_t_mrad"), Range::Finite},
    {real("theta_r_mrad"), Range::Finite},
    {real("hts_m"), Range::Finite},
    {real("hrs_m"), Range::Finite},
    {real("gt_dbi"), Range::Finite},
    {real("gr_dbi"), Range::Finite},
    {real("n0"), Range::NonNegative},
    {real("delta_n"), Range::Finite},
    {real("hs_km"), Range::Finite},
    {real("p"), Range::Percent},
    {real("ae_km"), Range::Positive},
    {{"revised_angle_term", ArgumentKind::Flag}, Range::Finite},
}};

py::object p617Loss(const py::args& args, const py::kwargs& keywords) {
    py::dict kwargs(keywords);
    std::array<py::object, 14> values = namedValues(kP617Arguments, 14, args, kwargs, kP617Loss);
    if (!values[13]) values[13] = py::bool_(false);
    const RunOptions options = runOptions(kwargs, kP617Loss);
    requireAll(kP617Arguments, values, kP617Loss);
    return lossOverRows(kP617Arguments, values, options, [](const auto& v, std::size_t rows, double* out) {
        const itur::P617Rows in{.fMhz = v[0], .dKm = v[1], .aeKm = v[12],
                                .thetaTMrad = v[2], .thetaRMrad = v[3], .htsM = v[4],
                                .hrsM = v[5], .gtDbi = v[6], .grDbi = v[7], .n0 = v[8],
                                .deltaN = v[9], .hsKm = v[10], .revised = v[13],
                                .p = v[11]};
        itur::p617LossRows(in, rows, out);
    });
}

// Keyword-only: the frequency changed unit, so an old positional call must fail, not mislead.
const std::array<Argument, 9> kP2001Arguments{{
    {real("f_mhz"), Range::Positive},
    {real("d_km"), Range::Positive},
    {real("ae_km"), Range::Positive},
    {real("theta_t_mrad"), Range::Finite},
    {real("theta_r_mrad"), Range::Finite},
    {{"climate_zone", ArgumentKind::Zone}, Range::Zone},
    {real("gt_dbi"), Range::Finite},
    {real("gr_dbi"), Range::Finite},
    {real("p"), Range::Percent},
}};

py::object p2001Loss(const py::args& args, const py::kwargs& keywords) {
    py::dict kwargs(keywords);
    std::optional<py::object> fGhz;
    if (kwargs.contains("f_ghz")) {
        warnDeprecated(kP2001Loss + ": f_ghz is deprecated; give f_mhz");
        fGhz = kwargs["f_ghz"];
        PyDict_DelItemString(kwargs.ptr(), "f_ghz");
    }
    if (kwargs.contains("theta_e_rad")) {
        warnDeprecated(kP2001Loss + ": theta_e_rad is deprecated and ignored; the function derives it from d_km / ae_km");
        PyDict_DelItemString(kwargs.ptr(), "theta_e_rad");
    }
    std::array<py::object, 9> values = namedValues(kP2001Arguments, 0, args, kwargs, kP2001Loss);
    if (fGhz) {
        if (values[0]) throw py::type_error(kP2001Loss + " got f_mhz and f_ghz");
        const py::array ghz = py::module_::import("numpy").attr("asarray")(*fGhz);
        if (ghz.dtype().kind() != 'i' && ghz.dtype().kind() != 'f' && ghz.dtype().kind() != 'u')
            throw py::type_error("f_ghz: real numbers only");
        values[0] = py::module_::import("numpy").attr("multiply")(ghz, 1000);
    }
    const RunOptions options = runOptions(kwargs, kP2001Loss);
    requireAll(kP2001Arguments, values, kP2001Loss);
    return lossOverRows(kP2001Arguments, values, options, [](const auto& v, std::size_t rows, double* out) {
        const itur::P2001Rows in{.fMhz = v[0], .dKm = v[1], .aeKm = v[2],
                                 .thetaTMrad = v[3], .thetaRMrad = v[4], .zone = v[5],
                                 .gtDbi = v[6], .grDbi = v[7], .p = v[8]};
        itur::p2001LossRows(in, rows, out);
    });
}

}  // namespace

void addItuFunctions(py::module_& m) {
    m.def(kP617Loss.c_str(), p617Loss,
          R"doc(p617_loss(f_mhz, d_km, theta_t_mrad, theta_r_mrad, hts_m, hrs_m, gt_dbi, gr_dbi, n0, delta_n, hs_km, p, ae_km, revised_angle_term=False, *, out=None, threads=None)

Basic transmission loss not exceeded for p % of an average year, dB, by the
method for trans-horizon radio-relay systems (ITU-R P.617-5), floored at free space.

f_mhz: frequency, MHz, above 0. d_km: path length, km, above 0. theta_t_mrad,
theta_r_mrad: horizon elevation angles of the transmitting and receiving station,
mrad (negative below the horizontal). hts_m, hrs_m: antenna altitudes, m above sea
level. gt_dbi, gr_dbi: antenna gains, dBi. n0: sea-level surface refractivity,
N-units, 0 or more. delta_n: refractivity lapse rate, N-units/km. hs_km: ground
height under the common volume, km. p: percentage of the year, 0 < p < 100. ae_km:
effective earth radius, km, above 0. revised_angle_term: a bool; use
17.5*log10(theta**2 + 4) in place of 35*log10(theta).

Every argument may be a real number or an array of them; NumPy broadcasting applies
(ValueError naming both shapes where it cannot). NaN where the method gives no
figure: a line-of-sight path (scatter angle <= 0), or one outside its domain
(scatter angle above 200 mrad, common volume outside 0 to 20 km, a term not
finite). ValueError naming the argument for a value out of range, TypeError for
one of the wrong type. out: a float64 C-contiguous array of the result's shape to
write into. threads: the threads to share the rows (default: all processors from
262 144 rows on); the results do not depend on it.)doc");
    m.def(kP2001Loss.c_str(), p2001Loss,
          R"doc(p2001_loss(*, f_mhz, d_km, ae_km, theta_t_mrad, theta_r_mrad, climate_zone, gt_dbi, gr_dbi, p, out=None, threads=None)

Basic transmission loss not exceeded for p % of an average year, dB, by the
climate-zone troposcatter method (ITU-R P.2001-4 Attachment E), floored at free space.
Keyword arguments only.

f_mhz: frequency, MHz, above 0. d_km: path length, km, above 0. ae_km: effective
earth radius, km, above 0; the angle the path subtends at the earth's centre is
d_km / ae_km. theta_t_mrad, theta_r_mrad: horizon elevation angles, mrad.
climate_zone: a whole number, 1 equatorial, 2 continental sub-tropical, 3 maritime
sub-tropical, 4 desert, 5 continental temperate, 6 maritime temperate over land,
7 maritime temperate over sea. gt_dbi, gr_dbi: antenna gains, dBi. p: percentage of
the year, 0 < p < 100. The former f_ghz and theta_e_rad still work, with a
DeprecationWarning (theta_e_rad is ignored).

Arrays, NaN, errors, out and threads as for p617_loss; the domain bounds the
scatter height htrop = theta**2 * ae / 8 to 20 km in place of the common volume.)doc");
    addAvailabilityFunction(m);
}

}  // namespace tropolink::python
