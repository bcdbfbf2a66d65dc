#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "platform/TypingLimit.h"
#include "platform/WindowPlacement.h"
#include "ui_MainWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace TestSupport;

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void geometry_data();
    void geometry();
    void window();
    void colours();
    void controlSettings();
    void accessibleNames_data();
    void accessibleNames();
    void menu_data();
    void menu();
    void compositionBoxShowsThreeWholeLines();
    void compositionScrollBarThumbCanBeDragged();

    void commands_data();
    void commands();
    void exitClosesTheWindow();

    void tabOrder();
    void toolButtonsLeaveTheFocus();
    void textLineSelectsAllOnTabOnly_data();
    void textLineSelectsAllOnTabOnly();

    void listsKeepTypedTextOut();
    void typingLimit_data();
    void typingLimit();
    void cp932Length_data();
    void cp932Length();

    void centred_data();
    void centred();
    void firstShownCentred();

private:
    QWidget *control(const QString &name) const;

    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_MainWindow::init()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
    setClipboardText(QStringLiteral("before"));
}

void tst_MainWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

QWidget *tst_MainWindow::control(const QString &name) const
{
    auto *widget = m_window->findChild<QWidget *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

void tst_MainWindow::geometry_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");

    const QString window = QStringLiteral("windowContent");
    const QString panel = QStringLiteral("toolPanel");
    const QString toolBar = QStringLiteral("toolBar");
    const QString statusBar = QStringLiteral("statusBar");
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    const QString mincho = QStringLiteral("ＭＳ 明朝");
    auto row = [](const char *name, const QString &holder, const char *className, QRect place,
                  const QString &family, int pixelSize, bool bold = false) {
        QTest::newRow(name) << holder << QString::fromLatin1(className) << place << family
                            << pixelSize << bold;
    };
    row("compositionCaption", window, "QLabel", {8, 2, 135, 15}, mincho, 15);
    row("clockLabel", window, "QLabel", {192, 2, 73, 15}, mincho, 15, true);
    row("copyButton", window, "QPushButton", {285, 2, 22, 22}, gothic, 12);
    row("compositionBox", window, "CappedTextEdit", {8, 24, 297, 57}, gothic, 16);
    row("toolPanel", window, "QFrame", {8, 88, 297, 97}, gothic, 12);
    row("statusBar", window, "QFrame", {0, 192, 316, 19}, gothic, 12);
    row("toolBar", panel, "QFrame", {1, 1, 295, 95}, gothic, 12);
    row("clearButton", toolBar, "QToolButton", {0, 2, 23, 23}, gothic, 12);
    row("undoButton", toolBar, "QToolButton", {23, 2, 23, 23}, gothic, 12);
    row("kaomojiButton", toolBar, "QToolButton", {54, 2, 23, 23}, gothic, 12);
    row("kaomojiList", toolBar, "QComboBox", {85, 2, 164, 23}, gothic, 15);
    row("paletteButton", toolBar, "QToolButton", {257, 2, 23, 23}, gothic, 12);
    row("insertTextButton", toolBar, "QToolButton", {0, 30, 23, 23}, gothic, 12);
    row("textLine", toolBar, "QLineEdit", {31, 30, 250, 23}, gothic, 15);
    row("phraseButton", toolBar, "QToolButton", {0, 58, 23, 23}, gothic, 12);
    row("phraseList", toolBar, "QComboBox", {31, 58, 250, 23}, gothic, 15);
    row("characterCount", statusBar, "QLabel", {0, 0, 60, 19}, gothic, 12);
    row("keysPerSecond", statusBar, "QLabel", {60, 0, 60, 19}, gothic, 12);
    row("keysPerMinute", statusBar, "QLabel", {120, 0, 196, 19}, gothic, 12);
}

void tst_MainWindow::geometry()
{
    QFETCH(QString, holder);
    QFETCH(QString, className);
    QFETCH(QRect, place);
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);

    const QWidget *widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->metaObject()->className(), className);
    QCOMPARE(widget->parentWidget()->objectName(), holder);
    // Places in the tool bar are in its client area, inside its 3 px border.
    const QPoint origin = holder == QLatin1String("toolBar")
        ? widget->parentWidget()->contentsRect().topLeft()
        : QPoint();
    QCOMPARE(widget->geometry().translated(-origin), place);
    QCOMPARE(widget->font().families().value(0), family);
    QCOMPARE(widget->font().pixelSize(), pixelSize);
    QCOMPARE(widget->font().bold(), bold);
}

