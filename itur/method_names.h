#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tropolink::itur {

// The ITU-R methods, in the order of kMethodNames.
enum class ItuMethod { P617, P2001 };

// What each front end calls a method. Every text, key and word naming a
// method comes from this table, and a method is only ever found by its
// ItuMethod, never by matching one of its names.
struct MethodNames {
    ItuMethod method;
    std::string_view label;   // what texts, tables and pictures show: "P.617", "P.2001 troposcatter"
    std::string_view json;    // its key in JSON objects: "p617"
    std::string_view cli;     // its word on the command line and in CSV column names: "p617"
    std::string_view python;  // its word in Python names and keys: "p617"
};

inline constexpr std::array kMethodNames{
    MethodNames{ItuMethod::P617, "P.617", "p617", "p617", "p617"},
    MethodNames{ItuMethod::P2001, "P.2001 troposcatter", "p2001", "p2001", "p2001"},
};

// Every method, in the table's order.
inline constexpr auto kItuMethods = [] {
    std::array<ItuMethod, kMethodNames.size()> methods{};
    for (std::size_t i = 0; i < methods.size(); ++i) methods[i] = kMethodNames[i].method;
    return methods;
}();

constexpr const MethodNames& methodNames(ItuMethod method) { return kMethodNames[static_cast<std::size_t>(method)]; }

constexpr bool tableFollowsTheEnum() {
    for (std::size_t i = 0; i < kMethodNames.size(); ++i)
        if (static_cast<std::size_t>(kMethodNames[i].method) != i) return false;
    return true;
}
static_assert(tableFollowsTheEnum(), "kMethodNames: one row per ItuMethod, in its order");

// What a report calls the method: "ITU-R P.617".
inline std::string recommendationName(ItuMethod method) {
    return "ITU-R " + std::string(methodNames(method).label);
}

// The longest label, for texts that line the methods up.
constexpr std::size_t longestLabel() {
    std::size_t longest = 0;
    for (const MethodNames& m : kMethodNames) longest = m.label.size() > longest ? m.label.size() : longest;
    return longest;
}

}  // namespace tropolink::itur
