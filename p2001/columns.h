#pragma once

#include <span>
#include <string_view>

#include "p2001/row.h"

// The ITU's results columns, in the ITU's order, each with its unit and the
// Row member that holds it: for tests and for CSV, JSON and Python output.
namespace tropolink::p2001 {

enum class ColumnKind {
    Input,   // given, copied into the row
    Result,  // computed
    Text,    // the profile's name, which the caller supplies
    Empty,   // left empty by the ITU
};

struct Column {
    std::string_view name;
    std::string_view unit;
    ColumnKind kind;
    double Row::*real;  // one of these two for Input and Result columns
    int Row::*whole;
};

std::span<const Column> columns();

// Null when no column has that name.
const Column* findColumn(std::string_view name);

// The value of an Input or Result column, whole numbers as doubles.
double columnValue(const Row& row, const Column& column);

}  // namespace tropolink::p2001
