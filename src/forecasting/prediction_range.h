#pragma once

#include "forecasting/call_history.h"
#include "forecasting/methods.h"

namespace corvane::forecasting {

// How far an interval's calls stray from their forecast: variance =
// forecast + dispersion x forecast², the Poisson variance of the calls plus
// the error of the forecast itself. The dispersion is measured on the
// history: the method is fitted up to each of the last four weeks' starts
// and its forecast of the weeks after compared with what came.
double MeasuredDispersion(const CallHistory& history, Method method);

// The central `percent` range of calls for a forecast of `calls`, from a
// gamma distribution of that mean and variance.
void CallRange(double calls, double dispersion, double percent, double& low, double& high);

}  // namespace corvane::forecasting
