// The plan window's entries on any text: a refusal names its entry and
// leaves the settings as they were; an accepted value reads back as the
// same setting.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "model/plan_settings.h"

using namespace corvane;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

constexpr model::PlanField kFields[] = {
    model::PlanField::ServicePercent, model::PlanField::AnswerSeconds,
    model::PlanField::AsaLimit,       model::PlanField::MaxOccupancy,
    model::PlanField::Shrinkage,      model::PlanField::IntervalMinutes,
    model::PlanField::Patience,       model::PlanField::MaxAbandon,
    model::PlanField::ShiftTimeLimit, model::PlanField::IntervalFloor};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const model::PlanField field = kFields[data[0] % std::size(kFields)];
    model::PlanSettings settings;
    // Half the inputs have a patience, which the abandonment cap needs.
    if (data[0] & 0x80) settings.options.patience = 180;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string before = model::FieldText(settings, field);
    const auto set = model::SetField(settings, field, text);
    if (!set) {
        Require(set.Error().rfind(model::FieldLabel(field), 0) == 0);
        Require(model::FieldText(settings, field) == before);
        return 0;
    }
    // What the entry then shows is read back to the same setting.
    const std::string shown = model::FieldText(settings, field);
    model::PlanSettings again = settings;
    Require(model::SetField(again, field, shown).Ok());
    Require(model::FieldText(again, field) == shown);
    const auto& o = settings.options;
    Require(o.answerSeconds >= 0 && o.answerSeconds <= plan::kMaxSeconds);
    Require(!o.patience || (*o.patience >= 1 && *o.patience <= plan::kMaxSeconds));
    Require(!o.maxAbandon || o.patience);
    // An interval floor is never above the service level target.
    Require(!settings.intervalFloor || settings.intervalFloor->ToDouble() <= o.slPercent.ToDouble());
    return 0;
}
