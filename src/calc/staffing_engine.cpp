#include "calc/staffing_engine.h"

#include "calc/checked_math.h"

namespace corvane {

namespace ck = checked;

StaffingRecursion::StaffingRecursion(const StaffingInputs& in)
    : talk_(in.talk), calls_(in.calls), slo_(in.slo), interval_(in.intervalSeconds) {
    try {
        handle_ = ck::Int16(static_cast<long>(in.talk) + in.acw);
        A_ = ck::Div(ck::Mul(calls_, handle_), interval_);
    } catch (const CalcError& e) {
        failed_ = e.Number();
    }
}

Result<int, ErrorNumber> StaffingRecursion::NextAgents() {
    if (failed_) return Fail(*failed_);
    try {
        return Advance();
    } catch (const CalcError& e) {
        failed_ = e.Number();
        return Fail(e.Number());
    }
}

Result<StaffingRow, ErrorNumber> StaffingRecursion::Row(bool withWaiting) const {
    if (failed_) return Fail(*failed_);
    try {
        return Measure(withWaiting);
    } catch (const CalcError& e) {
        return Fail(e.Number());
    }
}

bool StaffingRecursion::Step() {
    // The product first, then the division: this order sets where the
    // usable traffic ends (a little above 707 Erlangs a half-hour).
    term_ = ck::Div(ck::Mul(A_, term_), k_);
    sum_ = ck::Add(sum_, term_);
    k_ = ck::Int16(static_cast<long>(k_) + 1);
    return static_cast<double>(k_) > A_;  // enough agents for the traffic
}

int StaffingRecursion::Advance() {
    while (!Step()) {
    }
    return k_;
}

StaffingRow StaffingRecursion::Measure(bool withWaiting) const {
    const double N = k_;
    const double A = A_;
    StaffingRow row;
    row.N = static_cast<std::int16_t>(k_);
    const double R = ck::Div(1.0, ck::Sub(N, A));
    const double E = ck::Mul(ck::Mul(term_, ck::Div(A, N)), ck::Div(N, ck::Sub(N, A)));
    row.P0 = ck::Div(E, ck::Add(sum_, E));
    row.DLYDLY = ck::Mul(handle_, R);
    row.ASA = ck::Mul(row.P0, row.DLYDLY);
    row.Q2 = ck::Mul(R, A);
    row.Q1 = ck::Mul(row.Q2, row.P0);
    row.SL = ck::Sub(1.0, ck::Div(row.P0, ck::Exp(ck::Div(ck::Div(slo_, handle_), R))));
    row.TKLD = ck::Div(ck::Mul(ck::Add(talk_, row.ASA), calls_), interval_);
    row.OCC = ck::Div(A, N);
    if (!withWaiting) return row;
    for (std::size_t i = 0; i < kWaitThresholds.size(); ++i) {
        const double t = kWaitThresholds[i];
        const double p = ck::Div(row.P0, ck::Exp(ck::Div(ck::Div(t, handle_), R)));
        double waiting = ck::Mul(calls_, p);
        if (waiting >= 0.1 && waiting < 0.5)
            waiting = 0.0;
        else if (waiting >= 0.5 && waiting < 1.0)
            waiting = 1.0;
        row.waiting[i] = waiting;
    }
    return row;
}

Result<StaffingMeasures, ErrorNumber> StaffingRecursion::Measures() const {
    const auto row = Row(false);
    if (!row) return Fail(row.Error());
    const StaffingRow& r = row.Value();
    return StaffingMeasures{r.N, r.P0, r.ASA, r.SL, r.OCC};
}

Result<void, ErrorNumber> StaffingRecursion::CheckWaiting() const {
    if (failed_) return Fail(*failed_);
    try {
        // The same steps as the longest threshold's count in Measure: its
        // exponent is the largest, so the others cannot overflow first.
        const double N = k_;
        const double R = ck::Div(1.0, ck::Sub(N, A_));
        ck::Exp(ck::Div(ck::Div(kWaitThresholds.back(), handle_), R));
        return {};
    } catch (const CalcError& e) {
        return Fail(e.Number());
    }
}

Result<void, ErrorNumber> ComputeStaffingRows(const StaffingInputs& in,
                                              const StaffingRowSink& sink) {
    StaffingRecursion recursion(in);
    for (;;) {
        if (const auto n = recursion.NextAgents(); !n) return Fail(n.Error());
        const auto row = recursion.Row();
        if (!row) return Fail(row.Error());
        sink(row.Value());
        if (row.Value().P0 <= kStaffingStopLimit) return {};
    }
}

}  // namespace corvane
