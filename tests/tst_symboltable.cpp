#include "palette/SymbolTable.h"
#include "platform/CodePage.h"

#include <QSet>
#include <QTest>

using CodePoints = QList<QList<int>>;

class tst_SymbolTable : public QObject
{
    Q_OBJECT

private slots:
    void pageMatchesCodePoints_data();
    void pageMatchesCodePoints();
    void everyCaptionIsOneCharacterAndUnique();
    void angstromIsTheSignNotTheLetter();
    void everyCaptionEncodesToCodePage932();
    void ibmRowsDecodeToTableCharacters_data();
    void ibmRowsDecodeToTableCharacters();
};

void tst_SymbolTable::pageMatchesCodePoints_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("tabCaption");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<CodePoints>("rows");

    // 記号・マーク１ to ３, with fullwidth digits.
    const QList<int> tab = {0x8A18, 0x53F7, 0x30FB, 0x30DE, 0x30FC, 0x30AF};

    QTest::newRow("page 1")
        << 0 << (tab + QList<int>{0xFF11}) << 50
        << CodePoints{
               {0x3014, 0x3015, 0x3008, 0x3009, 0x300A, 0x300B, 0x300E, 0x300F, 0x3010, 0x3011},
               {0x253C, 0x2501, 0x2503, 0x2523, 0x2533, 0x252B, 0x254B, 0x2542},
               {0x25CB, 0x25CE, 0x25CF, 0x25C7, 0x25C6, 0x25A1, 0x25A0, 0x25B3, 0x25B2, 0x25BD,
                0x25BC},
               {0x2605, 0x2606, 0x2020, 0x2021, 0x00B6, 0x2642, 0x2640, 0x0444, 0x223D, 0x3012},
               {0x0398, 0x039E, 0x03A6, 0x03A8, 0x03A9, 0x30FD, 0x30FE, 0x309D, 0x309E, 0x3003,
                0x2026},
           };
    QTest::newRow("page 2")
        << 1 << (tab + QList<int>{0xFF12}) << 67
        << CodePoints{
               {0x337E, 0x337D, 0x337C, 0x337B, 0x3349, 0x3314, 0x3322, 0x334D, 0x3318, 0x3327,
                0x3303, 0x3336},
               {0x3351, 0x3357, 0x330D, 0x3326, 0x3323, 0x332B, 0x334A, 0x333B, 0x2103, 0xFFE1},
               {0x339C, 0x339D, 0x339E, 0x338E, 0x338F, 0x33C4, 0x33A1, 0x2116, 0x33CD, 0x2121},
               {0x212B, 0x2030, 0x00B1, 0x00F7, 0x2260, 0x2266, 0x2267, 0x221E, 0x2234, 0x2252,
                0x2261, 0x222B},
               {0x222E, 0x2211, 0x221A, 0x22A5, 0x2220, 0x22BF, 0x2235, 0x21D2, 0x21D4, 0x221D,
                0x222C},
               {0x03B1, 0x03B2, 0x03B3, 0x03B5, 0x03B6, 0x03B8, 0x03B9, 0x03BB, 0x03BC, 0x03BD,
                0x03BE, 0x03C0},
           };
    QTest::newRow("page 3")
        << 2 << (tab + QList<int>{0xFF13}) << 56
        << CodePoints{
               {0x32A4, 0x32A5, 0x32A6, 0x32A7, 0x32A8, 0x2312, 0x2207, 0x2202, 0x226A, 0x226B,
                0x0437, 0x0451},
               {0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465, 0x2466, 0x2467, 0x2468, 0x2469},
               {0x2160, 0x2161, 0x2162, 0x2163, 0x2164, 0x2165, 0x2166, 0x2167, 0x2168, 0x2169},
               {0x03C1, 0x03C3, 0x03C5, 0x03C6, 0x03C8, 0x03C9, 0x0416, 0x041B, 0x042B, 0x042D,
                0x042E, 0x0434},
               {0x3006, 0x2015, 0xFF3C, 0xFF5E, 0x2225, 0xFF03, 0x00A7, 0x203B, 0x3013, 0x266F,
                0x266D, 0x266A},
           };
}

