#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The composition as a text file: code page 932 (or UTF-8), CR LF between lines, no final
// line break, nothing else. Errors are raised as AppError with the messages the user sees.
namespace CompositionFile {

struct Contents
{
    // What the composition is to hold: the file up to its first NUL, decoded, with CR LF.
    QString text;
    // All of the file, decoded, with CR LF: what the composition is compared with. Nothing
    // when the file was too long to read whole; it then holds a NUL early enough to load.
    std::optional<QString> whole;
};

// Reads a composition file. maxUnits is the most UTF-16 code units the composition takes:
// a file longer than could decode to that much is refused without being read on, unless
// a NUL ends its text before.
Contents read(const QString &path, qsizetype maxUnits);

// What the bytes read from a file give; whole tells that they are all of the file.
Contents decode(QByteArrayView bytes, bool whole);

// Writes text; an existing file is replaced only once all of the new text is on disk, so a
// failed save leaves it as it was. Where its folder takes no new file, a file the user may
// change is written in place, and a failed save leaves what was written. A link is written
// through to its target.
void write(const QString &path, QStringView text);

} // namespace CompositionFile
