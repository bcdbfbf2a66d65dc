#include "TestSupport.h"
#include "about/Unit4.h"
#include "ui_Unit4.h"

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

    std::unique_ptr<TForm4> m_form;
    Ui::TForm4 *ui = nullptr;
};

void tst_AboutUsage::init()
{
    m_form = std::make_unique<TForm4>();
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_AboutUsage::cleanup()
{
    m_form.reset();
    ui = nullptr;
}

QWidget *tst_AboutUsage::control(const QString &name) const
{
    if (name == m_form->objectName())
        return m_form.get();
    auto *widget = m_form->findChild<QWidget *>(name);
    if (!widget)
        qWarning("no control %s", qPrintable(name));
    return widget;
}

void tst_AboutUsage::window()
{
    QCOMPARE(m_form->objectName(), QStringLiteral("Form4"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("☆取り扱いについて"));
    verifyHelpWindowFrame(m_form.get(), QSize(318, 369));
}

void tst_AboutUsage::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QRect>("place");
    QTest::newRow("Label1") << "Label1"
                            << "Form4" << QRect(16, 8, 276, 24);
    QTest::newRow("PageControl1") << "PageControl1"
                                  << "Form4" << QRect(8, 40, 297, 321);
    QTest::newRow("Memo1") << "Memo1"
                           << "TabSheet1" << QRect(8, 8, 273, 273);
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
    QTest::newRow("window") << "Form4" << gothic << 15 << false;
    QTest::newRow("Label1") << "Label1" << mincho << 24 << true;
    QTest::newRow("PageControl1") << "PageControl1" << gothic << 13 << false;
    QTest::newRow("Memo1") << "Memo1" << mincho << 13 << true;
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
    QTest::newRow("window") << "Form4" << int(QPalette::Window) << QColor(128, 128, 128);
    QTest::newRow("Label1") << "Label1" << int(QPalette::WindowText) << QColor(128, 0, 0);
    // The grey stays the window's: the page and its tab keep the button face.
    QTest::newRow("page") << "TabSheet1" << int(QPalette::Window)
                          << standard.color(QPalette::Button);
    QTest::newRow("Memo1 back") << "Memo1" << int(QPalette::Base) << standard.color(QPalette::Base);
    QTest::newRow("Memo1 text") << "Memo1" << int(QPalette::Text) << standard.color(QPalette::Text);
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
    QCOMPARE(ui->Label1->text(), QStringLiteral("ソフトの使用方法・目的"));
    QCOMPARE(ui->Label1->textFormat(), Qt::PlainText);
    QVERIFY(ui->Label1->fontMetrics().horizontalAdvance(ui->Label1->text()) <= ui->Label1->width());
    QCOMPARE(ui->PageControl1->count(), 1);
    QCOMPARE(ui->PageControl1->widget(0), ui->TabSheet1);
    QCOMPARE(ui->PageControl1->tabText(0), QStringLiteral("使い方"));
    QVERIFY(ui->PageControl1->tabBar()->isVisible());
    QVERIFY(ui->PageControl1->focusPolicy() & Qt::TabFocus);
    QVERIFY(ui->PageControl1->tabBar()->focusPolicy() & Qt::TabFocus);
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
    const QStringList lines = ui->Memo1->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.at(line - 1), text);
    // The commas are the full-width U+FF0C throughout.
    QVERIFY(!text.contains(QLatin1Char(',')));
}

void tst_AboutUsage::helpTextShowsWholeWithoutScrolling()
{
    QTextEdit *memo = ui->Memo1;
    QCOMPARE(memo->frameShape(), QFrame::NoFrame);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->document()->blockCount(), 20);
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
    QVERIFY2(memo->document()->size().height() <= memo->viewport()->height(),
             qPrintable(QString::number(memo->document()->size().height())));
    QCOMPARE(memo->verticalScrollBar()->maximum(), 0);
    QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
    // The memo lies whole on its page, below the tab.
    QVERIFY(ui->TabSheet1->rect().contains(memo->geometry()));
}

void tst_AboutUsage::helpTextCannotBeEdited()
{
    QTextEdit *memo = ui->Memo1;
    QVERIFY(memo->isReadOnly());
    QVERIFY(!(memo->focusPolicy() & Qt::TabFocus));
    const QString before = memo->toPlainText();
    setClipboardText(QStringLiteral("pasted"));
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("xy"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), before);
}

QTEST_MAIN(tst_AboutUsage)
#include "tst_aboutusage.moc"
