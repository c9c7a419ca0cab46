#include "cli/shift_planner.h"

#include <dlfcn.h>

#include "cli/program_files.h"

namespace corvane::cli {

Result<shifts::PlanShiftsFunction, std::string> LoadShiftPlanner() {
    const std::string path = ProgramFile("corvane-shift-planner.so");
    // Kept loaded to the end: the plan it returns is used after the call.
    if (void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        using Entry = shifts::PlanShiftsFunction (*)();
        if (auto* entry = reinterpret_cast<Entry>(::dlsym(module, "CorvaneShiftPlanner")))
            return entry();
    }
    const char* why = ::dlerror();
    return Fail("the shift planner cannot be loaded: " + std::string(why ? why : path));
}

}  // namespace corvane::cli
