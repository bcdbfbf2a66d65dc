#include "TestSupport.h"
#include "main_window/ListSource.h"
#include "main_window/MainWindow.h"
#include "main_window/TypingMeter.h"
#include "platform/CodePage.h"
#include "platform/ErrorBox.h"
#include "platform/HandlerGuard.h"
#include "platform/TickCounter.h"
#include "ui_MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

using namespace TestSupport;

namespace {

// Run as a child, the test program only starts a main window and reports the lists.
constexpr char kCountListsOption[] = "--count-lists";

const QStringList kKaomoji{QStringLiteral("(^_^)"), QStringLiteral("(T_T)"),
                           QStringLiteral("ヽ(´▽｀)/"), QStringLiteral("m(_ _)m")};
const QStringList kPhrases{QStringLiteral("こんにちは"), QStringLiteral("挨拶|greeting"),
                           QStringLiteral("<b>また後でね</b>")};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Key by key, as from the keyboard or, for characters beyond ASCII, an input method.
void typeText(QWidget *field, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

int countLists()
{
    ErrorBox::setPresenter([](const QString &text) { std::printf("box: %s\n", qPrintable(text)); });
    MainWindow mainWindow;
    std::printf("%d %d\n", mainWindow.controls().phraseList->count(),
                mainWindow.controls().kaomojiList->count());
    return 0;
}

} // namespace

class tst_Lists : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startWithoutFiles();
    void startWithBothFiles();
    void nonFilesAreSkipped_data();
    void nonFilesAreSkipped();
    void failingFileIsReportedAndStartUpGoesOn_data();
    void failingFileIsReportedAndStartUpGoesOn();
    void refusedEntryIsReported();
    void clockShowsNoUptimeWhileAStartUpErrorIsOpen();
    void meterStartsOnceBothListsAreLoaded();
    void pickingTheThirdKaomojiInsertsIt();
    void openedListShowsWholeGlyphs();
    void emptyListOpensOneEmptyRow_data();
    void emptyListOpensOneEmptyRow();
    void kaomojiButtonWithEmptyLists();
    void editsInTextFieldRunHandlerOnceEach_data();
    void editsInTextFieldRunHandlerOnceEach();
    void programChangesRunNothing();
    void keyboardInOpenedList_data();
    void keyboardInOpenedList();
    void typedTextIsNeverPicked_data();
    void typedTextIsNeverPicked();
    void phraseHintFollowsInsertion();
    void listsBesideExecutableAreNotFound();

private:
    QString inDirectory(const QString &name) const { return m_dir->filePath(name); }
    void writeBothLists() const;
    void start();
    void pick(QComboBox *list, int row);
    QString composition() const { return m_window->compositionBox().text(); }
    void setComposition(const QString &text, int start, int length);

    std::optional<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    std::optional<ErrorBoxRecorder> m_box;
    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_Lists::init()
{
    m_dir.emplace();
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_box.emplace();
    setClipboardText(QStringLiteral("before"));
}

void tst_Lists::cleanup()
{
    delete m_window;
    m_window = nullptr;
    ui = nullptr;
    m_box.reset();
    TickCounter::setSource({});
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void tst_Lists::writeBothLists() const
{
    writeFile(inDirectory("kao1.txt"), cp932File(kKaomoji));
    writeFile(inDirectory("morvela1.txt"), cp932File(kPhrases));
}

void tst_Lists::start()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
}

void tst_Lists::pick(QComboBox *list, int row)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
}

void tst_Lists::setComposition(const QString &text, int start, int length)
{
    m_window->compositionBox().replaceAll(text);
    QTextCursor cursor = ui->compositionBox->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    ui->compositionBox->setTextCursor(cursor);
}

void tst_Lists::startWithoutFiles()
{
    start();
    QCOMPARE(ui->kaomojiList->count(), 0);
    QCOMPARE(ui->phraseList->count(), 0);
    QVERIFY(m_box->texts.isEmpty());
}

