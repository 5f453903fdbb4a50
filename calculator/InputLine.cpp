#include "InputLine.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

// Room for a pasted pair of lines without looking like a text editor.
constexpr int VisibleLines = 2;

} // namespace

InputLine::InputLine(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(heightForLines(VisibleLines));
}

int InputLine::heightForLines(int lines) const
{
    const int frame = 2 * frameWidth();
    const int margins = contentsMargins().top() + contentsMargins().bottom();
    const int documentMargin = 2 * static_cast<int>(document()->documentMargin());
    return lines * fontMetrics().lineSpacing() + frame + margins + documentMargin;
}

QSize InputLine::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40, heightForLines(VisibleLines));
}

QSize InputLine::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10, heightForLines(VisibleLines));
}

void InputLine::setTextAndCaret(const QString &text, int caret)
{
    setPlainText(text);
    setCaret(caret < 0 ? static_cast<int>(text.size()) : caret);
}

void InputLine::setCaret(int position)
{
    QTextCursor cursor = textCursor();
    const int last = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(position, 0, std::max(last, 0)));
    setTextCursor(cursor);
    ensureCursorVisible();
}

int InputLine::caret() const
{
    return textCursor().position();
}

void InputLine::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setFixedHeight(heightForLines(VisibleLines));
}

bool InputLine::isCalculateKey(const QKeyEvent *event) const
{
    if (m_calculateKey.isEmpty())
        return false;
    const QKeyCombination pressed(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    return m_calculateKey[0] == pressed;
}

bool InputLine::event(QEvent *event)
{
    // Claiming the key here keeps it from the shortcut map, where the menu title with the same
    // mnemonic would make it ambiguous.
    if (event->type() == QEvent::ShortcutOverride && isCalculateKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void InputLine::keyPressEvent(QKeyEvent *event)
{
    if (isCalculateKey(event)) {
        emit calculateRequested();
        return;
    }
    const bool singleLine = document()->blockCount() == 1;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(event->modifiers() & Qt::ShiftModifier)) {
            emit calculateRequested();
            return;
        }
        break;
    case Qt::Key_Up:
        if (singleLine && event->modifiers() == Qt::NoModifier) {
            emit olderLineRequested();
            return;
        }
        break;
    case Qt::Key_Down:
        if (singleLine && event->modifiers() == Qt::NoModifier) {
            emit newerLineRequested();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (!document()->isEmpty()) {
            clear();
            return;
        }
        break;
    case Qt::Key_F3:
        return;   // acted on when the key comes up
    default:
        break;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void InputLine::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3 && !event->isAutoRepeat()) {
        emit lastLineRequested();
        return;
    }
    QPlainTextEdit::keyReleaseEvent(event);
}
