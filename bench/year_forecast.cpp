#include "bench/year_forecast.h"

#include <algorithm>
#include <cmath>

namespace corvane::bench {

namespace {

// "2027-03-01" for the day of 2027 counted from 0.
std::string Date2027(int day) {
    const int length[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (day >= length[month]) day -= length[month++];
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return "2027-" + two(month + 1) + "-" + two(day + 1);
}

}  // namespace

std::string YearCsv() {
    std::string csv = "interval,calls,talk,acw\n";
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0x7fff; };
    for (int i = 0; i < kYear; ++i) {
        const int slot = i % 48;
        const double shape = slot < 14 || slot > 43 ? 0.0 : 1.0 - std::abs(slot - 28) / 15.0;
        const double peak = 1.0 + 499.0 * (next() % 1000) / 999.0;
        const double erlangs = 1.0 + (peak - 1.0) * shape;
        const int talk = 150 + static_cast<int>(next() % 90);
        const int acw = 20 + static_cast<int>(next() % 30);
        const long calls = std::lround(erlangs * 1800.0 / (talk + acw));
        csv += Date2027(i / 48) + " " + (slot < 20 ? "0" : "") + std::to_string(slot / 2) + ":" +
               (slot % 2 ? "30" : "00") + "," + std::to_string(calls) + "," + std::to_string(talk) +
               "," + std::to_string(acw) + "\n";
    }
    return csv;
}

std::string PatientYearCsv() {
    std::string csv = "interval,calls,talk (s)\n";
    for (int i = 0; i < kYear; ++i) {
        const int slot = i % 48;
        csv += Date2027(i / 48) + " " + (slot < 20 ? "0" : "") + std::to_string(slot / 2) + ":" +
               (slot % 2 ? "30" : "00") + ",1258200,1\n";
    }
    return csv;
}

std::string YearHistoryCsv() {
    std::string csv = "date,time,calls,talk,acw\n";
    unsigned seed = 54321;
    auto next = [&seed] { return ((seed = seed * 1103515245u + 12345u) >> 16 & 0x7fff) / 32767.0; };
    for (int day = 0; day < 365; ++day) {
        const int weekday = (day + 4) % 7;  // 2027-01-01 was a Friday; 0 = Monday
        const double week = weekday < 5 ? 1.0 : 0.45;
        for (int slot = 0; slot < 96; ++slot) {
            const double shape = std::exp(-std::pow((slot - 50) / 14.0, 2));
            const double mean = 200.0 * week * shape * (1 + day / 730.0) + 1;
            const double calls = std::max(0.0, mean + std::sqrt(mean) * (next() + next() + next() - 1.5) * 2);
            const int minute = slot * 15;
            const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
            csv += Date2027(day) + "," + two(minute / 60) + ":" + two(minute % 60) + "," +
                   std::to_string(std::lround(calls)) + "," + std::to_string(170 + static_cast<int>(next() * 40)) +
                   "," + std::to_string(20 + static_cast<int>(next() * 20)) + "\n";
        }
    }
    return csv;
}

}  // namespace corvane::bench
