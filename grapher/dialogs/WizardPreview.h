#pragma once
// The wizard's small picture of the curve: white, with the axes in black and the curve in red,
// drawn from a WizardPreviewCurve with its margin on every side.
#include "dialogs/NewProjectWizardModel.h"

#include <QWidget>

#include <optional>

class WizardPreview : public QWidget {
    Q_OBJECT
public:
    explicit WizardPreview(QWidget *parent = nullptr);

    void showCurve(const WizardPreviewCurve &curve);
    // Leaves the picture white.
    void clear();
    bool isShowingCurve() const { return m_curve.has_value(); }
    const std::optional<WizardPreviewCurve> &curve() const { return m_curve; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<WizardPreviewCurve> m_curve;
};