void tst_MainWindow::window()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Morvela"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(316, 211));
    QCOMPARE(m_window->centralWidget()->y(), m_window->menuBar()->geometry().bottom() + 1);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    QCOMPARE(m_window->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    QVERIFY(m_window->windowIcon().pixmap(32, 32).hasAlpha());
    QCOMPARE(ui->toolBar->contentsRect(), QRect(3, 3, 289, 89));
}

void tst_MainWindow::colours()
{
    const QColor buttonFace = m_window->palette().color(QPalette::Button);
    for (const QWidget *part : {static_cast<QWidget *>(m_window), control("toolPanel"),
                                control("toolBar"), control("statusBar")}) {
        QVERIFY2(part->autoFillBackground(), qPrintable(part->objectName()));
        QCOMPARE(part->palette().color(part->backgroundRole()), buttonFace);
    }
    QCOMPARE(ui->compositionCaption->palette().color(QPalette::Active, QPalette::WindowText),
             QColor(0, 128, 128));
    QCOMPARE(ui->compositionCaption->palette().color(QPalette::Inactive, QPalette::WindowText),
             QColor(0, 128, 128));
    for (const QLabel *label :
         {ui->compositionCaption, ui->clockLabel, ui->characterCount, ui->keysPerMinute})
        QCOMPARE(label->foregroundRole(), QPalette::WindowText);
    QCOMPARE(ui->clockLabel->palette().color(QPalette::WindowText),
             m_window->palette().color(QPalette::WindowText));

    // The teal reaches the screen: the darkest ink of the caption is teal, not grey.
    const QImage label = ui->compositionCaption->grab().toImage();
    QColor darkest = Qt::white;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x)
            if (label.pixelColor(x, y).lightness() < darkest.lightness())
                darkest = label.pixelColor(x, y);
    QVERIFY2(darkest.green() > darkest.red() + 40 && darkest.blue() > darkest.red() + 40,
             qPrintable(darkest.name()));
}

