#include "TestSupport.h"
#include "about/UsageWindow.h"
#include "ui_UsageWindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

using namespace TestSupport;

class tst_AboutUsage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void geometry_data();
    void geometry();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void page();

    void helpText_data();
    void helpText();
    void helpTextShowsWholeWithoutScrolling();
    void helpTextCannotBeEdited();

private:
    QWidget *control(const QString &name) const;

    std::unique_ptr<UsageWindow> m_window;
    Ui::UsageWindow *ui = nullptr;
};

void tst_AboutUsage::init()
{
    m_window = std::make_unique<UsageWindow>();
    ui = &m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_AboutUsage::cleanup()
{
    m_window.reset();
    ui = nullptr;
}

QWidget *tst_AboutUsage::control(const QString &name) const
{
    if (name == m_window->objectName())
        return m_window.get();
    auto *widget = m_window->findChild<QWidget *>(name);
    if (!widget)
        qWarning("no control %s", qPrintable(name));
    return widget;
}

void tst_AboutUsage::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("UsageWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("☆取り扱いについて"));
    verifyHelpWindowFrame(m_window.get(), QSize(318, 369));
}

void tst_AboutUsage::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QRect>("place");
    QTest::newRow("title") << "title"
                           << "UsageWindow" << QRect(16, 8, 276, 24);
    QTest::newRow("usagePages") << "usagePages"
                                << "UsageWindow" << QRect(8, 40, 297, 321);
    QTest::newRow("helpText") << "helpText"
                              << "usagePage" << QRect(8, 8, 273, 273);
}

void tst_AboutUsage::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, holder);
    QFETCH(QRect, place);
    QWidget *widget = control(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), control(holder));
    QCOMPARE(widget->geometry(), place);
    QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
}

void tst_AboutUsage::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    const QStringList gothic{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "Noto Sans CJK JP"};
    const QStringList mincho{"ＭＳ 明朝", "MS Mincho", "IPAMincho", "Noto Serif CJK JP"};
    QTest::newRow("window") << "UsageWindow" << gothic << 15 << false;
    QTest::newRow("title") << "title" << mincho << 24 << true;
    QTest::newRow("usagePages") << "usagePages" << gothic << 13 << false;
    QTest::newRow("helpText") << "helpText" << mincho << 13 << true;
}

void tst_AboutUsage::fonts()
{
    QFETCH(QString, name);
    QFETCH(QStringList, families);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    const QWidget *widget = control(name);
    QVERIFY(widget);
    const QFont font = widget->font();
    QCOMPARE(font.families(), families);
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.bold(), bold);
    QVERIFY2(families.contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
}

void tst_AboutUsage::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");
    const QPalette standard = QApplication::palette();
    QTest::newRow("window") << "UsageWindow" << int(QPalette::Window) << QColor(128, 128, 128);
    QTest::newRow("title") << "title" << int(QPalette::WindowText) << QColor(128, 0, 0);
    // The grey stays the window's: the page and its tab keep the button face.
    QTest::newRow("page") << "usagePage" << int(QPalette::Window)
                          << standard.color(QPalette::Button);
    QTest::newRow("helpText back")
        << "helpText" << int(QPalette::Base) << standard.color(QPalette::Base);
    QTest::newRow("helpText text")
        << "helpText" << int(QPalette::Text) << standard.color(QPalette::Text);
}

void tst_AboutUsage::colours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    const QWidget *widget = control(name);
    QVERIFY(widget);
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
}

void tst_AboutUsage::page()
{
    QCOMPARE(ui->title->text(), QStringLiteral("ソフトの使用方法・目的"));
    QCOMPARE(ui->title->textFormat(), Qt::PlainText);
    QVERIFY(ui->title->fontMetrics().horizontalAdvance(ui->title->text()) <= ui->title->width());
    QCOMPARE(ui->usagePages->count(), 1);
    QCOMPARE(ui->usagePages->widget(0), ui->usagePage);
    QCOMPARE(ui->usagePages->tabText(0), QStringLiteral("使い方"));
    QVERIFY(ui->usagePages->tabBar()->isVisible());
    QVERIFY(ui->usagePages->focusPolicy() & Qt::TabFocus);
    QVERIFY(ui->usagePages->tabBar()->focusPolicy() & Qt::TabFocus);
}

void tst_AboutUsage::helpText_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const QStringList lines{
        "",
        "ソフトの目的としては，タイピングのスピ",
        "ードが要求されるチャットで，楽をするた",
        "めに作られたものですが，一般の文書作成",
        "にも使用できます。",
        "",
        "まず，顔文字を選択後ボタンを押すか，テ",
        "キストを入力しボタンを押すか，記号・マ",
        "ークの好きなボタンを押すかして，クリッ",
        "プボードの内容と書かれた欄に文字列を作",
        "成します。",
        "",
        "注・直接クリップボードの内容欄を編集し",
        "た場合は，右上にあるコピーボタンを押し",
        "て下さい。それ以外の場合は，押さなくて",
        "構いません。",
        "",
        "あとはチャットの発言内容を記入する欄で",
        "，マウスを右クリックして，貼り付けをお",
        "こなうだけです。",
    };
    for (int line = 1; line <= lines.size(); ++line)
        QTest::addRow("line %d", line) << line << lines.at(line - 1);
}

void tst_AboutUsage::helpText()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines = ui->helpText->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.at(line - 1), text);
    // The commas are the full-width U+FF0C throughout.
    QVERIFY(!text.contains(QLatin1Char(',')));
}

void tst_AboutUsage::helpTextShowsWholeWithoutScrolling()
{
    QTextEdit *helpText = ui->helpText;
    QCOMPARE(helpText->frameShape(), QFrame::NoFrame);
    QCOMPARE(helpText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(helpText->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(helpText->document()->blockCount(), 20);
    for (QTextBlock block = helpText->document()->begin(); block.isValid(); block = block.next())
        QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
    QVERIFY2(helpText->document()->size().height() <= helpText->viewport()->height(),
             qPrintable(QString::number(helpText->document()->size().height())));
    QCOMPARE(helpText->verticalScrollBar()->maximum(), 0);
    QCOMPARE(helpText->horizontalScrollBar()->maximum(), 0);
    // The help text lies whole on its page, below the tab.
    QVERIFY(ui->usagePage->rect().contains(helpText->geometry()));
}

void tst_AboutUsage::helpTextCannotBeEdited()
{
    QTextEdit *helpText = ui->helpText;
    QVERIFY(helpText->isReadOnly());
    QVERIFY(!(helpText->focusPolicy() & Qt::TabFocus));
    const QString before = helpText->toPlainText();
    setClipboardText(QStringLiteral("pasted"));
    helpText->setFocus();
    QTest::keyClicks(helpText, QStringLiteral("xy"));
    QTest::keyClick(helpText, Qt::Key_Return);
    QTest::keyClick(helpText, Qt::Key_Backspace);
    QTest::keyClick(helpText, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(helpText, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(helpText, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(helpText->toPlainText(), before);
}

QTEST_MAIN(tst_AboutUsage)
#include "tst_aboutusage.moc"
