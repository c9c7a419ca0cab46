#include "model/plan_settings.h"

#include "plan/option_text.h"

namespace corvane::model {

namespace {

using plan::PercentRange;

// Keeps a value read, or gives the reason it was refused.
template <class Into, class Value>
Result<void, std::string> Keep(Into& into, Result<Value, std::string> read) {
    if (!read) return Fail(read.Error());
    into = std::move(read.Value());
    return {};
}

std::string Text(const std::optional<plan::Decimal>& d) { return d ? plan::DecimalText(*d) : ""; }
std::string Text(const std::optional<int>& n) { return n ? std::to_string(*n) : ""; }

}  // namespace

const char* FieldLabel(PlanField field) {
    switch (field) {
        case PlanField::ServicePercent: return "Service level (%)";
        case PlanField::AnswerSeconds: return "Answered within (s)";
        case PlanField::AsaLimit: return "ASA at most (s)";
        case PlanField::MaxOccupancy: return "Occupancy at most (%)";
        case PlanField::Shrinkage: return "Shrinkage (%)";
        case PlanField::IntervalMinutes: return "Interval (min)";
        case PlanField::Patience: return "Patience (s)";
        case PlanField::MaxAbandon: return "Abandoned at most (%)";
        case PlanField::ShiftTimeLimit: return "Time limit (s)";
        case PlanField::IntervalFloor: return "Interval floor (%)";
    }
    return "";
}

std::string FieldText(const PlanSettings& settings, PlanField field) {
    const plan::PlanOptions& o = settings.options;
    switch (field) {
        case PlanField::ServicePercent: return plan::DecimalText(o.slPercent);
        case PlanField::AnswerSeconds: return std::to_string(o.answerSeconds);
        case PlanField::AsaLimit: return Text(o.asaLimit);
        case PlanField::MaxOccupancy: return Text(o.maxOccupancy);
        case PlanField::Shrinkage: return plan::DecimalText(o.shrinkage);
        case PlanField::IntervalMinutes: return std::to_string(o.intervalMinutes);
        case PlanField::Patience: return Text(o.patience);
        case PlanField::MaxAbandon: return Text(o.maxAbandon);
        case PlanField::ShiftTimeLimit: return plan::TimeLimitText(settings.shiftTimeLimit);
        case PlanField::IntervalFloor: return Text(settings.intervalFloor);
    }
    return "";
}

Result<void, std::string> SetField(PlanSettings& settings, PlanField field,
                                   const std::string& text) {
    plan::PlanOptions o = settings.options;
    Result<void, std::string> set;
    const bool empty = text.empty();
    switch (field) {
        case PlanField::ServicePercent:
            set = Keep(o.slPercent, plan::ReadPercent(text, PercentRange::AboveZeroBelowHundred));
            break;
        case PlanField::AnswerSeconds: set = Keep(o.answerSeconds, plan::ReadSeconds(text, 0)); break;
        case PlanField::AsaLimit:
            if (empty)
                o.asaLimit.reset();
            else
                set = Keep(o.asaLimit, plan::ReadAsaLimit(text));
            break;
        case PlanField::MaxOccupancy:
            if (empty)
                o.maxOccupancy.reset();
            else
                set = Keep(o.maxOccupancy,
                           plan::ReadPercent(text, PercentRange::AboveZeroUpToHundred));
            break;
        case PlanField::Shrinkage:
            set = Keep(o.shrinkage, plan::ReadPercent(text, PercentRange::ZeroUpToBelowHundred));
            break;
        case PlanField::IntervalMinutes:
            set = Keep(o.intervalMinutes, plan::ReadIntervalMinutes(text));
            o.intervalGiven = true;
            break;
        case PlanField::Patience:
            if (!empty)
                set = Keep(o.patience, plan::ReadSeconds(text, 1));
            else if (o.maxAbandon)
                set = Fail(std::string("the abandonment cap needs it (clear the cap first)"));
            else
                o.patience.reset();
            break;
        case PlanField::MaxAbandon:
            if (empty)
                o.maxAbandon.reset();
            else if (!o.patience)
                set = Fail(std::string(
                    "needs a patience (callers only hang up in the model with abandonment)"));
            else
                set = Keep(o.maxAbandon,
                           plan::ReadPercent(text, PercentRange::AboveZeroBelowHundred));
            break;
        case PlanField::ShiftTimeLimit:
        case PlanField::IntervalFloor: break;  // not plan options: below
    }
    if (field == PlanField::IntervalFloor) {
        if (empty) {
            settings.intervalFloor.reset();
            return {};
        }
        const auto floor = plan::ReadPercent(text, PercentRange::AboveZeroBelowHundred);
        if (!floor) return Fail(std::string(FieldLabel(field)) + ": " + floor.Error());
        if (floor.Value().ToDouble() > o.slPercent.ToDouble())
            return Fail(std::string(FieldLabel(field)) + ": " + plan::DecimalText(floor.Value()) +
                        " % is above the service level target (" + plan::DecimalText(o.slPercent) +
                        " %)");
        settings.intervalFloor = floor.Value();
        return {};
    }
    if (field == PlanField::ShiftTimeLimit) {
        const auto limit = plan::ReadTimeLimit(text);
        if (!limit) return Fail(std::string(FieldLabel(field)) + ": " + limit.Error());
        settings.shiftTimeLimit = limit.Value();
        return {};
    }
    if (!set) return Fail(std::string(FieldLabel(field)) + ": " + set.Error());
    settings.options = o;
    return {};
}

}  // namespace corvane::model
