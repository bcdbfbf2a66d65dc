// Decoding never fails, and whatever encodes to code page 932 decodes back unchanged.
#include "platform/CodePage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString cp932 = CodePage::decodeCp932(bytes);
    // Each byte gives at most one code unit.
    if (cp932.size() > bytes.size())
        std::abort();
    if (const std::optional<QByteArray> encoded = CodePage::encodeCp932(cp932)) {
        if (CodePage::decodeCp932(*encoded) != cp932)
            std::abort();
    }

    const QString text = CodePage::decodeText(bytes);
    const QByteArray file = CodePage::encodeForFile(text);
    if (CodePage::decodeText(file) != text)
        std::abort();

    // The same bytes taken as UTF-16 text: encode must refuse or round-trip.
    const QStringView units(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    if (const std::optional<QByteArray> encoded = CodePage::encodeCp932(units)) {
        if (CodePage::decodeCp932(*encoded) != units)
            std::abort();
    }
    return 0;
}
