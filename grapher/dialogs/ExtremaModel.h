#pragma once
// What the extrema dialog shows, without the dialog: the local extrema of a project (scanned
// once, when the model is made) as the rows of the list, the summary or the explanation when
// there are none.
#include "analysis/HtmlReport.h"

#include <QLocale>
#include <QString>
#include <QVector>

class FunctionProject;

class ExtremaModel {
public:
    // Scans `project`; the rows' numbers are written in `locale`.
    explicit ExtremaModel(const FunctionProject &project, const QLocale &locale = QLocale());

    int count() const { return static_cast<int>(m_extrema.size()); }
    const QVector<Extremum> &extrema() const { return m_extrema; }
    // The list's rows, in ascending x.
    const QVector<ExtremumRow> &rows() const { return m_rows; }

    // The result label: the count and how to use the list, or, with no extremum, why there may
    // be none (three sentences separated by blank lines), or that f' or f'' could not be formed
    // (with the engine's message).
    QString resultText() const;

private:
    QString m_failure;
    QVector<Extremum> m_extrema;
    QVector<ExtremumRow> m_rows;
};
