#include "TestSupport.h"
#include "main_window/Unit1.h"
#include "palette/SymbolTable.h"
#include "palette/Unit3.h"
#include "platform/Fonts.h"
#include "platform/TopLevelWindows.h"
#include "ui_Unit1.h"
#include "ui_Unit3.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace TestSupport;

class tst_Palette : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAndButtonGrid();
    void firstPageInFrontWithFocusOnTabs();
    void everyPaletteOpensAtTheSamePlace();
    void everyButtonInsertsItsCaption();
    void clickInsertsAndPublishes_data();
    void clickInsertsAndPublishes();
    void severalClicksUndoTheLastOnly();
    void clickHandsFocusBack_data();
    void clickHandsFocusBack();
    void twoPalettesShareTheComposition();
    void palettesYieldOnlyAboveMainWindow_data();
    void palettesYieldOnlyAboveMainWindow();
    void placeStaysGivenUpWhenProgramLosesActivationAgain();
    void closingMainWindowEndsProgramWithPaletteOpen();

private:
    TForm3 *openPalette();
    void clickSymbol(TForm3 *palette, const QString &caption);
    void activate(QWidget *window);
    void setComposition(const QString &text, int start, int length);
    QString composition() const { return m_form->Memo1().text(); }

    TForm1 *m_form = nullptr;
    Ui::TForm1 *ui = nullptr;
};

namespace {

QList<QPushButton *> buttonsOf(QWidget *sheet)
{
    return sheet->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
}

bool staysOnTop(QWidget *window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)
        && window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

// The offscreen platform has no other program to switch to, so the state change is
// announced as the platform announces it.
void announce(Qt::ApplicationState state)
{
    emit qApp->applicationStateChanged(state);
}

} // namespace

void tst_Palette::init()
{
    m_form = showForm1();
    ui = &m_form->controls();
    setClipboardText(QStringLiteral("before"));
}

void tst_Palette::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm3 *>(window))
            delete window;
    }
    delete m_form;
    m_form = nullptr;
}

TForm3 *tst_Palette::openPalette()
{
    const QPointer<TForm3> before = Form3;
    QTest::mouseClick(ui->ToolButton8, Qt::LeftButton);
    TForm3 *palette = Form3;
    if (!palette || palette == before) {
        qWarning("no new palette");
        return nullptr;
    }
    if (!QTest::qWaitForWindowExposed(palette))
        qWarning("palette not exposed");
    return palette;
}

void tst_Palette::activate(QWidget *window)
{
    window->activateWindow();
    QTRY_VERIFY(window->isActiveWindow());
}

// As a user does it: the click makes the palette active first.
void tst_Palette::clickSymbol(TForm3 *palette, const QString &caption)
{
    QPushButton *button = nullptr;
    for (QPushButton *candidate : palette->findChildren<QPushButton *>()) {
        if (candidate->text() == caption)
            button = candidate;
    }
    QVERIFY2(button, qPrintable(caption));
    QTabWidget *pages = palette->controls().PageControl1;
    pages->setCurrentWidget(button->parentWidget());
    activate(palette);
    QTest::mouseClick(button, Qt::LeftButton);
}

void tst_Palette::setComposition(const QString &text, int start, int length)
{
    m_form->Memo1().replaceAll(text);
    QTextCursor cursor = ui->Memo1->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    ui->Memo1->setTextCursor(cursor);
}

void tst_Palette::windowAndButtonGrid()
{
    TForm3 *palette = openPalette();
    QVERIFY(palette);
    QCOMPARE(palette->windowTitle(), QStringLiteral("特殊記号・マーク挿入"));
    QCOMPARE(palette->size(), QSize(327, 263));
    QCOMPARE(palette->minimumSize(), QSize(327, 263));
    QCOMPARE(palette->maximumSize(), QSize(327, 263));
    QCOMPARE(palette->frameGeometry().topLeft(), QPoint(183, 202));
    const Qt::WindowFlags flags = palette->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(palette->font().pixelSize(), 12);
    QCOMPARE(palette->font().families(), Fonts::font(Fonts::Family::MsPGothic, 12).families());
    QCOMPARE(palette->backgroundRole(), QPalette::Button);
    QVERIFY(palette->autoFillBackground());

    auto *pages = palette->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QVERIFY(pages);
    QCOMPARE(pages->geometry(), QRect(0, 8, 321, 249));
    QCOMPARE(pages->tabPosition(), QTabWidget::North);
    QCOMPARE(pages->count(), 3);

    int total = 0;
    for (int p = 0; p < 3; ++p) {
        const SymbolTable::Page &page = SymbolTable::pages().at(p);
        QWidget *sheet = pages->widget(p);
        QCOMPARE(sheet->objectName(), QStringLiteral("TabSheet%1").arg(p + 1));
        QCOMPARE(pages->tabText(p), page.tabCaption);
        pages->setCurrentIndex(p);
        const QList<QPushButton *> buttons = buttonsOf(sheet);
        qsizetype i = 0;
        for (int r = 0; r < page.rows.size(); ++r) {
            for (int c = 0; c < page.rows[r].size(); ++c, ++i) {
                QVERIFY(i < buttons.size());
                QPushButton *button = buttons[i];
                QCOMPARE(button->text(), page.rows[r][c]);
                QCOMPARE(button->geometry(), QRect(8 + 24 * c, 16 + 32 * r, 22, 22));
                QVERIFY(sheet->rect().contains(button->geometry()));
                QCOMPARE(button->font().pixelSize(), 15);
                QCOMPARE(button->font().families(), palette->font().families());
                QVERIFY(button->focusPolicy() & Qt::TabFocus);
            }
        }
        QCOMPARE(buttons.size(), i);
        total += int(i);
    }
    QCOMPARE(total, 173);
}

