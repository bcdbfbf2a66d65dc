// Broken and hostile input through the real handlers: each gets its message or its
// documented behaviour, and neither the composition nor an existing file loses anything.
#include "FileBench.h"
#include "platform/CodePage.h"
#include "platform/CompositionBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace TestSupport;

namespace {

const QString kMarkupName = QStringLiteral("<b>日本語&amp;ｶﾅ<br>😀.txt");

// The text the real error box shows for the next message, read off the box and closed.
class RealErrorBox final
{
public:
    RealErrorBox()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_plain = box->textFormat() == Qt::PlainText;
                m_text = box->text();
                box->accept();
            }
        });
        m_timer.start();
    }

    std::optional<QString> shownText() const { return m_plain ? m_text : std::nullopt; }

private:
    bool m_plain = false;
    std::optional<QString> m_text;
    QTimer m_timer;
};

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void badListFiles_data();
    void badListFiles();
    void markupIsShownLiterally();

    void openBadBytes();
    void openNameWithMarkup_data();
    void openNameWithMarkup();

    void saveOverReadOnlyFile();

private:
    void startWithLists(const QByteArray &kaomoji, const QByteArray &phrases);

    std::optional<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    MainWindow *m_window = nullptr;
};

void tst_BadInput::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_BadInput::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void tst_BadInput::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void tst_BadInput::startWithLists(const QByteArray &kaomoji, const QByteArray &phrases)
{
    if (!kaomoji.isNull())
        QVERIFY(writeFile(m_dir->filePath("kao1.txt"), kaomoji));
    if (!phrases.isNull())
        QVERIFY(writeFile(m_dir->filePath("morvela1.txt"), phrases));
    m_window = showMainWindow();
}

void tst_BadInput::badListFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("invalid code page bytes")
        << QByteArray("\x85\x40(^_^)\r\n\xa0\xfd\xfe\xff\r\n\x82\xa0")
        << QStringList{QStringLiteral("\uFFFD@(^_^)"), QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD"),
                       QStringLiteral("あ")};
    QTest::newRow("lone lead byte at the end")
        << QByteArray("\x82\xa0\r\n\x82")
        << QStringList{QStringLiteral("あ"), QStringLiteral("\uFFFD")};
    QTest::newRow("1,000,000 empty lines")
        << QByteArray("\r\n").repeated(1'000'000) << QStringList(1'000'000, QString());
    QTest::newRow("one 10 MB line")
        << QByteArray(10'000'000, 'a').append("\r\n") << QStringList{QString(10'000'000, u'a')};
}

void tst_BadInput::badListFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    ErrorBoxRecorder errors;
    startWithLists(bytes, "phrase\r\n");

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(entriesOf(m_window->controls().kaomojiList), entries);
    QCOMPARE(entriesOf(m_window->controls().phraseList), QStringList{"phrase"});
}

void tst_BadInput::markupIsShownLiterally()
{
    const QStringList kaomoji{QStringLiteral("<(^_^)>"), QStringLiteral("<i>(T_T)</i>")};
    const QStringList phrases{QStringLiteral("<b>また後でね</b>&amp;"),
                              QStringLiteral("<img src=x>ｶﾅ")};
    QByteArray kaomojiFile;
    for (const QString &entry : kaomoji)
        kaomojiFile += entry.toUtf8() + "\r\n";
    QByteArray phraseFile;
    for (const QString &entry : phrases)
        phraseFile += *CodePage::encodeCp932(entry) + "\r\n";
    ErrorBoxRecorder errors;
    startWithLists(kaomojiFile, phraseFile);
    Ui::MainWindow &ui = m_window->controls();
    QCOMPARE(entriesOf(ui.kaomojiList), kaomoji);
    QCOMPARE(entriesOf(ui.phraseList), phrases);

    for (const QString &phrase : phrases) {
        ui.phraseList->setCurrentIndex(int(phrases.indexOf(phrase)));
        QTest::mouseClick(ui.phraseButton, Qt::LeftButton);
        QToolTip::hideText();
        QTest::mouseMove(ui.compositionCaption, ui.compositionCaption->rect().center());
        QTest::mouseMove(ui.phraseList, ui.phraseList->rect().center());
        QTRY_VERIFY(QToolTip::isVisible());
        // Read as a user reads it.
        QCOMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(), phrase);
    }
    QToolTip::hideText();
    ui.kaomojiList->setCurrentIndex(1);
    QTest::mouseClick(ui.kaomojiButton, Qt::LeftButton);
    QCOMPARE(m_window->compositionBox().text(), phrases.join(QString()) + kaomoji.at(1));
    QCOMPARE(ui.compositionBox->toPlainText(), phrases.join(QString()) + kaomoji.at(1));
    QVERIFY(errors.texts.isEmpty());
}

void tst_BadInput::openBadBytes()
{
    FileBench bench;
    QVERIFY(bench.isValid());
    const QString path = bench.pathOf(QStringLiteral("bad.txt"));
    // Neither UTF-8 nor fully code page 932: undecodable bytes become U+FFFD, the rest stays.
    const QByteArray bytes("ok\x85\x40\xff\r\n\x82\xa0\xfd\n\x82");
    QVERIFY(writeFile(path, bytes));
    bench.setComposition(QStringLiteral("before"));
    ErrorBoxRecorder errors;

    bench.open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(bench.composition(), QStringLiteral("ok\uFFFD@\uFFFD\r\nあ\uFFFD\r\n\uFFFD"));
    QCOMPARE(contentsOf(path), bytes);
}

void tst_BadInput::openNameWithMarkup_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("there") << true;
    QTest::newRow("missing") << false;
}

void tst_BadInput::openNameWithMarkup()
{
    QFETCH(bool, exists);
    FileBench bench;
    QVERIFY(bench.isValid());
    const QString path = bench.pathOf(kMarkupName);
    if (exists)
        QVERIFY(writeFile(path, "<b>bold?</b>\n"));
    bench.setComposition(QStringLiteral("before"));
    RealErrorBox box;

    bench.open(path);

    if (exists) {
        QCOMPARE(bench.composition(), QStringLiteral("<b>bold?</b>\r\n"));
        QCOMPARE(box.shownText(), std::nullopt);
    } else {
        QCOMPARE(bench.composition(), QStringLiteral("before"));
        QTRY_COMPARE(box.shownText(), cannotOpen(path));
    }
}

void tst_BadInput::saveOverReadOnlyFile()
{
    FileBench bench;
    QVERIFY(bench.isValid());
    // A folder anyone may write in, holding a file nobody but its owner may change.
    const QString folder = bench.pathOf(QStringLiteral("shared"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(::chmod(QFile::encodeName(QFileInfo(folder).path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
    const QString path = folder + QStringLiteral("/read-only.txt");
    const QByteArray old("kept\r\n");
    QVERIFY(writeFile(path, old));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    bench.setComposition(QStringLiteral("new text"));
    ErrorBoxRecorder errors;

    {
        const OrdinaryUser user;
        bench.save(path);
    }

    QCOMPARE(errors.texts, QStringList{cannotCreate(path)});
    QCOMPARE(contentsOf(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"read-only.txt"});
    QCOMPARE(bench.composition(), QStringLiteral("new text"));
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
