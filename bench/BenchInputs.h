#pragma once

#include <QString>

// The inputs of the benchmarks, made from a fixed seed so that every run measures the same
// bytes.
namespace BenchInputs {

// kaomoji lines (kao1.txt) or phrase lines (morvela1.txt) in code page 932, CR LF after
// each line.
QByteArray kaomojiList(int lines);
QByteArray phraseList(int lines);

// A composition of exactly length UTF-16 units, lines ended by CR LF.
QString composition(qsizetype length);

// Writes both list files of lines entries each into directory, made if missing.
void writeLists(const QString &directory, int lines);

} // namespace BenchInputs
