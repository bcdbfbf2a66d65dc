#include "platform/TopLevelWindows.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace TopLevelWindows {

void makeSecondary(QWidget *window)
{
    window->setAttribute(Qt::WA_QuitOnClose, false);
}

void destroyRemaining()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->parent())
            windows.append(widget);
    }
    // Deleting one window may delete others it owns, hence the guarded pointers.
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
}

} // namespace TopLevelWindows
