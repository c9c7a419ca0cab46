// Many staffing recursions stepped and measured side by side. Each lane
// does exactly the arithmetic its own call does, in the same order, so the
// results are the same bits; the work of different lanes overlaps, two at
// a time in the vector unit and several in flight.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calc/staffing_engine.h"

namespace corvane {

namespace {

// Two doubles: every 64-bit processor adds, multiplies and divides two at
// once, each result rounded as the scalar operation rounds it.
using Pair = double __attribute__((vector_size(16)));
using PairMask = std::int64_t __attribute__((vector_size(16)));

constexpr std::size_t kPairs = 4;  // lanes stepped at once: 2 * kPairs
constexpr std::size_t kLanes = 2 * kPairs;

// All ones where x is an infinity or not a number: x - x is then NaN.
PairMask NotFinite(Pair x) { return (x - x) != 0.0; }

constexpr double kLastCount = 32767.0;  // the 16-bit counter's last value

}  // namespace

void StaffingRecursion::NextAgentsTogether(StaffingRecursion* const* recursions,
                                           std::size_t count,
                                           std::vector<Result<int, ErrorNumber>>& agents) {
    for (std::size_t first = 0; first < count; first += kLanes) {
        const std::size_t n = std::min(kLanes, count - first);
        // The steps each lane takes are known beforehand: up to the first
        // count above its traffic, at least one. The lanes step together
        // as far as the nearest end, where a lane that is through leaves
        // (its slot then steps zeros), and on to the next end.
        StaffingRecursion* lane[kLanes] = {};
        double left[kLanes] = {};
        Pair A[kPairs] = {}, term[kPairs] = {}, sum[kPairs] = {}, k[kPairs] = {};
        for (std::size_t i = 0; i < n; ++i) {
            StaffingRecursion* r = recursions[first + i];
            if (r->failed_) continue;
            const double end = std::max(static_cast<double>(r->k_) + 1.0, std::floor(r->A_) + 1.0);
            if (end > kLastCount) {  // the 16-bit counter would overflow on the way
                r->failed_ = kErrOverflow;
                continue;
            }
            lane[i] = r;
            left[i] = end - r->k_;
            A[i / 2][i % 2] = r->A_;
            term[i / 2][i % 2] = r->term_;
            sum[i / 2][i % 2] = r->sum_;
            k[i / 2][i % 2] = r->k_;
        }
        for (;;) {
            double steps = 0;
            for (std::size_t i = 0; i < n; ++i)
                if (left[i] > 0 && (steps == 0 || left[i] < steps)) steps = left[i];
            if (steps == 0) break;
            for (double s = 0; s < steps; ++s) {
                // Step's arithmetic: the product first, then the division.
                term[0] = A[0] * term[0] / k[0];
                term[1] = A[1] * term[1] / k[1];
                term[2] = A[2] * term[2] / k[2];
                term[3] = A[3] * term[3] / k[3];
                sum[0] += term[0];
                sum[1] += term[1];
                sum[2] += term[2];
                sum[3] += term[3];
                k[0] += 1.0;
                k[1] += 1.0;
                k[2] += 1.0;
                k[3] += 1.0;
            }
            for (std::size_t i = 0; i < n; ++i) {
                if (left[i] == 0) continue;
                left[i] -= steps;
                if (left[i] > 0) continue;
                // An infinity or NaN, once there, stays in the sum: a step
                // on the way failed, as the checked steps would have found.
                StaffingRecursion* r = lane[i];
                const double through = sum[i / 2][i % 2];
                if (std::isfinite(through)) {
                    r->term_ = term[i / 2][i % 2];
                    r->sum_ = through;
                    r->k_ = static_cast<int>(k[i / 2][i % 2]);
                } else {
                    r->failed_ = kErrOverflow;
                }
                A[i / 2][i % 2] = 0;
                term[i / 2][i % 2] = 0;
                sum[i / 2][i % 2] = 0;
            }
        }
    }
    agents.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const StaffingRecursion* r = recursions[i];
        agents.push_back(r->failed_ ? Result<int, ErrorNumber>(Fail(*r->failed_))
                                    : Result<int, ErrorNumber>(r->k_));
    }
}

void StaffingRecursion::RowsTogether(const StaffingRecursion* const* recursions,
                                     std::size_t count,
                                     std::vector<Result<StaffingMeasures, ErrorNumber>>& rows) {
    rows.clear();
    for (std::size_t first = 0; first < count; first += 2) {
        const StaffingRecursion* pair[2] = {recursions[first],
                                            recursions[std::min(first + 1, count - 1)]};
        Pair N{}, A{}, term{}, sum{}, handle{}, slo{}, talk{}, calls{}, interval{};
        for (int i = 0; i < 2; ++i) {
            const StaffingRecursion& r = *pair[i];
            N[i] = r.k_;
            A[i] = r.A_;
            term[i] = r.term_;
            sum[i] = r.sum_;
            handle[i] = r.handle_;
            slo[i] = r.slo_;
            talk[i] = r.talk_;
            calls[i] = r.calls_;
            interval[i] = r.interval_;
        }
        // Measure's steps, every intermediate checked as its checked
        // arithmetic checks it.
        PairMask bad = {};
        const auto keep = [&bad](Pair x) {
            bad |= NotFinite(x);
            return x;
        };
        const Pair room = keep(N - A);
        const Pair R = keep(1.0 / room);
        const Pair E = keep(keep(term * keep(A / N)) * keep(N / room));
        const Pair p0 = keep(E / keep(sum + E));
        const Pair delayed = keep(handle * R);
        const Pair asa = keep(p0 * delayed);
        // The queue lengths and the trunk load are only checked, as
        // Measure checks them: the search compares none of them.
        keep(keep(R * A) * p0);
        const Pair exponent = keep(keep(slo / handle) / R);
        const Pair grows = keep(Pair{std::exp(exponent[0]), std::exp(exponent[1])});
        const Pair sl = keep(1.0 - keep(p0 / grows));
        keep(keep(keep(talk + asa) * calls) / interval);
        const Pair occupancy = keep(A / N);
        for (int i = 0; i < 2 && first + static_cast<std::size_t>(i) < count; ++i) {
            if (pair[i]->failed_ || bad[i])
                rows.push_back(pair[i]->Measures());  // the failure, as it comes alone
            else
                rows.push_back(StaffingMeasures{pair[i]->k_, p0[i], asa[i], sl[i], occupancy[i]});
        }
    }
}

}  // namespace corvane
