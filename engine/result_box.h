#pragma once

#include <string_view>

namespace tropolink {

// The 52 display boxes of the window, Text1 to Text52.
enum class ResultBox : int {
    Text1 = 1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Text21, Text22, Text23, Text24, Text25, Text26, Text27, Text28, Text29, Text30,
    Text31, Text32, Text33, Text34, Text35, Text36, Text37, Text38, Text39, Text40,
    Text41, Text42, Text43, Text44, Text45, Text46, Text47, Text48, Text49, Text50,
    Text51, Text52,
};

inline constexpr int kResultBoxCount = 52;

constexpr int boxNumber(ResultBox box) { return static_cast<int>(box); }
constexpr ResultBox boxFromNumber(int number) { return static_cast<ResultBox>(number); }

// "Text1" .. "Text52".
std::string_view boxName(ResultBox box);

}  // namespace tropolink
