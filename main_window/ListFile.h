#pragma once

#include "main_window/IoError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// A list file holds one entry per line, in code page 932 or UTF-8. The line rules run on
// the bytes; the encoding is decided once for the whole file and each entry decoded with it.
namespace ListFile {

// The decoded entries of one file. All texts share one string, so that a long list costs
// a few allocations instead of one per entry.
class Entries final
{
public:
    qsizetype size() const { return m_ends.size(); }
    QStringView at(qsizetype index) const;

private:
    friend Entries decode(QByteArrayView bytes);

    QString m_text;
    QList<qsizetype> m_ends; // where each entry ends in m_text
};

// The entries of a file's bytes, in file order. A line ends at CR, and one LF right after
// it belongs to that end; any other LF is an ordinary byte. Ctrl-Z ends the file wherever
// it stands. The last line counts without a line end, but a final line end adds no empty
// entry. A NUL ends the entry's text; the rest of its line is skipped. Lines of any length
// are kept whole. The encoding is decided once for the whole file, a byte-order mark
// dropped, and each entry decoded.
Entries decode(QByteArrayView bytes);

struct Reading
{
    // A regular file, or a link to one, is there. Directories, FIFOs, sockets and devices
    // do not count, so reading never blocks on them nor runs on endlessly.
    bool found = false;
    // The lines read in full before any failure.
    Entries entries;
    std::optional<IoError> error;
};

// Reads the list file at path; the file is always closed again.
Reading read(const QByteArray &path);

} // namespace ListFile
