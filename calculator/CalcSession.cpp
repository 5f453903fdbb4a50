#include "CalcSession.h"

#include "core/ExponentNotation.h"
#include "core/ErrorMessage.h"
#include "core/EvaluationCost.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"

#include <algorithm>

namespace {

// The codes the calculator itself uses for an empty name or right-hand side, and for an
// expression too large to evaluate.
constexpr int EmptyPartCode = 1;
constexpr int TooLargeCode = 2;

// The lists' prefix rule: find the first entry that begins with the name, ignoring case, and
// add the name as typed unless that entry is exactly the name.
bool addListName(QStringList &list, const QString &name)
{
    const auto first = std::find_if(list.cbegin(), list.cend(), [&](const QString &entry) {
        return entry.startsWith(name, Qt::CaseInsensitive);
    });
    if (first != list.cend() && *first == name)
        return false;
    list.append(name);
    return true;
}

// The prefix of definition lines in the history.
const QString DefinitionPrefix = QStringLiteral(":: ");
// What a function's name carries in its history line: ":: f(x)=x^2+1".
const QString FunctionParameter = QStringLiteral("(x)");

// A value of the history: historyText wrote it with "." or "," as decimal separator, whichever
// the locale of that session used.
bool readHistoryNumber(QString text, double &value)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool overflow = false;
    int consumed = 0;
    const double number = NumberReader::parseNumberPrefix(text, &overflow, &consumed);
    if (text.isEmpty() || overflow || consumed != text.size())
        return false;
    value = number;
    return true;
}

// Position of the first line break and its length (CR LF, LF or CR), or -1.
int findLineBreak(const QString &text, int &length)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            length = 1;
            return i;
        }
        if (c == QLatin1Char('\r')) {
            length = (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
            return i;
        }
    }
    length = 0;
    return -1;
}

} // namespace

CalcSession::CalcSession(QObject *parent)
    : QObject(parent), m_functions(builtInFunctions()), m_constants(builtInConstants())
{
}

QStringList CalcSession::builtInFunctions()
{
    return {QStringLiteral("sin"), QStringLiteral("cos"), QStringLiteral("tan"), QStringLiteral("asin"),
            QStringLiteral("acos"), QStringLiteral("atan"), QStringLiteral("sinh"), QStringLiteral("cosh"),
            QStringLiteral("tanh"), QStringLiteral("asinh"), QStringLiteral("acosh"), QStringLiteral("atanh"),
            QStringLiteral("exp"), QStringLiteral("ln"), QStringLiteral("log"), QStringLiteral("sqrt"),
            QStringLiteral("sgn"), QStringLiteral("abs")};
}

QStringList CalcSession::builtInConstants()
{
    return {QStringLiteral("pi"), QStringLiteral("e"), QStringLiteral("res")};
}

void CalcSession::calculate(const QString &text)
{
    QString remaining = text;
    bool hinted = false;
    for (;;) {
        int breakLength = 0;
        const int at = findLineBreak(remaining, breakLength);
        const QString line = at < 0 ? remaining : remaining.left(at);
        const QString rest = at < 0 ? QString() : remaining.mid(at + breakLength);
        if (!processLine(line, rest))
            return;
        const bool lineHinted = looksLikeExponentNotation(line);
        if (at < 0) {
            // A later line of a paste hid the hint of an earlier one: it comes back at the end.
            if (hinted && !lineHinted)
                emit hintShown(exponentHint());
            return;
        }
        hinted = hinted || lineHinted;
        remaining = rest;
    }
}

bool CalcSession::looksLikeExponentNotation(const QString &line)
{
    return ExponentNotation::looksLikeExponentNotation(line);
}

QString CalcSession::exponentHint() { return ExponentNotation::exponentHint(); }

bool CalcSession::processLine(const QString &line, const QString &rest)
{
    m_lastLine = line;
    remember(line);

    if (line.trimmed().isEmpty()) {
        emit inputReplaced(rest);
        return true;
    }

    // A definition taken back from the history (":: g=9.81", ":: f(x)=x^2+1") is read as the
    // definition after the marker; error positions still count in the typed line.
    const int marker = static_cast<int>(line.indexOf(QStringLiteral("::")));
    if (marker >= 0 && line.left(marker).trimmed().isEmpty()) {
        int start = marker + 2;
        while (start < line.size() && line.at(start).isSpace())
            ++start;
        QString definition = line.mid(start);
        const int equals = static_cast<int>(definition.indexOf(QLatin1Char('=')));
        if (equals > 0 && definition.left(equals).trimmed().endsWith(FunctionParameter, Qt::CaseInsensitive)) {
            const QString name = definition.left(equals).trimmed().chopped(FunctionParameter.size());
            definition = name + QLatin1Char(':') + definition.mid(equals + 1);
        }
        return interpret(definition, start, rest);
    }
    return interpret(line, 0, rest);
}

