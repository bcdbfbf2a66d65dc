#include "palette/PaletteStacking.h"

#include "platform/StayOnTop.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

// Qt does not report the stacking order, so it is kept here for our own windows: a window
// that is shown or activated goes on top of them, as window managers place it.
class Stacking final : public QObject
{
public:
    Stacking()
        : QObject(qApp)
    {
        connect(qApp, &QGuiApplication::focusWindowChanged, this, &Stacking::activated);
        connect(qApp, &QGuiApplication::applicationStateChanged, this, &Stacking::stateChanged);
    }

    void manage(QWidget *palette, QWidget *mainWindow)
    {
        prune();
        if (m_mainWindow != mainWindow) {
            m_mainWindow = mainWindow;
            moveToTop(mainWindow);
        }
        moveToTop(palette);
    }

private:
    void activated(QWindow *window)
    {
        if (!window)
            return;
        prune();
        const auto it = std::find_if(m_order.begin(), m_order.end(), [window](const auto &w) {
            return w->windowHandle() == window;
        });
        if (it != m_order.end())
            moveToTop(*it);
    }

    void stateChanged(Qt::ApplicationState state)
    {
        m_active = state == Qt::ApplicationActive;
        if (m_active) {
            // Once the window being activated has gone on top: a window that takes the
            // place back is then stacked above it, as window managers do.
            QTimer::singleShot(0, this, &Stacking::takePlacesBack);
        } else {
            givePlacesUp();
        }
    }

    void givePlacesUp()
    {
        prune();
        const auto main = std::find(m_order.begin(), m_order.end(), m_mainWindow);
        if (main == m_order.end())
            return;
        for (auto it = main + 1; it != m_order.end(); ++it) {
            const QPointer<QWidget> &palette = *it;
            // Given up already when the program went from inactive on to hidden.
            if (std::find(m_yielded.begin(), m_yielded.end(), palette) != m_yielded.end())
                continue;
            StayOnTop::take(palette);
            m_yielded.push_back(palette);
        }
    }

    void takePlacesBack()
    {
        // Another program may have become active again in the meantime.
        if (!m_active)
            return;
        // A modal window open meanwhile keeps their places until it closes.
        for (const QPointer<QWidget> &palette : m_yielded) {
            if (palette) {
                StayOnTop::giveBack(palette);
                moveToTop(palette);
            }
        }
        m_yielded.clear();
    }

    void moveToTop(QWidget *window)
    {
        const QPointer<QWidget> kept(window);
        std::erase(m_order, kept);
        m_order.push_back(kept);
    }

    void prune()
    {
        std::erase_if(m_order, [](const QPointer<QWidget> &w) { return w.isNull(); });
    }

    // Bottom to top.
    std::vector<QPointer<QWidget>> m_order;
    std::vector<QPointer<QWidget>> m_yielded;
    QPointer<QWidget> m_mainWindow;
    bool m_active = true;
};

} // namespace

namespace PaletteStacking {

void manage(QWidget *palette, QWidget *mainWindow)
{
    static QPointer<Stacking> stacking;
    if (!stacking)
        stacking = new Stacking;
    stacking->manage(palette, mainWindow);
}

} // namespace PaletteStacking
