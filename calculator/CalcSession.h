#pragma once
// The calculator without its window: turns typed lines into history lines, definitions and
// error reports. The window mirrors the signals into its controls; tests drive this class
// directly. Every line goes to the engine, which must have been initialised by the owner.
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class CalcSession : public QObject {
    Q_OBJECT
public:
    explicit CalcSession(QObject *parent = nullptr);

    // The 18 built-in function names, in menu order.
    static QStringList builtInFunctions();
    // The constants every session starts with.
    static QStringList builtInConstants();

    // Processes the whole input box: one line after another, up to the first line break each
    // time, stopping at the first rejected line (which then leads the input box).
    void calculate(const QString &text);

    // Handles one line; `rest` is what the input box holds after a success. An accepted line
    // that looks like exponent notation also brings the hint (hintShown).
    bool processLine(const QString &line, const QString &rest);

    // True when the line holds a number followed directly by "e" or "E" and then a digit, or a
    // sign and a digit ("2.5e-3", "1E3"). Typed that way it looks like exponent notation, but
    // the grammar reads e as the number e: 2.5e-3 is 2.5*e-3, and 1e3 asks for a name "e3".
    static bool looksLikeExponentNotation(const QString &line);
    // What the hint says about such a line.
    static QString exponentHint();

    // Takes over the history of an earlier session: the lines become the history, and the
    // constants and functions of its ":: " lines are defined again, in order and without any
    // message, each name listed as a typed definition would list it. A definition the engine
    // no longer accepts stays in the history but defines nothing. Returns how many were skipped.
    int restoreHistory(const QStringList &lines);

    // The line processLine saw last (F3 brings it back); empty at start.
    QString lastLine() const { return m_lastLine; }

    // Accepted lines as they appear in the history.
    QStringList history() const { return m_history; }
    void clearHistory();

    // Names offered in the two lists, built-ins first, then definitions in order of first definition.
    QStringList functions() const { return m_functions; }
    QStringList constants() const { return m_constants; }

    // Code and 0-based caret position of the last rejected line.
    int lastErrorCode() const { return m_lastErrorCode; }
    int lastErrorCaret() const { return m_lastErrorCaret; }

    // Walking through the earlier lines (Up and Down in the input): the newest non-blank lines
    // first, without repeats of the same line in a row. `current` is the text being edited,
    // handed back when the walk returns past the newest line. False when there is nowhere to go.
    bool recallOlder(const QString &current, QString &line);
    bool recallNewer(QString &line);

signals:
    void historyAppended(const QString &line);
    void errorShown(const QString &message);
    void errorHidden();
    // Advice about an accepted line, shown like an error message but blocking nothing.
    void hintShown(const QString &message);
    // A success: the input box takes `text`.
    void inputReplaced(const QString &text);
    // A failure: the input box keeps its text and takes the caret at `position` (0-based).
    void caretPlaced(int position);
    void functionListed(const QString &name);
    void constantListed(const QString &name);

private:
    bool succeed(const QString &historyLine, const QString &rest);
    bool interpret(const QString &text, int offset, const QString &rest);
    bool fail(int code, int position, int offset, const QString &message = QString());
    // False, after failing the line, when `text` (at `position` in it, the line's text after
    // `offset`) is too large to evaluate.
    bool isAffordable(const QString &text, int position, int offset);
    void remember(const QString &line);
    bool restoreDefinition(const QString &historyLine);

    QString m_lastLine;
    QStringList m_history;
    QStringList m_functions;
    QStringList m_constants;
    QHash<QString, QString> m_functionBodies;   // lower-case name -> body, as the engine holds them
    QStringList m_recall;        // oldest first
    int m_recallIndex = 0;       // == m_recall.size() when not walking
    QString m_recallDraft;
    int m_lastErrorCode = 0;
    int m_lastErrorCaret = 0;
};