// One line without the history marker; `offset` is where `text` starts in the typed line.
bool CalcSession::interpret(const QString &text, int offset, const QString &rest)
{
    // name: body defines a function of x.
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString name = text.left(colon);
        const QString body = text.mid(colon + 1);
        if (name.isEmpty() || body.isEmpty())
            return fail(EmptyPartCode, colon + 1, offset);
        if (!isAffordable(body, colon + 2, offset))
            return false;
        const int code = MathEngine::defineFunction(name, body);
        if (code != 0)
            return fail(code, 1, offset);
        m_functionBodies.insert(name.trimmed().toLower(), body);
        if (addListName(m_functions, name))
            emit functionListed(m_functions.last());
        return succeed(QStringLiteral(":: ") + name.trimmed() + QStringLiteral("(x)=") + body.trimmed(), rest);
    }

    // Positions below count from 1, as the engine reports them.
    QString expression = text;
    int equals = expression.indexOf(QLatin1Char('=')) + 1;
    if (equals == expression.size() && equals > 1) {
        // 2+3= asks for the value of 2+3.
        expression.chop(1);
        equals = 0;
    }

    // name = value defines a constant; a line with two or more "=" is left to the expression
    // parser, which rejects it.
    if (equals > 0 && expression.indexOf(QLatin1Char('='), equals) < 0) {
        const QString name = expression.left(equals - 1);
        const QString valueText = expression.mid(equals);
        if (name.isEmpty() || valueText.isEmpty())
            return fail(EmptyPartCode, equals, offset);
        if (!isAffordable(valueText, equals + 1, offset))
            return false;
        EngineError error;
        const double value = MathEngine::evaluateConstant(valueText, &error);
        if (!error.ok())
            return fail(error.code, error.position + equals, offset);
        const int code = MathEngine::defineConstant(name, value);
        if (code != 0)
            return fail(code, 1, offset);
        if (addListName(m_constants, name))
            emit constantListed(m_constants.last());
        return succeed(QStringLiteral(":: ") + name.trimmed() + QLatin1Char('=') + NumberFormat::historyText(value), rest);
    }

    if (!isAffordable(expression, 1, offset))
        return false;
    EngineError error;
    const double value = MathEngine::evaluateConstant(expression, &error);
    if (!error.ok())
        return fail(error.code, error.position, offset);
    return succeed(expression + QLatin1Char('=') + NumberFormat::historyText(value), rest);
}

bool CalcSession::succeed(const QString &historyLine, const QString &rest)
{
    m_lastErrorCode = 0;
    emit errorHidden();
    m_history.append(historyLine);
    emit historyAppended(historyLine);
    emit inputReplaced(rest);
    if (looksLikeExponentNotation(m_lastLine))
        emit hintShown(exponentHint());
    return true;
}

bool CalcSession::fail(int code, int position, int offset, const QString &message)
{
    m_lastErrorCode = code;
    // position counts from 1 in the text after `offset`; the caret stays inside the rejected
    // line whatever the engine says.
    m_lastErrorCaret = std::clamp(position - 1 + offset, 0, static_cast<int>(m_lastLine.size()));
    emit errorShown(message.isEmpty() ? ErrorMessage(code) : message);
    emit caretPlaced(m_lastErrorCaret);
    return false;
}

bool CalcSession::isAffordable(const QString &text, int position, int offset)
{
    // User functions call each other: a short line can stand for millions of operations.
    if (EvaluationCost::expandedCharacters(text, m_functionBodies) <= EvaluationCost::MaxCharacters)
        return true;
    return fail(TooLargeCode, position, offset, EvaluationCost::tooLargeMessage());
}

void CalcSession::clearHistory()
{
    m_history.clear();
}

int CalcSession::restoreHistory(const QStringList &lines)
{
    m_history = lines;
    int skipped = 0;
    for (const QString &line : lines) {
        if (line.startsWith(DefinitionPrefix) && !restoreDefinition(line.mid(DefinitionPrefix.size())))
            ++skipped;
    }
    return skipped;
}

bool CalcSession::restoreDefinition(const QString &historyLine)
{
    // Names hold neither "=" nor parentheses, so the first "=" ends the name part.
    const int equals = historyLine.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    const QString left = historyLine.left(equals);
    const QString right = historyLine.mid(equals + 1);

    if (left.endsWith(FunctionParameter)) {
        const QString name = left.chopped(FunctionParameter.size());
        if (name.isEmpty() || right.isEmpty() || MathEngine::defineFunction(name, right) != 0)
            return false;
        m_functionBodies.insert(name.trimmed().toLower(), right);
        if (addListName(m_functions, name))
            emit functionListed(m_functions.last());
        return true;
    }

    double value = 0;
    if (!readHistoryNumber(right, value) || MathEngine::defineConstant(left, value) != 0)
        return false;
    if (addListName(m_constants, left))
        emit constantListed(m_constants.last());
    return true;
}

void CalcSession::remember(const QString &line)
{
    m_recallIndex = m_recall.size();
    if (line.trimmed().isEmpty() || (!m_recall.isEmpty() && m_recall.last() == line))
        return;
    m_recall.append(line);
    m_recallIndex = m_recall.size();
}

bool CalcSession::recallOlder(const QString &current, QString &line)
{
    if (m_recallIndex == 0)
        return false;
    if (m_recallIndex == m_recall.size())
        m_recallDraft = current;
    line = m_recall.at(--m_recallIndex);
    return true;
}

bool CalcSession::recallNewer(QString &line)
{
    if (m_recallIndex >= m_recall.size())
        return false;
    ++m_recallIndex;
    line = m_recallIndex == m_recall.size() ? m_recallDraft : m_recall.at(m_recallIndex);
    return true;
}
