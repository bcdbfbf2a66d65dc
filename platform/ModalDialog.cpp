#include "platform/ModalDialog.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWindow>

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

// Takes the always-on-top place from every other window shown with one, and returns those
// windows. Only their native windows change: the widgets keep their flags to restore from.
QList<QPointer<QWindow>> takeStayOnTopPlaces(const QWidget *except)
{
    QList<QPointer<QWindow>> taken;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        QWindow *window = widget->windowHandle();
        if (widget == except || !window || !widget->isVisible()
            || !widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            continue;
        window->setFlag(Qt::WindowStaysOnTopHint, false);
        taken.append(window);
    }
    return taken;
}

void giveBack(const QList<QPointer<QWindow>> &windows)
{
    for (const QPointer<QWindow> &window : windows) {
        if (window)
            window->setFlag(Qt::WindowStaysOnTopHint, true);
    }
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
    const QList<QPointer<QWindow>> taken = takeStayOnTopPlaces(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    const int result = dialog->exec();
    giveBack(taken);
    return result;
}

} // namespace ModalDialog
