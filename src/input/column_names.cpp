#include "input/column_names.h"

#include <string>

#include "calc/plain_text.h"

namespace corvane::input {

namespace {

struct Alias {
    const char* name;
    ForecastColumn column;
    bool hourLike = false;
};

using C = ForecastColumn;

constexpr Alias kAliases[] = {
    {"calls", C::Calls},
    {"offered", C::Calls},
    {"callsoffered", C::Calls},
    {"offeredcalls", C::Calls},
    {"volume", C::Calls},
    {"callvolume", C::Calls},
    {"contacts", C::Calls},
    {"incomingcalls", C::Calls},
    {"callsreceived", C::Calls},
    {"totalcalls", C::Calls},
    {"numberofcalls", C::Calls},
    {"noofcalls", C::Calls},
    {"#calls", C::Calls},
    {"callcount", C::Calls},
    {"talk", C::Talk},
    {"talktime", C::Talk},
    {"avgtalktime", C::Talk},
    {"averagetalktime", C::Talk},
    {"avgtalk", C::Talk},
    {"acw", C::Acw},
    {"avgacw", C::Acw},
    {"averageacw", C::Acw},
    {"wrap", C::Acw},
    {"wrapup", C::Acw},
    {"wraptime", C::Acw},
    {"wrapuptime", C::Acw},
    {"aftercallwork", C::Acw},
    {"aht", C::Aht},
    {"avgaht", C::Aht},
    {"handletime", C::Aht},
    {"avghandletime", C::Aht},
    {"averagehandletime", C::Aht},
    {"handlingtime", C::Aht},
    {"interval", C::Interval},
    {"intervalstart", C::Interval},
    {"intervalstarttime", C::Interval},
    {"timeinterval", C::Interval},
    {"start", C::Interval},
    {"starttime", C::Interval},
    {"period", C::Interval},
    {"slot", C::Interval},
    {"timeslot", C::Interval},
    {"from", C::Interval},
    {"intervaltime", C::Interval},
    {"halfhour", C::Interval},
    {"quarterhour", C::Interval},
    {"timeofday", C::Interval},
    {"time", C::Interval, true},
    {"hour", C::Interval, true},
    {"hourofday", C::Interval, true},
    {"date", C::Date},
    {"intervaldate", C::Date},
    {"startdate", C::Date},
    {"datetime", C::DateTime},
    {"timestamp", C::DateTime},
    {"intervaldatetime", C::DateTime},
    {"startdatetime", C::DateTime},
};

// Units written after a name: in brackets, or run on ("aht_s").
struct UnitWord {
    const char* word;
    ColumnUnit unit;
};
constexpr UnitWord kUnits[] = {
    {"seconds", ColumnUnit::Seconds}, {"second", ColumnUnit::Seconds},
    {"secs", ColumnUnit::Seconds},    {"sec", ColumnUnit::Seconds},
    {"s", ColumnUnit::Seconds},       {"hh:mm:ss", ColumnUnit::Seconds},
    {"h:mm:ss", ColumnUnit::Seconds}, {"mm:ss", ColumnUnit::Seconds},
    {"minutes", ColumnUnit::Minutes}, {"minute", ColumnUnit::Minutes},
    {"mins", ColumnUnit::Minutes},    {"min", ColumnUnit::Minutes},
    {"m", ColumnUnit::Minutes},
};

// A unit alone ("sec"), or first before a remark ("s, avg").
ColumnUnit UnitOf(std::string_view text) {
    const std::size_t comma = text.find_first_of(",;");
    for (const std::string_view word : {text, text.substr(0, comma)}) {
        const std::string key = ColumnKey(word);
        for (const UnitWord& u : kUnits)
            if (key == ColumnKey(u.word)) return u.unit;
        if (comma == std::string_view::npos) break;
    }
    return ColumnUnit::Unknown;
}

const Alias* AliasOf(std::string_view key) {
    for (const Alias& a : kAliases)
        if (key == a.name) return &a;
    return nullptr;
}

// The alias a key names, with the rank a leading or trailing "forecast" or
// "actual" gives it ("Forecast Calls", "Calls Actual"); "forecast" alone
// is the forecast of calls.
const Alias* RankedAlias(std::string key, ColumnRank& rank) {
    if (key == "forecast" || key == "forecasted" || key == "fcst") key = "forecastcalls";
    if (key == "actual" || key == "actuals") key = "actualcalls";
    if (const Alias* plain = AliasOf(key)) return plain;
    struct Mark {
        const char* word;
        ColumnRank rank;
    };
    constexpr Mark kMarks[] = {{"forecasted", ColumnRank::Forecast}, {"forecast", ColumnRank::Forecast},
                               {"fcst", ColumnRank::Forecast},       {"planned", ColumnRank::Forecast},
                               {"projected", ColumnRank::Forecast},  {"actual", ColumnRank::Actual},
                               {"act", ColumnRank::Actual}};
    for (const Mark& m : kMarks) {
        const std::string_view word = m.word;
        if (key.size() <= word.size()) continue;
        const Alias* found = nullptr;
        if (key.compare(0, word.size(), word) == 0)
            found = AliasOf(key.substr(word.size()));
        else if (key.compare(key.size() - word.size(), word.size(), word) == 0)
            found = AliasOf(key.substr(0, key.size() - word.size()));
        if (found) {
            rank = m.rank;
            return found;
        }
    }
    return nullptr;
}

}  // namespace

std::string ColumnKey(std::string_view header) {
    std::string key;
    for (const char c : header)
        if (c != ' ' && c != '\t' && c != '_' && c != '-' && c != '.' && c != '/')
            key += text::Lower(c);
    return key;
}

std::optional<NamedColumn> ColumnNamed(std::string_view header) {
    std::string_view name = text::Trim(header);
    NamedColumn named;
    // A unit in brackets at the end: "AHT (sec)", "Talk [s]".
    if (!name.empty() && (name.back() == ')' || name.back() == ']')) {
        const char open = name.back() == ')' ? '(' : '[';
        const std::size_t at = name.rfind(open);
        if (at != std::string_view::npos && at > 0) {
            named.unitText = std::string(text::Trim(name.substr(at + 1, name.size() - at - 2)));
            named.unit = UnitOf(named.unitText);
            // "Calls (forecast)" ranks rather than measures.
            const std::string inside = ColumnKey(named.unitText);
            if (inside == "forecast" || inside == "fcst" || inside == "forecasted" ||
                inside == "actual" || inside == "actuals") {
                named.rank = inside.rfind("act", 0) == 0 ? ColumnRank::Actual : ColumnRank::Forecast;
                named.unit = ColumnUnit::None;
                named.unitText.clear();
            }
            name = text::Trim(name.substr(0, at));
        }
    }
    const Alias* alias = RankedAlias(ColumnKey(name), named.rank);
    // A unit run on after a separator: "aht_s", "handle time in minutes",
    // "talk secs".
    if (!alias && named.unit == ColumnUnit::None) {
        const std::string lower = text::Lower(name);
        for (const UnitWord& u : kUnits) {
            const std::string_view word = u.word;
            if (lower.size() <= word.size() + 1 ||
                lower.compare(lower.size() - word.size(), word.size(), word) != 0)
                continue;
            const char before = lower[lower.size() - word.size() - 1];
            if (before != ' ' && before != '_' && before != '-') continue;
            std::string base = ColumnKey(std::string_view(lower).substr(0, lower.size() - word.size()));
            if (base.size() > 2 && base.compare(base.size() - 2, 2, "in") == 0 && !AliasOf(base))
                base.erase(base.size() - 2);
            if (const Alias* a = RankedAlias(base, named.rank)) {
                alias = a;
                named.unit = u.unit;
                named.unitText = u.word;
                break;
            }
        }
    }
    if (!alias) return std::nullopt;
    named.column = alias->column;
    named.hourLike = alias->hourLike;
    return named;
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

}  // namespace corvane::input