void tst_Lists::startWithBothFiles()
{
    writeBothLists();
    start();
    QCOMPARE(entriesOf(ui->kaomojiList), kKaomoji);
    QCOMPARE(entriesOf(ui->phraseList), kPhrases);
    QVERIFY(m_box->texts.isEmpty());
    // Nothing selected, nothing shown, nothing inserted or published.
    for (QComboBox *list : {ui->kaomojiList, ui->phraseList}) {
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
        QVERIFY(qobject_cast<QListView *>(list->view())->uniformItemSizes());
    }
    QCOMPARE(composition(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QCOMPARE(ui->phraseList->toolTip(), QString());
}

void tst_Lists::nonFilesAreSkipped_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
}

void tst_Lists::nonFilesAreSkipped()
{
    QFETCH(QString, kind);
    const QByteArray path = QFile::encodeName(inDirectory("kao1.txt"));
    if (kind == "directory")
        QCOMPARE(::mkdir(path.constData(), 0755), 0);
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(path.constData(), 0644), 0);
    else
        QCOMPARE(::symlink("/dev/zero", path.constData()), 0);
    writeFile(inDirectory("morvela1.txt"), cp932File(kPhrases));

    // A FIFO without a writer would block an open for ever, /dev/zero a read.
    start();
    QCOMPARE(ui->kaomojiList->count(), 0);
    QCOMPARE(entriesOf(ui->phraseList), kPhrases);
    QVERIFY(m_box->texts.isEmpty());
}

void tst_Lists::failingFileIsReportedAndStartUpGoesOn_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("phrase file") << "morvela1.txt";
    QTest::newRow("kaomoji file") << "kao1.txt";
}

