#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "ui_MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace TestSupport;

class tst_Composition : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertText_data();
    void insertText();
    void enterInTextLine_data();
    void enterInTextLine();
    void autoRepeatedEnterInsertsOnce();
    void boxShowsTheStartAfterPublishing_data();
    void boxShowsTheStartAfterPublishing();
    void otherKeysInTextLineDoNothing();
    void typingPublishesNothingUntilCopy();
    void keysOnTheCopyButton_data();
    void keysOnTheCopyButton();
    void severalLinesArePublishedWithCrLf();
    void clearLeavesClipboard();
    void undoBeforeAnySnapshotEmpties();
    void undoTwiceGivesSameText();
    void undoNormalisesLineBreaksAndNotifiesOnce();
    void enterInCompositionBoxAddsNoLineBreak();
    void errorInHandlerIsShownAndLoopGoesOn();

private:
    void setComposition(const QString &text, int start, int length);
    QString composition() const;

    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_Composition::init()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
    setClipboardText(QStringLiteral("before"));
}

void tst_Composition::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_Composition::setComposition(const QString &text, int start, int length)
{
    m_window->compositionBox().replaceAll(text);
    QTextCursor cursor = ui->compositionBox->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    ui->compositionBox->setTextCursor(cursor);
}

QString tst_Composition::composition() const
{
    return m_window->compositionBox().text();
}

void tst_Composition::insertText_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("caret in the middle") << "abcd" << 2 << 0 << "XY"
                                         << "abXYcd" << 4;
    QTest::newRow("selection replaced") << "abcd" << 1 << 2 << "XY"
                                        << "aXYd" << 3;
    QTest::newRow("empty piece deletes selection") << "abcd" << 1 << 2 << ""
                                                   << "ad" << 1;
    QTest::newRow("empty composition") << "" << 0 << 0 << "(^_^)"
                                       << "(^_^)" << 5;
    QTest::newRow("second line") << "ab\r\ncd" << 4 << 0 << "あ"
                                 << "ab\r\ncあd" << 5;
}

void tst_Composition::insertText()
{
    QFETCH(QString, initial);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    setComposition(initial, start, length);
    ui->textLine->setText(line);
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(m_window->composition().undoText(), initial);
    QCOMPARE(ui->textLine->text(), line);
    const QTextCursor cursor = ui->compositionBox->textCursor();
    QVERIFY(!cursor.hasSelection());
    QCOMPARE(cursor.position(), caret);
}

void tst_Composition::enterInTextLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("abc") << "abc" << int(Qt::Key_Return) << 0 << "xabcyz";
    QTest::newRow("keypad enter") << "abc" << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                  << "xabcyz";
    QTest::newRow("shift enter") << "abc" << int(Qt::Key_Return) << int(Qt::ShiftModifier)
                                 << "xabcyz";
    QTest::newRow("ctrl alt enter")
        << "abc" << int(Qt::Key_Return) << int(Qt::ControlModifier | Qt::AltModifier) << "xabcyz";
    QTest::newRow("empty line deletes selection") << "" << int(Qt::Key_Return) << 0 << "xz";
}

void tst_Composition::enterInTextLine()
{
    QFETCH(QString, line);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);

    setUndoText(m_window->composition(), QStringLiteral("kept"));
    // "y" is selected only when the line is empty, to show the deletion.
    setComposition(QStringLiteral("xyz"), 1, line.isEmpty() ? 1 : 0);
    ui->textLine->setText(line);
    ui->textLine->setFocus();
    QTest::keyClick(ui->textLine, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(ui->textLine->text(), QString());
    QCOMPARE(m_window->composition().undoText(), QStringLiteral("kept"));
    QVERIFY(!ui->compositionBox->textCursor().hasSelection());
    QCOMPARE(ui->compositionBox->textCursor().position(), 1 + line.size());
}

void tst_Composition::autoRepeatedEnterInsertsOnce()
{
    ui->textLine->setText(QStringLiteral("abc"));
    ui->textLine->setFocus();
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                        repeat);
        QApplication::sendEvent(ui->textLine, &press);
        setClipboardText(QString());
        if (repeat) {
            QApplication::sendEvent(ui->textLine, &press);
            // Each repeat publishes the composition again.
            QCOMPARE(clipboardText(), QStringLiteral("abc"));
        }
    }
    QCOMPARE(composition(), QStringLiteral("abc"));
}

void tst_Composition::boxShowsTheStartAfterPublishing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("piece");
    QTest::newRow("insert text") << "insertTextButton"
                                 << "end";
    QTest::newRow("Enter in the text line") << "Enter"
                                            << "end";
    QTest::newRow("copy") << "copyButton"
                          << "";
}

void tst_Composition::boxShowsTheStartAfterPublishing()
{
    QFETCH(QString, command);
    QFETCH(QString, piece);
    QStringList lines;
    for (int line = 1; line <= 30; ++line)
        lines.append(QStringLiteral("line %1").arg(line));
    const QString text = lines.join(QStringLiteral("\r\n"));
    setComposition(text, int(text.size() - 29), 0);
    QScrollBar *scrollBar = ui->compositionBox->verticalScrollBar();
    ui->compositionBox->ensureCursorVisible();
    QVERIFY(scrollBar->value() > 0);

    ui->textLine->setText(piece);
    if (command == QLatin1String("Enter")) {
        ui->textLine->setFocus();
        QTest::keyClick(ui->textLine, Qt::Key_Return);
    } else {
        QTest::mouseClick(m_window->findChild<QAbstractButton *>(command), Qt::LeftButton);
    }

    QCOMPARE(clipboardText(), text + piece);
    // The first line is in view; the caret, after the piece, is out of it at the end.
    QCOMPARE(scrollBar->value(), 0);
    QCOMPARE(ui->compositionBox->textCursor().position(), int(text.size() - 29 + piece.size()));
    QVERIFY(!ui->compositionBox->viewport()->rect().contains(
        ui->compositionBox->cursorRect().center()));
}

