#pragma once
// The local extrema of f on the project's interval. With h = (b - a) / steps the derivative is
// sampled from a - h to b + h (so extrema at the ends of the interval are caught); where f'
// changes sign the engine's root finder refines the zero of f' (with f'' as its derivative),
// and the point counts when f is defined there and f' has opposite signs half a step to either
// side. A value that is not >= 0 counts as negative, NaN included. A zero of f' without a sign
// change (an inflection) is no extremum.
#include <QVector>
#include <QtGlobal>

class Expression;
class FunctionProject;

struct Extremum {
    double x = 0;
    double y = 0;
    bool isMinimum = false;
};

class ExtremaScan {
public:
    // The extrema in ascending x. None when f' or f'' could not be formed: callers ask
    // formFailure first, so that this is not taken for "no extremum".
    static QVector<Extremum> run(const FunctionProject &project);

    // The engine's code when it could not form `derivative` (a derivative too large to hold, or
    // none at all), else 0. Such an expression reports its code, always negative, at any x.
    static int formFailure(const Expression &derivative);
};
