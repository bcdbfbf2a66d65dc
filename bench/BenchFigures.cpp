#include "bench/BenchFigures.h"

#include "bench/BenchInputs.h"
#include "main_window/Composition.h"
#include "main_window/ListFile.h"
#include "main_window/ListSource.h"
#include "main_window/MainWindow.h"
#include "ui_MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <memory>

extern char **environ;

namespace {

BenchFigures::Directories g_directories;

double secondsOf(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// Runs the event loop until widget has been painted at least once.
class PaintWatch final : public QObject
{
public:
    explicit PaintWatch(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
    }

    void wait()
    {
        while (!m_painted)
            QCoreApplication::processEvents();
        m_painted = false;
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget *m_widget;
    bool m_painted = false;
};

// The main window made in directory, shown and painted.
std::unique_ptr<MainWindow> shownWindow(const QString &directory)
{
    QDir::setCurrent(directory);
    auto mainWindow = std::make_unique<MainWindow>();
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get()))
        qFatal("main window not exposed");
    QCoreApplication::processEvents();
    return mainWindow;
}

void ListFileToEntries(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(g_directories.large + QLatin1String("/kao1.txt"));
    qsizetype entries = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        ListFile::Reading reading = ListFile::read(path);
        entries = reading.entries.size();
        benchmark::DoNotOptimize(entries);
        state.SetIterationTime(secondsOf(timer));
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(QFile::decodeName(path)).size());
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(ListFileToEntries)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void KaomojiListFill(benchmark::State &state)
{
    int count = 0;
    for (auto _ : state) {
        const std::unique_ptr<MainWindow> mainWindow = shownWindow(g_directories.empty);
        QComboBox *list = mainWindow->controls().kaomojiList;
        QDir::setCurrent(g_directories.large);
        ListSource source(list, QStringLiteral("kao1.txt"), nullptr);
        QElapsedTimer timer;
        timer.start();
        source.load();
        // Usable: the list knows its rows and gives the last one.
        count = list->count();
        benchmark::DoNotOptimize(list->itemText(count - 1));
        state.SetIterationTime(secondsOf(timer));
    }
    state.counters["entries"] = count;
}
BENCHMARK(KaomojiListFill)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void DropDownOpen(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> mainWindow = shownWindow(g_directories.large);
    QComboBox *list = mainWindow->controls().kaomojiList;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        list->showPopup();
        PaintWatch painted(list->view()->viewport());
        painted.wait();
        state.SetIterationTime(secondsOf(timer));
        list->hidePopup();
        QCoreApplication::processEvents();
    }
    state.counters["entries"] = list->count();
}
BENCHMARK(DropDownOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void StartUp(benchmark::State &state)
{
    QDir::setCurrent(g_directories.small);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        MainWindow mainWindow;
        PaintWatch painted(&mainWindow);
        mainWindow.show();
        painted.wait();
        state.SetIterationTime(secondsOf(timer));
    }
}
BENCHMARK(StartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// insertAndPublish of a kaomoji in the middle of a composition that it brings to length
// units; each run starts from the same composition.
void InsertAndPublishAtLength(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> mainWindow = shownWindow(g_directories.empty);
    Composition &composition = mainWindow->composition();
    CompositionBox &box = composition.box();
    const QString piece = QStringLiteral("(＾ω＾)");
    box.replaceAll(BenchInputs::composition(state.range(0) - piece.size()));
    const int middle = static_cast<int>(box.textLength() / 2);
    for (auto _ : state) {
        box.setSelectionStart(middle);
        QElapsedTimer timer;
        timer.start();
        composition.insertAndPublish(piece);
        state.SetIterationTime(secondsOf(timer));
        QTextCursor inserted = box.widget()->textCursor();
        inserted.setPosition(middle, QTextCursor::KeepAnchor);
        box.widget()->setTextCursor(inserted);
        box.replaceSelection(QString());
    }
}
BENCHMARK(InsertAndPublishAtLength)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Arg(100)
    ->Arg(10'000)
    ->Arg(CompositionBox::kCapacity)
    ->Iterations(20);

// The floor under insertAndPublish at length units: only putting the same text on the
// clipboard, as its publishing step does.
void ClipboardFloorAtLength(benchmark::State &state)
{
    const QString text = BenchInputs::composition(state.range(0));
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        clipboard->setText(text);
        state.SetIterationTime(secondsOf(timer));
    }
}
BENCHMARK(ClipboardFloorAtLength)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Arg(CompositionBox::kCapacity)
    ->Iterations(20);

// One key typed into the composition box and painted, at a composition that the keys
// typed bring to length units: the box takes no key past its capacity.
constexpr int kTypedKeys = 20;

void TypedKeyAt(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> mainWindow = shownWindow(g_directories.empty);
    CompositionBox &composition = mainWindow->compositionBox();
    QPlainTextEdit *box = composition.widget();
    composition.replaceAll(BenchInputs::composition(state.range(0) - kTypedKeys));
    composition.setSelectionStart(static_cast<int>(composition.textLength() / 2));
    box->setFocus();
    QCoreApplication::processEvents();
    PaintWatch painted(box->viewport());
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(box, Qt::Key_A);
        painted.wait();
        state.SetIterationTime(secondsOf(timer));
    }
}
BENCHMARK(TypedKeyAt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Arg(CompositionBox::kCapacity)
    ->Iterations(kTypedKeys);

void CharacterCountAt(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> mainWindow = shownWindow(g_directories.empty);
    QPlainTextEdit *box = mainWindow->compositionBox().widget();
    mainWindow->compositionBox().replaceAll(BenchInputs::composition(state.range(0)));
    QTest::keyClick(box, Qt::Key_A);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        mainWindow->updateCharacterCount();
        state.SetIterationTime(secondsOf(timer));
    }
}
BENCHMARK(CharacterCountAt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Arg(100'000)
    ->Iterations(1000);

void PeakMemory(benchmark::State &state)
{
    long peak = 0;
    for (auto _ : state)
        peak = BenchFigures::peakMemoryOfChild(QCoreApplication::applicationFilePath(),
                                               g_directories.large);
    state.counters["peak_bytes"] = static_cast<double>(peak);
}
BENCHMARK(PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

namespace BenchFigures {

void setDirectories(Directories directories)
{
    g_directories = std::move(directories);
}

long peakMemoryOfChild(const QString &program, const QString &directory)
{
    const QByteArray file = QFile::encodeName(program);
    const QByteArray where = QFile::encodeName(directory);
    char childFlag[] = "--memory-child";
    char *arguments[] = {const_cast<char *>(file.constData()), childFlag,
                         const_cast<char *>(where.constData()), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, file.constData(), nullptr, nullptr, arguments, environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss * 1024L; // Linux reports kilobytes
}

} // namespace BenchFigures
