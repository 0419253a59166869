#include "python/fading_function.h"

#include <pybind11/numpy.h>

#include <span>
#include <string>

#include "itur/short_term_outage.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

py::object shortTermOutage(const py::object& marginDb, int order, const std::string& combiner, double correlation) {
    const itur::Diversity diversity{order, itur::combinerNamed(combiner), correlation};
    itur::validateDiversity(diversity);  // std::invalid_argument reads as ValueError
    const char kind = py::module_::import("numpy").attr("asarray")(marginDb).attr("dtype").attr("kind").cast<char>();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::value_error("margin_db: real numbers only, not " +
                              std::string(py::str(py::module_::import("numpy").attr("asarray")(marginDb).attr("dtype"))));
    const auto margins = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(marginDb);
    py::array_t<double> outages(std::vector<py::ssize_t>(margins.shape(), margins.shape() + margins.ndim()));
    const auto size = static_cast<std::size_t>(margins.size());
    {
        py::gil_scoped_release release;
        itur::shortTermOutages(std::span<const double>(margins.data(), size), diversity,
                               std::span<double>(outages.mutable_data(), size));
    }
    if (margins.ndim() == 0) return py::float_(outages.data()[0]);
    return outages;
}

}  // namespace

void addFadingFunction(py::module_& m) {
    m.def("short_term_outage", shortTermOutage, py::arg("margin_db"), py::arg("order") = 1,
          py::arg("combiner") = "selection", py::arg("correlation") = 0.0,
          R"doc(The share of an hour in outage when a troposcatter signal fades within the hour:
each branch's power is Rayleigh about its hourly median, and margin_db is the margin of
the hourly-median S/N over the required S/N. With x = ln 2 * 10^(-M/10), one branch
gives 1 - exp(-x); order 2 or 4 branches combine by "selection" or "maximal-ratio" (its
array gain included); correlation, 0 to 0.99, is the branches' power correlation, dual
diversity only. margin_db: a number, or a sequence or array of any shape, of them; the
result has its shape (a float for a number), NaN for a NaN margin. ValueError for an
order, combiner or correlation not allowed.)doc");
}

}  // namespace tropolink::python