void tst_Lists::failingFileIsReportedAndStartUpGoesOn()
{
    QFETCH(QString, failing);
    TickCounter::setSource([] { return qint64(7'000); });
    // What the meter holds after a start-up without trouble.
    TypingMeter cleanStart;
    {
        MainWindow clean;
        cleanStart = clean.meter();
    }

    writeBothLists();
    QFile::remove(inDirectory(failing));
    // Reading a process's memory at address 0 fails with EIO.
    QVERIFY(QFile::link("/proc/self/mem", inDirectory(failing)));
    start();

    QCOMPARE(m_box->texts, QStringList{QStringLiteral("I/O ｴﾗｰ (30)")});
    const bool phrasesFail = failing == "morvela1.txt";
    QCOMPARE(entriesOf(ui->phraseList), phrasesFail ? QStringList() : kPhrases);
    QCOMPARE(entriesOf(ui->kaomojiList), phrasesFail ? kKaomoji : QStringList());
    QCOMPARE(m_window->meter().startSeconds(), cleanStart.startSeconds());
    QCOMPARE(m_window->meter().sampleCount(), cleanStart.sampleCount());
    QCOMPARE(m_window->meter().sampleTotal(), cleanStart.sampleTotal());
}

void tst_Lists::clockShowsNoUptimeWhileAStartUpErrorIsOpen()
{
    // Two hours since the system started.
    TickCounter::setSource([] { return qint64(7'200'000); });
    writeBothLists();
    QFile::remove(inDirectory("morvela1.txt"));
    QVERIFY(QFile::link("/proc/self/mem", inDirectory("morvela1.txt")));
    QStringList clockMeanwhile;
    // The user reads the box for longer than a tick while the event loop runs.
    ErrorBox::setPresenter([&](const QString &) {
        QTest::qWait(1'300);
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *mainWindow = qobject_cast<MainWindow *>(window))
                clockMeanwhile.append(mainWindow->controls().clockLabel->text());
        }
    });
    start();
    QCOMPARE(clockMeanwhile, QStringList{QStringLiteral("00:00:00")});
}

void tst_Lists::meterStartsOnceBothListsAreLoaded()
{
    writeBothLists();
    // The counter tells whether the main window being made holds both lists yet.
    TickCounter::setSource([] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *mainWindow = qobject_cast<MainWindow *>(window);
            if (mainWindow && mainWindow->controls().phraseList->count() > 0
                && mainWindow->controls().kaomojiList->count() > 0)
                return qint64(9'000'000);
        }
        return qint64(1'000);
    });
    start();
    QCOMPARE(m_window->meter().startSeconds(), qint64(9'000));
}

void tst_Lists::refusedEntryIsReported()
{
    writeFile(inDirectory("kao1.txt"), "a\r\nb\r\nc\r\nd\r\n");
    QComboBox list;
    list.setEditable(true);
    list.setMaxCount(2);
    ListSource source(&list, QStringLiteral("kao1.txt"), nullptr);
    runGuarded([&] { source.load(); });

    QCOMPARE(m_box->texts, QStringList{QStringLiteral("行を挿入できません.")});
    QCOMPARE(entriesOf(&list), (QStringList{"a", "b"}));
}

void tst_Lists::pickingTheThirdKaomojiInsertsIt()
{
    writeBothLists();
    start();
    setComposition(QStringLiteral("ab"), 1, 0);
    QStringList shownWhenInserted;
    connect(ui->compositionBox, &QPlainTextEdit::textChanged, this,
            [&] { shownWhenInserted.append(ui->kaomojiList->currentText()); });
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);

    pick(ui->kaomojiList, 2);

    const QString expected = "a" + kKaomoji.at(2) + "b";
    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(published.count(), 1);
    QCOMPARE(shownWhenInserted, QStringList{kKaomoji.at(2)});
    QCOMPARE(ui->compositionBox->textCursor().position(), 1 + kKaomoji.at(2).size());

    // The button inserts the selected entry again.
    QTest::mouseClick(ui->kaomojiButton, Qt::LeftButton);
    QCOMPARE(clipboardText(), "a" + kKaomoji.at(2) + kKaomoji.at(2) + "b");
}

void tst_Lists::openedListShowsWholeGlyphs()
{
    // Faces whose glyphs reach above the font's ascent and below its descent, after an
    // empty entry, whose row sizes all the rows.
    const QStringList faces{QString(), QStringLiteral("（￣▽￣）"), QStringLiteral("ヽ(´▽｀)ノ"),
                            QStringLiteral("＼(^o^)／"), QStringLiteral("(´・ω・｀)")};
    writeFile(inDirectory("kao1.txt"), cp932File(faces));
    start();
    QComboBox *list = ui->kaomojiList;
    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    for (int row = 1; row < faces.size(); ++row) {
        const QRect place = view->visualRect(list->model()->index(row, 0));
        const QImage shown = view->viewport()->grab(place).toImage();
        // The ink of the row, from the row's baseline, as when drawn with nothing to cut it.
        const QPair<int, int> whole = inkRowsOf(faces.at(row), view->font());
        const QPair<int, int> ink = inkRows(shown);
        QVERIFY2(ink.first > 0 && ink.second < shown.height() - 1, qPrintable(faces.at(row)));
        QCOMPARE(ink.second - ink.first, whole.second - whole.first);
    }
}

void tst_Lists::emptyListOpensOneEmptyRow_data()
{
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("emptyFile");
    QTest::newRow("arrow clicked, Escape") << "click" << QList<int>{Qt::Key_Escape} << false;
    QTest::newRow("F4, Down and Enter")
        << "F4" << QList<int>{Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape} << false;
    QTest::newRow("Alt+Down, Enter")
        << "Alt+Down" << QList<int>{Qt::Key_Return, Qt::Key_Escape} << false;
    QTest::newRow("read from an empty file") << "F4" << QList<int>{Qt::Key_Escape} << true;
}

void tst_Lists::emptyListOpensOneEmptyRow()
{
    QFETCH(QString, opening);
    QFETCH(QList<int>, keys);
    QFETCH(bool, emptyFile);
    // One kaomoji, no phrases: the kaomoji list opens as high as one row is.
    writeFile(inDirectory("kao1.txt"), cp932File({kKaomoji.at(0)}));
    if (emptyFile)
        writeFile(inDirectory("morvela1.txt"), QByteArray());
    start();
    ui->kaomojiList->showPopup();
    QWidget *oneRow = ui->kaomojiList->view()->window();
    QVERIFY(QTest::qWaitForWindowExposed(oneRow));
    const int oneRowHeight = oneRow->height();
    ui->kaomojiList->hidePopup();
    QTRY_VERIFY(!oneRow->isVisible());

    QComboBox *list = ui->phraseList;
    list->setFocus();
    typeText(list->lineEdit(), QStringLiteral("typed"));
    setComposition(QStringLiteral("ab"), 1, 0);
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    if (opening == QLatin1String("click"))
        QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    else if (opening == QLatin1String("F4"))
        QTest::keyClick(list->lineEdit(), Qt::Key_F4);
    else
        QTest::keyClick(list->lineEdit(), Qt::Key_Down, Qt::AltModifier);

    QAbstractItemView *view = list->view();
    QWidget *popup = view->window();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QCOMPARE(popup->height(), oneRowHeight);
    QVERIFY(!view->currentIndex().isValid());
    // The field keeps what was typed while the list is open.
    QCOMPARE(list->lineEdit()->text(), QStringLiteral("typed"));
    for (const int key : keys)
        QTest::keyClick(view, Qt::Key(key));
    QTRY_VERIFY(!popup->isVisible());

    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->lineEdit()->text(), QStringLiteral("typed"));
    QCOMPARE(published.count(), 0);
    QCOMPARE(composition(), QStringLiteral("ab"));
}

void tst_Lists::kaomojiButtonWithEmptyLists()
{
    start();
    setComposition(QStringLiteral("abc"), 1, 1);
    QTest::mouseClick(ui->kaomojiButton, Qt::LeftButton);
    QCOMPARE(composition(), QStringLiteral("ac"));
    QCOMPARE(clipboardText(), QStringLiteral("ac"));
    QCOMPARE(ui->compositionBox->textCursor().position(), 1);
}

void tst_Lists::editsInTextFieldRunHandlerOnceEach_data()
{
    QTest::addColumn<bool>("phrases");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kaomoji selected") << false << 1 << "x" + kKaomoji.at(1).repeated(3) + "z";
    QTest::newRow("kaomoji none selected") << false << -1 << "xz";
    QTest::newRow("phrase selected") << true << 0 << "x" + kPhrases.at(0).repeated(3) + "z";
    QTest::newRow("phrase none selected") << true << -1 << "xz";
}

void tst_Lists::editsInTextFieldRunHandlerOnceEach()
{
    QFETCH(bool, phrases);
    QFETCH(int, selected);
    QFETCH(QString, expected);
    writeBothLists();
    start();
    QComboBox *list = phrases ? ui->phraseList : ui->kaomojiList;
    list->setCurrentIndex(selected);
    // "y" is selected in the composition: the first run replaces it.
    setComposition(QStringLiteral("xyz"), 1, 1);
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);

    list->setFocus();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("qw"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Backspace);

    QCOMPARE(published.count(), 3);
    QCOMPARE(composition(), expected);
    QCOMPARE(clipboardText(), expected);
    QCOMPARE(list->currentIndex(), selected);
}

