// The chart program's input: any text is chart data or refused, never a
// crash; what is read writes back as the same data.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input/chart_data.h"
#include "input/text_check.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane::input;
    const auto read = ReadChartData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) return 0;
    // What is drawn is text an SVG can carry.
    for (const ChartPoint& p : read.Value().points) Require(!FirstControl(p.label));
    Require(!FirstControl(read.Value().subtitle));
    const std::string text = ChartDataText(read.Value());
    const auto again = ReadChartData(text);
    Require(again && ChartDataText(again.Value()) == text);
    return 0;
}
