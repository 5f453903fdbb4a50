#pragma once
// A value typed into one of the calculation dialogs: any constant expression that the engine
// evaluates ("pi/2", "2e", "sqrt(2)"), not only a plain number.
#include <QString>

struct ValueInput {
    enum class State { Empty, Invalid, Valid };

    State state = State::Empty;
    double value = 0;
    int code = 0;    // the engine's code when invalid
    int caret = -1;  // where the caret goes to show the fault: before the character the engine
                     // stopped at; -1 when the text is empty or valid

    // A text of blanks counts as empty.
    static ValueInput read(const QString &text);

    bool isValid() const { return state == State::Valid; }
    // "Please enter the value !" for an empty text, the engine's message for an invalid one,
    // empty for a valid one.
    QString message() const;
};
