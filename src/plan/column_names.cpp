#include "plan/column_names.h"

#include <string>

#include "calc/plain_text.h"

namespace corvane::plan {

namespace {

struct Alias {
    const char* name;
    ForecastColumn column;
};

constexpr Alias kAliases[] = {
    {"calls", ForecastColumn::Calls},       {"offered", ForecastColumn::Calls},
    {"volume", ForecastColumn::Calls},      {"contacts", ForecastColumn::Calls},
    {"talk", ForecastColumn::Talk},         {"talktime", ForecastColumn::Talk},
    {"acw", ForecastColumn::Acw},           {"wrap", ForecastColumn::Acw},
    {"wrapup", ForecastColumn::Acw},        {"aftercallwork", ForecastColumn::Acw},
    {"aht", ForecastColumn::Aht},           {"handletime", ForecastColumn::Aht},
    {"interval", ForecastColumn::Interval}, {"time", ForecastColumn::Interval},
    {"start", ForecastColumn::Interval},    {"date", ForecastColumn::Date},
    {"datetime", ForecastColumn::DateTime}, {"timestamp", ForecastColumn::DateTime},
};

}  // namespace

std::string ColumnKey(std::string_view header) {
    std::string key;
    for (const char c : header)
        if (c != ' ' && c != '\t' && c != '_' && c != '-') key += text::Lower(c);
    return key;
}

std::optional<ForecastColumn> ColumnNamed(std::string_view header) {
    const std::string key = ColumnKey(header);
    for (const Alias& a : kAliases)
        if (key == a.name) return a.column;
    return std::nullopt;
}

const char* ColumnText(ForecastColumn column) {
    switch (column) {
        case ForecastColumn::Interval: return "interval";
        case ForecastColumn::Date: return "date";
        case ForecastColumn::DateTime: return "datetime";
        case ForecastColumn::Calls: return "calls";
        case ForecastColumn::Talk: return "talk";
        case ForecastColumn::Acw: return "acw";
        case ForecastColumn::Aht: return "aht";
    }
    return "";
}

}  // namespace corvane::plan
