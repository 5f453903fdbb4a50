#include "dialogs/EvaluateDialog.h"

#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "dialogs/PointMarker.h"
#include "graph/GraphPane.h"
#include "project/FunctionProject.h"
#include "ui/Help.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QLineEdit *resultBox(QWidget *parent, const QString &name, const QString &toolTip)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setToolTip(toolTip);
    box->setAccessibleName(toolTip);
    return box;
}

} // namespace

EvaluateDialog::EvaluateDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                               QWidget *parent)
    : CalculationDialog(pane, std::move(graphChanged), parent), m_model(project), m_xEdit(new QLineEdit(this)),
      m_valueBox(resultBox(this, QStringLiteral("Txt_Val"), LangText("ValFun", "Value of the function"))),
      m_firstDerivativeBox(
          resultBox(this, QStringLiteral("Txt_Der"), LangText("ValDer1", "Value of the first derivative"))),
      m_secondDerivativeBox(
          resultBox(this, QStringLiteral("Txt_Der2"), LangText("ValDer2", "Value of the second derivative"))),
      m_cancelButton(new QPushButton(LangText("Cancel", "&Cancel"), this)),
      m_helpButton(new QPushButton(LangText("Help1", "&Help"), this))
{
    setObjectName(QStringLiteral("Evaluare"));
    setWindowTitle(LangText("Evaluate", "Evaluate"));
    m_xEdit->setObjectName(QStringLiteral("Txt_X"));
    m_xEdit->setToolTip(LangText("EnterValue", "Enter the value for which you want to evaluate the function."));
    m_xEdit->setAccessibleName(m_xEdit->toolTip());
    auto *functionBox = resultBox(this, QStringLiteral("txt_f"), project.functionText());
    functionBox->setText(project.functionText());
    functionBox->setCursorPosition(0);
    helpLink()->setText(LangText("FindMore", "Find out more about the syntax of an expression and the available functions."));
    // Enter goes to the error, wherever the focus is, so no button takes it.
    for (QPushButton *button : {m_cancelButton, m_helpButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    buildLayout(functionBox);
    finishLook();
    selectOnFocus(m_xEdit);
    // Opens with a result: the middle of the view, in a form the box reads back.
    m_xEdit->setText(NumberFormat::historyText((project.xMin() + project.xMax()) / 2));
    connect(m_xEdit, &QLineEdit::textChanged, this, &EvaluateDialog::evaluate);
    connect(m_cancelButton, &QPushButton::clicked, this, &EvaluateDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("evaluate.html")); });
    evaluate();
}

void EvaluateDialog::buildLayout(QLineEdit *functionBox)
{
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("f = "), functionBox);
    form->addRow(QStringLiteral("x = "), m_xEdit);
    form->addRow(QStringLiteral("f(x) = "), m_valueBox);
    form->addRow(QStringLiteral("f'(x) = "), m_firstDerivativeBox);
    form->addRow(QStringLiteral("f''(x) = "), m_secondDerivativeBox);

    arrange(form, m_helpButton, m_cancelButton);
    setTabOrder(m_xEdit, m_valueBox);
    setTabOrder(m_valueBox, m_firstDerivativeBox);
    setTabOrder(m_firstDerivativeBox, m_secondDerivativeBox);
    setTabOrder(m_secondDerivativeBox, m_cancelButton);
    setTabOrder(m_cancelButton, m_helpButton);
    setMinimumWidth(380);
    m_xEdit->setFocus();
}

void EvaluateDialog::evaluate()
{
    const EvaluateOutcome outcome = m_model.evaluate(m_xEdit->text());
    if (outcome.redraw)
        pane().refresh(false);
    if (!outcome.message.isEmpty())
        showError(outcome.message);
    else if (errorTimer()->isActive())
        hideError();
    m_valueBox->setText(outcome.value);
    m_firstDerivativeBox->setText(outcome.firstDerivative);
    m_secondDerivativeBox->setText(outcome.secondDerivative);
    for (QLineEdit *box : {m_valueBox, m_firstDerivativeBox, m_secondDerivativeBox})
        box->setCursorPosition(0);
    if (outcome.marked)
        PointMarker::draw(pane().surface(), outcome.x, outcome.y, outcome.markerLabel);
    if (outcome.redraw)
        graphChanged();
}

void EvaluateDialog::goToError()
{
    int caret = -1;
    if (m_model.needsFocus(m_xEdit->text(), &caret))
        focusInput(m_xEdit, caret);
}

void EvaluateDialog::clearResults()
{
    for (QLineEdit *box : {m_valueBox, m_firstDerivativeBox, m_secondDerivativeBox})
        box->clear();
}

void EvaluateDialog::helpLinkClicked() { ShowHelpInWindow(this, QStringLiteral("expresie.html")); }
