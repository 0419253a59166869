#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <new>

namespace tropolink::planner {

// An error as the window shows it: what the library said, and for memory
// that ran out a sentence rather than the name of a C++ type.
inline QString errorText(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr)
        return QObject::tr("Out of memory: the plan, its ground or its maps need more than this machine can give.");
    return QString::fromStdString(e.what());
}

}  // namespace tropolink::planner
