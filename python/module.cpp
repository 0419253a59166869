#include <pybind11/pybind11.h>

#include "link/input_error.h"
#include "link/pass_window.h"
#include "python/calculate_many.h"
#include "python/climate_functions.h"
#include "python/itu_functions.h"
#include "python/pass_objects.h"

namespace py = pybind11;
using namespace tropolink;

namespace {

constexpr const char* kCalculateDoc = R"doc(One recalculation pass from the start positions, as the window and
tropolink-cli run it.

Settings are keywords: the tool's aliases with "_" for "-" and "." (s1_antenna_height_m=30,
frequency_mhz=1000, distance_km=300) in the unit the tool documents, or slider names
HScroll1..HScroll23 with their positions. A value is an int, a float or its decimal text; it
must fall exactly on a slider step, in range, and each slider may be set once. A refused
value raises ValueError with the tool's message, e.g.
"frequency-mhz=10: out of range (allowed: 50 to 25000 MHz in steps of 1)".
power_div_1000: tick power/1000 (the tx-power settings then read in mW).

Returns a Result: .boxes maps "Text1".."Text52" to the window's texts; .values holds the
figures of `tropolink-cli --values` as floats, bools, verdict names and None (None where
the window shows a word such as "No Data" or "Out of Range").)doc";

constexpr const char* kCalculateManyDoc = R"doc(One pass per row, values only, at C++ speed.

table: a dict (or any mapping) of equal-length 1-D arrays, or a NumPy structured array,
keyed by the names calculate() takes; a scalar applies to every row. Integer and float
columns are checked as calculate() checks each value; the first refused value raises
ValueError "row N: <the tool's message>" and nothing is returned.

Returns a dict of NumPy arrays of one entry per row, keyed by the dotted paths of
Result.values ("scatteringAngle", "station1.takeOffAngle", "yeh.loss",
"yeh.signalToNoise.atStation1", "averageLoss", ...): float64 with NaN where the figure
is absent, bool for lineOfSight and horizonLimited, and uint8 verdict codes for
"<method>.verdict": 0 valid, 1 out of range, 2 line of sight (VERDICTS[code] is the name).)doc";

}  // namespace

PYBIND11_MODULE(tropolink, m) {
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
        } catch (const NumericFault& e) {
            PyErr_SetString(PyExc_ArithmeticError, numericFaultMessage(e).c_str());
        }
    });

    py::class_<python::Result>(m, "Result", "The outcome of one pass: .boxes and .values.")
        .def_readonly("boxes", &python::Result::boxes, "Text1..Text52 -> the text the window shows.")
        .def_readonly("values", &python::Result::values, "The figures of --values; None where absent.")
        .def("__repr__", [](const python::Result& r) {
            return "<tropolink.Result Text26=" + std::string(py::str(r.boxes["Text26"].attr("__repr__")())) + ">";
        });
    m.def("calculate", &python::calculate, py::arg("power_div_1000") = false, kCalculateDoc);
    m.def("calculate_many", &python::calculateMany, py::arg("table"), py::arg("power_div_1000") = false,
          kCalculateManyDoc);
    python::addItuFunctions(m);
    python::addClimateFunctions(m);
}
