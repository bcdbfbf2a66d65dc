#pragma once

#include <QString>

// Where the benchmarks find their inputs: directories made by BenchMain before the run.
namespace BenchFigures {

struct Directories
{
    QString empty; // no list files
    QString small; // both lists 1,000 entries
    QString large; // both lists 100,000 entries
};

void setDirectories(Directories directories);

// The peak resident memory, in bytes, of the main window shown with the lists of
// directory, measured in a child process started from program.
long peakMemoryOfChild(const QString &program, const QString &directory);

} // namespace BenchFigures
