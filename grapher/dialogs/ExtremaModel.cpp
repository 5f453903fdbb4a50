#include "dialogs/ExtremaModel.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "project/FunctionProject.h"

ExtremaModel::ExtremaModel(const FunctionProject &project, const QLocale &locale)
    : m_extrema(ExtremaScan::run(project)),
      m_rows(HtmlReport::extremumRows(m_extrema, locale))
{
    // Without f' or f'' the scan finds nothing, which must not read as "no extrema".
    if (const int code = ExtremaScan::formFailure(project.fPrime()))
        m_failure = LangText("Diff", "f not differentiable") + QStringLiteral(": ") + ErrorMessage(code);
    else if (const int code = ExtremaScan::formFailure(project.fSecond()))
        m_failure = LangText("Diff1", "f' not differentiable") + QStringLiteral(": ") + ErrorMessage(code);
}

QString ExtremaModel::resultText() const
{
    if (!m_failure.isEmpty())
        return m_failure;
    const QString blank = QStringLiteral(" ");
    if (!m_extrema.isEmpty()) {
        return HtmlReport::extremaFoundLine(count()) + blank + LangText("ClickList", "Click the list for details.");
    }
    const QString paragraph = QStringLiteral("\n\n");
    return LangText("NoExtrema",
                    "No local extrema found. You can change the current interval or you may increase the number of "
                    "run steps. ")
        + paragraph + LangText("Locate", "Trevolin locates c as a local extrema if xmin<c<xmax and f'(c) exists.")
        + paragraph
        + LangText("If", "If f is a continuous function on [xmin,xmax], then f has both an absolute maximum value and "
                         "an absolute minimum value.");
}
