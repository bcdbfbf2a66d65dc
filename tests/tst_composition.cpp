#include "TestSupport.h"
#include "main_window/Unit1.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QKeyEvent>
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
    void otherKeysInTextLineDoNothing();
    void typingPublishesNothingUntilCopy();
    void severalLinesArePublishedWithCrLf();
    void clearLeavesClipboard();
    void undoBeforeAnySnapshotEmpties();
    void undoTwiceGivesSameText();
    void undoNormalisesLineBreaksAndNotifiesOnce();
    void enterInMemoAddsNoLineBreak();
    void errorInHandlerIsShownAndLoopGoesOn();

private:
    void setComposition(const QString &text, int start, int length);
    QString composition() const;

    TForm1 *m_form = nullptr;
    Ui::TForm1 *ui = nullptr;
};

void tst_Composition::init()
{
    m_form = showForm1();
    ui = &m_form->controls();
    setClipboardText(QStringLiteral("before"));
}

void tst_Composition::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void tst_Composition::setComposition(const QString &text, int start, int length)
{
    m_form->Memo1().replaceAll(text);
    QTextCursor cursor = ui->Memo1->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    ui->Memo1->setTextCursor(cursor);
}

QString tst_Composition::composition() const
{
    return m_form->Memo1().text();
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
    ui->Edit2->setText(line);
    QTest::mouseClick(ui->ToolButton12, Qt::LeftButton);

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(m_form->state().UndoText, initial);
    QCOMPARE(ui->Edit2->text(), line);
    const QTextCursor cursor = ui->Memo1->textCursor();
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

    m_form->state().UndoText = QStringLiteral("kept");
    // "y" is selected only when the line is empty, to show the deletion.
    setComposition(QStringLiteral("xyz"), 1, line.isEmpty() ? 1 : 0);
    ui->Edit2->setText(line);
    ui->Edit2->setFocus();
    QTest::keyClick(ui->Edit2, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(ui->Edit2->text(), QString());
    QCOMPARE(m_form->state().UndoText, QStringLiteral("kept"));
    QVERIFY(!ui->Memo1->textCursor().hasSelection());
    QCOMPARE(ui->Memo1->textCursor().position(), 1 + line.size());
}

void tst_Composition::autoRepeatedEnterInsertsOnce()
{
    ui->Edit2->setText(QStringLiteral("abc"));
    ui->Edit2->setFocus();
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                        repeat);
        QApplication::sendEvent(ui->Edit2, &press);
        setClipboardText(QString());
        if (repeat) {
            QApplication::sendEvent(ui->Edit2, &press);
            // Each repeat publishes the composition again.
            QCOMPARE(clipboardText(), QStringLiteral("abc"));
        }
    }
    QCOMPARE(composition(), QStringLiteral("abc"));
}

void tst_Composition::otherKeysInTextLineDoNothing()
{
    ui->Edit2->setFocus();
    QTest::keyClicks(ui->Edit2, QStringLiteral("ab"));
    QTest::keyClick(ui->Edit2, Qt::Key_Escape);
    QCOMPARE(ui->Edit2->text(), QStringLiteral("ab"));
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
}

void tst_Composition::typingPublishesNothingUntilCopy()
{
    ui->Memo1->setFocus();
    QTest::keyClicks(ui->Memo1, QStringLiteral("hello"));
    QCOMPARE(composition(), QStringLiteral("hello"));
    QCOMPARE(clipboardText(), QStringLiteral("before"));

    QTest::mouseClick(ui->BitBtn1, Qt::LeftButton);
    QCOMPARE(clipboardText(), QStringLiteral("hello"));
    QCOMPARE(ui->Memo1->textCursor().position(), 5);
    QVERIFY(!ui->Memo1->textCursor().hasSelection());
}

void tst_Composition::severalLinesArePublishedWithCrLf()
{
    ui->Memo1->setFocus();
    QTest::keyClicks(ui->Memo1, QStringLiteral("ab"));
    QTest::keyClick(ui->Memo1, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(ui->Memo1, QStringLiteral("cd"));
    QTest::mouseClick(ui->BitBtn1, Qt::LeftButton);
    QCOMPARE(clipboardText(), QStringLiteral("ab\r\ncd"));
}

void tst_Composition::clearLeavesClipboard()
{
    setComposition(QStringLiteral("abc"), 3, 0);
    m_form->state().UndoText = QStringLiteral("kept");
    QTest::mouseClick(ui->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(ui->ToolButton1, Qt::LeftButton);
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("abc"));
    QCOMPARE(m_form->state().UndoText, QStringLiteral("kept"));

    setComposition(QStringLiteral("again"), 0, 0);
    ui->N1->trigger();
    QCOMPARE(composition(), QString());
}

void tst_Composition::undoBeforeAnySnapshotEmpties()
{
    setComposition(QStringLiteral("typed"), 5, 0);
    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
}

void tst_Composition::undoTwiceGivesSameText()
{
    setComposition(QStringLiteral("abc"), 3, 0);
    ui->Edit2->setText(QStringLiteral("def"));
    QTest::mouseClick(ui->ToolButton12, Qt::LeftButton);
    QTest::keyClicks(ui->Memo1, QStringLiteral("ghi"));

    QSignalSpy changes(ui->Memo1, &QPlainTextEdit::textChanged);
    ui->Repeat1->trigger();
    QCOMPARE(composition(), QStringLiteral("abc"));
    QCOMPARE(changes.count(), 1);
    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("abc"));
    // Already equal: no change notification.
    QCOMPARE(changes.count(), 1);
    QCOMPARE(clipboardText(), QStringLiteral("abcdef"));
}

void tst_Composition::undoNormalisesLineBreaksAndNotifiesOnce()
{
    m_form->state().UndoText = QStringLiteral("a\nb\rc\r\nd\n\re");
    QSignalSpy changes(ui->Memo1, &QPlainTextEdit::textChanged);
    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    QCOMPARE(changes.count(), 1);
    // Program edits stay out of the box's own undo history.
    QVERIFY(!ui->Memo1->document()->isUndoAvailable());
}

void tst_Composition::enterInMemoAddsNoLineBreak()
{
    ui->Memo1->setFocus();
    QTest::keyClicks(ui->Memo1, QStringLiteral("ab"));
    QTest::keyClick(ui->Memo1, Qt::Key_Return);
    QTest::keyClick(ui->Memo1, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(ui->Memo1, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(composition(), QStringLiteral("ab"));
}

void tst_Composition::errorInHandlerIsShownAndLoopGoesOn()
{
    ErrorBoxRecorder box;
    setComposition(QStringLiteral("keep me"), 7, 0);
    m_form->state().UndoText = QString(CompositionBox::kCapacity + 1, QLatin1Char('a'));
    QTest::mouseClick(ui->ToolButton5, Qt::LeftButton);
    QCOMPARE(box.texts, QStringList{QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました.")});
    QCOMPARE(composition(), QStringLiteral("keep me"));

    ui->Edit2->setText(QStringLiteral("!"));
    QTest::mouseClick(ui->ToolButton12, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("keep me!"));
}

QTEST_MAIN(tst_Composition)
#include "tst_composition.moc"
