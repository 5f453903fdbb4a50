#pragma once
// Helpers shared by the calculator tests.
#include <QString>

// A fresh engine for one test: initialised here, cleared when the scope ends.
class EngineScope {
public:
    EngineScope();
    ~EngineScope();
    EngineScope(const EngineScope &) = delete;
    EngineScope &operator=(const EngineScope &) = delete;
};

// Test runs use the English defaults and keep away from the user's files.
void useTestEnvironment();
