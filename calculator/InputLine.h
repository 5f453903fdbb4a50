#pragma once
// The calculator's input box: plain text that may hold several lines when text with line
// breaks is pasted. Enter asks for the calculation (Shift+Enter starts a new line), Up and Down
// walk through earlier lines while the text is a single line, F3 brings back the last line and
// Escape empties the box. The window decides what each request does.
#include <QKeySequence>
#include <QPlainTextEdit>

class InputLine : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit InputLine(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Replaces the text and puts the caret at `caret` (the end when negative).
    void setTextAndCaret(const QString &text, int caret = -1);
    void setCaret(int position);
    int caret() const;

    // A key (the Calculate button's mnemonic) that calculates while the input has the focus,
    // even where a menu title shares the mnemonic.
    void setCalculateKey(const QKeySequence &key) { m_calculateKey = key; }

signals:
    void calculateRequested();
    void lastLineRequested();
    void olderLineRequested();
    void newerLineRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int heightForLines(int lines) const;
    bool isCalculateKey(const QKeyEvent *event) const;

    QKeySequence m_calculateKey;
};
