#include "report/forecast_output.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "input/label_time.h"
#include "report/plan_columns.h"

namespace corvane::report {

namespace {

using forecasting::HandleTimes;

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

// Plain handle times all under 20 s are read as minutes left without their
// unit; a forecast of such calls names its unit in the header.
bool ShortHandleTimes(const forecasting::CallForecast& forecast) {
    double longest = 0;
    for (const forecasting::ForecastDay& day : forecast.days)
        for (const forecasting::ForecastSlot& s : day.slots)
            if (s.calls > 0) longest = std::max(longest, s.talk);
    return longest < 20;
}

}  // namespace

std::string ForecastCsv(const forecasting::CallForecast& forecast) {
    std::string out = "date,time,calls";
    if (forecast.range) out += ",calls_low,calls_high";
    const char* unit = ShortHandleTimes(forecast) ? " (s)" : "";
    switch (forecast.handleTimes) {
        case HandleTimes::None: break;
        case HandleTimes::Talk: out += std::string(",talk") + unit; break;
        case HandleTimes::TalkAndAcw: out += std::string(",talk") + unit + ",acw" + unit; break;
        case HandleTimes::Aht: out += std::string(",aht") + unit; break;
    }
    out += '\n';
    for (const forecasting::ForecastDay& day : forecast.days) {
        const std::string date = input::DateText(day.day);
        for (const forecasting::ForecastSlot& s : day.slots) {
            out += date;
            out += ',';
            out += input::TimeText(s.minute);
            out += ',';
            AppendFixed(out, s.calls, 2);
            if (forecast.range) {
                out += ',';
                AppendFixed(out, s.low, 2);
                out += ',';
                AppendFixed(out, s.high, 2);
            }
            if (forecast.handleTimes != HandleTimes::None) {
                out += ',';
                AppendFixed(out, s.talk, 1);
            }
            if (forecast.handleTimes == HandleTimes::TalkAndAcw) {
                out += ',';
                AppendFixed(out, s.acw, 1);
            }
            out += '\n';
        }
    }
    return out;
}

std::string ForecastJson(const forecasting::CallForecast& forecast, const std::string& history,
                         const char* method) {
    using nlohmann::ordered_json;
    ordered_json days = ordered_json::array();
    for (const forecasting::ForecastDay& day : forecast.days) {
        ordered_json intervals = ordered_json::array();
        double total = 0;
        for (const forecasting::ForecastSlot& s : day.slots) {
            ordered_json slot;
            slot["time"] = input::TimeText(s.minute);
            slot["calls"] = std::stod(Fixed(s.calls, 2));
            if (forecast.range) {
                slot["calls_low"] = std::stod(Fixed(s.low, 2));
                slot["calls_high"] = std::stod(Fixed(s.high, 2));
            }
            switch (forecast.handleTimes) {
                case HandleTimes::None: break;
                case HandleTimes::Talk: slot["talk"] = std::stod(Fixed(s.talk, 1)); break;
                case HandleTimes::TalkAndAcw:
                    slot["talk"] = std::stod(Fixed(s.talk, 1));
                    slot["acw"] = std::stod(Fixed(s.acw, 1));
                    break;
                case HandleTimes::Aht: slot["aht"] = std::stod(Fixed(s.talk, 1)); break;
            }
            total += s.calls;
            intervals.push_back(std::move(slot));
        }
        ordered_json d;
        d["date"] = input::DateText(day.day);
        d["weekday"] = input::WeekdayText(day.day);
        d["closed"] = day.slots.empty();
        d["calls"] = std::stod(Fixed(total, 2));
        d["intervals"] = std::move(intervals);
        days.push_back(std::move(d));
    }
    ordered_json out;
    out["history"] = history;
    out["method"] = method;
    if (forecast.range) out["range_percent"] = *forecast.range;
    out["days"] = std::move(days);
    return out.dump(2) + "\n";
}

}  // namespace corvane::report