void tst_Palette::firstPageInFrontWithFocusOnTabs()
{
    TForm3 *first = openPalette();
    QVERIFY(first);
    QTabWidget *pages = first->controls().PageControl1;
    QCOMPARE(pages->currentIndex(), 0);
    QTRY_VERIFY(first->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), pages->tabBar());
    // The page tabs come before the buttons.
    QTest::keyClick(pages->tabBar(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), buttonsOf(pages->widget(0)).first());

    pages->setCurrentIndex(2);
    TForm3 *second = openPalette();
    QVERIFY(second);
    QCOMPARE(second->controls().PageControl1->currentIndex(), 0);
    QCOMPARE(pages->currentIndex(), 2);
    QTRY_VERIFY(second->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), second->controls().PageControl1->tabBar());
}

void tst_Palette::everyPaletteOpensAtTheSamePlace()
{
    TForm3 *first = openPalette();
    QVERIFY(first);
    QCOMPARE(first->frameGeometry().topLeft(), QPoint(183, 202));
    first->move(400, 300);
    TForm3 *second = openPalette();
    QVERIFY(second);
    QCOMPARE(second->frameGeometry().topLeft(), QPoint(183, 202));
    QCOMPARE(first->frameGeometry().topLeft(), QPoint(400, 300));
    QVERIFY(first->isVisible());
}

void tst_Palette::everyButtonInsertsItsCaption()
{
    TForm3 *palette = openPalette();
    QVERIFY(palette);
    QTabWidget *pages = palette->controls().PageControl1;
    QString expected;
    for (int p = 0; p < pages->count(); ++p) {
        pages->setCurrentIndex(p);
        for (QPushButton *button : buttonsOf(pages->widget(p))) {
            QTest::mouseClick(button, Qt::LeftButton);
            expected += button->text();
        }
    }
    QCOMPARE(expected.size(), 173);
    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
}

void tst_Palette::clickInsertsAndPublishes_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("caret at the end") << "abc" << 3 << 0 << "abc〔" << 4;
    QTest::newRow("caret in the middle") << "abc" << 1 << 0 << "a〔bc" << 2;
    QTest::newRow("selection replaced") << "abcd" << 1 << 2 << "a〔d" << 2;
    QTest::newRow("whole text selected") << "abc" << 0 << 3 << "〔" << 1;
    QTest::newRow("empty composition") << "" << 0 << 0 << "〔" << 1;
    QTest::newRow("second line") << "ab\r\ncd" << 3 << 0 << "ab\r\n〔cd" << 4;
}

void tst_Palette::clickInsertsAndPublishes()
{
    QFETCH(QString, initial);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    TForm3 *palette = openPalette();
    QVERIFY(palette);
    setComposition(initial, start, length);
    clickSymbol(palette, QStringLiteral("〔"));

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(m_form->state().UndoText, initial);
    const QTextCursor cursor = ui->Memo1->textCursor();
    QVERIFY(!cursor.hasSelection());
    QCOMPARE(cursor.position(), caret);

    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), initial);
}

void tst_Palette::severalClicksUndoTheLastOnly()
{
    TForm3 *palette = openPalette();
    QVERIFY(palette);
    // The Angstrom sign as its code point: an editor may turn it into the letter.
    const QString angstrom(QChar(0x212B));
    const QString beforeLast = QStringLiteral("ab〔♪") + angstrom;
    setComposition(QStringLiteral("ab"), 2, 0);
    clickSymbol(palette, QStringLiteral("〔"));
    clickSymbol(palette, QStringLiteral("♪"));
    clickSymbol(palette, angstrom);
    clickSymbol(palette, QStringLiteral("】"));
    QCOMPARE(composition(), beforeLast + QStringLiteral("】"));
    QCOMPARE(clipboardText(), beforeLast + QStringLiteral("】"));
    QCOMPARE(ui->Memo1->textCursor().position(), 6);

    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), beforeLast);
    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), beforeLast);
}

void tst_Palette::clickHandsFocusBack_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QString>("line");
    QTest::newRow("Memo1 had the focus") << "Memo1"
                                         << "abc〔de"
                                         << "";
    QTest::newRow("Edit2 had the focus") << "Edit2"
                                         << "abc〔"
                                         << "de";
}