void tst_MainWindow::controlSettings()
{
    QCOMPARE(ui->toolPanel->frameShape(), QFrame::Panel);
    QCOMPARE(ui->toolPanel->frameShadow(), QFrame::Sunken);
    QCOMPARE(ui->toolPanel->lineWidth(), 1);
    QCOMPARE(ui->toolPanel->midLineWidth(), 0);
    QCOMPARE(ui->toolBarEdge->geometry(), QRect(0, 0, 295, 2));
    QCOMPARE(ui->toolBarEdge->frameShape(), QFrame::HLine);
    QCOMPARE(ui->toolBarEdge->frameShadow(), QFrame::Sunken);

    for (QToolButton *button : ui->toolBar->findChildren<QToolButton *>()) {
        QVERIFY2(!button->autoRaise(), qPrintable(button->objectName()));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->text(), QString());
        QCOMPARE(button->icon().pixmap(16, 16).size(), QSize(16, 16));
        QVERIFY(button->icon().pixmap(16, 16).hasAlpha());
    }
    QCOMPARE(ui->copyButton->text(), QString());
    QCOMPARE(ui->copyButton->iconSize(), QSize(16, 16));
    // The glyph's olive is see-through; its disabled half is all greys.
    const QImage glyph = ui->copyButton->icon().pixmap(16, 16).toImage();
    QCOMPARE(glyph.size(), QSize(16, 16));
    QCOMPARE(glyph.pixelColor(0, 15).alpha(), 0);
    QVERIFY(glyph.pixelColor(12, 8).red() > 200 && glyph.pixelColor(12, 8).green() < 50);
    const QImage disabled = ui->copyButton->icon().pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    QCOMPARE(disabled.pixelColor(0, 15).alpha(), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor colour = disabled.pixelColor(x, y);
            if (colour.alpha() != 0)
                QVERIFY(colour.red() == colour.green() && colour.green() == colour.blue());
        }

    QVERIFY(ui->compositionBox->tabChangesFocus());
    QCOMPARE(ui->compositionBox->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(ui->compositionBox->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(ui->compositionBox->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    for (QComboBox *list : {ui->kaomojiList, ui->phraseList}) {
        QVERIFY(list->isEditable());
        QCOMPARE(list->insertPolicy(), QComboBox::NoInsert);
        QCOMPARE(list->completer(), nullptr);
        QCOMPARE(list->maxVisibleItems(), 8);
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->currentText(), QString());
    }

    const QStringList panelTexts
        = {QStringLiteral("0文字"), QStringLiteral("0／秒"), QStringLiteral("0／分")};
    const QList<QLabel *> panels = {ui->characterCount, ui->keysPerSecond, ui->keysPerMinute};
    for (int i = 0; i < 3; ++i) {
        const QLabel *panel = panels[i];
        QCOMPARE(panel->text(), panelTexts[i]);
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QCOMPARE(panel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    QVERIFY(m_window->findChildren<QSizeGrip *>().isEmpty());
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(ui->compositionCaption->text(), QStringLiteral("クリップボード内容"));
}

void tst_MainWindow::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    // The controls that show only an image are read by their hint.
    QTest::newRow("clearButton") << "初期化";
    QTest::newRow("undoButton") << "元に戻す";
    QTest::newRow("kaomojiButton") << "顔文字挿入";
    QTest::newRow("paletteButton") << "記号・マーク挿入";
    QTest::newRow("insertTextButton") << "テキスト挿入";
    QTest::newRow("phraseButton") << "定型文字列挿入";
    QTest::newRow("copyButton") << "コピー";
    QTest::newRow("kaomojiList") << "顔文字";
    QTest::newRow("phraseList") << "定型文字列";
    QTest::newRow("textLine") << "挿入するテキスト";
    QTest::newRow("compositionBox") << "クリップボード内容";
}

void tst_MainWindow::accessibleNames()
{
    QFETCH(QString, name);
    QWidget *widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    // A phrase's hint set at run time leaves the list's name as it is.
    if (widget == ui->phraseList) {
        ui->phraseList->setToolTip(QStringLiteral("こんにちは"));
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }
}

void tst_MainWindow::menu_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("fileMenu") << "ファイル(&F)"
                              << QStringList{"openAction", "saveAsAction", "", "exitAction"}
                              << QStringList{"テキストから開く(&O)", "名前を付けて保存(&S)", "-",
                                             "終了(&X)"};
    QTest::newRow("editMenu") << "編集(&E)" << QStringList{"clearAction", "undoAction"}
                              << QStringList{"初期化(&F)", "元に戻す(&U)"};
    QTest::newRow("settingsMenu") << "環境設定(&S)"
                                  << QStringList{"phraseListAction", "", "kaomojiListAction"}
                                  << QStringList{"定型文字列①", "-", "顔文字①"};
    QTest::newRow("helpMenu") << "ヘルプ(&H)"
                              << QStringList{"usageAction", "", "supportPageAction", "",
                                             "aboutAction"}
                              << QStringList{"使用方法・説明(&I)", "-", "サポートHPへ(&P)", "-",
                                             "バージョン情報(&A)"};
}

void tst_MainWindow::menu()
{
    QFETCH(QString, title);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);

    const QList<QAction *> titles = m_window->menuBar()->actions();
    QStringList order;
    for (const QAction *action : titles)
        order << action->menu()->objectName();
    QCOMPARE(order, (QStringList{"fileMenu", "editMenu", "settingsMenu", "helpMenu"}));

    const auto *menu = m_window->findChild<QMenu *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(menu);
    QCOMPARE(menu->title(), title);
    QStringList itemNames;
    QStringList itemCaptions;
    for (const QAction *item : menu->actions()) {
        itemNames << item->objectName();
        itemCaptions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QVERIFY(item->isEnabled());
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(!item->isCheckable());
        QVERIFY(item->icon().isNull());
    }
    QCOMPARE(itemNames, names);
    QCOMPARE(itemCaptions, captions);
}

void tst_MainWindow::compositionBoxShowsThreeWholeLines()
{
    // Glyphs that reach above the font's ascent in the first line, below its descent in
    // the last.
    const QStringList lines{QStringLiteral("（￣▽￣）ヽ(´▽｀)ノ"), QStringLiteral("こんにちは"),
                            QStringLiteral("了解です!q(^_^)g")};
    m_window->compositionBox().replaceAll(lines.join(QStringLiteral("\r\n")));
    // No caret in the picture.
    ui->textLine->setFocus();
    ui->compositionBox->moveCursor(QTextCursor::Start);

    // Where a line's ink reaches in the box when nothing cuts it: its baseline, and its ink
    // around the baseline when drawn alone.
    const auto inkAround = [&](int number) {
        const QTextBlock block = ui->compositionBox->document()->findBlockByNumber(number);
        const int top = ui->compositionBox->cursorRect(QTextCursor(block)).top();
        const int baseline = int(top + block.layout()->lineAt(0).ascent());
        const QPair<int, int> ink = inkRowsOf(block.text(), ui->compositionBox->font());
        return QPair<int, int>(baseline + ink.first, baseline + ink.second);
    };
    const QPair<int, int> shown = inkRows(ui->compositionBox->viewport()->grab().toImage());
    QCOMPARE(shown.first, inkAround(0).first);
    QCOMPARE(shown.second, inkAround(2).second);
}

