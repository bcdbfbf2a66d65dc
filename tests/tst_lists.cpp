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
    void pickingTheThirdKaomojiInsertsIt();
    void kaomojiButtonWithEmptyLists();
    void editsInTextFieldRunHandlerOnceEach_data();
    void editsInTextFieldRunHandlerOnceEach();
    void programChangesRunNothing();
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
