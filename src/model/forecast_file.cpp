#include "model/forecast_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "input/byte_source.h"
#include "input/forecast_csv.h"
#include "shifts/shift_file.h"

namespace corvane::model {

Result<std::string, std::string> WholeFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return Fail(path + ": is a folder; open a forecast file in it");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(path + ": " + std::strerror(errno));
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0) return Fail(path + ": cannot be read");
    if (static_cast<std::size_t>(size) > kMaxForecastBytes)
        return Fail(path + ": " + std::to_string(static_cast<long long>(size) >> 20) +
                    " MB is more than the window opens (" +
                    std::to_string(kMaxForecastBytes >> 20) +
                    " MB); plan it with corvane-plan");
    in.seekg(0);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), size)) return Fail(path + ": cannot be read");
    return text;
}

Result<ForecastRead, input::PlanFault> ReadForecastFile(const std::string& path,
                                                       const input::ForecastDefaults& defaults) {
    const auto text = WholeFile(path);
    if (!text) return Fail(input::PlanFault{input::PlanFault::Kind::BadInput, text.Error()});
    input::TextSource source(text.Value());
    input::ForecastReader reader(source, path, defaults);
    ForecastRead read{{path, {}}, {}};
    for (input::ForecastRow row;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) break;
        if (read.forecast.rows.size() == kMaxWindowRows)
            return Fail(input::PlanFault{
                input::PlanFault::Kind::BadInput,
                path + ": more than " + std::to_string(kMaxWindowRows) +
                    " intervals, more than the window plans; plan it with corvane-plan"});
        read.forecast.rows.push_back(std::move(row));
    }
    read.notices = reader.Notices();
    return read;
}

Result<shifts::ShiftFile, std::string> ReadShiftsFile(const std::string& path) {
    const auto text = WholeFile(path);
    if (!text) return Fail(text.Error());
    input::TextSource source(text.Value());
    auto read = shifts::ReadShiftFile(source, path);
    if (!read) return Fail(read.Error().message);
    return std::move(read.Value());
}

}  // namespace corvane::model
