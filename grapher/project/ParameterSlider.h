#pragma once
// The arithmetic behind the parameter sliders, free of widgets: a slider's range, the mapping
// between a value and one of the Steps + 1 positions, and the parameters text ("a=2; b=4")
// read into names and values and written back with one value changed.
#include <QString>
#include <QVector>

struct SliderRange {
    double low = 0;
    double high = 0;
    bool isValid() const;   // finite ends with low < high
    bool operator==(const SliderRange &other) const { return low == other.low && high == other.high; }
};

struct ParameterValue {
    QString name;
    double value = 0;
};

class ParameterSlider {
public:
    static constexpr int Steps = 1000;

    // [v - s, v + s] with s = max(1, |v|).
    static SliderRange defaultRange(double v);
    // The position nearest to v, clamped to [0, Steps]; 0 for an invalid range.
    static int position(const SliderRange &range, double v);
    // The value at a position; the ends give exactly low and high.
    static double value(const SliderRange &range, int position);
    // A value as the parameters text writes it: plain decimals (the engine reads "e" as the
    // number e, so no exponent), as many as a step of the range needs.
    static QString valueText(double v, const SliderRange &range);

    // The "name=value" pairs of a parameters text in their order; pairs that are not a name
    // and a number are left out.
    static QVector<ParameterValue> parse(const QString &text);
    // The text with `name`'s value replaced by `valueText` (appended when it is missing); the
    // other pairs stay as they were written.
    static QString withValue(const QString &text, const QString &name, const QString &valueText);
    // "low;high" and back, as the project file keeps a range; false for anything else.
    static QString rangeText(const SliderRange &range);
    static bool readRange(const QString &text, SliderRange &range);
};
