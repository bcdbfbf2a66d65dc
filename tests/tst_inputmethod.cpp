#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "platform/InputMethod.h"

#include <QApplication>
#include <QTest>

using namespace TestSupport;

namespace {

// Notes the control that had the focus each time hiragana was asked for, and "cancel" each
// time a pending request was called off.
class FakeInputMethod final : public InputMethod
{
public:
    explicit FakeInputMethod(QStringList *asks)
        : m_asks(asks)
    {
    }

    void openHiragana() override
    {
        const QWidget *focus = QApplication::focusWidget();
        m_asks->append(focus ? focus->objectName() : QString());
    }

    void cancelOpening() override { m_asks->append(QStringLiteral("cancel")); }

private:
    QStringList *m_asks;
};

} // namespace

class tst_InputMethod : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void askedOnFocusIn_data();
    void askedOnFocusIn();
    void askedOnEveryArrival();

    void daemonOfQtsPlugin_data();
    void daemonOfQtsPlugin();

private:
    QStringList m_asks;
    MainWindow *m_window = nullptr;
};

void tst_InputMethod::init()
{
    m_asks.clear();
    InputMethod::setCurrent(std::make_unique<FakeInputMethod>(&m_asks));
    m_window = showMainWindow();
}

void tst_InputMethod::cleanup()
{
    delete m_window;
    m_window = nullptr;
    InputMethod::setCurrent(nullptr);
}

void tst_InputMethod::askedOnFocusIn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("asked");
    QTest::newRow("textLine") << "textLine" << true;
    QTest::newRow("phraseList") << "phraseList" << false;
    QTest::newRow("kaomojiList") << "kaomojiList" << false;
    QTest::newRow("copyButton") << "copyButton" << false;
}

void tst_InputMethod::askedOnFocusIn()
{
    QFETCH(QString, control);
    QFETCH(bool, asked);

    // The first showing puts the focus in compositionBox.
    QCOMPARE(m_asks, QStringList{QStringLiteral("compositionBox")});
    m_asks.clear();
    auto *widget = m_window->findChild<QWidget *>(control);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    QVERIFY(widget->hasFocus());
    // Leaving the box calls off what it asked for; only a Japanese field asks anew.
    QStringList expected{QStringLiteral("cancel")};
    if (asked)
        expected.append(control);
    QCOMPARE(m_asks, expected);
}

void tst_InputMethod::askedOnEveryArrival()
{
    m_asks.clear();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    // compositionBox → textLine → phraseList → copyButton → compositionBox → copyButton →
    // phraseList → textLine.
    QCOMPARE(m_asks,
             (QStringList{"cancel", "textLine", "cancel", "compositionBox", "cancel", "textLine"}));
}

void tst_InputMethod::daemonOfQtsPlugin_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<InputMethod::Daemon>("daemon");
    using Daemon = InputMethod::Daemon;
    QTest::newRow("fcitx5's plugin") << "fcitx" << Daemon::Fcitx5;
    QTest::newRow("its other name") << "fcitx5" << Daemon::Fcitx5;
    QTest::newRow("in capitals, as Qt takes it") << "FCITX" << Daemon::Fcitx5;
    QTest::newRow("IBus") << "ibus" << Daemon::IBus;
    QTest::newRow("with parameters after a colon") << "ibus:portal" << Daemon::IBus;
    QTest::newRow("unset: Qt composes dead keys itself") << "" << Daemon::None;
    QTest::newRow("compose") << "compose" << Daemon::None;
    QTest::newRow("no plugin") << "none" << Daemon::None;
    QTest::newRow("X's own input methods") << "xim" << Daemon::None;
    QTest::newRow("blanks: no plugin Qt would load") << " ibus" << Daemon::None;
    QTest::newRow("a longer name") << "ibus2" << Daemon::None;
}

void tst_InputMethod::daemonOfQtsPlugin()
{
    QFETCH(QString, module);
    QFETCH(InputMethod::Daemon, daemon);
    QCOMPARE(InputMethod::daemonFor(module), daemon);
}

QTEST_MAIN(tst_InputMethod)
#include "tst_inputmethod.moc"
