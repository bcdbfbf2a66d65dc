#include "TestSupport.h"
#include "about/AboutWindow.h"
#include "about/UsageWindow.h"
#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"
#include "platform/AppError.h"
#include "platform/HandlerGuard.h"
#include "ui_MainWindow.h"
#include "ui_UsageWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace TestSupport;

namespace {

bool staysOnTop(const QWidget *window)
{
    return window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

// The offscreen platform has no other program to switch to, so the state change is
// announced as the platform announces it.
void announce(Qt::ApplicationState state)
{
    emit qApp->applicationStateChanged(state);
}

void clickThroughWindow(QWidget *control)
{
    QWidget *window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

// A symbol palette as far as this concerns it: an always-on-top window with a button.
struct StandInPalette
{
    StandInPalette()
    {
        window.setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
        window.resize(120, 60);
        button.setGeometry(10, 10, 80, 30);
        QObject::connect(&button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
    }

    QWidget window;
    QPushButton button{&window};
    int clicks = 0;
};

} // namespace

class tst_AboutModal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newWindowEachTimeFreedOnClose_data();
    void newWindowEachTimeFreedOnClose();
    void otherWindowsAnswerNothingMeanwhile_data();
    void otherWindowsAnswerNothingMeanwhile();
    void programSwitchMeanwhileGivesNoPlaceBack_data();
    void programSwitchMeanwhileGivesNoPlaceBack();
    void focusOnOpening_data();
    void focusOnOpening();
    void onlyTheTitleBarCloses_data();
    void onlyTheTitleBarCloses();

private:
    void addCommands();
    // The About and usage windows, the two file dialogs and the error box.
    void addModalWindows();
    // Runs the command; while its window is open, examine sees it, then it is closed.
    QPointer<QWidget> whileOpen(const QString &command,
                                const std::function<void(QWidget *window)> &examine);

    MainWindow *m_window = nullptr;
};

void tst_AboutModal::initTestCase()
{
    // Qt's file dialog keeps its own view settings; tests keep them away from the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void tst_AboutModal::init()
{
    m_window = showMainWindow();
}

void tst_AboutModal::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_AboutModal::addCommands()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("about") << "aboutAction"
                           << "AboutWindow";
    QTest::newRow("usage") << "usageAction"
                           << "UsageWindow";
}

void tst_AboutModal::addModalWindows()
{
    addCommands();
    QTest::newRow("open dialog") << "openAction"
                                 << "QFileDialog";
    QTest::newRow("save dialog") << "saveAsAction"
                                 << "QFileDialog";
    QTest::newRow("error box") << "error"
                               << "QMessageBox";
}

QPointer<QWidget> tst_AboutModal::whileOpen(const QString &command,
                                            const std::function<void(QWidget *)> &examine)
{
    QPointer<QWidget> seen;
    QTimer::singleShot(0, m_window, [&] {
        seen = QApplication::activeModalWidget();
        if (!seen)
            return;
        if (!QTest::qWaitForWindowActive(seen))
            qWarning("modal window not active");
        examine(seen);
        if (seen)
            seen->close();
    });
    if (command == QLatin1String("error")) {
        runGuarded([] { throw AppError(QStringLiteral("failed")); });
        return seen;
    }
    auto *action = m_window->findChild<QAction *>(command);
    if (!action)
        qWarning("no command %s", qPrintable(command));
    else
        action->trigger();
    return seen;
}

void tst_AboutModal::newWindowEachTimeFreedOnClose_data()
{
    addCommands();
}

void tst_AboutModal::newWindowEachTimeFreedOnClose()
{
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    ErrorBoxRecorder box;
    QString firstClass;
    QPointer<QWidget> first = whileOpen(command, [&](QWidget *window) {
        firstClass = QString::fromLatin1(window->metaObject()->className());
        window->setProperty("seenBefore", true);
    });
    QVERIFY(first);
    QCOMPARE(firstClass, windowClass);
    QTRY_VERIFY(first.isNull());

    bool markedBefore = true;
    bool ownedByApplication = false;
    QPointer<QWidget> second = whileOpen(command, [&](QWidget *window) {
        markedBefore = window->property("seenBefore").isValid();
        ownedByApplication = !window->parent();
    });
    QVERIFY(second);
    QVERIFY(!markedBefore);
    QVERIFY(ownedByApplication);
    QTRY_VERIFY(second.isNull());
    QVERIFY(m_window->isVisible());
    QVERIFY(box.texts.isEmpty());
}

void tst_AboutModal::otherWindowsAnswerNothingMeanwhile_data()
{
    addModalWindows();
}

void tst_AboutModal::otherWindowsAnswerNothingMeanwhile()
{
    QFETCH(QString, command);
    StandInPalette palette;
    QVERIFY(QTest::qWaitForWindowExposed(&palette.window));
    m_window->compositionBox().replaceAll(QStringLiteral("abc"));
    setClipboardText(QStringLiteral("before"));
    QVERIFY(staysOnTop(m_window) && staysOnTop(&palette.window));

    QFETCH(QString, windowClass);
    bool applicationModal = false;
    bool seenClass = false;
    bool windowOnTop = true;
    bool mainOnTop = true;
    bool paletteOnTop = true;
    QString clipboardMeanwhile;
    whileOpen(command, [&](QWidget *window) {
        applicationModal = window->windowModality() == Qt::ApplicationModal;
        seenClass = window->inherits(windowClass.toLatin1().constData());
        windowOnTop = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        mainOnTop = staysOnTop(m_window);
        paletteOnTop = staysOnTop(&palette.window);
        clickThroughWindow(m_window->controls().copyButton);
        clickThroughWindow(&palette.button);
        clipboardMeanwhile = clipboardText();
    });
    QVERIFY(seenClass);
    QVERIFY(applicationModal);
    // The others make way: the window itself needs no place on top.
    QVERIFY(!windowOnTop);
    QVERIFY(!mainOnTop);
    QVERIFY(!paletteOnTop);
    QCOMPARE(clipboardMeanwhile, QStringLiteral("before"));
    QCOMPARE(palette.clicks, 0);

    // Closed: both are on top again and answer as before.
    QVERIFY(staysOnTop(m_window));
    QVERIFY(staysOnTop(&palette.window));
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    clickThroughWindow(m_window->controls().copyButton);
    QCOMPARE(clipboardText(), QStringLiteral("abc"));
    clickThroughWindow(&palette.button);
    QCOMPARE(palette.clicks, 1);
}

void tst_AboutModal::programSwitchMeanwhileGivesNoPlaceBack_data()
{
    addModalWindows();
}

void tst_AboutModal::programSwitchMeanwhileGivesNoPlaceBack()
{
    QFETCH(QString, command);
    // Just opened, the palette lies above the main window: a switch to another program
    // takes its place too.
    SymbolPalette *palette = openPalette(m_window);
    QVERIFY(palette);
    bool paletteOnTop = true;
    bool mainOnTop = true;
    whileOpen(command, [&](QWidget *) {
        announce(Qt::ApplicationInactive);
        announce(Qt::ApplicationActive);
        // The place would come back once the activation has been handled.
        QTest::qWait(50);
        paletteOnTop = staysOnTop(palette);
        mainOnTop = staysOnTop(m_window);
    });
    QVERIFY(!paletteOnTop);
    QVERIFY(!mainOnTop);

    QTRY_VERIFY(staysOnTop(palette));
    QVERIFY(staysOnTop(m_window));
    // The rule of the program switch still holds afterwards.
    palette->activateWindow();
    QTRY_VERIFY(palette->isActiveWindow());
    announce(Qt::ApplicationInactive);
    QVERIFY(!staysOnTop(palette));
    QVERIFY(staysOnTop(m_window));
    announce(Qt::ApplicationActive);
    QTRY_VERIFY(staysOnTop(palette));
    delete palette;
}

void tst_AboutModal::focusOnOpening_data()
{
    addCommands();
}

void tst_AboutModal::focusOnOpening()
{
    QFETCH(QString, windowClass);
    QFETCH(QString, command);
    bool active = false;
    QWidget *focus = nullptr;
    QWidget *pageTab = nullptr;
    QList<QWidget *> controls;
    whileOpen(command, [&](QWidget *window) {
        active = window->isActiveWindow();
        focus = QApplication::focusWidget();
        controls = window->findChildren<QWidget *>();
        if (auto *usage = qobject_cast<UsageWindow *>(window))
            pageTab = usage->controls().usagePages->tabBar();
    });
    QVERIFY(active);
    if (windowClass == QLatin1String("AboutWindow")) {
        QVERIFY(!controls.isEmpty());
        QVERIFY(!controls.contains(focus));
    } else {
        QVERIFY(pageTab);
        QCOMPARE(focus, pageTab);
    }
}

void tst_AboutModal::onlyTheTitleBarCloses_data()
{
    addCommands();
}

void tst_AboutModal::onlyTheTitleBarCloses()
{
    QFETCH(QString, command);
    bool openAfterEscape = false;
    bool openAfterEnter = false;
    QPointer<QWidget> window = whileOpen(command, [&](QWidget *shown) {
        QTest::keyClick(shown->windowHandle(), Qt::Key_Escape);
        openAfterEscape = shown->isVisible();
        QTest::keyClick(shown->windowHandle(), Qt::Key_Return);
        openAfterEnter = shown->isVisible();
    });
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterEnter);
    // The close from the title bar goes through the close handler and frees the window.
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(tst_AboutModal)
#include "tst_aboutmodal.moc"
