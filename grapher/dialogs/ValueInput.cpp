#include "dialogs/ValueInput.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/MathEngine.h"

#include <algorithm>

ValueInput ValueInput::read(const QString &text)
{
    ValueInput input;
    if (text.trimmed().isEmpty())
        return input;
    EngineError error;
    const double value = MathEngine::evaluateConstant(text, &error);
    if (!error.ok()) {
        input.state = State::Invalid;
        input.code = error.code;
        // The engine counts from 1; a failure without a position leaves the caret at the start.
        input.caret = std::clamp(error.position - 1, 0, static_cast<int>(text.size()));
        return input;
    }
    input.state = State::Valid;
    input.value = value;
    return input;
}

QString ValueInput::message() const
{
    switch (state) {
    case State::Empty:
        return LangText("Please", "Please enter the value !");
    case State::Invalid:
        return ErrorMessage(code);
    case State::Valid:
        break;
    }
    return QString();
}
