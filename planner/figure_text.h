#pragma once

#include <QString>

namespace tropolink::planner {

// A figure as the results show it: fixed decimals and the C locale's "-" and
// ".", so that the text reads back to the same number anywhere.
inline QString figure(double value, int decimals = 1) { return QString::number(value, 'f', decimals); }

}  // namespace tropolink::planner
