#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"
#include "palette/SymbolTable.h"
#include "platform/Fonts.h"
#include "platform/TopLevelWindows.h"
#include "ui_MainWindow.h"
#include "ui_SymbolPalette.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
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
    void paletteOnItsOwnOnlyTellsTheSymbol();
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
    void clickSymbol(SymbolPalette *palette, const QString &caption);
    void activate(QWidget *window);
    void setComposition(const QString &text, int start, int length);
    QString composition() const { return m_window->compositionBox().text(); }

    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
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
    m_window = showMainWindow();
    ui = &m_window->controls();
    setClipboardText(QStringLiteral("before"));
}

void tst_Palette::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<SymbolPalette *>(window))
            delete window;
    }
    delete m_window;
    m_window = nullptr;
}

void tst_Palette::activate(QWidget *window)
{
    window->activateWindow();
    QTRY_VERIFY(window->isActiveWindow());
}

// As a user does it: the click makes the palette active first.
void tst_Palette::clickSymbol(SymbolPalette *palette, const QString &caption)
{
    QPushButton *button = nullptr;
    for (QPushButton *candidate : palette->findChildren<QPushButton *>()) {
        if (candidate->text() == caption)
            button = candidate;
    }
    QVERIFY2(button, qPrintable(caption));
    QTabWidget *pages = palette->controls().symbolPages;
    pages->setCurrentWidget(button->parentWidget());
    activate(palette);
    QTest::mouseClick(button, Qt::LeftButton);
}

void tst_Palette::setComposition(const QString &text, int start, int length)
{
    m_window->compositionBox().replaceAll(text);
    QTextCursor cursor = ui->compositionBox->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    ui->compositionBox->setTextCursor(cursor);
}

void tst_Palette::windowAndButtonGrid()
{
    SymbolPalette *palette = openPalette(m_window);
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

    auto *pages = palette->findChild<QTabWidget *>(QStringLiteral("symbolPages"));
    QVERIFY(pages);
    QCOMPARE(pages->geometry(), QRect(0, 8, 321, 249));
    QCOMPARE(pages->tabPosition(), QTabWidget::North);
    QCOMPARE(pages->count(), 3);

    int total = 0;
    for (int p = 0; p < 3; ++p) {
        const SymbolTable::Page &page = SymbolTable::pages().at(p);
        QWidget *sheet = pages->widget(p);
        QCOMPARE(sheet->objectName(), QStringLiteral("symbolPage%1").arg(p + 1));
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
    SymbolPalette *first = openPalette(m_window);
    QVERIFY(first);
    QTabWidget *pages = first->controls().symbolPages;
    QCOMPARE(pages->currentIndex(), 0);
    QTRY_VERIFY(first->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), pages->tabBar());
    // The page tabs come before the buttons.
    QTest::keyClick(pages->tabBar(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), buttonsOf(pages->widget(0)).first());

    pages->setCurrentIndex(2);
    SymbolPalette *second = openPalette(m_window);
    QVERIFY(second);
    QCOMPARE(second->controls().symbolPages->currentIndex(), 0);
    QCOMPARE(pages->currentIndex(), 2);
    QTRY_VERIFY(second->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), second->controls().symbolPages->tabBar());
}

void tst_Palette::everyPaletteOpensAtTheSamePlace()
{
    SymbolPalette *first = openPalette(m_window);
    QVERIFY(first);
    QCOMPARE(first->frameGeometry().topLeft(), QPoint(183, 202));
    first->move(400, 300);
    SymbolPalette *second = openPalette(m_window);
    QVERIFY(second);
    QCOMPARE(second->frameGeometry().topLeft(), QPoint(183, 202));
    QCOMPARE(first->frameGeometry().topLeft(), QPoint(400, 300));
    QVERIFY(first->isVisible());
}

void tst_Palette::paletteOnItsOwnOnlyTellsTheSymbol()
{
    // Made apart from the main window, the palette still works: it names the symbol.
    SymbolPalette palette;
    palette.show();
    QVERIFY(QTest::qWaitForWindowExposed(&palette));
    QSignalSpy chosen(&palette, &SymbolPalette::symbolChosen);
    const QList<QPushButton *> buttons = buttonsOf(palette.controls().symbolPages->widget(0));
    QTest::mouseClick(buttons.at(2), Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("〈"));
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
}

