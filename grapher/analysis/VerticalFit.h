#pragma once
// The vertical range that fits a curve over [a, b]: from `samples` + 1 evenly spaced values of
// f, the 2nd to the 98th percentile of the finite ones (so a pole's huge values do not flatten
// the rest), widened by 10 % of its height on each side and to at least `minLength`, centred.
// False, with the range untouched, when f has no finite value there.
class Expression;
class FunctionProject;

namespace VerticalFit {

constexpr double LowPercentile = 0.02;
constexpr double HighPercentile = 0.98;
constexpr double Padding = 0.1;
constexpr int DefaultSamples = 1000;

bool fittedRange(const Expression &f, double a, double b, int samples, double minLength, double &yMin, double &yMax);

// The project's y range fitted to its curve over its x interval (MinLen from the settings).
bool fitProject(FunctionProject &project);

} // namespace VerticalFit
