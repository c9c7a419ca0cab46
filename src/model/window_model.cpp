#include "model/window_model.h"

namespace corvane::model {

const InputField& WindowField::Input() const {
    switch (kind) {
        case Kind::Talk: return kTalkField;
        case Kind::Acw: return kAcwField;
        case Kind::Calls: return kCallsField;
        case Kind::Slo: return kSloField;
        case Kind::Erlangs: return kErlangField;
        case Kind::Busy: break;
    }
    return kBusyField;
}

FieldCheck WindowModel::CheckAndStore(WindowField field, const std::string& text,
                                      const NumberMarks& marks) {
    const FieldCheck check = CheckField(field.Input(), text, marks);
    if (!check.store) return check;
    const auto whole = static_cast<std::int16_t>(*check.store);  // the check kept it in range
    TrunkGroup& group = trunks[static_cast<std::size_t>(field.group)];
    switch (field.kind) {
        case WindowField::Kind::Talk: staffing.talk = whole; break;
        case WindowField::Kind::Acw: staffing.acw = whole; break;
        case WindowField::Kind::Calls: staffing.calls = whole; break;
        case WindowField::Kind::Slo: staffing.slo = whole; break;
        case WindowField::Kind::Erlangs: group.erlangs = *check.store; break;
        case WindowField::Kind::Busy: group.busy = whole; break;
    }
    return check;
}

void WindowModel::ClearStaffing() {
    staffing = StoredStaffing{};
    reports.agents.clear();
    reports.delays.clear();
}

void WindowModel::ClearTrunks() {
    trunks = TrunkGroups{};
    reports.trunks.clear();
}

}  // namespace corvane::model
