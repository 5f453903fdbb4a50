#include "dialogs/IntegrateDialog.h"

#include "core/WebAddresses.h"

#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "graph/GraphPane.h"
#include "project/FunctionProject.h"
#include "ui/Help.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


IntegrateDialog::IntegrateDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                                 QWidget *parent)
    : CalculationDialog(pane, std::move(graphChanged), parent), m_model(project), m_startEdit(new QLineEdit(this)),
      m_endEdit(new QLineEdit(this)), m_integralBox(new QLineEdit(this)),
      m_cancelButton(new QPushButton(LangText("Cancel", "&Cancel"), this)),
      m_helpButton(new QPushButton(LangText("Help1", "&Help"), this))
{
    setObjectName(QStringLiteral("Integr"));
    setWindowTitle(LangText("Integrate", "Integrate"));
    m_startEdit->setObjectName(QStringLiteral("Txt_X1"));
    m_endEdit->setObjectName(QStringLiteral("Txt_X2"));
    m_integralBox->setObjectName(QStringLiteral("Txt_Int"));
    m_startEdit->setToolTip(LangText("StartDomain", "Start of the domain."));
    m_endEdit->setToolTip(LangText("EndDomain", "End of the domain."));
    m_startEdit->setAccessibleName(m_startEdit->toolTip());
    m_endEdit->setAccessibleName(m_endEdit->toolTip());
    m_integralBox->setReadOnly(true);
    m_integralBox->setAccessibleName(LangText("Integral", "Integral"));
    auto *functionBox = new QLineEdit(project.functionText(), this);
    functionBox->setObjectName(QStringLiteral("txt_f"));
    functionBox->setReadOnly(true);
    functionBox->setToolTip(project.functionText());
    functionBox->setCursorPosition(0);
    helpLink()->setText(LangText("IntegrateSymbolically",
                                 "Integrate the function symbolically, using advanced technology (online resource)."));
    // Enter goes to the error, wherever the focus is, so no button takes it.
    for (QPushButton *button : {m_cancelButton, m_helpButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    buildLayout(functionBox);
    finishLook();
    selectOnFocus(m_startEdit);
    selectOnFocus(m_endEdit);
    // Opens with a result: the project's interval, in a form the boxes read back.
    m_startEdit->setText(NumberFormat::historyText(project.xMin()));
    m_endEdit->setText(NumberFormat::historyText(project.xMax()));
    connect(m_startEdit, &QLineEdit::textChanged, this, &IntegrateDialog::compute);
    connect(m_endEdit, &QLineEdit::textChanged, this, &IntegrateDialog::compute);
    connect(m_cancelButton, &QPushButton::clicked, this, &IntegrateDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("integrate.html")); });
    compute();
}

void IntegrateDialog::buildLayout(QLineEdit *functionBox)
{
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("f ="), functionBox);
    form->addRow(IntegrateModel::startName() + QStringLiteral(" = "), m_startEdit);
    form->addRow(IntegrateModel::endName() + QStringLiteral(" = "), m_endEdit);
    form->addRow(LangText("Integral", "Integral") + QStringLiteral(" = "), m_integralBox);

    arrange(form, m_helpButton, m_cancelButton);
    setTabOrder(m_startEdit, m_endEdit);
    setTabOrder(m_endEdit, m_integralBox);
    setTabOrder(m_integralBox, m_cancelButton);
    setTabOrder(m_cancelButton, m_helpButton);
    setMinimumWidth(380);
    m_startEdit->setFocus();
}

void IntegrateDialog::compute()
{
    const IntegrateOutcome outcome = m_model.compute(m_startEdit->text(), m_endEdit->text());
    if (outcome.redraw)
        pane().refresh(false);
    if (!outcome.message.isEmpty())
        showError(outcome.message);
    else
        hideError();
    m_integralBox->setText(outcome.integral);
    m_integralBox->setCursorPosition(0);
    if (outcome.shaded) {
        double x1 = outcome.x1, x2 = outcome.x2;
        pane().shadeArea(x1, x2);
    }
    if (outcome.redraw)
        graphChanged();
}

void IntegrateDialog::goToError()
{
    if (!errorShown())
        return;
    int caret = -1;
    switch (IntegrateModel::faultyBox(m_startEdit->text(), m_endEdit->text(), &caret)) {
    case IntegrateModel::Box::Start:
        focusInput(m_startEdit, caret);
        break;
    case IntegrateModel::Box::End:
        focusInput(m_endEdit, caret);
        break;
    case IntegrateModel::Box::None:
        break;
    }
}

void IntegrateDialog::clearResults() { m_integralBox->clear(); }

void IntegrateDialog::errorTimedOut() { m_integralBox->clear(); }

void IntegrateDialog::helpLinkClicked() { OpenDocument(WebAddresses::symbolicIntegration()); }