void tst_Palette::clickHandsFocusBack()
{
    QFETCH(QString, control);
    QFETCH(QString, composition);
    QFETCH(QString, line);

    setComposition(QStringLiteral("abc"), 3, 0);
    auto *focused = m_form->findChild<QWidget *>(control);
    QVERIFY(focused);
    focused->setFocus();
    TForm3 *palette = openPalette();
    QVERIFY(palette);
    QTRY_VERIFY(palette->isActiveWindow());

    clickSymbol(palette, QStringLiteral("〔"));
    QTRY_VERIFY(m_form->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), focused);
    // Keys go to the active window, which hands them to its focused control.
    QTest::keyClick(m_form->windowHandle(), 'd');
    QTest::keyClick(m_form->windowHandle(), 'e');
    QCOMPARE(this->composition(), composition);
    QCOMPARE(ui->Edit2->text(), line);
    if (control == QLatin1String("Memo1"))
        QCOMPARE(ui->Memo1->textCursor().position(), 6);
    QVERIFY(palette->isVisible());
}

void tst_Palette::twoPalettesShareTheComposition()
{
    const QPointer<TForm3> first = openPalette();
    const QPointer<TForm3> second = openPalette();
    QVERIFY(first && second && first != second);
    clickSymbol(first, QStringLiteral("〔"));
    clickSymbol(second, QStringLiteral("〕"));
    QCOMPARE(composition(), QStringLiteral("〔〕"));

    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(second->isVisible());
    clickSymbol(second, QStringLiteral("《"));
    QCOMPARE(composition(), QStringLiteral("〔〕《"));
    QCOMPARE(clipboardText(), QStringLiteral("〔〕《"));
    QCOMPARE(m_form->state().UndoText, QStringLiteral("〔〕"));
}

void tst_Palette::palettesYieldOnlyAboveMainWindow_data()
{
    // After two palettes have opened: "click" clicks a symbol in the first one (which ends
    // with the main window active); "away" switches to another program and back through
    // the main window; a window name activates that window.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("firstYields");
    QTest::addColumn<bool>("secondYields");
    QTest::newRow("both opened above") << QStringList{} << true << true;
    QTest::newRow("main window activated by a click") << QStringList{"click"} << false << false;
    QTest::newRow("one palette brought above again")
        << QStringList{"click", "second"} << false << true;
    QTest::newRow("main window activated last")
        << QStringList{"first", "second", "main"} << false << false;
    QTest::newRow("first above, second below")
        << QStringList{"second", "main", "first"} << true << false;
    QTest::newRow("back through the main window") << QStringList{"away"} << true << true;
    QTest::newRow("back, then a click") << QStringList{"away", "click"} << false << false;
}

void tst_Palette::palettesYieldOnlyAboveMainWindow()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, firstYields);
    QFETCH(bool, secondYields);

    TForm3 *first = openPalette();
    TForm3 *second = openPalette();
    QVERIFY(first && second);
    QVERIFY(staysOnTop(first) && staysOnTop(second) && staysOnTop(m_form));
    for (const QString &step : steps) {
        if (step == QLatin1String("click")) {
            clickSymbol(first, QStringLiteral("〔"));
            QTRY_VERIFY(m_form->isActiveWindow());
        } else if (step == QLatin1String("away")) {
            announce(Qt::ApplicationInactive);
            activate(m_form);
            announce(Qt::ApplicationActive);
            QTRY_VERIFY(staysOnTop(first) && staysOnTop(second));
        } else {
            activate(step == QLatin1String("main")        ? static_cast<QWidget *>(m_form)
                         : step == QLatin1String("first") ? first
                                                          : second);
        }
    }

    announce(Qt::ApplicationInactive);
    QCOMPARE(staysOnTop(first), !firstYields);
    QCOMPARE(staysOnTop(second), !secondYields);
    QVERIFY(staysOnTop(m_form));
    // The flag changes in place: the windows stay shown.
    QVERIFY(first->isVisible() && second->isVisible());

    announce(Qt::ApplicationActive);
    QTRY_VERIFY(staysOnTop(first) && staysOnTop(second));
    QVERIFY(staysOnTop(m_form));
}

void tst_Palette::placeStaysGivenUpWhenProgramLosesActivationAgain()
{
    TForm3 *palette = openPalette();
    QVERIFY(palette);
    announce(Qt::ApplicationInactive);
    announce(Qt::ApplicationActive);
    announce(Qt::ApplicationInactive);
    QTest::qWait(50);
    QVERIFY(!staysOnTop(palette));
    announce(Qt::ApplicationActive);
    QTRY_VERIFY(staysOnTop(palette));
}

void tst_Palette::closingMainWindowEndsProgramWithPaletteOpen()
{
    QPointer<TForm3> palette;
    bool opened = false;
    bool timedOut = false;
    QTimer::singleShot(0, this, [&] {
        palette = openPalette();
        opened = palette;
        m_form->close();
    });
    QTimer::singleShot(5000, this, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    // As the program ends: the loop returns, then whatever is left goes.
    QApplication::exec();
    TopLevelWindows::destroyRemaining();
    m_form = nullptr;
    QVERIFY(opened);
    QVERIFY(!timedOut);
    QVERIFY(palette.isNull());
}

QTEST_MAIN(tst_Palette)
#include "tst_palette.moc"
