#pragma once
// The evaluate dialog: f(x), f'(x) and f''(x) of the active project at a value the user types,
// recomputed at every keystroke, with the point marked on the graph window's graph and its
// coordinates written beside it. It opens at the middle of the view. A thin window over
// EvaluateModel.
#include "dialogs/CalculationDialog.h"
#include "dialogs/EvaluateModel.h"

class FunctionProject;
class QLineEdit;
class QPushButton;

class EvaluateDialog : public CalculationDialog {
    Q_OBJECT
public:
    // `project` and `pane` are the graph window's (see CalculationDialog); `graphChanged` asks
    // the window to repaint after the dialog has drawn on the pane.
    EvaluateDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                   QWidget *parent = nullptr);

    QLineEdit *xEdit() const { return m_xEdit; }
    QLineEdit *valueBox() const { return m_valueBox; }
    QLineEdit *firstDerivativeBox() const { return m_firstDerivativeBox; }
    QLineEdit *secondDerivativeBox() const { return m_secondDerivativeBox; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // The evaluation for the text of the x box (at start and after every change).
    void evaluate();
    void goToError() override;

private:
    void clearResults() override;
    void helpLinkClicked() override;
    void buildLayout(QLineEdit *functionBox);

    EvaluateModel m_model;
    QLineEdit *m_xEdit;
    QLineEdit *m_valueBox;
    QLineEdit *m_firstDerivativeBox;
    QLineEdit *m_secondDerivativeBox;
    QPushButton *m_cancelButton;
    QPushButton *m_helpButton;
};
