#include "TestSupport.h"
#include "about/AboutWindow.h"
#include "main_window/MainWindow.h"
#include "platform/HintFilter.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

#include <memory>

using namespace TestSupport;

class tst_Hints : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shortHint_data();
    void shortHint();
    void hint_data();
    void hint();
    void timing();
    void sameRulesInEveryWindow();
    void aboutWindowHints_data();
    void aboutWindowHints();

private:
    void moveTo(QWidget *widget);
    QTimer *timer(const char *name) const;
    // What the tooltip shows, read as a user reads it.
    static QString shownText();

    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_Hints::init()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
    // The mouse starts on a place without hints.
    moveTo(ui->compositionCaption);
}

void tst_Hints::cleanup()
{
    QToolTip::hideText();
    delete m_window;
    m_window = nullptr;
}

void tst_Hints::moveTo(QWidget *widget)
{
    QTest::mouseMove(widget, widget->rect().center());
}

QTimer *tst_Hints::timer(const char *name) const
{
    auto *filter = qApp->findChild<HintFilter *>();
    return filter ? filter->findChild<QTimer *>(QString::fromLatin1(name)) : nullptr;
}

QString tst_Hints::shownText()
{
    return QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText();
}

void tst_Hints::shortHint_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no bar") << "初期化"
                            << "初期化";
    QTest::newRow("cut at the bar") << "short|long"
                                    << "short";
    QTest::newRow("first bar counts") << "a|b|c"
                                      << "a";
    QTest::newRow("nothing before the bar") << "|long"
                                            << "";
    // In code page 932 the second byte of this character is the bar's byte.
    QTest::newRow("double-byte character") << "ポ|x"
                                           << "ポ";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_Hints::shortHint()
{
    QFETCH(QString, hint);
    QFETCH(QString, shown);
    QCOMPARE(HintFilter::shortHint(hint), shown);
}

void tst_Hints::hint_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("setHint");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shown");
    QTest::newRow("clear button") << "clearButton" << false << ""
                                  << "初期化";
    QTest::newRow("phrase button") << "phraseButton" << false << ""
                                   << "定型文字列挿入";
    QTest::newRow("copy button") << "copyButton" << false << ""
                                 << "コピー";
    QTest::newRow("phrase list, hint set at run time")
        << "phraseList" << true << "いつもの挨拶|details"
        << "いつもの挨拶";
    QTest::newRow("markup shows literally")
        << "clearButton" << true << "<b>bold</b> & <i>x</i>|more"
        << "<b>bold</b> & <i>x</i>";
    QTest::newRow("empty after the cut") << "clearButton" << true << "|only long"
                                         << "";
    QTest::newRow("kaomoji list has none") << "kaomojiList" << false << ""
                                           << "";
    QTest::newRow("text line has none") << "textLine" << false << ""
                                        << "";
    QTest::newRow("composition box") << "compositionBox" << false << ""
                                     << "";
    QTest::newRow("composition box, hints off") << "compositionBox" << true << "never"
                                                << "";
    QTest::newRow("caption label") << "compositionCaption" << true << "never"
                                   << "";
    QTest::newRow("clock") << "clockLabel" << false << ""
                           << "";
    QTest::newRow("status bar") << "characterCount" << true << "never"
                                << "";
}

void tst_Hints::hint()
{
    QFETCH(QString, control);
    QFETCH(bool, setHint);
    QFETCH(QString, hint);
    QFETCH(QString, shown);

    auto *widget = m_window->findChild<QWidget *>(control);
    QVERIFY(widget);
    if (setHint)
        widget->setToolTip(hint);
    moveTo(widget);
    if (shown.isEmpty()) {
        // Longer than any pause, Qt's own included.
        QTest::qWait(HintFilter::kPause + 400);
        QVERIFY(!QToolTip::isVisible());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
        QCOMPARE(shownText(), shown);
    }
}

void tst_Hints::timing()
{
    QTimer *pause = timer("hintPause");
    QTimer *hide = timer("hintHide");
    QVERIFY(pause && hide);

    moveTo(ui->clearButton);
    QCOMPARE(pause->interval(), HintFilter::kPause);
    QTest::qWait(HintFilter::kPause - 200);
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QCOMPARE(shownText(), QStringLiteral("初期化"));

    // On to the next button while the hint shows: the short pause.
    moveTo(ui->undoButton);
    QCOMPARE(pause->interval(), HintFilter::kShortPause);
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), QStringLiteral("元に戻す"), 2000);
    QVERIFY(QToolTip::isVisible());

    // The hint goes by itself.
    QCOMPARE(hide->interval(), HintFilter::kHidePause);
    QElapsedTimer shownFor;
    shownFor.start();
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 6000);
    QVERIFY(shownFor.elapsed() >= HintFilter::kHidePause - 500);

    // With no hint showing, the next control waits the full pause again.
    moveTo(ui->kaomojiButton);
    QCOMPARE(pause->interval(), HintFilter::kPause);

    // Leaving for a place without hints drops the one that is due.
    moveTo(ui->compositionBox);
    QVERIFY(!pause->isActive());
}

void tst_Hints::sameRulesInEveryWindow()
{
    // A second main window installs no second filter.
    const auto second = std::make_unique<MainWindow>();
    QCOMPARE(qApp->findChildren<HintFilter *>().size(), 1);

    QWidget other;
    auto *button = new QPushButton(QStringLiteral("x"), &other);
    button->setToolTip(QStringLiteral("<i>other</i>|window"));
    HintFilter::setShowHint(button, true);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    moveTo(button);
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QCOMPARE(shownText(), QStringLiteral("<i>other</i>"));
}

void tst_Hints::aboutWindowHints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("setHint");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shown");
    QTest::newRow("support address") << "supportAddress" << false << ""
                                     << "クリックするとホームページへ";
    QTest::newRow("support address, markup") << "supportAddress" << true << "<b>x</b> &amp;|y"
                                             << "<b>x</b> &amp;";
    QTest::newRow("contact address") << "contactAddress" << false << ""
                                     << "";
    QTest::newRow("product name") << "productName" << true << "never"
                                  << "";
}

void tst_Hints::aboutWindowHints()
{
    QFETCH(QString, control);
    QFETCH(bool, setHint);
    QFETCH(QString, hint);
    QFETCH(QString, shown);
    // The About window alone, so that the mouse is over it wherever the two would overlap.
    m_window->hide();
    AboutWindow about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto *widget = about.findChild<QWidget *>(control);
    QVERIFY(widget);
    if (setHint)
        widget->setToolTip(hint);

    moveTo(widget);
    // The same pause as in the main window, Qt's own tooltip never.
    QTest::qWait(HintFilter::kPause - 200);
    QVERIFY(!QToolTip::isVisible());
    if (shown.isEmpty()) {
        QTest::qWait(600);
        QVERIFY(!QToolTip::isVisible());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
        QCOMPARE(shownText(), shown);
        QCOMPARE(timer("hintHide")->interval(), HintFilter::kHidePause);
    }
}

QTEST_MAIN(tst_Hints)
#include "tst_hints.moc"
