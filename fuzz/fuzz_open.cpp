// What Open makes of any bytes: CR LF between lines and no lone CR or LF, the text cut at
// the first NUL, and the whole file kept for the comparison only when it was read whole.
#include "main_window/CompositionFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool hasOnlyCrLf(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool hasNul = bytes.contains('\0');

    const CompositionFile::Contents contents = CompositionFile::decode(bytes, true);
    if (!hasOnlyCrLf(contents.text) || contents.text.contains(u'\0'))
        std::abort();
    if (!contents.whole || !hasOnlyCrLf(*contents.whole))
        std::abort();
    if (!hasNul && *contents.whole != contents.text)
        std::abort();
    // Each byte gives at most one code unit, and a line break at most two.
    if (contents.whole->size() > 2 * bytes.size())
        std::abort();

    const CompositionFile::Contents part = CompositionFile::decode(bytes, false);
    if (part.whole || part.text != contents.text)
        std::abort();
    return 0;
}
