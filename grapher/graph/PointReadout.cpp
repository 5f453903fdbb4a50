#include "PointReadout.h"

#include "EngineBinding.h"
#include "LangText.h"
#include "NumberText.h"
#include "ProgramSettings.h"
#include "cFunctie.h"

PointValues PointReadout::ShowPointValues(const cFunctie &f, double x, int decimals)
{
    PointValues values;
    values.x = NumberText::roundedText(x, decimals);
    const trev::EngineApi &engine = trev::engine();
    qint32 error = 0;
    const double y = engine.EvalTree(f.nume(), x, &error);
    values.value = error == 0 ? NumberText::roundedText(y, decimals) : LangText("Error", "Error");
    error = 0;
    const double slope = engine.EvalTree(f.nume1(), x, &error);
    values.derivative = error == 0 ? NumberText::roundedText(slope, decimals) : LangText("Diff", "f not differentiable");
    return values;
}

PointValues PointReadout::ShowPointValues(const cFunctie &f, double x)
{
    return ShowPointValues(f, x, programSettings().Decimals);
}

QString PointReadout::ToolTipText(double x, double y)
{
    return QStringLiteral("x = ") + NumberText::roundedText(x, ToolTipDecimals) + QStringLiteral("   y = ")
        + NumberText::roundedText(y, ToolTipDecimals);
}
