#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"
#include "platform/CappedTextEdit.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;

namespace {

constexpr qsizetype kCapacity = CompositionBox::kCapacity;
const QString kTooLong = QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました.");

} // namespace

// The composition never grows past its capacity, whatever changes it: so that it can
// always be saved, opened again and brought back by Undo.
class tst_Capacity : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void unitsOf_data();
    void unitsOf();
    void insertionsStopAtTheCapacity_data();
    void insertionsStopAtTheCapacity();
    void typingStopsAtTheCapacity_data();
    void typingStopsAtTheCapacity();

private:
    // A composition room units short of the capacity, the caret at its end, and what a
    // refused change must leave as it was.
    void fillLeaving(qsizetype room);
    void insertWith(const QString &command, const QString &piece);
    void typeWith(const QString &way, const QString &text);
    QString composition() const { return m_window->compositionBox().text(); }

    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
    QString m_before;
};

void tst_Capacity::init()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
    setUndoText(m_window->composition(), QStringLiteral("kept"));
    setClipboardText(QStringLiteral("before"));
}

void tst_Capacity::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<SymbolPalette *>(window))
            delete window;
    }
    delete m_window;
    m_window = nullptr;
}

void tst_Capacity::fillLeaving(qsizetype room)
{
    m_before = textOfLength(kCapacity - room);
    m_window->compositionBox().replaceAll(m_before);
    ui->compositionBox->moveCursor(QTextCursor::End);
}

void tst_Capacity::unitsOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("units");
    QTest::newRow("plain") << "abc" << 3;
    QTest::newRow("CR LF") << "a\r\nb" << 4;
    QTest::newRow("lone CR and lone LF") << "a\rb\nc" << 7;
    QTest::newRow("LF CR is two breaks") << "\n\r" << 4;
    QTest::newRow("paragraph separator") << QStringLiteral("a") + QChar::ParagraphSeparator << 3;
    QTest::newRow("line separator stays a character")
        << QStringLiteral("a") + QChar::LineSeparator << 2;
    QTest::newRow("outside the BMP") << "😀" << 2;
}

void tst_Capacity::unitsOf()
{
    QFETCH(QString, text);
    QFETCH(int, units);
    QCOMPARE(CappedTextEdit::unitsOf(text), qsizetype(units));
}

void tst_Capacity::insertWith(const QString &command, const QString &piece)
{
    if (command == QLatin1String("insert text")) {
        ui->textLine->setText(piece);
        QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    } else if (command == QLatin1String("Enter in the text line")) {
        ui->textLine->setText(piece);
        ui->textLine->setFocus();
        QTest::keyClick(ui->textLine, Qt::Key_Return);
    } else if (command == QLatin1String("kaomoji") || command == QLatin1String("phrase")) {
        const bool kaomoji = command == QLatin1String("kaomoji");
        QComboBox *list = kaomoji ? ui->kaomojiList : ui->phraseList;
        list->addItem(piece);
        list->setCurrentIndex(0);
        QTest::mouseClick(kaomoji ? ui->kaomojiButton : ui->phraseButton, Qt::LeftButton);
    } else {
        SymbolPalette *palette = openPalette(m_window);
        QVERIFY(palette);
        for (QPushButton *button : palette->findChildren<QPushButton *>()) {
            if (button->text() == piece)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

void tst_Capacity::insertionsStopAtTheCapacity_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<int>("room");
    QTest::addColumn<bool>("fits");
    const QStringList commands{"insert text", "Enter in the text line", "kaomoji", "phrase"};
    for (const QString &command : commands) {
        const QByteArray name = command.toLatin1();
        QTest::addRow("%s, exactly to the capacity", name.constData())
            << command << "(^_^)" << 5 << true;
        QTest::addRow("%s, one past it", name.constData()) << command << "(^_^)" << 4 << false;
    }
    QTest::newRow("insert text, a lone LF counts as CR LF") << "insert text"
                                                            << "a\nb" << 4 << true;
    QTest::newRow("insert text, a lone LF one past") << "insert text"
                                                     << "a\nb" << 3 << false;
    QTest::newRow("symbol, exactly to the capacity") << "symbol"
                                                     << "〔" << 1 << true;
    QTest::newRow("symbol, one past it") << "symbol"
                                         << "〔" << 0 << false;
}

void tst_Capacity::insertionsStopAtTheCapacity()
{
    QFETCH(QString, command);
    QFETCH(QString, piece);
    QFETCH(int, room);
    QFETCH(bool, fits);
    ErrorBoxRecorder box;
    fillLeaving(room);
    const int caret = ui->compositionBox->textCursor().position();

    insertWith(command, piece);

    if (fits) {
        QVERIFY(box.texts.isEmpty());
        QCOMPARE(m_window->compositionBox().textLength(), kCapacity);
        QVERIFY(clipboardText() == composition());
        return;
    }
    QCOMPARE(box.texts, QStringList{kTooLong});
    QVERIFY(composition() == m_before);
    QCOMPARE(ui->compositionBox->textCursor().position(), caret);
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QCOMPARE(m_window->composition().undoText(), QStringLiteral("kept"));
    if (command.contains(QLatin1String("text")))
        QCOMPARE(ui->textLine->text(), piece);
    // Undo still brings the snapshot back.
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("kept"));
}

void tst_Capacity::typeWith(const QString &way, const QString &text)
{
    QWidget *box = ui->compositionBox;
    box->setFocus();
    if (way == QLatin1String("key")) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, Qt::NoModifier);
    } else if (way == QLatin1String("input method")) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    } else if (way == QLatin1String("Ctrl+Enter")) {
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    } else if (way == QLatin1String("paste")) {
        setClipboardText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    } else {
        QMimeData dropped;
        dropped.setText(text);
        QWidget *viewport = ui->compositionBox->viewport();
        const QPointF at = viewport->rect().bottomRight() - QPoint(2, 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
    }
}

