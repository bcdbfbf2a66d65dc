#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

class QWidget;

// Tooltips as every window of the program shows them. A control shows a hint only where
// hints are switched on for it or for a window part holding it; the text is the first
// non-empty tooltip from the control up through its holders, cut before the first "|",
// and always shown as plain text. Qt's own tooltips are replaced by this one filter on the
// application.
class HintFilter final : public QObject
{
    Q_OBJECT

public:
    // Rest of the mouse before a hint shows, the shorter one when it moves on from a hint
    // that is showing, and how long a hint stays.
    static constexpr int kPause = 500;
    static constexpr int kShortPause = 50;
    static constexpr int kHidePause = 2500;

    // Puts the filter on the application; once is enough, later calls change nothing.
    static void install();

    // Hints on or off for widget and everything it holds that does not say otherwise.
    static void setShowHint(QWidget *widget, bool show);

    // The part of a hint that is shown: everything before the first "|".
    static QString shortHint(const QString &hint);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit HintFilter(QObject *parent);

    void mouseOver(QWidget *widget, QPoint globalPosition);
    void showHint();
    void hideHint();
    void cancel();

    QTimer m_pauseTimer;
    QTimer m_hideTimer;
    // The control whose hint is due or showing, and where the mouse is on it.
    QPointer<QWidget> m_control;
    bool m_overHintedPlace = false;
    QPoint m_position;
    // A hint is showing, or was when the mouse moved on from it.
    bool m_active = false;
};
