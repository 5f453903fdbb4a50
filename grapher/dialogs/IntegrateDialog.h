#pragma once
// The integrate dialog: the definite integral of the active project's function between two
// values the user types, recomputed at every keystroke, with the area shaded on the graph
// window's graph. It opens on the project's x interval. A thin window over IntegrateModel.
#include "dialogs/CalculationDialog.h"
#include "dialogs/IntegrateModel.h"

class FunctionProject;
class QLineEdit;
class QPushButton;

class IntegrateDialog : public CalculationDialog {
    Q_OBJECT
public:
    // `project` and `pane` are the graph window's (see CalculationDialog); `graphChanged` asks
    // the window to repaint after the dialog has drawn on the pane.
    IntegrateDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                    QWidget *parent = nullptr);

    QLineEdit *startEdit() const { return m_startEdit; }
    QLineEdit *endEdit() const { return m_endEdit; }
    QLineEdit *integralBox() const { return m_integralBox; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // The computation for the two boxes (at start and after every change of either).
    void compute();
    // Only while an error is shown.
    void goToError() override;

private:
    void clearResults() override;
    void errorTimedOut() override;
    void helpLinkClicked() override;
    void buildLayout(QLineEdit *functionBox);

    IntegrateModel m_model;
    QLineEdit *m_startEdit;
    QLineEdit *m_endEdit;
    QLineEdit *m_integralBox;
    QPushButton *m_cancelButton;
    QPushButton *m_helpButton;
};
