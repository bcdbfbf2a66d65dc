#include "platform/CodePage.h"

#include <QStringDecoder>

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>

namespace {

constexpr char16_t kInvalid = 0xFFFF; // a noncharacter: no byte sequence maps to it
constexpr char16_t kReplacement = 0xFFFD;

// Every single byte and every lead/trail pair decoded once through iconv, the reference
// for Microsoft's mapping, so that decoding runs at table speed.
struct DecodeTable
{
    std::array<char16_t, 256> single{};
    std::array<bool, 256> lead{};
    std::array<char16_t, 65536> pair{};

    DecodeTable()
    {
        single.fill(kInvalid);
        pair.fill(kInvalid);
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return; // no converter: only ASCII below, everything else undecodable
        for (int b = 0; b < 256; ++b) {
            const unsigned char in[1] = {static_cast<unsigned char>(b)};
            int error = 0;
            const char16_t unit = convert(cd, in, 1, &error);
            if (unit != kInvalid)
                single[b] = unit;
            else if (error == EINVAL)
                lead[b] = true;
        }
        for (int b = 0; b < 256; ++b) {
            if (!lead[b])
                continue;
            for (int t = 0x40; t <= 0xFC; ++t) {
                const unsigned char in[2]
                    = {static_cast<unsigned char>(b), static_cast<unsigned char>(t)};
                int error = 0;
                pair[b << 8 | t] = convert(cd, in, 2, &error);
            }
        }
        iconv_close(cd);
    }

    static char16_t convert(iconv_t cd, const unsigned char *bytes, size_t length, int *error)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *in = reinterpret_cast<char *>(const_cast<unsigned char *>(bytes));
        size_t inLeft = length;
        char out[8];
        char *outPtr = out;
        size_t outLeft = sizeof out;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            *error = errno;
            return kInvalid;
        }
        if (inLeft != 0 || sizeof out - outLeft != 2) {
            *error = EILSEQ;
            return kInvalid;
        }
        return static_cast<char16_t>(static_cast<unsigned char>(out[0])
                                     | static_cast<unsigned char>(out[1]) << 8);
    }
};

const DecodeTable &decodeTable()
{
    static const auto table = std::make_unique<DecodeTable>();
    return *table;
}

std::optional<QByteArray> encodeWithIconv(QStringView text)
{
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.truncate(outPtr - out.data());
    return out;
}

} // namespace

namespace CodePage {

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            else if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += length;
    }
    return true;
}

Detected detect(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {Encoding::Utf8, 3};
    bool nonAscii = false;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    if (nonAscii && isValidUtf8(bytes))
        return {Encoding::Utf8, 0};
    return {Encoding::Cp932, 0};
}

char16_t *decodeCp932Into(QByteArrayView bytes, char16_t *out)
{
    const DecodeTable &table = decodeTable();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        const char16_t unit = table.single[b];
        if (unit != kInvalid) {
            *out++ = unit;
            ++p;
        } else if (table.lead[b] && end - p >= 2 && table.pair[b << 8 | p[1]] != kInvalid) {
            *out++ = table.pair[b << 8 | p[1]];
            p += 2;
        } else {
            // A bad byte, or a lead byte without a fitting trail: the next byte is read afresh.
            *out++ = kReplacement;
            ++p;
        }
    }
    return out;
}

QString decodeCp932(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    auto *begin = reinterpret_cast<char16_t *>(out.data());
    out.truncate(decodeCp932Into(bytes, begin) - begin);
    return out;
}

QString decode(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8) {
        // A mark is dropped by detect(); a U+FEFF after it is the text's own.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    return decodeCp932(bytes);
}

QString decodeText(QByteArrayView bytes)
{
    const Detected detected = detect(bytes);
    return decode(bytes.sliced(detected.markLength), detected.encoding);
}

std::optional<QByteArray> encodeCp932(QStringView text)
{
    std::optional<QByteArray> bytes = encodeWithIconv(text);
    // iconv also folds some look-alikes (U+00A5 to 0x5C, U+301C to 0x8160); those would
    // come back as other characters, so they count as having no code.
    if (bytes && decodeCp932(*bytes) != text)
        return std::nullopt;
    return bytes;
}

QByteArray encodeForFile(QStringView text)
{
    // A few code page 932 texts (half-width katakana before certain kanji) are also valid
    // UTF-8 and would read back as other characters; those go out as UTF-8 too.
    std::optional<QByteArray> bytes = encodeCp932(text);
    if (bytes && detect(*bytes).encoding == Encoding::Cp932)
        return *bytes;
    // A text that itself starts with U+FEFF would lose it to mark detection on reading;
    // a mark in front keeps it.
    if (text.startsWith(QChar(0xFEFF)))
        return "\xEF\xBB\xBF" + text.toUtf8();
    return text.toUtf8();
}

} // namespace CodePage
