#pragma once
// Turns the command line into what the solver works on: a loaded function project (from the
// function text and interval, or from a project file) and the abscissas of --at. Every text goes
// through the engine, so a mistake is reported with the engine's message and position.
#include <QString>
#include <QVector>

class FunctionProject;
class SolverOptions;

// Input that cannot be used: what it was, why, and where in its text (position 1-based, 0 when
// the fault has no place in a text).
struct InputError {
    QString subject;
    QString message;
    QString text;
    int position = 0;

    // The lines for the user: the subject and message, then the text with a caret under the
    // faulty character.
    QString report() const;
};

class SolverInput {
public:
    // Fills `project` and `points`; false when something cannot be used, with `error` saying
    // what. The engine must have been initialised.
    static bool load(const SolverOptions &options, FunctionProject &project, QVector<double> &points,
                     InputError &error);

    // The root-finding steps a requested count becomes, kept within what a project allows.
    static int boundedSteps(int requested);
};