void tst_MainWindow::compositionScrollBarThumbCanBeDragged()
{
    QStringList lines;
    for (int line = 1; line <= 30; ++line)
        lines.append(QStringLiteral("line %1").arg(line));
    m_window->compositionBox().replaceAll(lines.join(QStringLiteral("\r\n")));
    ui->compositionBox->moveCursor(QTextCursor::Start);
    QScrollBar *bar = ui->compositionBox->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->value(), 0);

    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.subControls = QStyle::SC_All;
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarGroove, bar);
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarSlider, bar);
    // A thumb one can tell from its groove, with room to move.
    QVERIFY2(thumb.height() >= 8 && thumb.height() <= groove.height() / 3,
             qPrintable(QStringLiteral("thumb %1 in %2").arg(thumb.height()).arg(groove.height())));

    // Dragged half-way down, it shows the middle of the composition.
    const QPoint from = thumb.center();
    const QPoint to = from + QPoint(0, (groove.bottom() - thumb.bottom()) / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, to);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    QVERIFY2(qAbs(bar->value() - bar->maximum() / 2) <= bar->maximum() / 5,
             qPrintable(QStringLiteral("%1 of %2").arg(bar->value()).arg(bar->maximum())));
}

void tst_MainWindow::commands_data()
{
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("undoText");
    // From "abc" with the caret at its end, "undo" kept for Undo and "xy" in the text line.
    QTest::newRow("clearButton") << ""
                                 << "before"
                                 << "undo";
    QTest::newRow("clearAction") << ""
                                 << "before"
                                 << "undo";
    QTest::newRow("undoButton") << "undo"
                                << "before"
                                << "undo";
    QTest::newRow("undoAction") << "undo"
                                << "before"
                                << "undo";
    QTest::newRow("insertTextButton") << "abcxy"
                                      << "abcxy"
                                      << "abc";
    QTest::newRow("copyButton") << "abc"
                                << "abc"
                                << "undo";
}

void tst_MainWindow::commands()
{
    QFETCH(QString, composition);
    QFETCH(QString, clipboard);
    QFETCH(QString, undoText);

    setUndoText(m_window->composition(), QStringLiteral("undo"));
    m_window->compositionBox().replaceAll(QStringLiteral("abc"));
    m_window->compositionBox().setSelectionStart(3);
    ui->textLine->setText(QStringLiteral("xy"));

    QObject *trigger = m_window->findChild<QObject *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(trigger);
    if (auto *button = qobject_cast<QAbstractButton *>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        qobject_cast<QAction *>(trigger)->trigger();

    QCOMPARE(m_window->compositionBox().text(), composition);
    QCOMPARE(clipboardText(), clipboard);
    QCOMPARE(m_window->composition().undoText(), undoText);
    QCOMPARE(ui->textLine->text(), QStringLiteral("xy"));
    QVERIFY(m_window->isVisible());
}

void tst_MainWindow::exitClosesTheWindow()
{
    ui->exitAction->trigger();
    QVERIFY(!m_window->isVisible());
}

void tst_MainWindow::tabOrder()
{
    QCOMPARE(QApplication::focusWidget(), ui->compositionBox);
    const QList<QWidget *> forward
        = {ui->textLine, ui->phraseList, ui->copyButton, ui->compositionBox};
    for (QWidget *next : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    const QList<QWidget *> backward
        = {ui->copyButton, ui->phraseList, ui->textLine, ui->compositionBox};
    for (QWidget *next : backward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // The kaomoji list takes the focus by the mouse only.
    QCOMPARE(ui->kaomojiList->focusPolicy(), Qt::ClickFocus);
    QTest::mouseClick(ui->kaomojiList->lineEdit(), Qt::LeftButton);
    QVERIFY(ui->kaomojiList->hasFocus());
    QVERIFY(!ui->statusBar->findChildren<QWidget *>().contains(QApplication::focusWidget()));
}

void tst_MainWindow::toolButtonsLeaveTheFocus()
{
    ui->textLine->setFocus();
    QTest::keyClicks(ui->textLine, QStringLiteral("ab"));
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("ab"));
    QCOMPARE(QApplication::focusWidget(), ui->textLine);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
    QCOMPARE(ui->textLine->text(), QStringLiteral("abc"));
}

void tst_MainWindow::textLineSelectsAllOnTabOnly_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("allSelected");
    QTest::newRow("Tab from compositionBox") << "tab" << true;
    QTest::newRow("Shift+Tab from phraseList") << "backtab" << true;
    QTest::newRow("mouse click") << "click" << false;
}

void tst_MainWindow::textLineSelectsAllOnTabOnly()
{
    QFETCH(QString, way);
    QFETCH(bool, allSelected);

    ui->textLine->setText(QStringLiteral("line"));
    if (way == QLatin1String("tab")) {
        ui->compositionBox->setFocus();
        QTest::keyClick(ui->compositionBox, Qt::Key_Tab);
    } else if (way == QLatin1String("backtab")) {
        ui->phraseList->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        QTest::mouseClick(ui->textLine, Qt::LeftButton, {}, QPoint(5, 10));
    }
    QCOMPARE(QApplication::focusWidget(), ui->textLine);
    QCOMPARE(ui->textLine->selectedText(), allSelected ? QStringLiteral("line") : QString());
}

void tst_MainWindow::listsKeepTypedTextOut()
{
    for (QComboBox *list : {ui->kaomojiList, ui->phraseList}) {
        list->addItems({QStringLiteral("b"), QStringLiteral("a")});
        list->setEditText(QString());
        list->setFocus();
        QTest::keyClicks(list->lineEdit(), QStringLiteral("typed"));
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QStringLiteral("b"));
        QCOMPARE(list->lineEdit()->text(), QStringLiteral("typed"));
    }
}

