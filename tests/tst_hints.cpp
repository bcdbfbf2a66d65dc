#include "TestSupport.h"
#include "main_window/Unit1.h"
#include "platform/HintFilter.h"
#include "ui_Unit1.h"

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

private:
    void moveTo(QWidget *widget);
    QTimer *timer(const char *name) const;
    // What the tooltip shows, read as a user reads it.
    static QString shownText();

    TForm1 *m_form = nullptr;
    Ui::TForm1 *ui = nullptr;
};

void tst_Hints::init()
{
    m_form = showForm1();
    ui = &m_form->controls();
    // The mouse starts on a place without hints.
    moveTo(ui->Label1);
}

void tst_Hints::cleanup()
{
    QToolTip::hideText();
    delete m_form;
    m_form = nullptr;
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
    QTest::newRow("clear button") << "ToolButton1" << false << ""
                                  << "初期化";
    QTest::newRow("phrase button") << "ToolButton14" << false << ""
                                   << "定型文字列挿入";
    QTest::newRow("copy button") << "BitBtn1" << false << ""
                                 << "コピー";
    QTest::newRow("phrase list, hint set at run time")
        << "ComboBox2" << true << "いつもの挨拶|details"
        << "いつもの挨拶";
    QTest::newRow("markup shows literally")
        << "ToolButton1" << true << "<b>bold</b> & <i>x</i>|more"
        << "<b>bold</b> & <i>x</i>";
    QTest::newRow("empty after the cut") << "ToolButton1" << true << "|only long"
                                         << "";
    QTest::newRow("kaomoji list has none") << "ComboBox1" << false << ""
                                           << "";
    QTest::newRow("text line has none") << "Edit2" << false << ""
                                        << "";
    QTest::newRow("composition box") << "Memo1" << false << ""
                                     << "";
    QTest::newRow("composition box, hints off") << "Memo1" << true << "never"
                                                << "";
    QTest::newRow("caption label") << "Label1" << true << "never"
                                   << "";
    QTest::newRow("clock") << "Label2" << false << ""
                           << "";
    QTest::newRow("status bar") << "StatusPanel0" << true << "never"
                                << "";
}

void tst_Hints::hint()
{
    QFETCH(QString, control);
    QFETCH(bool, setHint);
    QFETCH(QString, hint);
    QFETCH(QString, shown);

    auto *widget = m_form->findChild<QWidget *>(control);
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

    moveTo(ui->ToolButton1);
    QCOMPARE(pause->interval(), HintFilter::kPause);
    QTest::qWait(HintFilter::kPause - 200);
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    QCOMPARE(shownText(), QStringLiteral("初期化"));

    // On to the next button while the hint shows: the short pause.
    moveTo(ui->ToolButton5);
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
    moveTo(ui->ToolButton3);
    QCOMPARE(pause->interval(), HintFilter::kPause);

    // Leaving for a place without hints drops the one that is due.
    moveTo(ui->Memo1);
    QVERIFY(!pause->isActive());
}

void tst_Hints::sameRulesInEveryWindow()
{
    // A second main window installs no second filter.
    const auto second = std::make_unique<TForm1>();
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

QTEST_MAIN(tst_Hints)
#include "tst_hints.moc"