void tst_SymbolTable::pageMatchesCodePoints()
{
    QFETCH(int, page);
    QFETCH(QList<int>, tabCaption);
    QFETCH(int, buttons);
    QFETCH(CodePoints, rows);

    QCOMPARE(SymbolTable::pages().size(), 3);
    const SymbolTable::Page &actual = SymbolTable::pages().at(page);

    QList<int> tab;
    for (const QChar c : actual.tabCaption)
        tab.append(c.unicode());
    QCOMPARE(tab, tabCaption);

    CodePoints actualRows;
    int count = 0;
    for (const QStringList &row : actual.rows) {
        QList<int> points;
        for (const QString &caption : row)
            points.append(caption.isEmpty() ? -1 : int(caption.toUcs4().first()));
        actualRows.append(points);
        count += int(row.size());
        QVERIFY(row.size() <= 12);
    }
    QVERIFY(actual.rows.size() <= 6);
    QCOMPARE(count, buttons);
    // Row by row, so that a wrong length or a wrong character shows which row it is.
    QCOMPARE(actualRows.size(), rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r)
        QCOMPARE(actualRows[r], rows[r]);
}

void tst_SymbolTable::everyCaptionIsOneCharacterAndUnique()
{
    QSet<QString> seen;
    int count = 0;
    for (const SymbolTable::Page &page : SymbolTable::pages()) {
        for (const QStringList &row : page.rows) {
            for (const QString &caption : row) {
                QCOMPARE(caption.size(), 1);
                QVERIFY2(!seen.contains(caption), qPrintable(caption));
                seen.insert(caption);
                ++count;
            }
        }
    }
    QCOMPARE(count, 173);
}

void tst_SymbolTable::angstromIsTheSignNotTheLetter()
{
    const QString angstrom = SymbolTable::pages().at(1).rows.at(3).at(0);
    QCOMPARE(angstrom.at(0).unicode(), char16_t(0x212B));
    // A tool that normalises text would give the letter; the palette must not.
    QVERIFY(angstrom != angstrom.normalized(QString::NormalizationForm_C));
}

void tst_SymbolTable::everyCaptionEncodesToCodePage932()
{
    for (const SymbolTable::Page &page : SymbolTable::pages()) {
        for (const QStringList &row : page.rows) {
            for (const QString &caption : row) {
                const std::optional<QByteArray> bytes = CodePage::encodeCp932(caption);
                QVERIFY2(bytes, qPrintable(caption));
                QCOMPARE(bytes->size(), 2);
                QCOMPARE(CodePage::decodeCp932(*bytes), caption);
            }
        }
    }
}

void tst_SymbolTable::ibmRowsDecodeToTableCharacters_data()
{
    QTest::addColumn<QByteArray>("ibmBytes");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("savedBytes");

    for (int i = 0; i < 10; ++i) {
        QTest::addRow("roman numeral %d", i + 1) << (QByteArray("\xFA") + char(0x4A + i)) << 2 << 2
                                                 << i << (QByteArray("\x87") + char(0x54 + i));
    }
    QTest::newRow("numero sign") << QByteArray("\xFA\x59") << 1 << 2 << 7 << QByteArray("\x87\x82");
    QTest::newRow("telephone sign")
        << QByteArray("\xFA\x5A") << 1 << 2 << 9 << QByteArray("\x87\x84");
}

// The bytes stored for these symbols come from the IBM rows; the program holds the
// characters, and saving writes the standard (NEC row) codes for them.
void tst_SymbolTable::ibmRowsDecodeToTableCharacters()
{
    QFETCH(QByteArray, ibmBytes);
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QByteArray, savedBytes);

    const QString symbol = SymbolTable::pages().at(page).rows.at(row).at(column);
    QCOMPARE(CodePage::decodeCp932(ibmBytes), symbol);
    QCOMPARE(CodePage::encodeForFile(symbol), savedBytes);
}

QTEST_GUILESS_MAIN(tst_SymbolTable)
#include "tst_symboltable.moc"
