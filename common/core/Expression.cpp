#include "core/Expression.h"

#include "core/EngineApi.h"

#include <utility>

namespace {

// The engine's functions, looked up once: evaluation is the hot path of every scan and drawing.
const trev::EngineApi &api()
{
    static const trev::EngineApi *const loaded = &trev::engine();
    return *loaded;
}

int &liveTrees()
{
    static int count = 0;
    return count;
}

} // namespace

Expression::Expression(quint32 handle) noexcept : m_handle(handle)
{
    if (m_handle != 0) {
        ++liveTrees();
        m_evaluate = api().EvalTree;
    }
}

Expression::~Expression() { reset(); }

Expression::Expression(Expression &&other) noexcept
    : m_handle(std::exchange(other.m_handle, 0)), m_evaluate(std::exchange(other.m_evaluate, nullptr))
{
}

Expression &Expression::operator=(Expression &&other) noexcept
{
    if (this != &other) {
        reset();
        m_handle = std::exchange(other.m_handle, 0);
        m_evaluate = std::exchange(other.m_evaluate, nullptr);
    }
    return *this;
}

void Expression::reset()
{
    if (m_handle == 0)
        return;
    api().DelTree(m_handle);
    m_handle = 0;
    m_evaluate = nullptr;
    --liveTrees();
}

int Expression::liveCount() { return liveTrees(); }

QByteArray Expression::engineText(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    // A NUL would silently cut the text short.
    bytes.replace('\0', '?');
    return bytes;
}

QString Expression::fromEngineText(const char *text) { return text ? QString::fromLatin1(text) : QString(); }

Expression Expression::parse(const QString &text, EngineError *error) { return parse(text, QString(), error); }

Expression Expression::parse(const QString &text, const QString &parameters, EngineError *error)
{
    const trev::EngineApi &engine = api();
    qint32 code = 0;
    qint32 position = 0;
    const QByteArray bytes = engineText(text);
    TrevHandle handle = 0;
    if (parameters.isEmpty())
        handle = engine.CrTree2(bytes.constData(), &code, &position);
    else
        handle = engine.CrTree(bytes.constData(), engineText(parameters).constData(), &code, &position);
    if (error)
        *error = {code, code != 0 ? position : 0};
    if (code != 0) {
        if (handle != 0)
            engine.DelTree(handle);
        return Expression();
    }
    return Expression(handle);
}

double Expression::evaluate(double x, int *code) const
{
    qint32 error = 0;
    const double value = evaluate(x, error);
    if (code)
        *code = error;
    return value;
}

double Expression::invalid(qint32 &code)
{
    // The engine's code for a handle that names no tree.
    return api().EvalTree(0, 0, &code);
}

Expression Expression::derivative() const
{
    return m_handle != 0 ? Expression(api().DerTree(m_handle)) : Expression();
}

Expression Expression::copy() const
{
    return m_handle != 0 ? Expression(api().CopyTree(m_handle)) : Expression();
}

QString Expression::text() const
{
    return m_handle != 0 ? fromEngineText(api().StrTree(m_handle)) : QString();
}

QString Expression::parameters() const
{
    return m_handle != 0 ? fromEngineText(api().ShowParameters(m_handle)) : QString();
}

int Expression::setParameters(const QString &list)
{
    return api().EditParameters(m_handle, engineText(list).constData());
}

double Expression::findRoot(const Expression &derivative, double a, double b, int *code) const
{
    qint32 error = 0;
    const double root = api().FindRoot(m_handle, derivative.m_handle, a, b, &error);
    if (code)
        *code = error;
    return root;
}

double Expression::integrate(double a, double b, int *code) const
{
    qint32 error = 0;
    const double value = api().Integrate(m_handle, a, b, &error);
    if (code)
        *code = error;
    return value;
}
