#include "analysis/HtmlReport.h"

#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "core/WebAddresses.h"
#include "project/FunctionProject.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

QString number(double value, const QLocale &locale)
{
    return NumberFormat::roundedText(value, HtmlReport::Decimals, locale);
}

// Everything up to the table of results: title, style, the equation, its parameters and
// interval, and the count of rows.
QString documentHead(const FunctionProject &project, const QString &title, const QString &countLine,
                     const QLocale &locale)
{
    const QString function = HtmlReport::escaped(project.functionText());
    const QString parameters = HtmlReport::escaped(HtmlReport::parameterText(project));
    QString text = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>") + HtmlReport::escaped(title)
        + QStringLiteral(": ") + function + QStringLiteral(" = 0</title>");
    text += QStringLiteral("<style type=\"text/css\">")
        + QStringLiteral("td {margin: 10px; padding: 10px; border: 1px solid lightgray;}")
        + QStringLiteral("td, p {font-family:  Verdana, Tahoma, sans-serif;}")
        + QStringLiteral("body {margin: 40px 3% 20px 3%;} </style></head><body>");
    text += QStringLiteral("<table><tr><td>") + function + QStringLiteral(" = 0 </td></tr>");
    if (!parameters.isEmpty())
        text += QStringLiteral("<tr><td>") + parameters + QStringLiteral("</td></tr>");
    text += QStringLiteral("<tr><td><strong>[") + HtmlReport::escaped(number(project.xMin(), locale))
        + QStringLiteral("; ") + HtmlReport::escaped(number(project.xMax(), locale))
        + QStringLiteral("]</strong></td></tr></table>");
    text += QStringLiteral("<p style=\"margin-top:40px;\">") + HtmlReport::escaped(countLine)
        + QStringLiteral("</p><table>");
    return text;
}

// The credit line: a link to the product's site, or plain text while the build has no site.
QString credit()
{
    if (!WebAddresses::hasProductSite()) {
        return HtmlReport::escaped(LangText("ReportCredit", "Made with") + QStringLiteral(" Trevolin ")
                                   + FullVersionText());
    }
    return HtmlReport::escaped(LangText("ReportCredit", "Made with")) + QStringLiteral(" <a href=\"")
        + HtmlReport::escaped(WebAddresses::productSite()) + QStringLiteral("\">")
        + HtmlReport::escaped(LangText("ReportLink", "Trevolin, free equation solver")) + QStringLiteral("</a>.");
}

} // namespace

QString HtmlReport::rootsFoundLine(int count)
{
    if (count == 1)
        return LangText("OneRootFound", "One root found.");
    return QString::number(count) + QLatin1Char(' ') + LangText("RootsFound", "roots found.");
}

QString HtmlReport::extremaFoundLine(int count)
{
    return QString::number(count) + QLatin1Char(' ')
        + (count == 1 ? LangText("OneExtremum", "local extremum found.")
                      : LangText("LocalExtrema", "local extrema found."));
}

ExtremumRow HtmlReport::extremumRow(const Extremum &extremum, const QLocale &locale)
{
    return {number(extremum.x, locale), number(extremum.y, locale),
            extremum.isMinimum ? LangText("Min", "Minimum") : LangText("Max", "Maximum")};
}

QVector<ExtremumRow> HtmlReport::extremumRows(const QVector<Extremum> &extrema, const QLocale &locale)
{
    QVector<ExtremumRow> rows;
    rows.reserve(extrema.size());
    for (const Extremum &extremum : extrema)
        rows.append(extremumRow(extremum, locale));
    return rows;
}

QString HtmlReport::parameterText(const FunctionProject &project)
{
    QString text = project.f().parameters();
    text.chop(2);
    return text;
}

QString HtmlReport::proposedFileName(const FunctionProject &project, ReportKind kind)
{
    QString name = project.functionText();
    const QString parameters = parameterText(project);
    if (!parameters.isEmpty())
        name += QStringLiteral(" [") + parameters + QLatin1Char(']');
    name.replace(QLatin1Char('*'), QLatin1Char(' '));
    name.replace(QLatin1Char('/'), QLatin1Char('%'));
    const QString word = kind == ReportKind::Extrema ? LangText("FindExtrema", "Find extrema")
                                                     : LangText("FindRoots", "Find roots");
    return word + QLatin1Char(' ') + name;
}

QString HtmlReport::rootsDocument(const FunctionProject &project, const QStringList &rootTexts, const QLocale &locale)
{
    QString text = documentHead(project, LangText("Solve", "Solve an equation"),
                                rootsFoundLine(static_cast<int>(rootTexts.size())), locale);
    text += LineEnd;
    for (int i = 0; i < rootTexts.size(); ++i) {
        text += QStringLiteral("<tr><td><strong>x<sub>") + QString::number(i + 1)
            + QStringLiteral("</sub></strong></td><td>") + escaped(rootTexts.at(i)) + QStringLiteral("</td></tr>")
            + LineEnd;
    }
    text += QStringLiteral("</table><p style=\"margin-top:30px;font-size:smaller;\">") + credit()
        + QStringLiteral(" </body></html>");
    return text;
}

QString HtmlReport::extremaDocument(const FunctionProject &project, const QVector<ExtremumRow> &rows,
                                    const QLocale &locale)
{
    QString text = documentHead(project, LangText("FindExtrema", "Find extrema"),
                                extremaFoundLine(static_cast<int>(rows.size())), locale);
    text += QStringLiteral("<tr><td><strong>x</strong></td><td><strong>f(x)</strong></td><td><strong>")
        + escaped(LangText("Type", "Type")) + QStringLiteral("</strong></td></tr>");
    for (const ExtremumRow &row : rows) {
        text += QStringLiteral("<tr><td>") + escaped(row.x) + QStringLiteral("</td><td>") + escaped(row.value)
            + QStringLiteral("</td><td>") + escaped(row.type) + QStringLiteral("</td></tr>") + LineEnd;
    }
    text += QStringLiteral("</table><p style=\"margin-top:30px; font-size:smaller;\">") + credit()
        + QStringLiteral("</body></html>");
    return text;
}

QByteArray HtmlReport::fileBytes(const QString &document) { return (document + LineEnd).toUtf8(); }

QString HtmlReport::escaped(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            result += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            result += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            result += QStringLiteral("&gt;");
        else
            result += c;
    }
    return result;
}
