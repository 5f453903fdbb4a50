#include "solver/LocalFileName.h"

#include <QStringDecoder>

#include <algorithm>

#include <fcntl.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isEscape(QChar c) { return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF; }

// The length of the valid UTF-8 character at `at`, or 0.
int characterLength(const QByteArray &bytes, int at)
{
    const uchar lead = uchar(bytes.at(at));
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
        : lead >= 0xF0 && lead <= 0xF4                                                                ? 4
                                                                                                      : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    QStringDecoder strict(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = strict.decode(bytes.mid(at, length));
    return strict.hasError() || decoded.isEmpty() ? 0 : length;
}

QString decode(const QByteArray &bytes)
{
    QString text;
    for (int at = 0; at < bytes.size();) {
        const int length = characterLength(bytes, at);
        if (length == 0) {
            text += QChar(char16_t(EscapeBase + uchar(bytes.at(at))));
            ++at;
        } else {
            text += QString::fromUtf8(bytes.constData() + at, length);
            at += length;
        }
    }
    return text;
}

} // namespace

namespace LocalFileName {

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << decode(QByteArray(argv[i]));
    return list;
}

QByteArray bytes(const QString &argument)
{
    QByteArray result;
    QString run;
    for (const QChar c : argument) {
        if (!isEscape(c)) {
            run += c;
            continue;
        }
        result += run.toUtf8();
        run.clear();
        result += char(c.unicode() - EscapeBase);
    }
    return result + run.toUtf8();
}

QString openablePath(const QString &argument)
{
    if (std::none_of(argument.cbegin(), argument.cend(), isEscape))
        return argument;
    const int descriptor = ::open(bytes(argument).constData(), O_RDONLY | O_CLOEXEC);
    return descriptor < 0 ? argument : QStringLiteral("/proc/self/fd/%1").arg(descriptor);
}

QString shown(const QString &argument)
{
    QString text = argument;
    for (QChar &c : text) {
        if (isEscape(c))
            c = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace LocalFileName
