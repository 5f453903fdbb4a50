#include "core/MathEngine.h"

#include "core/EngineApi.h"

namespace MathEngine {

void initialize() { trev::engine().InitTrevolin(); }

void clear() { trev::engine().ClearTrevolin(); }

void setFailureHandler(std::function<void(const QString &)> handler)
{
    trev::EngineBinding::setFailureHandler([handler = std::move(handler)](const std::string &message) {
        if (handler)
            handler(QString::fromStdString(message));
    });
}

double evaluateConstant(const QString &text, EngineError *error)
{
    qint32 code = 0;
    qint32 position = 0;
    const double value = trev::engine().EvalConst(Expression::engineText(text).constData(), &code, &position);
    if (error)
        *error = {code, code != 0 ? position : 0};
    return value;
}

int defineConstant(const QString &name, double value)
{
    return trev::engine().AddConst(Expression::engineText(name).constData(), value);
}

int defineFunction(const QString &name, const QString &body)
{
    return trev::engine().AddFun(Expression::engineText(name).constData(), Expression::engineText(body).constData());
}

} // namespace MathEngine
