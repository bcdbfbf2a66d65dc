// Long sessions: many random insertions checked step by step against a model the test keeps
// itself, and many palettes opened and closed without leaving anything behind.
#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"
#include "platform/CodePage.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace TestSupport;

namespace {

constexpr int kInsertions = 100'000;
constexpr int kPalettes = 1'000;
// Past this length selections grow, so that pieces replace much of the text.
constexpr qsizetype kLongComposition = 600;
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back in quarantine; its leak check covers that build.
constexpr bool kMeasuresMemory = false;
#else
constexpr bool kMeasuresMemory = true;
#endif

const QStringList kKaomoji{QStringLiteral("(^_^)"), QStringLiteral("ヽ(´▽｀)/"),
                           QStringLiteral("m(_ _)m"), QStringLiteral("(*´ω｀*)")};
const QStringList kPhrases{QStringLiteral("こんにちは"), QStringLiteral("<b>また後でね</b>"),
                           QStringLiteral("よろしく|regards")};
const QStringList kTexts{QStringLiteral("abc"), QStringLiteral("日本語"), QStringLiteral("😀x"),
                         QStringLiteral(" "), QStringLiteral("ｶﾅ&amp;")};

void writeList(const QString &path, const QStringList &entries)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (const QString &entry : entries)
        file.write(*CodePage::encodeCp932(entry) + "\r\n");
}

// What the composition, its caret and the clipboard should hold.
struct Model
{
    QString text;
    qsizetype start = 0;
    qsizetype length = 0;
    QString undo;
    QString clipboard;

    void insert(const QString &piece, bool snapshot)
    {
        if (snapshot)
            undo = text;
        text.replace(start, length, piece);
        start += piece.size();
        length = 0;
        clipboard = text;
    }
};

// A boundary that does not split a surrogate pair.
qsizetype boundary(const QString &text, qsizetype at)
{
    if (at > 0 && at < text.size() && text.at(at).isLowSurrogate())
        return at - 1;
    return at;
}

long residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

class tst_LongRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void randomInsertionsAgreeWithTheModel();
    void manyPalettesLeaveNothingBehind();

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    MainWindow *m_window = nullptr;
};

void tst_LongRun::init()
{
    m_dir.emplace();
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    writeList(m_dir->filePath("kao1.txt"), kKaomoji);
    writeList(m_dir->filePath("morvela1.txt"), kPhrases);
    setClipboardText(QStringLiteral("before"));
    m_window = showMainWindow();
}

void tst_LongRun::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<SymbolPalette *>(window))
            delete window;
    }
    delete m_window;
    m_window = nullptr;
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void tst_LongRun::randomInsertionsAgreeWithTheModel()
{
    Ui::MainWindow &ui = m_window->controls();
    QCOMPARE(ui.kaomojiList->count(), kKaomoji.size());
    QCOMPARE(ui.phraseList->count(), kPhrases.size());
    SymbolPalette *palette = openPalette(m_window);
    QVERIFY(palette);
    const QList<QPushButton *> symbols = palette->findChildren<QPushButton *>();
    QVERIFY(!symbols.isEmpty());

    QRandomGenerator random(20261211);
    Model model;
    model.clipboard = QStringLiteral("before");
    for (int step = 0; step < kInsertions; ++step) {
        switch (random.bounded(5)) {
        case 0: {
            const int row = int(random.bounded(kKaomoji.size()));
            ui.kaomojiList->setCurrentIndex(row);
            m_window->insertKaomoji();
            model.insert(kKaomoji.at(row), false);
            break;
        }
        case 1: {
            const int row = int(random.bounded(kPhrases.size()));
            ui.phraseList->setCurrentIndex(row);
            m_window->insertPhrase();
            model.insert(kPhrases.at(row), false);
            break;
        }
        case 2: {
            QPushButton *symbol = symbols.at(random.bounded(symbols.size()));
            symbol->click();
            model.insert(symbol->text(), true);
            break;
        }
        case 3: {
            const QString &piece = kTexts.at(random.bounded(kTexts.size()));
            ui.textLine->setText(piece);
            m_window->insertTextLine();
            model.insert(piece, true);
            break;
        }
        default: {
            const qsizetype size = model.text.size();
            const qsizetype from = boundary(model.text, random.bounded(size + 1));
            const qsizetype longest = size - from;
            const qsizetype shortest = size > kLongComposition ? longest / 2 : 0;
            const qsizetype to
                = boundary(model.text, from + shortest + random.bounded(longest - shortest + 1));
            QTextCursor cursor = ui.compositionBox->textCursor();
            cursor.setPosition(int(from));
            cursor.setPosition(int(to), QTextCursor::KeepAnchor);
            ui.compositionBox->setTextCursor(cursor);
            model.start = from;
            model.length = to - from;
            break;
        }
        }
        const QString composition = m_window->compositionBox().text();
        if (composition != model.text || clipboardText() != model.clipboard
            || m_window->composition().undoText() != model.undo
            || m_window->compositionBox().selectionStart() != model.start)
            QFAIL(qPrintable(QStringLiteral("step %1 disagrees with the model").arg(step)));
    }
}

void tst_LongRun::manyPalettesLeaveNothingBehind()
{
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    const auto openClickClose = [&] {
        const QPointer<SymbolPalette> palette = openPalette(m_window);
        QVERIFY(palette);
        QVERIFY(palette->isVisible());
        QPushButton *symbol = nullptr;
        for (QPushButton *button : palette->findChildren<QPushButton *>()) {
            if (button->isVisible()) {
                symbol = button;
                break;
            }
        }
        QVERIFY(symbol);
        const QString before = m_window->compositionBox().text();
        QTest::mouseClick(symbol, Qt::LeftButton);
        QCOMPARE(m_window->compositionBox().text(), before + symbol->text());
        QVERIFY(palette->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!palette);
    };

    // The first ones warm caches (fonts, styles) that stay for the program's life.
    for (int i = 0; i < kPalettes / 10; ++i) {
        openClickClose();
        if (QTest::currentTestFailed())
            return;
    }
    const long warmKilobytes = residentKilobytes();
    for (int i = kPalettes / 10; i < kPalettes; ++i) {
        m_window->compositionBox().replaceAll(QString());
        openClickClose();
        if (QTest::currentTestFailed())
            return;
    }
    const long grownKilobytes = residentKilobytes() - warmKilobytes;

    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    // A palette costs far more than this; a leak of one per opening would show.
    if (kMeasuresMemory)
        QVERIFY2(grownKilobytes < 8 * 1024, qPrintable(QString::number(grownKilobytes)));
}

QTEST_MAIN(tst_LongRun)
#include "tst_longrun.moc"
