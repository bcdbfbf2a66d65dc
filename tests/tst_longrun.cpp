// Long sessions: many random insertions checked step by step against a model the test keeps
// itself, and many palettes opened and closed without leaving anything behind.
#include "TestSupport.h"
#include "main_window/ProgramState.h"
#include "main_window/Unit1.h"
#include "palette/Unit3.h"
#include "platform/CodePage.h"
#include "ui_Unit1.h"

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
    TForm1 *m_form = nullptr;
};

void tst_LongRun::init()
{
    m_dir.emplace();
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    writeList(m_dir->filePath("kao1.txt"), kKaomoji);
    writeList(m_dir->filePath("morvela1.txt"), kPhrases);
    setClipboardText(QStringLiteral("before"));
    m_form = showForm1();
}

void tst_LongRun::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm3 *>(window))
            delete window;
    }
    delete m_form;
    m_form = nullptr;
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void tst_LongRun::randomInsertionsAgreeWithTheModel()
{
    Ui::TForm1 &ui = m_form->controls();
    QCOMPARE(ui.ComboBox1->count(), kKaomoji.size());
    QCOMPARE(ui.ComboBox2->count(), kPhrases.size());
    QTest::mouseClick(ui.ToolButton8, Qt::LeftButton);
    TForm3 *palette = Form3;
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
            ui.ComboBox1->setCurrentIndex(row);
            m_form->ToolButton3Click();
            model.insert(kKaomoji.at(row), false);
            break;
        }
        case 1: {
            const int row = int(random.bounded(kPhrases.size()));
            ui.ComboBox2->setCurrentIndex(row);
            m_form->ToolButton14Click();
            model.insert(kPhrases.at(row), false);
            break;
        }
        case 2: {
            QPushButton *symbol = symbols.at(random.bounded(symbols.size()));
            palette->Button1Click(symbol);
            model.insert(symbol->text(), true);
            break;
        }
        case 3: {
            const QString &piece = kTexts.at(random.bounded(kTexts.size()));
            ui.Edit2->setText(piece);
            m_form->ToolButton12Click();
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
            QTextCursor cursor = ui.Memo1->textCursor();
            cursor.setPosition(int(from));
            cursor.setPosition(int(to), QTextCursor::KeepAnchor);
            ui.Memo1->setTextCursor(cursor);
            model.start = from;
            model.length = to - from;
            break;
        }
        }
        const QString composition = m_form->Memo1().text();
        if (composition != model.text || clipboardText() != model.clipboard
            || m_form->state().UndoText != model.undo
            || m_form->Memo1().selectionStart() != model.start)
            QFAIL(qPrintable(QStringLiteral("step %1 disagrees with the model").arg(step)));
    }
}

void tst_LongRun::manyPalettesLeaveNothingBehind()
{
    Ui::TForm1 &ui = m_form->controls();
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    const auto openClickClose = [&] {
        QTest::mouseClick(ui.ToolButton8, Qt::LeftButton);
        TForm3 *palette = Form3;
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
        const QString before = m_form->Memo1().text();
        QTest::mouseClick(symbol, Qt::LeftButton);
        QCOMPARE(m_form->Memo1().text(), before + symbol->text());
        QVERIFY(palette->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Form3);
    };

    // The first ones warm caches (fonts, styles) that stay for the program's life.
    for (int i = 0; i < kPalettes / 10; ++i) {
        openClickClose();
        if (QTest::currentTestFailed())
            return;
    }
    const long warmKilobytes = residentKilobytes();
    for (int i = kPalettes / 10; i < kPalettes; ++i) {
        m_form->Memo1().replaceAll(QString());
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
