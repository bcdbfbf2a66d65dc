// Any bytes give entries by the line rules: never a CR or NUL in an entry, never more
// entries than line ends allow, never more text than bytes.
#include "main_window/ListFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype endOfFile = bytes.indexOf('\x1A');
    const QByteArrayView content = endOfFile < 0 ? bytes : bytes.first(endOfFile);

    const ListFile::Entries entries = ListFile::decode(bytes);
    if (entries.size() > content.count('\r') + 1)
        std::abort();
    // Some bytes before a Ctrl-Z make at least one entry, unless they are only a mark.
    if (entries.size() == 0 && content.size() > 3)
        std::abort();
    qsizetype units = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QStringView entry = entries.at(i);
        if (entry.contains(u'\r') || entry.contains(u'\0'))
            std::abort();
        units += entry.size();
    }
    if (units > content.size())
        std::abort();
    return 0;
}
