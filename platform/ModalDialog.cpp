#include "platform/ModalDialog.h"

#include "platform/StayOnTop.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {

class EscapeFilter final : public QObject
{
public:
    explicit EscapeFilter(QObject *parent)
        : QObject(parent)
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    }
};

// Before the first showing the frame is not known yet: the client area is centred.
void centreOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect place(QPoint(), window->size());
    place.moveCenter(screen->availableGeometry().center());
    window->move(place.topLeft());
}

} // namespace

namespace ModalDialog {

void setUp(QDialog *dialog, const QSize &clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientSize);
    centreOnScreen(dialog);
    dialog->installEventFilter(new EscapeFilter(dialog));
}

int exec(QDialog *dialog)
{
    const StayOnTop::ModalTaking taking(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    return dialog->exec();
}

} // namespace ModalDialog
