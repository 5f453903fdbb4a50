#pragma once
// The two HTML reports of a project, as text: the roots that the graph window lists and the
// local extrema of the extrema dialog. Both share one layout (title, the equation with its
// parameters and interval, a count, a table, a credit line); the roots table has no header and
// no type column.
//
// Every text inserted into the document (function text, parameters, numbers, the words of the
// current language) has "&", "<" and ">" escaped, and the document declares its character set,
// so a browser always shows it as written. The file holds the document as UTF-8 followed by
// CR LF.
#include "analysis/ExtremaScan.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>

class FunctionProject;

enum class ReportKind { Roots, Extrema };

// One row of the extrema list as the dialog shows it and the report writes it.
struct ExtremumRow {
    QString x;
    QString value;   // f(x)
    QString type;    // "Minimum" or "Maximum" in the current language
};

class HtmlReport {
public:
    // Numbers in both reports and lists: rounded to 8 decimals, halves to even.
    static constexpr int Decimals = 8;

    // The texts of one extremum in the user's locale.
    // "One root found." or "3 roots found."; "1 local extremum found." or "3 local extrema found.",
    // as reports and result labels count what a scan found.
    static QString rootsFoundLine(int count);
    static QString extremaFoundLine(int count);

    static ExtremumRow extremumRow(const Extremum &extremum, const QLocale &locale = QLocale());
    static QVector<ExtremumRow> extremumRows(const QVector<Extremum> &extrema, const QLocale &locale = QLocale());

    // The name the save dialog proposes (without extension): the report's title word, a blank,
    // the function text and, with parameters, " [a=1; b=2]"; every "*" becomes a blank and every
    // "/" a "%", so that the name is one valid file name.
    static QString proposedFileName(const FunctionProject &project, ReportKind kind);

    // The documents. `rootTexts` are the roots list's entries (all of them, checked or not).
    static QString rootsDocument(const FunctionProject &project, const QStringList &rootTexts,
                                 const QLocale &locale = QLocale());
    static QString extremaDocument(const FunctionProject &project, const QVector<ExtremumRow> &rows,
                                   const QLocale &locale = QLocale());

    // The bytes of the report file for a document.
    static QByteArray fileBytes(const QString &document);

    // `text` with "&", "<" and ">" written as entities.
    static QString escaped(const QString &text);

    // The project's parameter list as the engine prints it, without the closing "; " (empty
    // without parameters).
    static QString parameterText(const FunctionProject &project);
};
