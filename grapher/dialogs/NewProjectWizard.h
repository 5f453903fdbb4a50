#pragma once
// The new-project wizard: the window in which the user types the function f of f(x) = 0, its
// parameters and the interval, watches a small preview while typing and starts the project with
// OK, or opens one of the example equations with Random. A thin window over
// NewProjectWizardModel. The main window shows it as a child window; closing the wizard (OK,
// Random, Cancel, Esc, the open-project link) closes that child window, whose attributes decide
// whether the wizard is deleted.
//
// The four boxes offer the history; picking an entry in any of them fills all four, and typing
// in the function box completes from the history with the completed tail selected (after
// Backspace or Delete the next change is left alone, so that the user can erase). Refused input
// is reported in the error label for 6 seconds after the last refusal, never in a message box;
// OK, Enter and a click on the message also move the focus and caret to the box at fault.
//
// Without a history the start and end boxes show the interval texts stored when the wizard last
// closed. The history is stored after every accepted equation; the start and end texts are stored when
// the wizard is destroyed.
#include "dialogs/NewProjectWizardModel.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class WizardPreview;

class NewProjectWizard : public QWidget {
    Q_OBJECT
public:
    // How long a message stays after the last refusal.
    static constexpr int ErrorShownMilliseconds = 6000;

    // `openProject` receives every project the wizard makes and opens it in a graph window.
    explicit NewProjectWizard(std::function<void(std::unique_ptr<FunctionProject>)> openProject,
                              QWidget *parent = nullptr);
    ~NewProjectWizard() override;

    QComboBox *functionBox() const { return m_functionBox; }
    QComboBox *parametersBox() const { return m_parametersBox; }
    QComboBox *startBox() const { return m_startBox; }
    QComboBox *endBox() const { return m_endBox; }
    QComboBox *box(WizardField field) const;
    WizardPreview *preview() const { return m_preview; }
    QLabel *errorLabel() const { return m_errorLabel; }
    QTimer *errorTimer() const { return m_errorTimer; }
    QLabel *expressionHelpLink() const { return m_expressionHelpLink; }
    QLabel *openProjectLink() const { return m_openProjectLink; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QPushButton *randomButton() const { return m_randomButton; }
    const NewProjectWizardModel &model() const { return m_model; }

    // Puts the keyboard's focus into the equation box.
    void focusEquation();

    // The texts of the four boxes as typed.
    EquationEntry texts() const;
    // Fills the four boxes with history entry `index` and refreshes the preview.
    void selectHistoryEntry(int index);

    // OK, Enter and a click on the error label: true when a project was made and handed over
    // (the wizard then closes, and with it its frame in the main window); otherwise the focus
    // goes to the box at fault.
    bool finish();
    // Random: opens the next example equation and closes the wizard.
    void openRandomExample();
    // Checks the texts and draws the preview, or shows why not.
    void refreshPreview();

signals:
    // The link "Open a saved project in a new window": the wizard has closed and the main
    // window should run its Open project command.
    void openSavedProjectRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildLayout();
    void setTexts();
    void fillHistoryLists();
    void completeFunction(const QString &text);
    void showError(const QString &message);
    void hideError();
    void focusBox(WizardField field, int caret);
    void linkActivated(const QString &link);
    void closeWizard();

    NewProjectWizardModel m_model;
    std::function<void(std::unique_ptr<FunctionProject>)> m_openProject;
    // Set by the release of Backspace or Delete in the function box: the next change of its
    // text is not completed.
    bool m_suppressCompletion = false;
    // True while the wizard fills its own boxes, so that their changes do not each redraw.
    bool m_filling = false;

    QLabel *m_headingLabel;
    QLabel *m_equationLabel;
    QComboBox *m_functionBox;
    QLabel *m_equalsZeroLabel;
    QLabel *m_parametersLabel;
    QComboBox *m_parametersBox;
    QLabel *m_intervalLabel;
    QLabel *m_startLabel;
    QComboBox *m_startBox;
    QLabel *m_endLabel;
    QComboBox *m_endBox;
    WizardPreview *m_preview;
    QPushButton *m_randomButton;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QLabel *m_expressionHelpLink;
    QLabel *m_openProjectLink;
    QLabel *m_errorLabel;
    QTimer *m_errorTimer;
};
