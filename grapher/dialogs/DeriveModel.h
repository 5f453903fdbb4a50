#pragma once
// What the derive dialog shows and opens, without the dialog: the function text of a project
// with its first and second derivatives as the engine prints them, and any of the three as a
// new project of its own over the same interval (so that f' can be searched for roots, say).
#include <QString>

#include <memory>

class FunctionProject;

class DeriveModel {
public:
    // The three boxes: f, f', f''.
    static constexpr int FunctionCount = 3;

    // Keeps `project` (not owned; it must outlive the model).
    explicit DeriveModel(const FunctionProject &project);

    // The text of box `index`: the project's function text, then the printed f' and f''
    // (empty for a derivative that the engine refused to build).
    QString text(int index) const;

    // A new project made from a copy of function `index` (0: f, 1: f', 2: f''), its text that of
    // box `index`, over the project's interval, with the defaults of a new project otherwise
    // (its own f' and f'' are derived from the copy). Null when that function does not exist.
    std::unique_ptr<FunctionProject> newProject(int index) const;

private:
    const FunctionProject &m_project;
};
