#include "model/window_commands.h"

#include "calc/number_parse.h"
#include "model/input_fields.h"

namespace corvane::model {

Command CalculateCommand(View view) {
    if (view == View::Trunks) return Command::TrunkRun;
    return IsStaffingView(view) ? Command::StaffingRun : Command::None;
}

Command ClearCommand(View view) {
    return view == View::Trunks ? Command::ClearTrunks : Command::ClearStaffing;
}

std::optional<BlankField> FirstBlankStaffingField(const std::array<std::string, 4>& texts) {
    const InputField* const fields[] = {&kTalkField, &kAcwField, &kCallsField, &kSloField};
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (IsBlank(texts[i]))
            return BlankField{
                i, {std::string("Please enter a value for ") + fields[i]->title, "Validate"}};
    return std::nullopt;
}

}  // namespace corvane::model
