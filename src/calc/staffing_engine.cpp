#include "calc/staffing_engine.h"

#include "calc/checked_math.h"

namespace corvane {

namespace ck = checked;

void ComputeStaffingRows(const StaffingInputs& in, const StaffingRowSink& sink) {
    const int H = ck::Int16(static_cast<long>(in.talk) + in.acw);
    const double talk = in.talk;
    const double calls = in.calls;
    const double handle = H;
    const double slo = in.slo;
    const double A = ck::Div(ck::Mul(calls, handle), 1800.0);

    double term = 1.0;
    double sum = 1.0;
    int k = 1;
    for (;;) {
        // The product first, then the division: this order sets where the
        // usable traffic ends (a little above 707 Erlangs).
        term = ck::Div(ck::Mul(A, term), k);
        sum = ck::Add(sum, term);
        k = ck::Int16(static_cast<long>(k) + 1);
        const double N = k;
        if (N <= A) continue;  // too few agents to carry the traffic

        StaffingRow row;
        row.N = static_cast<std::int16_t>(k);
        const double R = ck::Div(1.0, ck::Sub(N, A));
        const double E = ck::Mul(ck::Mul(term, ck::Div(A, N)), ck::Div(N, ck::Sub(N, A)));
        row.P0 = ck::Div(E, ck::Add(sum, E));
        row.DLYDLY = ck::Mul(handle, R);
        row.ASA = ck::Mul(row.P0, row.DLYDLY);
        row.Q2 = ck::Mul(R, A);
        row.Q1 = ck::Mul(row.Q2, row.P0);
        row.SL = ck::Sub(1.0, ck::Div(row.P0, ck::Exp(ck::Div(ck::Div(slo, handle), R))));
        row.TKLD = ck::Div(ck::Mul(ck::Add(talk, row.ASA), calls), 1800.0);
        row.OCC = ck::Div(A, N);
        for (std::size_t i = 0; i < WaitThresholds.size(); ++i) {
            const double t = WaitThresholds[i];
            const double p = ck::Div(row.P0, ck::Exp(ck::Div(ck::Div(t, handle), R)));
            double waiting = ck::Mul(calls, p);
            if (waiting >= 0.1 && waiting < 0.5) waiting = 0.0;
            else if (waiting >= 0.5 && waiting < 1.0) waiting = 1.0;
            row.Waiting[i] = waiting;
        }
        sink(row);
        if (row.P0 <= kStaffingStopLimit) return;
    }
}

}  // namespace corvane
