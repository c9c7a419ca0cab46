// corvane-plan's options on any command line (arguments separated by NUL
// bytes): the parse either refuses, a refused value naming its option, or
// gives options that all lie in their documented ranges.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/plan_arguments.h"
#include "plan/forecast_csv.h"

using namespace corvane;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

bool Within(const plan::Decimal& d, double low, double high) {
    return d.ToDouble() >= low && d.ToDouble() <= high;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"corvane-plan"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());

    CLI::App app;
    cli::PlanArguments a;
    cli::DeclareOptions(app, a);
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        cli::CheckCombinations(app);
    } catch (const CLI::ValidationError& e) {
        Require(std::string(e.what()).rfind("-", 0) == 0);  // "--sl: '120' must be ..."
        return 0;
    } catch (const CLI::Error&) {  // unknown options, help, a missing file name
        return 0;
    } catch (const plan::PlanInputError& e) {
        Require(std::string(e.what()).rfind("--max-abandon: ", 0) == 0);
        return 0;
    }
    const plan::PlanOptions& o = a.options;
    Require(Within(o.slPercent, 1e-9, 100) && o.slPercent.ToDouble() < 100);
    Require(o.answerSeconds >= 0 && o.answerSeconds <= plan::kMaxSeconds);
    Require(Within(o.shrinkage, 0, 100) && o.shrinkage.ToDouble() < 100);
    Require(o.intervalMinutes == 15 || o.intervalMinutes == 30 || o.intervalMinutes == 60);
    Require(!o.asaLimit || o.asaLimit->ToDouble() > 0);
    Require(!o.maxOccupancy || (o.maxOccupancy->ToDouble() > 0 && Within(*o.maxOccupancy, 0, 100)));
    Require(!o.talk || (*o.talk >= 1 && *o.talk <= plan::kMaxSeconds));
    Require(o.acw >= 0 && o.acw <= plan::kMaxSeconds);
    Require(!o.patience || (*o.patience >= 1 && *o.patience <= plan::kMaxSeconds));
    Require(!o.maxAbandon ||
            (o.patience && o.maxAbandon->ToDouble() > 0 && o.maxAbandon->ToDouble() < 100));
    if (a.chartPath) {
        const std::string tail =
            a.chartPath->size() >= 4 ? a.chartPath->substr(a.chartPath->size() - 4) : "";
        Require(tail.size() == 4 && (tail[0] == '.'));
    }
    return 0;
}
