#pragma once

#include <QList>
#include <QPointer>

class QWidget;

// The always-on-top place of the program's windows. A window asks for it with
// Qt::WindowStaysOnTopHint among its widget flags and holds it unless it has been taken:
// by a modal window in front, or while another program is active. Each taking is given
// back on its own, and the window is on top again only once every taking is given back.
namespace StayOnTop {

// Takes the place from a shown window; its widget flags still ask for the place.
void take(QWidget *window);
void giveBack(QWidget *window);

// For as long as it lives, every shown window but modal that asks for the place gives it
// up, so that modal stands in front of them.
class ModalTaking final
{
public:
    explicit ModalTaking(const QWidget *modal);
    ~ModalTaking();
    ModalTaking(const ModalTaking &) = delete;
    ModalTaking &operator=(const ModalTaking &) = delete;

private:
    QList<QPointer<QWidget>> m_taken;
};

} // namespace StayOnTop
