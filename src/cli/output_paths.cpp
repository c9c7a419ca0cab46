#include "cli/output_paths.h"

#include <sys/stat.h>

#include <optional>
#include <vector>

#include "cli/output_file.h"
#include "input/text_check.h"

namespace corvane::cli {

namespace {

// What a path names, compared as the file system sees it: an existing file
// by device and inode, a file still to be made by its directory and name.
struct Place {
    bool standardOutput = false;
    bool device = false;  // a character device: written, never lost
    dev_t dev = 0;
    ino_t ino = 0;
    std::string leaf;  // set for a file still to be made

    bool Same(const Place& o) const {
        if (standardOutput || o.standardOutput) return standardOutput && o.standardOutput;
        return dev == o.dev && ino == o.ino && leaf == o.leaf;
    }
};

std::optional<Place> FromStat(const struct stat& st) {
    Place p;
    p.dev = st.st_dev;
    p.ino = st.st_ino;
    p.device = S_ISCHR(st.st_mode);
    return p;
}

// An input: "-" is standard input.
std::optional<Place> InputPlace(const std::string& path) {
    struct stat st {};
    if (path == "-" ? ::fstat(0, &st) != 0 : ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FromStat(st);
}

// An output: "-" (or no path) and descriptor 1 are standard output.
std::optional<Place> OutputPlace(const std::optional<std::string>& path) {
    if (!path || *path == "-" || HeldDescriptor(*path) == 1) {
        Place p;
        p.standardOutput = true;
        return p;
    }
    struct stat st {};
    if (const int held = HeldDescriptor(*path); held >= 0)
        return ::fstat(held, &st) == 0 ? FromStat(st) : std::nullopt;
    if (::stat(path->c_str(), &st) == 0) return FromStat(st);
    std::string target;
    if (FollowLinks(*path, target) != 0) return std::nullopt;  // the writing will say why
    if (::stat(DirectoryOf(target).c_str(), &st) != 0) return std::nullopt;
    Place p = *FromStat(st);
    p.device = false;
    p.leaf = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    return p;
}

struct Output {
    const char* option;
    std::optional<std::string> path;
    std::optional<Place> place;
};

std::string Shown(const Output& o) {
    return o.path && *o.path != "-" ? input::Escaped(*o.path) : "standard output";
}

}  // namespace

Result<void, std::string> CheckPaths(const std::vector<NamedPath>& inputPaths,
                                     const std::vector<NamedPath>& outputPaths) {
    std::vector<Output> outputs;
    for (const NamedPath& o : outputPaths)
        outputs.push_back({o.what, o.path, OutputPlace(o.path)});
    // Standard output as it stands may itself be a file: `>> forecast.csv`.
    std::optional<Place> terminal;
    if (struct stat st {}; ::fstat(1, &st) == 0) terminal = FromStat(st);

    struct Input {
        const char* what;
        std::optional<Place> place;
    };
    std::vector<Input> inputs;
    for (const NamedPath& in : inputPaths)
        if (in.path) inputs.push_back({in.what, InputPlace(*in.path)});

    for (const Output& out : outputs) {
        if (!out.place) continue;
        const std::optional<Place> where = out.place->standardOutput ? terminal : out.place;
        for (const Input& in : inputs)
            if (where && in.place && !where->device && where->Same(*in.place))
                return Fail(std::string(out.option) + ": " + Shown(out) + " is " + in.what +
                            " being read");
    }
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            const Output& first = outputs[i];
            const Output& second = outputs[j];
            if (!first.place || !second.place || !first.place->Same(*second.place)) continue;
            if (first.place->device && !first.place->standardOutput) continue;
            if (first.place->standardOutput)
                return Fail(std::string(first.option) + " and " + second.option +
                            " both go to standard output");
            return Fail(std::string(first.option) + " and " + second.option + " both name " +
                        Shown(second));
        }
    return {};
}

Result<void, std::string> CheckOutputPaths(const PlanArguments& a) {
    std::vector<NamedPath> outputs{{a.outputPath ? "-o" : "the plan", a.outputPath}};
    if (a.chartPath) outputs.push_back({"--chart", a.chartPath});
    if (a.shiftPlanPath) outputs.push_back({"--shift-plan", a.shiftPlanPath});
    return CheckPaths({{"the forecast", a.input}, {"the shift types", a.shiftsPath}}, outputs);
}

}  // namespace corvane::cli
