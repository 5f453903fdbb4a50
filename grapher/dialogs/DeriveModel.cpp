#include "dialogs/DeriveModel.h"

#include "project/FunctionProject.h"

namespace {

const Expression &functionAt(const FunctionProject &project, int index)
{
    switch (index) {
    case 1:
        return project.fPrime();
    case 2:
        return project.fSecond();
    default:
        return project.f();
    }
}

} // namespace

DeriveModel::DeriveModel(const FunctionProject &project) : m_project(project) {}

QString DeriveModel::text(int index) const
{
    if (index <= 0)
        return m_project.functionText();
    return index < FunctionCount ? functionAt(m_project, index).text() : QString();
}

std::unique_ptr<FunctionProject> DeriveModel::newProject(int index) const
{
    if (index < 0 || index >= FunctionCount)
        return nullptr;
    Expression copy = functionAt(m_project, index).copy();
    if (copy.isNull())
        return nullptr;
    auto project = std::make_unique<FunctionProject>();
    project->load(text(index), std::move(copy), m_project.xMin(), m_project.xMax());
    return project;
}
