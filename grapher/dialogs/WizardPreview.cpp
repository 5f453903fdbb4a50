#include "dialogs/WizardPreview.h"

#include <QPainter>
#include <QPainterPath>

WizardPreview::WizardPreview(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(120, 90);
}

QSize WizardPreview::sizeHint() const { return QSize(200, 150); }

void WizardPreview::showCurve(const WizardPreviewCurve &curve)
{
    m_curve = curve;
    update();
}

void WizardPreview::clear()
{
    m_curve.reset();
    update();
}

void WizardPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_curve)
        return;
    const WizardPreviewCurve &curve = *m_curve;
    const double width = curve.end - curve.start;
    const double height = curve.yMax - curve.yMin;
    const double left = curve.start - WizardPreviewCurve::Margin * width;
    const double top = curve.yMax + WizardPreviewCurve::Margin * height;
    const double xScale = this->width() / (width * (1 + 2 * WizardPreviewCurve::Margin));
    const double yScale = this->height() / (height * (1 + 2 * WizardPreviewCurve::Margin));
    // World coordinates grow upwards, the widget's downwards.
    const auto toWidget = [&](double x, double y) { return QPointF((x - left) * xScale, (top - y) * yScale); };

    // Sharp axes; only the curve is smoothed.
    painter.setPen(QPen(Qt::black, 1));
    if (curve.showXAxis)
        painter.drawLine(toWidget(curve.start, 0), toWidget(curve.end, 0));
    if (curve.showYAxis)
        painter.drawLine(toWidget(0, curve.yMin), toWidget(0, curve.yMax));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QList<QPointF> &stroke : curve.strokes) {
        // A lone point, where the pen went down and up again at once, leaves no trace.
        if (stroke.size() < 2)
            continue;
        QPainterPath path(toWidget(stroke.first().x(), stroke.first().y()));
        for (int i = 1; i < stroke.size(); ++i)
            path.lineTo(toWidget(stroke.at(i).x(), stroke.at(i).y()));
        painter.drawPath(path);
    }
}
