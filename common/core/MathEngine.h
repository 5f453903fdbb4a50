#pragma once
// The engine's process-wide operations: its start-up and clean-up, constant expressions, and the
// definitions of constants and functions that every later expression can use.
#include "core/Expression.h"

#include <QString>

#include <functional>

namespace MathEngine {

// Loads the engine when needed and sets its tables to their initial state.
void initialize();
// Empties the engine's tables (the calculator does this when it closes).
void clear();

// Called with a readable message when the engine library cannot be loaded; the program ends
// after the handler returns.
void setFailureHandler(std::function<void(const QString &)> handler);

// The value of a constant expression such as "2*pi" (no x).
double evaluateConstant(const QString &text, EngineError *error = nullptr);
// Defines (or redefines) a constant; 0 or the engine's code.
int defineConstant(const QString &name, double value);
// Defines (or redefines) a function of x; 0 or the engine's code.
int defineFunction(const QString &name, const QString &body);

} // namespace MathEngine
