#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Text in files is code page 932 (Microsoft's mapping), or UTF-8 where a file says so
// with a byte-order mark or is plainly UTF-8. Inside the program text is UTF-16.
namespace CodePage {

enum class Encoding { Cp932, Utf8 };

struct Detected
{
    Encoding encoding;
    qsizetype markLength; // bytes of a UTF-8 byte-order mark at the start, 0 or 3
};

// Decides how a whole file is to be read: a mark, or valid UTF-8 that holds at least one
// non-ASCII sequence, means UTF-8; anything else is code page 932.
Detected detect(QByteArrayView bytes);

bool isValidUtf8(QByteArrayView bytes);

// Undecodable bytes become U+FFFD; decoding never fails.
QString decodeCp932(QByteArrayView bytes);
// The same into out, which has room for bytes.size() units; returns the end of what was
// written. Lets a caller decode many pieces into one buffer.
char16_t *decodeCp932Into(QByteArrayView bytes, char16_t *out);
QString decode(QByteArrayView bytes, Encoding encoding);

// Detects, drops a mark, decodes.
QString decodeText(QByteArrayView bytes);

// The code page 932 bytes of text, or nothing when a character has no code there that
// reads back as the same character.
std::optional<QByteArray> encodeCp932(QStringView text);

// What a file gets: code page 932 when every character has a code there and the bytes
// cannot be taken for UTF-8, otherwise UTF-8 without a mark (unless the text starts with
// U+FEFF), so that no character is ever replaced and decodeText reads the same text back.
QByteArray encodeForFile(QStringView text);

} // namespace CodePage
