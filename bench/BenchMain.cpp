#include "bench/BenchFigures.h"
#include "bench/BenchInputs.h"
#include "main_window/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The child of the memory figure: the main window with the lists of directory, shown and
// painted, then gone.
int showMainWindow(int argc, char *argv[], const char *directory)
{
    QApplication application(argc, argv);
    QDir::setCurrent(QFile::decodeName(directory));
    MainWindow mainWindow;
    mainWindow.show();
    if (!QTest::qWaitForWindowExposed(&mainWindow))
        return 1;
    QCoreApplication::processEvents();
    return 0;
}

} // namespace

// Runs off screen; the inputs go under the current directory.
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--memory-child") == 0)
        return showMainWindow(1, argv, argv[2]);

    QApplication application(argc, argv);
    const QString inputs = QDir::currentPath() + QLatin1String("/inputs");
    const BenchFigures::Directories directories{inputs + QLatin1String("/empty"),
                                                inputs + QLatin1String("/lists-1000"),
                                                inputs + QLatin1String("/lists-100000")};
    QDir().mkpath(directories.empty);
    BenchInputs::writeLists(directories.small, 1'000);
    BenchInputs::writeLists(directories.large, 100'000);
    BenchFigures::setDirectories(directories);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
