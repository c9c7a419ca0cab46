#include "cli/plan_arguments.h"

#include "calc/plain_text.h"
#include "plan/decimal.h"
#include "plan/text_check.h"

namespace corvane::cli {

namespace {

using plan::Decimal;
using plan::PlanInputError;

[[noreturn]] void Refuse(const std::string& option, const std::string& value,
                         const std::string& why) {
    throw PlanInputError(option + ": '" + plan::Printable(value) + "' " + why);
}

// A percentage with "." decimals, strictly inside (0, 100) unless `upTo100`.
Decimal Percent(const std::string& option, const std::string& text, bool zeroAllowed,
                bool hundredAllowed) {
    const auto d = plan::ParseDecimal(text);
    if (!d) Refuse(option, text, "is not a number (digits, optionally \".\" and decimals)");
    const double v = d->ToDouble();
    const bool low = zeroAllowed ? v >= 0 : v > 0;
    const bool high = hundredAllowed ? v <= 100 : v < 100;
    if (!low || !high) {
        const std::string range = std::string(zeroAllowed ? "at least 0" : "above 0") +
                                  (hundredAllowed ? " and at most 100" : " and below 100");
        Refuse(option, text, "must be " + range);
    }
    return *d;
}

long Seconds(const std::string& option, const std::string& text, long min) {
    const auto v = plan::ParseWhole(text);
    if (!v || text.find_first_of(" \t") != std::string::npos)
        Refuse(option, text, "is not a whole number of seconds");
    if (*v < min || *v > plan::kMaxSeconds)
        Refuse(option, text,
               "must be " + std::to_string(min) + " to " + std::to_string(plan::kMaxSeconds));
    return static_cast<long>(*v);
}

bool EndsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = s[s.size() - tail.size() + i];
        if (text::Lower(c) != tail[i]) return false;
    }
    return true;
}

}  // namespace

PlanArguments CheckArguments(const RawArguments& raw) {
    PlanArguments a;
    a.input = raw.input;
    plan::PlanOptions& o = a.options;

    const auto slash = raw.sl.find('/');
    if (slash == std::string::npos)
        Refuse("--sl", raw.sl, "is not P/S (say 80/20: 80 % answered within 20 seconds)");
    o.slPercent = Percent("--sl", raw.sl.substr(0, slash), false, false);
    o.answerSeconds = static_cast<int>(Seconds("--sl", raw.sl.substr(slash + 1), 0));

    if (raw.asa) {
        const auto d = plan::ParseDecimal(*raw.asa);
        if (!d) Refuse("--asa", *raw.asa, "is not a number of seconds");
        if (!(d->ToDouble() > 0)) Refuse("--asa", *raw.asa, "must be above 0");
        o.asaLimit = d;
    }
    if (raw.maxOccupancy)
        o.maxOccupancy = Percent("--max-occupancy", *raw.maxOccupancy, false, true);
    o.shrinkage = Percent("--shrinkage", raw.shrinkage, true, false);

    if (raw.interval == "15" || raw.interval == "30" || raw.interval == "60")
        o.intervalMinutes = std::stoi(raw.interval);
    else
        Refuse("--interval", raw.interval, "must be 15, 30 or 60 minutes");

    if (raw.talk) o.talk = static_cast<int>(Seconds("--talk", *raw.talk, 1));
    if (raw.acw) o.acw = static_cast<int>(Seconds("--acw", *raw.acw, 0));

    if (raw.patience) o.patience = static_cast<int>(Seconds("--patience", *raw.patience, 1));
    if (raw.maxAbandon) {
        if (!raw.patience)
            throw PlanInputError(
                "--max-abandon: needs --patience (callers only hang up in "
                "the model with abandonment)");
        o.maxAbandon = Percent("--max-abandon", *raw.maxAbandon, false, false);
    }

    if (raw.format == "text")
        a.format = OutputFormat::Text;
    else if (raw.format == "csv")
        a.format = OutputFormat::Csv;
    else if (raw.format == "json")
        a.format = OutputFormat::Json;
    else
        Refuse("--format", raw.format, "must be text, csv or json");

    a.outputPath = raw.output;
    if (raw.chart) {
        if (EndsWith(*raw.chart, ".svg"))
            a.chartKind = ChartKind::Svg;
        else if (EndsWith(*raw.chart, ".png"))
            a.chartKind = ChartKind::Png;
        else
            Refuse("--chart", *raw.chart, "must end in .svg or .png");
        a.chartPath = raw.chart;
    }
    return a;
}

}  // namespace corvane::cli
