#include "ProjectTestSupport.h"

#include "core/EngineBinding.h"
#include "core/MathEngine.h"

namespace ProjectTestSupport {

bool engineReady(QString *why)
{
    static bool initialised = false;
    std::string error;
    if (!trev::EngineBinding::load(&error)) {
        if (why)
            *why = QString::fromStdString(error);
        return false;
    }
    if (!initialised) {
        MathEngine::initialize();
        initialised = true;
    }
    return true;
}

std::unique_ptr<FunctionProject> makeProject(const QString &expression, double a, double b, const QString &parameters,
                                      qint32 steps)
{
    Expression f = Expression::parse(expression, parameters);
    if (f.isNull())
        return nullptr;
    auto project = std::make_unique<FunctionProject>();
    project->load(expression, std::move(f), a, b);
    if (steps > 0)
        project->setRootSteps(steps);
    return project;
}

} // namespace ProjectTestSupport
