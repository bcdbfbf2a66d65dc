#include "platform/KeyDownHook.h"

#include "platform/CappedTextEdit.h"
#include "platform/HandlerGuard.h"

#include <QKeyEvent>

namespace {

bool movesFocus(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

class KeyDownFilter final : public QObject
{
public:
    KeyDownFilter(QObject *parent, std::function<void(QKeyEvent *)> handler)
        : QObject(parent)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (!movesFocus(key))
                runGuarded([&] { m_handler(key); });
        }
        return false;
    }

private:
    std::function<void(QKeyEvent *)> m_handler;
};

class PlainEnterFilter final : public QObject
{
public:
    explicit PlainEnterFilter(CappedTextEdit *box)
        : QObject(box)
        , m_box(box)
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)))
            return false;
        // The line break is typed text: the box's capacity holds for it too.
        if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier
            && m_box->fits(u"\n")) {
            QTextCursor cursor = m_box->textCursor();
            cursor.insertText(QStringLiteral("\n"));
            m_box->setTextCursor(cursor);
        }
        return true;
    }

private:
    CappedTextEdit *m_box;
};

} // namespace

namespace KeyDownHook {

void install(QWidget *widget, std::function<void(QKeyEvent *)> handler)
{
    widget->installEventFilter(new KeyDownFilter(widget, std::move(handler)));
}

void blockPlainEnter(QWidget *multiLineBox)
{
    auto *box = qobject_cast<CappedTextEdit *>(multiLineBox);
    Q_ASSERT(box);
    box->installEventFilter(new PlainEnterFilter(box));
}

} // namespace KeyDownHook
