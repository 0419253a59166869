#include <pybind11/pybind11.h>

#include <new>
#include <string>

#include "grammar/input_error.h"
#include "ground/ground.h"
#include "link/pass_window.h"
#include "python/coverage_function.h"
#include "python/fading_function.h"
#include "python/calculate_many.h"
#include "python/climate_functions.h"
#include "python/itu_functions.h"
#include "python/keyword_doc.h"
#include "python/os_error.h"
#include "python/pass_objects.h"
#include "python/plan_objects.h"
#include "python/p2001_all_function.h"
#include "python/profile_function.h"
#include "python/row_passes.h"
#include "python/terrain_functions.h"
#include "terrain/terrain_error.h"
#include "tropolink_version.h"

namespace py = pybind11;
using namespace tropolink;

namespace {

constexpr const char* kCalculateIntro = R"doc(One recalculation pass from the start positions, as the window and
tropolink-cli run it.

Settings are keywords in the unit below, or slider names HScroll1..HScroll23 with their
positions. A value is an int, a float, a NumPy number (or 0-d array) or its decimal text;
it must fall exactly on a slider step, in range, and each slider may be set once. A refused
value raises ValueError naming the keyword and what is allowed, e.g.
"frequency_mhz=10: out of range (allowed: 50 to 25000 MHz in steps of 1)"; a bool, None or
an array raises TypeError.

Keywords, their sliders, allowed values and start values:
)doc";

constexpr const char* kCalculateOutro = R"doc(
power_div_1000: True ticks power/1000 (the tx-power settings then read in mW); a bool.

Returns a Result: .boxes maps "Text1".."Text52" to the window's texts, .labels to what each
box shows with its unit ("Path loss, YEH (dB)"; mW for the power echoes with
power_div_1000); .values holds the figures of `tropolink-cli --values` as floats, bools,
verdict names and None (None where the window shows a word such as "No Data" or
"Out of Range").)doc";

constexpr const char* kCalculateManyIntro = R"doc(One pass per row, values only, at C++ speed.

table: a dict (or any mapping) of equal-length 1-D arrays, or a NumPy structured array,
keyed by the names calculate() takes; a scalar applies to every row. Integer and float
columns are checked as calculate() checks each value; the first refused value raises
ValueError "row N: <keyword>=<value>: <problem> (allowed: ...)" and nothing is returned.

threads: how many threads share the rows, None for every online processor. Below 100000
rows one thread does them all; the answer is the same for any number. The call releases
the GIL, and Ctrl-C (KeyboardInterrupt) stops it within a chunk of 65536 rows.

Memory: besides the table, )doc";

constexpr const char* kCalculateManyOutro = R"doc( bytes per row for the output arrays and 4 per column
given per row; a call that would need more than the machine's physical memory raises
MemoryError before it starts.

Returns a dict of NumPy arrays of one entry per row, keyed by the dotted paths of
Result.values ("scatteringAngle", "station1.takeOffAngle", "yeh.loss",
"yeh.signalToNoise.atStation1", "averageLoss", ...): float64 with NaN where the figure
is absent, bool for lineOfSight and horizonLimited, and uint8 verdict codes for
"<method>.verdict": 0 valid, 1 out of range, 2 line of sight (VERDICTS[code] is the name).)doc";

std::size_t outputBytesPerRow() {
    std::size_t bytes = 0;
    for (const python::FigureField& f : python::figureFields()) bytes += f.kind == 'f' ? sizeof(double) : 1;
    return bytes;
}

// NumPy belongs to the interpreter the module was built against; another one
// may lack it, which its own ImportError would not explain.
void requireNumpy() {
    try {
        py::module_::import("numpy");
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_ImportError)) throw;
        const py::module_ sys = py::module_::import("sys");
        const std::string here = py::str(sys.attr("executable"));
        const std::string version = py::str(py::str("{}.{}").attr("format")(sys.attr("version_info")[py::int_(0)],
                                                                           sys.attr("version_info")[py::int_(1)]));
        throw py::import_error("tropolink was built for " TROPOLINK_PYTHON_EXECUTABLE " " TROPOLINK_PYTHON_VERSION
                               " with Debian's NumPy; this is " + here + " " + version + ": " +
                               std::string(py::str(e.value())));
    }
}

}  // namespace

PYBIND11_MODULE(tropolink, m) {
    requireNumpy();
    m.doc() = "Tropolink's troposcatter link calculator: the exact recalculation pass and the ITU-R methods.";
    m.attr("__version__") = TROPOLINK_VERSION;
    m.attr("VERDICTS") = py::make_tuple("valid", "outOfRange", "lineOfSight");
    m.attr("VERDICT_VALID") = 0;
    m.attr("VERDICT_OUT_OF_RANGE") = 1;
    m.attr("VERDICT_LINE_OF_SIGHT") = 2;

    py::register_exception_translator([](std::exception_ptr error) {
        try {
            if (error) std::rethrow_exception(error);
        } catch (const InputError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const terrain::TerrainError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const GroundError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const NumericFault& e) {
            PyErr_SetString(PyExc_ArithmeticError, numericFaultMessage(e).c_str());
        } catch (const std::system_error& e) {
            python::raiseOsError(e.code(), e.what());
        } catch (const std::bad_alloc&) {
            PyErr_SetString(PyExc_MemoryError, "out of memory");
        } catch (const py::cast_error&) {
            // A conversion no argument check foresaw: say so without the binding's internals.
            PyErr_SetString(PyExc_TypeError, "an argument of a type this function does not take; help() lists them");
        }
    });

    py::class_<python::Result>(m, "Result", "The outcome of one pass: .boxes, .labels and .values.")
        .def_readonly("boxes", &python::Result::boxes, "Text1..Text52 -> the text the window shows.")
        .def_readonly("values", &python::Result::values, "The figures of --values; None where absent.")
        .def_readonly("labels", &python::Result::labels,
                      "Text1..Text52 -> what the box shows, with its unit: \"Path loss, YEH (dB)\".")
        .def("__repr__", [](const python::Result& r) {
            return "<tropolink.Result Text26=" + std::string(py::str(r.boxes["Text26"].attr("__repr__")())) + ">";
        });
    // pybind11 keeps the pointer: the texts live as long as the module.
    static const std::string calculateDoc = kCalculateIntro + python::keywordTable() + kCalculateOutro;
    static const std::string calculateManyDoc =
        kCalculateManyIntro + std::to_string(outputBytesPerRow()) + kCalculateManyOutro;
    m.def("calculate", &python::calculate, py::arg("power_div_1000") = py::bool_(false), calculateDoc.c_str());
    m.def("calculate_many", &python::calculateMany, py::arg("table"), py::arg("power_div_1000") = py::bool_(false),
          py::arg("threads") = py::none(), calculateManyDoc.c_str());
    python::addItuFunctions(m);
    python::addFadingFunction(m);
    python::addClimateFunctions(m);
    python::addTerrainFunctions(m);
    python::addProfileFunction(m);
    python::addP2001AllFunction(m);
    python::addPlanClass(m);
    python::addCoverageFunction(m);
}
