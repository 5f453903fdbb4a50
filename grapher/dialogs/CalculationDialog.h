#pragma once
// What the evaluate and integrate dialogs share: they work on the graph of one graph window,
// show input errors in a red label that goes away 6 seconds after the last one (a help link
// takes its place), jump to the fault with Enter or a click on that label, select the whole
// text of an input box that receives the focus, and leave the graph as it was when they close
// (the marker or the shading is removed).
//
// The project and the pane belong to the graph window, which must outlive the dialog: show it
// modally, or as a child of that window.
#include <QDialog>

#include <functional>

class GraphPane;
class QFormLayout;
class QLabel;
class QPushButton;
class QLineEdit;
class QTimer;

class CalculationDialog : public QDialog {
    Q_OBJECT
public:
    // How long a message stays after the last error.
    static constexpr int ErrorShownMilliseconds = 6000;

    QLabel *errorLabel() const { return m_errorLabel; }
    QLabel *helpLink() const { return m_helpLink; }
    QTimer *errorTimer() const { return m_errorTimer; }

    // Enter anywhere in the dialog or a click on the error label: the focus (and the caret)
    // goes to the input that causes the error.
    virtual void goToError() = 0;

    // Closing (Cancel, Esc, the close button) redraws the graph without the dialog's marks.
    void done(int result) override;

protected:
    CalculationDialog(GraphPane &pane, std::function<void()> graphChanged, QWidget *parent);

    GraphPane &pane() const { return m_pane; }
    // Tells the graph window that its picture changed.
    void graphChanged() const;

    // The error display: the result boxes emptied (clearResults), the message shown, the help
    // link hidden, the timer started again.
    void showError(const QString &message);
    // The timer's end: the help link back, the message hidden, the timer stopped.
    void hideError();
    bool errorShown() const;
    virtual void clearResults() = 0;
    // What the timer does beyond hiding the message.
    virtual void errorTimedOut() {}
    virtual void helpLinkClicked() = 0;

    // Gives `input` the focus with the caret at `caret` (-1: the whole text selected).
    void focusInput(QLineEdit *input, int caret);
    // Inputs whose text is selected whenever they receive the focus.
    void selectOnFocus(QLineEdit *input);
    // Lays the dialog out: the fields, then the place the message and the help link share (two
    // lines high), then Help on the left and Cancel on the right.
    void arrange(QFormLayout *fields, QPushButton *help, QPushButton *cancel);
    // Colours the dialog with the skin and styles the two labels (after the layout is built).
    void finishLook();

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void timerFired();

    GraphPane &m_pane;
    std::function<void()> m_graphChanged;
    QLabel *m_errorLabel;
    QLabel *m_helpLink;
    QTimer *m_errorTimer;
};
