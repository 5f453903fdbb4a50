#include "analysis/ProperIntegral.h"

#include "core/Expression.h"
#include "core/LangText.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How many of the sharpest places are examined, and how far each is narrowed down.
constexpr int Candidates = 4;
constexpr int NarrowingSteps = 160;
// |f| at least 1.95 times larger at each halving of the distance: growth like 1/|x - p|, with a
// little room for a smooth part of f that has not yet faded against the pole.
constexpr double GrowthPerHalving = 1.95;
constexpr int Halvings = 16;
// The engine's codes for a value beyond the double range and a division by zero: reached
// while approaching the point, they are the growth without bound itself.
constexpr int OverflowCode = 31;
constexpr int DivisionByZeroCode = 32;

constexpr double Infinity = std::numeric_limits<double>::infinity();

// |f(x)|, with every point where f cannot be evaluated counted as infinitely large, so that
// the narrowing is drawn towards a pole that lies exactly on one of its points.
double magnitude(const Expression &f, double x)
{
    qint32 code = 0;
    const double value = f.evaluate(x, code);
    return code != 0 || !std::isfinite(value) ? Infinity : std::fabs(value);
}

// The point of [left, right] where |f| is largest (golden-section search), and the width of
// the last bracket.
double narrowDown(const Expression &f, double left, double right, double &width)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double m1 = right - ratio * (right - left);
    double m2 = left + ratio * (right - left);
    double v1 = magnitude(f, m1);
    double v2 = magnitude(f, m2);
    for (int i = 0; i < NarrowingSteps && m1 < m2; ++i) {
        if (v1 >= v2) {
            right = m2;
            m2 = m1;
            v2 = v1;
            m1 = right - ratio * (right - left);
            v1 = magnitude(f, m1);
        } else {
            left = m1;
            m1 = m2;
            v1 = v2;
            m2 = left + ratio * (right - left);
            v2 = magnitude(f, m2);
        }
    }
    width = right - left;
    return v1 >= v2 ? m1 : m2;
}

// Whether |f| grows without bound towards c from one side, within [a, b].
bool growsTowards(const Expression &f, double c, double closest, double a, double b, double side)
{
    double previous = 0;
    for (int k = Halvings; k >= 0; --k) {
        const double x = c + side * std::ldexp(closest, k);
        if (x < a || x > b)
            return false;
        qint32 code = 0;
        const double value = std::fabs(f.evaluate(x, code));
        if (code == OverflowCode || code == DivisionByZeroCode || (code == 0 && !std::isfinite(value)))
            return true;
        if (code != 0 || !(value > 0) || (k < Halvings && !(value >= GrowthPerHalving * previous)))
            return false;
        previous = value;
    }
    return true;
}

bool isPole(const Expression &f, double c, double width, double a, double b)
{
    const double resolution = std::max(width, std::nextafter(std::fabs(c), Infinity) - std::fabs(c));
    // Far enough from c that the pole's own position (known to about `resolution`) no longer
    // matters, and not so close that a power of the distance leaves the double range.
    const double closest = std::max(1024 * resolution, 1e-30 * (b - a));
    return growsTowards(f, c, closest, a, b, 1) || growsTowards(f, c, closest, a, b, -1);
}

} // namespace

IntegralOutcome ProperIntegral::compute(const Expression &f, double a, double b)
{
    IntegralOutcome outcome;
    outcome.value = f.integrate(a, b, &outcome.code);
    if (const std::optional<double> pole = findPole(f, a, b)) {
        outcome.pole = true;
        outcome.poleX = *pole;
    }
    return outcome;
}

std::optional<double> ProperIntegral::findPole(const Expression &f, double a, double b)
{
    const double h = (b - a) / Samples;
    if (f.isNull() || !(a < b) || !std::isfinite(h) || h <= 0)
        return std::nullopt;

    QVector<double> x(Samples + 1), y(Samples + 1);
    QVector<bool> defined(Samples + 1);
    for (int i = 0; i <= Samples; ++i) {
        x[i] = i == Samples ? b : a + i * h;
        qint32 code = 0;
        y[i] = f.evaluate(x[i], code);
        defined[i] = code == 0 && std::isfinite(y[i]);
    }
    // How sharply f bends at each sample; a sample where f is undefined comes first.
    QVector<std::pair<double, int>> sharpness;
    for (int i = 0; i <= Samples; ++i) {
        double bend = 0;
        if (!defined[i])
            bend = Infinity;
        else if (i > 0 && i < Samples && defined[i - 1] && defined[i + 1])
            bend = std::fabs(y[i] - (y[i - 1] + y[i + 1]) / 2);
        sharpness.append({bend, i});
    }
    const int examined = std::min(Candidates, int(sharpness.size()));
    std::partial_sort(sharpness.begin(), sharpness.begin() + examined, sharpness.end(),
                      [](const auto &p, const auto &q) { return p.first > q.first; });
    for (int n = 0; n < examined; ++n) {
        const int i = sharpness.at(n).second;
        if (sharpness.at(n).first == 0)
            break;
        double width = 0;
        const double c = narrowDown(f, x[std::max(0, i - 1)], x[std::min(Samples, i + 1)], width);
        if (isPole(f, c, width, a, b))
            return c;
    }
    return std::nullopt;
}

QString ProperIntegral::poleMessage(const QString &xText)
{
    return LangText("NoIntegral", "The integral does not converge: f has a pole near x = %1.").arg(xText);
}