void tst_MainWindow::typingLimit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    const QString a254(254, QLatin1Char('a'));
    const QString a253(253, QLatin1Char('a'));
    QTest::newRow("last byte") << a254 << "key"
                               << "b" << a254 + "b";
    QTest::newRow("past the limit") << a254 + "b"
                                    << "key"
                                    << "c" << a254 + "b";
    QTest::newRow("double-byte needs two") << a254 << "input method"
                                           << "あ" << a254;
    QTest::newRow("double-byte fits") << a253 << "input method"
                                      << "あ" << a253 + "あ";
    QTest::newRow("half-width katakana is one") << a254 << "input method"
                                                << "ｱ" << a254 + "ｱ";
    QTest::newRow("paste too long") << a253 << "paste"
                                    << "bcd" << a253;
    QTest::newRow("paste that fits") << a253 << "paste"
                                     << "bc" << a253 + "bc";
}

void tst_MainWindow::typingLimit()
{
    QFETCH(QString, before);
    QFETCH(QString, way);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    for (QComboBox *list : {ui->kaomojiList, ui->phraseList}) {
        list->setEditText(before);
        list->setFocus();
        QLineEdit *field = list->lineEdit();
        field->end(false);
        if (way == QLatin1String("key")) {
            QTest::keyClicks(field, typed);
        } else if (way == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(field, &commit);
        }
        QCOMPARE(list->currentText(), after);
    }
    // What the program puts there is never cut.
    const QString entry(300, QLatin1Char('x'));
    ui->phraseList->addItem(entry);
    ui->phraseList->setCurrentIndex(ui->phraseList->count() - 1);
    QCOMPARE(ui->phraseList->currentText(), entry);
}

void tst_MainWindow::cp932Length_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ascii") << "abc" << 3;
    QTest::newRow("kana and kanji") << "あ漢" << 4;
    QTest::newRow("half-width katakana") << "ｱｲ" << 2;
    QTest::newRow("not in the code page") << "a€" << 3;
    QTest::newRow("outside the BMP") << "😀あ" << 4;
}

void tst_MainWindow::cp932Length()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(TypingLimit::cp932Length(text), bytes);
}

void tst_MainWindow::centred_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("centre") << QRect(0, 0, 800, 600) << QSize(320, 260) << QPoint(240, 170);
    QTest::newRow("second screen")
        << QRect(1920, 0, 1280, 1024) << QSize(320, 260) << QPoint(2400, 382);
    QTest::newRow("larger than the screen")
        << QRect(0, 0, 300, 200) << QSize(320, 260) << QPoint(0, 0);
    QTest::newRow("larger, screen not at 0")
        << QRect(100, 50, 300, 200) << QSize(320, 260) << QPoint(100, 50);
}

void tst_MainWindow::centred()
{
    QFETCH(QRect, screen);
    QFETCH(QSize, frame);
    QFETCH(QPoint, place);
    QCOMPARE(WindowPlacement::centred(screen, frame), place);
}

void tst_MainWindow::firstShownCentred()
{
    const QRect screen = m_window->screen()->geometry();
    const QRect frame = m_window->frameGeometry();
    QCOMPARE(frame.topLeft(), WindowPlacement::centred(screen, frame.size()));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
