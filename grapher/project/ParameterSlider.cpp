#include "project/ParameterSlider.h"

#include "core/NumberFormat.h"
#include "core/NumberReader.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

bool SliderRange::isValid() const { return std::isfinite(low) && std::isfinite(high) && low < high; }

SliderRange ParameterSlider::defaultRange(double v)
{
    if (!std::isfinite(v))
        v = 0;
    const double s = std::max(1.0, std::fabs(v));
    return {v - s, v + s};
}

int ParameterSlider::position(const SliderRange &range, double v)
{
    if (!range.isValid() || std::isnan(v))
        return 0;
    const double t = (v - range.low) / (range.high - range.low) * Steps;
    return static_cast<int>(std::lround(std::clamp(t, 0.0, double(Steps))));
}

double ParameterSlider::value(const SliderRange &range, int position)
{
    if (position <= 0)
        return range.low;
    if (position >= Steps)
        return range.high;
    return range.low + (range.high - range.low) * position / Steps;
}

QString ParameterSlider::valueText(double v, const SliderRange &range)
{
    const double step = range.isValid() ? (range.high - range.low) / Steps : 1;
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 0, 15);
    QString text = QString::number(v, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

namespace {

const QRegularExpression &pairPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*(\\S.*?)\\s*$"));
    return pattern;
}

} // namespace

QVector<ParameterValue> ParameterSlider::parse(const QString &text)
{
    QVector<ParameterValue> values;
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const QRegularExpressionMatch match = pairPattern().match(part);
        if (!match.hasMatch())
            continue;
        bool overflow = false;
        int consumed = 0;
        const QString number = match.captured(2);
        const double v = NumberReader::parseNumberPrefix(number, &overflow, &consumed);
        if (overflow || consumed != number.size() || !std::isfinite(v))
            continue;
        values.append({match.captured(1), v});
    }
    return values;
}

QString ParameterSlider::withValue(const QString &text, const QString &name, const QString &valueText)
{
    QStringList parts = text.split(QLatin1Char(';'));
    for (QString &part : parts) {
        const QRegularExpressionMatch match = pairPattern().match(part);
        if (match.hasMatch() && match.captured(1) == name) {
            part.replace(match.capturedStart(2), match.capturedLength(2), valueText);
            return parts.join(QLatin1Char(';'));
        }
    }
    while (!parts.isEmpty() && parts.last().trimmed().isEmpty())
        parts.removeLast();
    parts.append((parts.isEmpty() ? QString() : QStringLiteral(" ")) + name + QLatin1Char('=') + valueText);
    return parts.join(QLatin1Char(';'));
}

QString ParameterSlider::rangeText(const SliderRange &range)
{
    return NumberFormat::fileNumber(range.low) + QLatin1Char(';') + NumberFormat::fileNumber(range.high);
}

bool ParameterSlider::readRange(const QString &text, SliderRange &range)
{
    const QStringList ends = text.split(QLatin1Char(';'));
    if (ends.size() != 2)
        return false;
    SliderRange read;
    for (int i = 0; i < 2; ++i) {
        const QString end = ends.at(i).trimmed();
        bool overflow = false;
        int consumed = 0;
        const double v = NumberReader::parseNumberPrefix(end, &overflow, &consumed);
        if (end.isEmpty() || overflow || consumed != end.size())
            return false;
        (i == 0 ? read.low : read.high) = v;
    }
    if (!read.isValid())
        return false;
    range = read;
    return true;
}
