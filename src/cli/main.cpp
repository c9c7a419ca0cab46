// corvane-plan: staffs every interval of a forecast file with the staffing
// engine of the Corvane window.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "cli/cleanup_on_signal.h"
#include "cli/error_line.h"
#include "cli/help_text.h"
#include "cli/plan_arguments.h"
#include "cli/plan_run.h"
#include "input/text_check.h"

namespace {

using namespace corvane;

int Say(const std::string& text, int status) { return cli::SayError("corvane-plan", text, status); }

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Plans the agents of every interval of a forecast file (Erlang C, or Erlang A "
        "with --patience), with targets, shrinkage and a chart.",
        "corvane-plan"};
    app.footer(cli::kPlanHelpFooter);
    app.get_formatter()->column_width(26);
    cli::PlanArguments arguments;
    cli::DeclareOptions(app, arguments);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ValidationError& e) {  // names the option and the value
        return Say(e.what(), cli::kExitBadInput);
    } catch (const CLI::ParseError& e) {
        return Say(std::string(e.what()) + "\n(corvane-plan --help lists the options)",
                   cli::kExitBadInput);
    }
    if (const auto combined = cli::CheckCombinations(app, arguments); !combined)
        return Say(combined.Error(), cli::kExitBadInput);
    cli::InstallCleanupOnSignal();
    const int status = [&] {
        try {
            const auto run = cli::RunPlan(arguments);
            if (!run) return Say(run.Error().message, run.Error().status);
            if (const std::int64_t outside = run.Value(); outside > 0)
                return Say(std::to_string(outside) + " interval(s) outside the usable range",
                           cli::kExitOutsideRange);
            return 0;
        } catch (const std::exception& e) {
            // The last resort: a clear message and a failure status, never a signal.
            return Say(std::string("the plan could not be made: ") + e.what(),
                       cli::kExitWriteFailed);
        } catch (...) {
            return Say("the plan could not be made", cli::kExitWriteFailed);
        }
    }();
    // A shift solve stopped at its time limit may still be winding down on
    // its own thread inside the solver: everything is written, so the
    // program ends now rather than wait for it or unload under it.
    if (arguments.shiftsPath) {
        std::cout.flush();
        std::cerr.flush();
        std::_Exit(status);
    }
    return status;
}