void tst_Palette::everyButtonInsertsItsCaption()
{
    SymbolPalette *palette = openPalette(m_window);
    QVERIFY(palette);
    QTabWidget *pages = palette->controls().symbolPages;
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

    SymbolPalette *palette = openPalette(m_window);
    QVERIFY(palette);
    setComposition(initial, start, length);
    clickSymbol(palette, QStringLiteral("〔"));

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(m_window->composition().undoText(), initial);
    const QTextCursor cursor = ui->compositionBox->textCursor();
    QVERIFY(!cursor.hasSelection());
    QCOMPARE(cursor.position(), caret);

    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), initial);
}

void tst_Palette::severalClicksUndoTheLastOnly()
{
    SymbolPalette *palette = openPalette(m_window);
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
    QCOMPARE(ui->compositionBox->textCursor().position(), 6);

    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), beforeLast);
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), beforeLast);
}

void tst_Palette::clickHandsFocusBack_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QString>("line");
    QTest::newRow("compositionBox had the focus") << "compositionBox"
                                                  << "abc〔de"
                                                  << "";
    QTest::newRow("textLine had the focus") << "textLine"
                                            << "abc〔"
                                            << "de";
}

void tst_Palette::clickHandsFocusBack()
{
    QFETCH(QString, control);
    QFETCH(QString, composition);
    QFETCH(QString, line);

    setComposition(QStringLiteral("abc"), 3, 0);
    auto *focused = m_window->findChild<QWidget *>(control);
    QVERIFY(focused);
    focused->setFocus();
    SymbolPalette *palette = openPalette(m_window);
    QVERIFY(palette);
    QTRY_VERIFY(palette->isActiveWindow());

    clickSymbol(palette, QStringLiteral("〔"));
    QTRY_VERIFY(m_window->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), focused);
    // Keys go to the active window, which hands them to its focused control.
    QTest::keyClick(m_window->windowHandle(), 'd');
    QTest::keyClick(m_window->windowHandle(), 'e');
    QCOMPARE(this->composition(), composition);
    QCOMPARE(ui->textLine->text(), line);
    if (control == QLatin1String("compositionBox"))
        QCOMPARE(ui->compositionBox->textCursor().position(), 6);
    QVERIFY(palette->isVisible());
}

void tst_Palette::twoPalettesShareTheComposition()
{
    const QPointer<SymbolPalette> first = openPalette(m_window);
    const QPointer<SymbolPalette> second = openPalette(m_window);
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
    QCOMPARE(m_window->composition().undoText(), QStringLiteral("〔〕"));
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

    SymbolPalette *first = openPalette(m_window);
    SymbolPalette *second = openPalette(m_window);
    QVERIFY(first && second);
    QVERIFY(staysOnTop(first) && staysOnTop(second) && staysOnTop(m_window));
    for (const QString &step : steps) {
        if (step == QLatin1String("click")) {
            clickSymbol(first, QStringLiteral("〔"));
            QTRY_VERIFY(m_window->isActiveWindow());
        } else if (step == QLatin1String("away")) {
            announce(Qt::ApplicationInactive);
            activate(m_window);
            announce(Qt::ApplicationActive);
            QTRY_VERIFY(staysOnTop(first) && staysOnTop(second));
        } else {
            activate(step == QLatin1String("main")        ? static_cast<QWidget *>(m_window)
                         : step == QLatin1String("first") ? first
                                                          : second);
        }
    }

    announce(Qt::ApplicationInactive);
    QCOMPARE(staysOnTop(first), !firstYields);
    QCOMPARE(staysOnTop(second), !secondYields);
    QVERIFY(staysOnTop(m_window));
    // The flag changes in place: the windows stay shown.
    QVERIFY(first->isVisible() && second->isVisible());

    announce(Qt::ApplicationActive);
    QTRY_VERIFY(staysOnTop(first) && staysOnTop(second));
    QVERIFY(staysOnTop(m_window));
}

void tst_Palette::placeStaysGivenUpWhenProgramLosesActivationAgain()
{
    SymbolPalette *palette = openPalette(m_window);
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
    QPointer<SymbolPalette> palette;
    bool opened = false;
    bool timedOut = false;
    QTimer::singleShot(0, this, [&] {
        palette = openPalette(m_window);
        opened = palette;
        m_window->close();
    });
    QTimer::singleShot(5000, this, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    // As the program ends: the loop returns, then whatever is left goes.
    QApplication::exec();
    TopLevelWindows::destroyRemaining();
    m_window = nullptr;
    QVERIFY(opened);
    QVERIFY(!timedOut);
    QVERIFY(palette.isNull());
}

QTEST_MAIN(tst_Palette)
#include "tst_palette.moc"
