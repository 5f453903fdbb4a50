#include "solver/JsonWriter.h"

#include <charconv>
#include <cmath>

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_containerHasElement.isEmpty()) {
        if (m_containerHasElement.last())
            m_text += QLatin1Char(',');
        m_containerHasElement.last() = true;
    }
}

void JsonWriter::beginObject()
{
    separate();
    m_text += QLatin1Char('{');
    m_containerHasElement.append(false);
}

void JsonWriter::endObject()
{
    m_text += QLatin1Char('}');
    m_containerHasElement.removeLast();
}

void JsonWriter::beginArray()
{
    separate();
    m_text += QLatin1Char('[');
    m_containerHasElement.append(false);
}

void JsonWriter::endArray()
{
    m_text += QLatin1Char(']');
    m_containerHasElement.removeLast();
}

void JsonWriter::key(const QString &name)
{
    separate();
    m_text += quoted(name) + QLatin1Char(':');
    m_afterKey = true;
}

void JsonWriter::value(double number)
{
    separate();
    m_text += numberText(number);
}

void JsonWriter::value(int number)
{
    separate();
    m_text += QString::number(number);
}

void JsonWriter::value(const QString &text)
{
    separate();
    m_text += quoted(text);
}

void JsonWriter::nullValue()
{
    separate();
    m_text += QStringLiteral("null");
}

void JsonWriter::field(const QString &name, double number)
{
    key(name);
    value(number);
}

void JsonWriter::field(const QString &name, int number)
{
    key(name);
    value(number);
}

void JsonWriter::field(const QString &name, const QString &text)
{
    key(name);
    value(text);
}

QString JsonWriter::numberText(double number)
{
    if (std::isnan(number))
        return QStringLiteral("\"NaN\"");
    if (std::isinf(number))
        return number > 0 ? QStringLiteral("\"Infinity\"") : QStringLiteral("\"-Infinity\"");
    // Without a precision to_chars gives the shortest text that reads back to the same double,
    // and its forms ("-0.5", "1e+20") are all valid JSON numbers.
    char buffer[32];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString JsonWriter::quoted(const QString &text)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            result += QStringLiteral("\\\"");
            break;
        case '\\':
            result += QStringLiteral("\\\\");
            break;
        case '\n':
            result += QStringLiteral("\\n");
            break;
        case '\r':
            result += QStringLiteral("\\r");
            break;
        case '\t':
            result += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    return result + QLatin1Char('"');
}