void tst_Capacity::typingStopsAtTheCapacity_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("taken");
    QTest::newRow("key, the last unit") << "key"
                                        << "b" << 1 << 0 << true;
    QTest::newRow("key, at the capacity") << "key"
                                          << "b" << 0 << 0 << false;
    QTest::newRow("key over a selection, at the capacity") << "key"
                                                           << "b" << 0 << 1 << true;
    QTest::newRow("input method, the last unit") << "input method"
                                                 << "あ" << 1 << 0 << true;
    QTest::newRow("input method, at the capacity") << "input method"
                                                   << "あ" << 0 << 0 << false;
    QTest::newRow("Ctrl+Enter, the last two units") << "Ctrl+Enter"
                                                    << "" << 2 << 0 << true;
    QTest::newRow("Ctrl+Enter, one unit left") << "Ctrl+Enter"
                                               << "" << 1 << 0 << false;
    QTest::newRow("paste that fits") << "paste"
                                     << "xy" << 2 << 0 << true;
    QTest::newRow("paste one past, refused whole") << "paste"
                                                   << "xy" << 1 << 0 << false;
    QTest::newRow("paste of lines, one past") << "paste"
                                              << "x\ny" << 3 << 0 << false;
    // The last line holds 76 units: 77 positions take the line break before it too.
    QTest::newRow("paste over a selection across a line break")
        << "paste" << QString(78, QLatin1Char('x')) << 0 << 77 << true;
    QTest::newRow("paste over a selection across a line break, one past")
        << "paste" << QString(79, QLatin1Char('x')) << 0 << 77 << false;
    QTest::newRow("drop that fits") << "drop"
                                    << "xy" << 2 << 0 << true;
    QTest::newRow("drop one past") << "drop"
                                   << "xy" << 1 << 0 << false;
}

void tst_Capacity::typingStopsAtTheCapacity()
{
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(int, room);
    QFETCH(int, selected);
    QFETCH(bool, taken);
    ErrorBoxRecorder box;
    fillLeaving(room);
    QTextCursor selection = ui->compositionBox->textCursor();
    selection.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, selected);
    ui->compositionBox->setTextCursor(selection);

    typeWith(way, text);

    QVERIFY(box.texts.isEmpty());
    if (taken) {
        QVERIFY(composition() != m_before);
        QCOMPARE(m_window->compositionBox().textLength(), kCapacity);
    } else {
        QVERIFY(composition() == m_before);
    }
    QCOMPARE(clipboardText(), way == QLatin1String("paste") ? text : QStringLiteral("before"));
}

QTEST_MAIN(tst_Capacity)
#include "tst_capacity.moc"
