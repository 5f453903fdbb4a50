#include "ProjectTestSupport.h"

#include "EngineBinding.h"

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
        trev::engine().InitTrevolin();
        initialised = true;
    }
    return true;
}

TrevHandle parse(const QString &expression, const QString &parameters)
{
    const trev::EngineApi &engine = trev::engine();
    qint32 error = 0;
    qint32 position = 0;
    const QByteArray text = expression.toLocal8Bit();
    const QByteArray values = parameters.toLocal8Bit();
    const TrevHandle tree = parameters.isEmpty()
        ? engine.CrTree2(text.constData(), &error, &position)
        : engine.CrTree(text.constData(), values.constData(), &error, &position);
    if (error != 0) {
        engine.DelTree(tree);
        return 0;
    }
    return tree;
}

std::unique_ptr<cFunctie> makeProject(const QString &expression, double a, double b, const QString &parameters,
                                      qint32 steps)
{
    const TrevHandle tree = parse(expression, parameters);
    if (tree == 0)
        return nullptr;
    auto project = std::make_unique<cFunctie>();
    project->LoadData(expression, tree, a, b);
    if (steps > 0)
        project->setHiq(steps);
    return project;
}

} // namespace ProjectTestSupport
