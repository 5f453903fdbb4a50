#include "analysis/PointReadout.h"

#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"

PointValues PointReadout::pointValues(const FunctionProject &f, double x, int decimals)
{
    PointValues values;
    values.x = NumberFormat::roundedText(x, decimals);
    qint32 error = 0;
    const double y = f.f().evaluate(x, error);
    values.value = error == 0 ? NumberFormat::roundedText(y, decimals) : LangText("Error", "Error");
    const double slope = f.fPrime().evaluate(x, error);
    values.derivative = error == 0 ? NumberFormat::roundedText(slope, decimals) : LangText("Diff", "f not differentiable");
    return values;
}

PointValues PointReadout::pointValues(const FunctionProject &f, double x)
{
    return pointValues(f, x, programSettings().Decimals);
}

QString PointReadout::toolTipText(double x, double y)
{
    return QStringLiteral("x = ") + NumberFormat::roundedText(x, ToolTipDecimals) + QStringLiteral("   y = ")
        + NumberFormat::roundedText(y, ToolTipDecimals);
}
