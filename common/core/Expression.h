#pragma once
// One expression tree of the math engine, owned: parsing makes it, destruction releases it, and
// it can be moved but not copied (copy() makes an independent tree). Every part of the programs
// that works with functions holds these instead of the engine's raw handles.
//
// Texts cross to the engine as Latin-1, one byte per character, so the engine's error positions
// are positions in the QString. A character outside Latin-1 (or a NUL) goes over as "?", which
// the engine rejects as an unknown character at that very position.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// An engine failure as a value: the engine's code (0 for success) and, for parse errors, the
// 1-based position in the text where it was found.
struct EngineError {
    int code = 0;
    int position = 0;
    bool ok() const { return code == 0; }
};

class Expression {
public:
    Expression() noexcept = default;
    ~Expression();
    Expression(Expression &&other) noexcept;
    Expression &operator=(Expression &&other) noexcept;
    Expression(const Expression &) = delete;
    Expression &operator=(const Expression &) = delete;

    // Parses a function of x. With a parameter list ("a=2; b=4") the names in it become the
    // expression's parameters. On failure the result is null and `error` says why.
    static Expression parse(const QString &text, EngineError *error = nullptr);
    static Expression parse(const QString &text, const QString &parameters, EngineError *error = nullptr);

    bool isNull() const { return m_handle == 0; }
    explicit operator bool() const { return m_handle != 0; }

    // The value at x; `code` receives 0 or the engine's error code (the value then means nothing).
    // Inline, through the engine's function looked up when the tree was made: this is the hot
    // path of every scan and drawing.
    double evaluate(double x, int *code = nullptr) const;
    double evaluate(double x, qint32 &code) const
    {
        code = 0;
        return m_evaluate ? m_evaluate(m_handle, x, &code) : invalid(code);
    }

    // The simplified derivative d/dx (null when the engine refuses, e.g. a derivative too large).
    Expression derivative() const;
    // An independent tree with the same content and parameter values.
    Expression copy() const;

    // The expression as the engine prints it.
    QString text() const;
    // The current parameter values as the engine lists them ("a=2; b=4; "); empty without parameters.
    QString parameters() const;
    // Gives parameters new values; 0 or the engine's code (nothing changes on failure).
    int setParameters(const QString &list);

    // A root of this function in [a, b] by the engine's safeguarded Newton method, with
    // `derivative` its derivative.
    double findRoot(const Expression &derivative, double a, double b, int *code) const;
    // The definite integral over [a, b] (Simpson's rule).
    double integrate(double a, double b, int *code) const;

    // Releases the tree now; the expression becomes null.
    void reset();

    // Number of trees that Expressions hold in this process (to check ownership).
    static int liveCount();

    // The engine's bytes of a text (see above).
    static QByteArray engineText(const QString &text);
    // A text the engine returned.
    static QString fromEngineText(const char *text);

private:
    using EvaluateFunction = double (*)(quint32, double, qint32 *);

    explicit Expression(quint32 handle) noexcept;
    // The engine's answer for a null expression.
    static double invalid(qint32 &code);

    quint32 m_handle = 0;
    EvaluateFunction m_evaluate = nullptr;
};
