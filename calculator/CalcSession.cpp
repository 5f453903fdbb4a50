#include "CalcSession.h"

#include "EngineBinding.h"
#include "ErrorMessage.h"
#include "HistoryNumber.h"

#include <algorithm>

namespace {

// The code the calculator itself uses for an empty name or right-hand side.
constexpr int EmptyPartCode = 1;

// Engine texts are 8-bit with one byte per character, so the engine's error positions are
// positions in the input box. Characters outside Latin-1 become "?", which the engine rejects as
// an unknown character; a NUL would silently cut the text short, so it is made a "?" as well.
QByteArray EngineText(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace('\0', '?');
    return bytes;
}

struct ConstResult {
    double value = 0;
    int code = 0;
    int position = 0;
};

ConstResult EvaluateConstant(const QString &text)
{
    int32_t err = 0;
    int32_t errpos = 0;
    ConstResult result;
    result.value = trev::engine().EvalConst(EngineText(text).constData(), &err, &errpos);
    result.code = err;
    result.position = errpos;
    return result;
}

// The lists' prefix rule: find the first entry that begins with the name, ignoring case, and
// add the name as typed unless that entry is exactly the name.
bool AddListName(QStringList &list, const QString &name)
{
    const auto first = std::find_if(list.cbegin(), list.cend(), [&](const QString &entry) {
        return entry.startsWith(name, Qt::CaseInsensitive);
    });
    if (first != list.cend() && *first == name)
        return false;
    list.append(name);
    return true;
}

// Position of the first line break and its length (CR LF, LF or CR), or -1.
int FindLineBreak(const QString &text, int &length)
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
    : QObject(parent), m_functions(BuiltInFunctions()), m_constants(BuiltInConstants())
{
}

QStringList CalcSession::BuiltInFunctions()
{
    return {QStringLiteral("sin"), QStringLiteral("cos"), QStringLiteral("tan"), QStringLiteral("asin"),
            QStringLiteral("acos"), QStringLiteral("atan"), QStringLiteral("sinh"), QStringLiteral("cosh"),
            QStringLiteral("tanh"), QStringLiteral("asinh"), QStringLiteral("acosh"), QStringLiteral("atanh"),
            QStringLiteral("exp"), QStringLiteral("ln"), QStringLiteral("log"), QStringLiteral("sqrt"),
            QStringLiteral("sgn"), QStringLiteral("abs")};
}

QStringList CalcSession::BuiltInConstants()
{
    return {QStringLiteral("pi"), QStringLiteral("e"), QStringLiteral("res")};
}

void CalcSession::Calculate(const QString &text)
{
    QString remaining = text;
    for (;;) {
        int breakLength = 0;
        const int at = FindLineBreak(remaining, breakLength);
        const QString line = at < 0 ? remaining : remaining.left(at);
        const QString rest = at < 0 ? QString() : remaining.mid(at + breakLength);
        if (!ProcessLine(line, rest) || at < 0)
            return;
        remaining = rest;
    }
}

bool CalcSession::ProcessLine(const QString &line, const QString &rest)
{
    m_lastLine = line;
    remember(line);

    if (line.trimmed().isEmpty()) {
        emit inputReplaced(rest);
        return true;
    }

    // name: body defines a function of x.
    const int colon = line.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString name = line.left(colon);
        const QString body = line.mid(colon + 1);
        if (name.isEmpty() || body.isEmpty())
            return fail(EmptyPartCode, colon + 1, line);
        const int code = trev::engine().AddFun(EngineText(name).constData(), EngineText(body).constData());
        if (code != 0)
            return fail(code, 1, line);
        if (AddListName(m_functions, name))
            emit functionListed(m_functions.last());
        return succeed(QStringLiteral(":: ") + name.trimmed() + QStringLiteral("(x)=") + body.trimmed(), rest);
    }

    // Positions below count from 1, as the engine reports them.
    QString text = line;
    int equals = text.indexOf(QLatin1Char('=')) + 1;
    if (equals == text.size() && equals > 1) {
        // 2+3= asks for the value of 2+3.
        text.chop(1);
        equals = 0;
    }

    // name = value defines a constant; a line with two or more "=" is left to the expression
    // parser, which rejects it.
    if (equals > 0 && text.indexOf(QLatin1Char('='), equals) < 0) {
        const QString name = text.left(equals - 1);
        const QString valueText = text.mid(equals);
        if (name.isEmpty() || valueText.isEmpty())
            return fail(EmptyPartCode, equals, line);
        const ConstResult result = EvaluateConstant(valueText);
        if (result.code != 0)
            return fail(result.code, result.position + equals, line);
        const int code = trev::engine().AddConst(EngineText(name).constData(), result.value);
        if (code != 0)
            return fail(code, 1, line);
        if (AddListName(m_constants, name))
            emit constantListed(m_constants.last());
        return succeed(QStringLiteral(":: ") + name.trimmed() + QLatin1Char('=') + HistoryNumber(result.value), rest);
    }

    const ConstResult result = EvaluateConstant(text);
    if (result.code != 0)
        return fail(result.code, result.position, line);
    return succeed(text + QLatin1Char('=') + HistoryNumber(result.value), rest);
}

bool CalcSession::succeed(const QString &historyLine, const QString &rest)
{
    m_lastErrorCode = 0;
    emit errorHidden();
    m_history.append(historyLine);
    emit historyAppended(historyLine);
    emit inputReplaced(rest);
    return true;
}

bool CalcSession::fail(int code, int position, const QString &line)
{
    m_lastErrorCode = code;
    // position counts from 1; the caret stays inside the rejected line whatever the engine says.
    m_lastErrorCaret = std::clamp(position - 1, 0, static_cast<int>(line.size()));
    emit errorShown(ErrorMessage(code));
    emit caretPlaced(m_lastErrorCaret);
    return false;
}

void CalcSession::clearHistory()
{
    m_history.clear();
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
