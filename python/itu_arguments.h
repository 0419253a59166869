#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tropolink::python {

// What an argument of the loss functions may hold.
enum class ArgumentKind {
    Real,  // real numbers: Python or NumPy ints and floats, never bools or texts
    Zone,  // whole numbers (floats with whole values too)
    Flag,  // bools only
};

struct ArgumentRule {
    const char* name;
    ArgumentKind kind;
};

// One argument as a column of doubles: one value per row, or one for all.
struct Column {
    const double* data = nullptr;
    std::size_t step = 0;  // 0 when one value stands for every row
    double at(std::size_t row) const { return data[row * step]; }
};

// The arguments broadcast together as NumPy would.
struct Broadcast {
    std::vector<Column> columns;  // in the order of the rules
    std::vector<pybind11::ssize_t> shape;
    std::size_t rows = 1;
    std::vector<pybind11::array> owners;  // keep the columns' memory alive
};

// TypeError naming the argument for a value of the wrong kind; ValueError
// naming both shapes when two do not broadcast.
Broadcast broadcastArguments(std::span<const ArgumentRule> rules, std::span<const pybind11::object> values);

// "f_mhz=0" for a value given once, "f_mhz[3]=0" for row 3 of an array.
std::string argumentText(const ArgumentRule& rule, const Column& column, std::size_t row);

// The float64 array `out=` names, of the result's shape, C-contiguous and
// writable; ValueError otherwise.
pybind11::array_t<double> outputArray(const pybind11::object& out, const std::vector<pybind11::ssize_t>& shape);

}  // namespace tropolink::python
