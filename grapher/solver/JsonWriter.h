#pragma once
// A small JSON text builder. QJsonObject sorts its keys; this keeps them in the order written, so
// the output reads top-down like the plain report. Every double is written as the shortest text
// that reads back to the same double; a value that JSON cannot hold as a number (infinite or
// NaN) becomes the string "Infinity", "-Infinity" or "NaN".
//
// The caller is responsible for the structure (a key before each value inside an object); the
// writer only places commas and colons.
#include <QString>
#include <QVector>

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    void key(const QString &name);
    void value(double number);
    void value(int number);
    void value(const QString &text);
    void nullValue();

    // Shorthands for a key followed by its value.
    void field(const QString &name, double number);
    void field(const QString &name, int number);
    void field(const QString &name, const QString &text);

    QString text() const { return m_text; }

    static QString numberText(double number);
    static QString quoted(const QString &text);

private:
    // Starts a value or key: a comma when the enclosing container already has an element.
    void separate();

    QString m_text;
    QVector<bool> m_containerHasElement;
    bool m_afterKey = false;
};
