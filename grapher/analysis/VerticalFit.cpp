#include "analysis/VerticalFit.h"

#include "core/Expression.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VerticalFit {

bool fittedRange(const Expression &f, double a, double b, int samples, double minLength, double &yMin, double &yMax)
{
    if (f.isNull() || samples <= 0 || !(a < b) || !std::isfinite(a) || !std::isfinite(b))
        return false;
    std::vector<double> values;
    values.reserve(static_cast<size_t>(samples) + 1);
    const double step = (b - a) / samples;
    for (int i = 0; i <= samples; ++i) {
        qint32 error = 0;
        const double y = f.evaluate(a + i * step, error);
        if (error == 0 && std::isfinite(y))
            values.push_back(y);
    }
    if (values.empty())
        return false;
    std::sort(values.begin(), values.end());
    const auto at = [&](double fraction) {
        return values[static_cast<size_t>(std::lround(fraction * static_cast<double>(values.size() - 1)))];
    };
    double low = at(LowPercentile), high = at(HighPercentile);
    const double pad = Padding * (high - low);
    low -= pad;
    high += pad;
    if (high - low < minLength) {
        const double centre = low / 2 + high / 2;
        low = centre - minLength / 2;
        high = centre + minLength / 2;
    }
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high))
        return false;
    yMin = low;
    yMax = high;
    return true;
}

bool fitProject(FunctionProject &project)
{
    double low = 0, high = 0;
    if (!fittedRange(project.f(), project.xMin(), project.xMax(), DefaultSamples, programSettings().MinLen, low, high))
        return false;
    project.setYMin(low);
    project.setYMax(high);
    return true;
}

} // namespace VerticalFit