void tst_Lists::programChangesRunNothing()
{
    writeBothLists();
    start();
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    for (QComboBox *list : {ui->kaomojiList, ui->phraseList}) {
        list->setCurrentIndex(2);
        list->setEditText(QStringLiteral("typed by the program"));
        list->setCurrentIndex(-1);
    }
    QCOMPARE(published.count(), 0);
    QCOMPARE(composition(), QString());
    QCOMPARE(ui->phraseList->toolTip(), QString());
}

void tst_Lists::keyboardInOpenedList_data()
{
    // Before the list is opened with F4: "typed" types an entry's text into the field with
    // no entry selected, a number selects that entry. Then the keys in the opened list.
    QTest::addColumn<bool>("phrases");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("picked");
    const QList<int> downEnter{Qt::Key_Down, Qt::Key_Return};
    for (const bool phrases : {false, true}) {
        const char *list = phrases ? "phrases" : "kaomoji";
        QTest::addRow("%s at start: Down, Enter picks the first", list)
            << phrases << "" << downEnter << 0;
        QTest::addRow("%s at start: Enter picks nothing", list)
            << phrases << "" << QList<int>{Qt::Key_Return} << -1;
        QTest::addRow("%s after a typed edit: Down, Enter picks the first", list)
            << phrases << "typed" << downEnter << 0;
        QTest::addRow("%s first selected: Down, Enter picks the second", list)
            << phrases << "0" << downEnter << 1;
        QTest::addRow("%s second selected: Enter picks it again", list)
            << phrases << "1" << QList<int>{Qt::Key_Return} << 1;
    }
}

