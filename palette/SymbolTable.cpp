#include "palette/SymbolTable.h"

#include <initializer_list>
#include <string_view>

namespace {

// Every symbol is written as its code point, so that no editor or tool can normalise it:
// the Angstrom sign U+212B, for one, would turn into the letter U+00C5. Each symbol is one
// UTF-16 code unit.
SymbolTable::Page page(std::u16string_view tabCaption,
                       std::initializer_list<std::u16string_view> rows)
{
    SymbolTable::Page result{QString::fromUtf16(tabCaption.data(), tabCaption.size()), {}};
    for (const std::u16string_view row : rows) {
        QStringList captions;
        for (const char16_t symbol : row)
            captions.append(QString(QChar(symbol)));
        result.rows.append(captions);
    }
    return result;
}

QList<SymbolTable::Page> buildPages()
{
    return {
        // 記号・マーク１: brackets, box drawing, shapes, marks, Greek capitals, iteration marks.
        page(u"\u8A18\u53F7\u30FB\u30DE\u30FC\u30AF\uFF11",
             {
                 u"\u3014\u3015\u3008\u3009\u300A\u300B\u300E\u300F\u3010\u3011",
                 u"\u253C\u2501\u2503\u2523\u2533\u252B\u254B\u2542",
                 u"\u25CB\u25CE\u25CF\u25C7\u25C6\u25A1\u25A0\u25B3\u25B2\u25BD\u25BC",
                 u"\u2605\u2606\u2020\u2021\u00B6\u2642\u2640\u0444\u223D\u3012",
                 u"\u0398\u039E\u03A6\u03A8\u03A9\u30FD\u30FE\u309D\u309E\u3003\u2026",
             }),
        // 記号・マーク２: squared units, currency and mathematical signs, Greek small letters.
        page(u"\u8A18\u53F7\u30FB\u30DE\u30FC\u30AF\uFF12",
             {
                 u"\u337E\u337D\u337C\u337B\u3349\u3314\u3322\u334D\u3318\u3327\u3303\u3336",
                 u"\u3351\u3357\u330D\u3326\u3323\u332B\u334A\u333B\u2103\uFFE1",
                 u"\u339C\u339D\u339E\u338E\u338F\u33C4\u33A1\u2116\u33CD\u2121",
                 u"\u212B\u2030\u00B1\u00F7\u2260\u2266\u2267\u221E\u2234\u2252\u2261\u222B",
                 u"\u222E\u2211\u221A\u22A5\u2220\u22BF\u2235\u21D2\u21D4\u221D\u222C",
                 u"\u03B1\u03B2\u03B3\u03B5\u03B6\u03B8\u03B9\u03BB\u03BC\u03BD\u03BE\u03C0",
             }),
        // 記号・マーク３: circled signs and numerals, Roman numerals, Greek and Cyrillic,
        // musical and other marks.
        page(u"\u8A18\u53F7\u30FB\u30DE\u30FC\u30AF\uFF13",
             {
                 u"\u32A4\u32A5\u32A6\u32A7\u32A8\u2312\u2207\u2202\u226A\u226B\u0437\u0451",
                 u"\u2460\u2461\u2462\u2463\u2464\u2465\u2466\u2467\u2468\u2469",
                 u"\u2160\u2161\u2162\u2163\u2164\u2165\u2166\u2167\u2168\u2169",
                 u"\u03C1\u03C3\u03C5\u03C6\u03C8\u03C9\u0416\u041B\u042B\u042D\u042E\u0434",
                 u"\u3006\u2015\uFF3C\uFF5E\u2225\uFF03\u00A7\u203B\u3013\u266F\u266D\u266A",
             }),
    };
}

} // namespace

namespace SymbolTable {

const QList<Page> &pages()
{
    static const QList<Page> table = buildPages();
    return table;
}

} // namespace SymbolTable
