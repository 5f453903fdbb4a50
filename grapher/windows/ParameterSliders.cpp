#include "windows/ParameterSliders.h"

#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"
#include "project/FunctionProject.h"

#include <QEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QSlider>

ParameterSliders::ParameterSliders(QWidget *parent) : QWidget(parent), m_grid(new QGridLayout(this))
{
    setObjectName(QStringLiteral("ParameterSliders"));
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setVerticalSpacing(0);
    m_grid->setColumnStretch(2, 1);
}

void ParameterSliders::followText(const QString &text)
{
    m_text = text;
    const QVector<ParameterValue> values = ParameterSlider::parse(text);
    bool sameNames = values.size() == m_rows.size();
    for (int i = 0; sameNames && i < values.size(); ++i)
        sameNames = values.at(i).name == m_rows.at(i).name;
    if (!sameNames) {
        rebuild(values);
        return;
    }
    for (int i = 0; i < values.size(); ++i) {
        Row &row = m_rows[i];
        const double v = values.at(i).value;
        // A value typed outside the range widens nothing the user set; it gets a range of its own.
        if (v < row.range.low || v > row.range.high)
            row.range = ParameterSlider::defaultRange(v);
        showRow(row, v);
    }
}

void ParameterSliders::rebuild(const QVector<ParameterValue> &values)
{
    for (const Row &row : std::as_const(m_rows)) {
        for (QWidget *widget : {static_cast<QWidget *>(row.caption), static_cast<QWidget *>(row.low),
                                static_cast<QWidget *>(row.slider), static_cast<QWidget *>(row.high),
                                static_cast<QWidget *>(row.value)})
            delete widget;
    }
    m_rows.clear();
    const QMap<QString, SliderRange> stored = m_project ? m_project->sliderRanges() : QMap<QString, SliderRange>();
    const QString endTip = LangText("SliderEnd", "Double-click to change the end of the range.");
    for (const ParameterValue &parameter : values) {
        Row row;
        row.name = parameter.name;
        const SliderRange saved = stored.value(parameter.name);
        row.range = saved.isValid() && parameter.value >= saved.low && parameter.value <= saved.high
            ? saved
            : ParameterSlider::defaultRange(parameter.value);
        row.caption = new QLabel(parameter.name, this);
        row.low = new QLabel(this);
        row.high = new QLabel(this);
        for (QLabel *end : {row.low, row.high}) {
            end->setToolTip(endTip);
            end->installEventFilter(this);
        }
        row.low->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.slider = new QSlider(Qt::Horizontal, this);
        row.slider->setObjectName(QStringLiteral("Sld_") + parameter.name);
        row.slider->setAccessibleName(parameter.name);
        row.slider->setRange(0, ParameterSlider::Steps);
        row.slider->setFocusPolicy(Qt::ClickFocus);
        row.value = new QLabel(this);
        row.value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.0000000")));
        const int index = m_rows.size();
        m_grid->addWidget(row.caption, index, 0);
        m_grid->addWidget(row.low, index, 1);
        m_grid->addWidget(row.slider, index, 2);
        m_grid->addWidget(row.high, index, 3);
        m_grid->addWidget(row.value, index, 4);
        // Rows made while the window is shown appear at once, not after the next event loop.
        for (QWidget *widget : {static_cast<QWidget *>(row.caption), static_cast<QWidget *>(row.low),
                                static_cast<QWidget *>(row.slider), static_cast<QWidget *>(row.high),
                                static_cast<QWidget *>(row.value)})
            widget->setVisible(true);
        connect(row.slider, &QSlider::valueChanged, this, [this, index](int position) { sliderMoved(index, position); });
        showRow(row, parameter.value);
        m_rows.append(row);
    }
}

void ParameterSliders::showRow(Row &row, double value)
{
    m_following = true;
    row.slider->setValue(ParameterSlider::position(row.range, value));
    m_following = false;
    row.low->setText(NumberFormat::generalText(row.range.low));
    row.high->setText(NumberFormat::generalText(row.range.high));
    row.value->setText(ParameterSlider::valueText(value, row.range));
}

void ParameterSliders::sliderMoved(int index, int position)
{
    if (m_following || index >= m_rows.size())
        return;
    Row &row = m_rows[index];
    const QString valueText = ParameterSlider::valueText(ParameterSlider::value(row.range, position), row.range);
    row.value->setText(valueText);
    // The range the value was picked in is the one to reopen with.
    if (m_project)
        m_project->setSliderRange(row.name, row.range);
    m_text = ParameterSlider::withValue(m_text, row.name, valueText);
    emit parametersChanged(m_text);
}

bool ParameterSliders::setRangeEnd(const QString &name, bool high, double value)
{
    for (Row &row : m_rows) {
        if (row.name != name)
            continue;
        SliderRange range = row.range;
        (high ? range.high : range.low) = value;
        if (!range.isValid())
            return false;
        const double current = ParameterSlider::value(row.range, row.slider->value());
        row.range = range;
        if (m_project)
            m_project->setSliderRange(row.name, range);
        showRow(row, std::clamp(current, range.low, range.high));
        // A value the new range left out moves to its nearer end.
        if (current < range.low || current > range.high)
            sliderMoved(int(&row - m_rows.data()), row.slider->value());
        return true;
    }
    return false;
}

void ParameterSliders::editEnd(int index, bool high)
{
    const Row &row = m_rows.at(index);
    const QString name = row.name;
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, name, high ? LangText("SliderHigh", "Upper end:") : LangText("SliderLow", "Lower end:"),
        QLineEdit::Normal, NumberFormat::generalText(high ? row.range.high : row.range.low), &ok);
    if (!ok)
        return;
    bool overflow = false;
    int consumed = 0;
    const QString trimmed = text.trimmed();
    const double value = NumberReader::parseNumberPrefix(trimmed, &overflow, &consumed);
    if (!trimmed.isEmpty() && !overflow && consumed == trimmed.size())
        setRangeEnd(name, high, value);
}

bool ParameterSliders::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < m_rows.size(); ++i) {
            if (watched == m_rows.at(i).low || watched == m_rows.at(i).high) {
                editEnd(i, watched == m_rows.at(i).high);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