void tst_Lists::keyboardInOpenedList()
{
    QFETCH(bool, phrases);
    QFETCH(QString, before);
    QFETCH(QList<int>, keys);
    QFETCH(int, picked);
    writeBothLists();
    start();
    QComboBox *list = phrases ? ui->phraseList : ui->kaomojiList;
    const QStringList &entries = phrases ? kPhrases : kKaomoji;
    bool selects = false;
    const int selected = before.toInt(&selects);
    if (selects)
        list->setCurrentIndex(selected);
    list->setFocus();
    if (before == QLatin1String("typed"))
        typeText(list->lineEdit(), entries.at(0));
    setComposition(QStringLiteral("ab"), 1, 0);
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);

    QTest::keyClick(list->lineEdit(), Qt::Key_F4);
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    // The row of the selected entry is highlighted, and no row when none is selected.
    QCOMPARE(view->currentIndex().row(), selects ? selected : -1);
    QCOMPARE(view->selectionModel()->selectedIndexes().size(), selects ? 1 : 0);
    for (const int key : keys)
        QTest::keyClick(view, Qt::Key(key));

    QCOMPARE(list->currentIndex(), picked);
    const bool picks = picked >= 0;
    QCOMPARE(published.count(), picks ? 1 : 0);
    QCOMPARE(composition(), picks ? "a" + entries.at(picked) + "b" : QStringLiteral("ab"));
}

void tst_Lists::typedTextIsNeverPicked_data()
{
    QTest::addColumn<bool>("phrases");
    QTest::addColumn<QString>("ending");
    for (const bool phrases : {false, true}) {
        const char *list = phrases ? "phrases" : "kaomoji";
        QTest::addRow("%s, Enter", list) << phrases << "enter";
        QTest::addRow("%s, keypad Enter", list) << phrases << "keypad enter";
        QTest::addRow("%s, the field is left", list) << phrases << "leave";
    }
}

void tst_Lists::typedTextIsNeverPicked()
{
    QFETCH(bool, phrases);
    QFETCH(QString, ending);
    writeBothLists();
    start();
    QComboBox *list = phrases ? ui->phraseList : ui->kaomojiList;
    // The exact text of an entry.
    const QString typed = phrases ? kPhrases.at(2) : kKaomoji.at(1);
    setComposition(QStringLiteral("abc"), 3, 0);
    list->setFocus();
    QSignalSpy published(QGuiApplication::clipboard(), &QClipboard::dataChanged);

    typeText(list->lineEdit(), typed);
    const qsizetype edits = published.count();
    if (ending == QLatin1String("enter"))
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    else if (ending == QLatin1String("keypad enter"))
        QTest::keyClick(list->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    else
        QTest::mouseClick(ui->compositionBox->viewport(), Qt::LeftButton);

    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->lineEdit()->text(), typed);
    QCOMPARE(composition(), QStringLiteral("abc"));
    QCOMPARE(published.count(), edits);
}

void tst_Lists::phraseHintFollowsInsertion()
{
    writeBothLists();
    start();
    pick(ui->phraseList, 1);
    QCOMPARE(composition(), kPhrases.at(1));
    // The whole text: the tool tip shows the part before "|".
    QCOMPARE(ui->phraseList->toolTip(), kPhrases.at(1));

    pick(ui->phraseList, 2);
    QCOMPARE(ui->phraseList->toolTip(), kPhrases.at(2));

    ui->phraseList->setCurrentIndex(-1);
    QTest::mouseClick(ui->phraseButton, Qt::LeftButton);
    QCOMPARE(ui->phraseList->toolTip(), QString());
    QCOMPARE(composition(), kPhrases.at(1) + kPhrases.at(2));
}

void tst_Lists::listsBesideExecutableAreNotFound()
{
    QTemporaryDir programDirectory;
    const QString program = programDirectory.filePath("tst_lists");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    writeFile(programDirectory.filePath("kao1.txt"), cp932File(kKaomoji));
    writeFile(programDirectory.filePath("morvela1.txt"), cp932File(kPhrases));

    const auto countsIn = [&](const QString &directory) {
        QProcess child;
        child.setWorkingDirectory(directory);
        child.start(program, {QString::fromLatin1(kCountListsOption)});
        if (!child.waitForFinished(60'000))
            return QByteArray("child did not finish");
        return child.readAllStandardOutput().trimmed();
    };
    // Started from the temporary current directory, which has no lists.
    QCOMPARE(countsIn(m_dir->path()), QByteArray("0 0"));
    // The same files do count in the current directory.
    QCOMPARE(countsIn(programDirectory.path()), QByteArray("3 4"));
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], kCountListsOption) == 0)
        return countLists();
    tst_Lists test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lists.moc"
