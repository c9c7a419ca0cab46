#pragma once

#include <cstdint>

#include "calc/number_marks.h"

// The regional mark sets the fuzzers try: English, German, Swiss and one
// with a multi-byte grouping mark.
inline corvane::NumberMarks FuzzMarks(std::uint8_t choice) {
    switch (choice % 4) {
        case 1: return {".", ","};
        case 2: return {"\u2019", "."};
        case 3: return {"\u202f", ","};
        default: return {",", "."};
    }
}