void tst_Composition::otherKeysInTextLineDoNothing()
{
    ui->textLine->setFocus();
    QTest::keyClicks(ui->textLine, QStringLiteral("ab"));
    QTest::keyClick(ui->textLine, Qt::Key_Escape);
    QCOMPARE(ui->textLine->text(), QStringLiteral("ab"));
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
}

void tst_Composition::typingPublishesNothingUntilCopy()
{
    ui->compositionBox->setFocus();
    QTest::keyClicks(ui->compositionBox, QStringLiteral("hello"));
    QCOMPARE(composition(), QStringLiteral("hello"));
    QCOMPARE(clipboardText(), QStringLiteral("before"));

    QTest::mouseClick(ui->copyButton, Qt::LeftButton);
    QCOMPARE(clipboardText(), QStringLiteral("hello"));
    QCOMPARE(ui->compositionBox->textCursor().position(), 5);
    QVERIFY(!ui->compositionBox->textCursor().hasSelection());
}

void tst_Composition::keysOnTheCopyButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << 0;
}

void tst_Composition::keysOnTheCopyButton()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    setComposition(QStringLiteral("typed"), 2, 0);
    // The copy button is reached with Tab, after the text line and the phrase list.
    ui->compositionBox->setFocus();
    for (int stop = 0; stop < 3; ++stop)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui->copyButton);

    QTest::keyClick(ui->copyButton, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clipboardText(), QStringLiteral("typed"));
    QCOMPARE(ui->compositionBox->textCursor().position(), 2);
    QCOMPARE(QApplication::focusWidget(), ui->copyButton);
}

void tst_Composition::severalLinesArePublishedWithCrLf()
{
    ui->compositionBox->setFocus();
    QTest::keyClicks(ui->compositionBox, QStringLiteral("ab"));
    QTest::keyClick(ui->compositionBox, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(ui->compositionBox, QStringLiteral("cd"));
    QTest::mouseClick(ui->copyButton, Qt::LeftButton);
    QCOMPARE(clipboardText(), QStringLiteral("ab\r\ncd"));
}

void tst_Composition::clearLeavesClipboard()
{
    setUndoText(m_window->composition(), QStringLiteral("kept"));
    setComposition(QStringLiteral("abc"), 3, 0);
    QTest::mouseClick(ui->copyButton, Qt::LeftButton);
    QTest::mouseClick(ui->clearButton, Qt::LeftButton);
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("abc"));
    QCOMPARE(m_window->composition().undoText(), QStringLiteral("kept"));

    setComposition(QStringLiteral("again"), 0, 0);
    ui->clearAction->trigger();
    QCOMPARE(composition(), QString());
}

void tst_Composition::undoBeforeAnySnapshotEmpties()
{
    setComposition(QStringLiteral("typed"), 5, 0);
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
}

void tst_Composition::undoTwiceGivesSameText()
{
    setComposition(QStringLiteral("abc"), 3, 0);
    ui->textLine->setText(QStringLiteral("def"));
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QTest::keyClicks(ui->compositionBox, QStringLiteral("ghi"));

    QSignalSpy changes(ui->compositionBox, &QPlainTextEdit::textChanged);
    ui->undoAction->trigger();
    QCOMPARE(composition(), QStringLiteral("abc"));
    QCOMPARE(changes.count(), 1);
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("abc"));
    // Already equal: no change notification.
    QCOMPARE(changes.count(), 1);
    QCOMPARE(clipboardText(), QStringLiteral("abcdef"));
}

void tst_Composition::undoNormalisesLineBreaksAndNotifiesOnce()
{
    setUndoText(m_window->composition(), QStringLiteral("a\nb\rc\r\nd\n\re"));
    QSignalSpy changes(ui->compositionBox, &QPlainTextEdit::textChanged);
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    QCOMPARE(changes.count(), 1);
    // Program edits stay out of the box's own undo history.
    QVERIFY(!ui->compositionBox->document()->isUndoAvailable());
}

void tst_Composition::enterInCompositionBoxAddsNoLineBreak()
{
    ui->compositionBox->setFocus();
    QTest::keyClicks(ui->compositionBox, QStringLiteral("ab"));
    QTest::keyClick(ui->compositionBox, Qt::Key_Return);
    QTest::keyClick(ui->compositionBox, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(ui->compositionBox, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(composition(), QStringLiteral("ab"));
}

void tst_Composition::errorInHandlerIsShownAndLoopGoesOn()
{
    ErrorBoxRecorder box;
    setUndoText(m_window->composition(), QStringLiteral("kept"));
    const QString full = textOfLength(CompositionBox::kCapacity);
    setComposition(full, 7, 0);
    // One character more than the composition holds.
    ui->textLine->setText(QStringLiteral("!"));
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QCOMPARE(box.texts, QStringList{QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました.")});
    QVERIFY(composition() == full);
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QCOMPARE(m_window->composition().undoText(), QStringLiteral("kept"));

    QTest::mouseClick(ui->clearButton, Qt::LeftButton);
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("!"));
    QCOMPARE(box.texts.size(), 1);
}

QTEST_MAIN(tst_Composition)
#include "tst_composition.moc"
