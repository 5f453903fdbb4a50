#pragma once
// The sliders under the graph window's parameters box: one row per parameter with its name,
// the low end of its range, the slider (ParameterSlider::Steps steps), the high end and the
// value. A double-click on an end asks for a new one. Moving a slider rewrites the parameters
// text with the new value and announces it; a text typed in the box moves the sliders.
#include "project/ParameterSlider.h"

#include <QVector>
#include <QWidget>

class FunctionProject;
class QGridLayout;
class QLabel;
class QSlider;

class ParameterSliders : public QWidget {
    Q_OBJECT
public:
    explicit ParameterSliders(QWidget *parent = nullptr);

    // The project whose ranges the sliders use and keep (null: no rows).
    void setProject(FunctionProject *project) { m_project = project; }

    // Follows a parameters text: a row per parameter in it, each slider at its value. A
    // parameter that keeps its name keeps its range unless the value has left it.
    void followText(const QString &text);

    // Sets one end of a parameter's range as a double-click on it would; false when the
    // range would not be a proper interval.
    bool setRangeEnd(const QString &name, bool high, double value);

    int rowCount() const { return m_rows.size(); }
    QSlider *slider(int row) const { return m_rows.at(row).slider; }
    QLabel *valueLabel(int row) const { return m_rows.at(row).value; }
    SliderRange range(int row) const { return m_rows.at(row).range; }

signals:
    // The parameters text after a slider moved.
    void parametersChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row {
        QString name;
        SliderRange range;
        QLabel *caption = nullptr;
        QLabel *low = nullptr;
        QSlider *slider = nullptr;
        QLabel *high = nullptr;
        QLabel *value = nullptr;
    };
    void rebuild(const QVector<ParameterValue> &values);
    void showRow(Row &row, double value);
    void sliderMoved(int row, int position);
    void editEnd(int row, bool high);

    FunctionProject *m_project = nullptr;
    QGridLayout *m_grid;
    QVector<Row> m_rows;
    QString m_text;
    bool m_following = false;   // true while the sliders are set from the text
};
