#include "platform/CodePage.h"

#include <QTest>

class tst_CodePage : public QObject
{
    Q_OBJECT

private slots:
    void decodesMicrosoftMapping_data();
    void decodesMicrosoftMapping();
    void encodesToStandardCodes_data();
    void encodesToStandardCodes();
    void badBytesBecomeReplacement_data();
    void badBytesBecomeReplacement();
    void detectsUtf8_data();
    void detectsUtf8();
    void refusesCharactersWithoutCode_data();
    void refusesCharactersWithoutCode();
    void fileEncodingFallsBackToUtf8();
    void everyDoubleByteCodeRoundTrips();
};

void tst_CodePage::decodesMicrosoftMapping_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("wave dash") << QByteArray("\x81\x60") << QString(QChar(0xFF5E));
    QTest::newRow("backslash") << QByteArray("\x81\x5F") << QString(QChar(0xFF3C));
    QTest::newRow("parallel") << QByteArray("\x81\x61") << QString(QChar(0x2225));
    QTest::newRow("IBM roman one") << QByteArray("\xFA\x4A") << QString(QChar(0x2160));
    QTest::newRow("NEC roman one") << QByteArray("\x87\x54") << QString(QChar(0x2160));
    QTest::newRow("ascii and kana") << QByteArray("a\\~\xB1") << QStringLiteral("a\\~ｱ");
    QTest::newRow("hiragana") << QByteArray("\x82\xA0\x82\xA2") << QStringLiteral("あい");
    QTest::newRow("trail byte 0x5C") << QByteArray("\x95\x5C") << QStringLiteral("表");
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_CodePage::decodesMicrosoftMapping()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CodePage::decodeCp932(bytes), text);
}

void tst_CodePage::encodesToStandardCodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wave dash") << QString(QChar(0xFF5E)) << QByteArray("\x81\x60");
    QTest::newRow("backslash") << QString(QChar(0xFF3C)) << QByteArray("\x81\x5F");
    QTest::newRow("parallel") << QString(QChar(0x2225)) << QByteArray("\x81\x61");
    QTest::newRow("roman one") << QString(QChar(0x2160)) << QByteArray("\x87\x54");
    QTest::newRow("line break") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb");
}

void tst_CodePage::encodesToStandardCodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::optional<QByteArray> encoded = CodePage::encodeCp932(text);
    QVERIFY(encoded);
    QCOMPARE(*encoded, bytes);
}

void tst_CodePage::badBytesBecomeReplacement_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QChar bad(0xFFFD);
    QTest::newRow("0x80") << QByteArray("\x80") << QString(bad);
    QTest::newRow("0xFF") << QByteArray("a\xFF"
                                        "b")
                          << (QStringLiteral("a") + bad + QStringLiteral("b"));
    QTest::newRow("lone lead at end") << QByteArray("a\x82") << (QStringLiteral("a") + bad);
    QTest::newRow("lead with bad trail")
        << QByteArray("\x82\x20") << (QString(bad) + QStringLiteral(" "));
}

void tst_CodePage::badBytesBecomeReplacement()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CodePage::decodeCp932(bytes), text);
}

void tst_CodePage::detectsUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8 with mark")
        << QByteArray("\xEF\xBB\xBFho\xE3\x81\x82") << QStringLiteral("hoあ");
    QTest::newRow("utf-8 mark, ascii only") << QByteArray("\xEF\xBB\xBF"
                                                          "abc")
                                            << QStringLiteral("abc");
    QTest::newRow("utf-8 without mark") << QByteArray("(\xE2\x97\x8F)") << QStringLiteral("(●)");
    QTest::newRow("code page 932") << QByteArray("\x82\xA0") << QStringLiteral("あ");
    QTest::newRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
}

void tst_CodePage::detectsUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CodePage::decodeText(bytes), text);
}

void tst_CodePage::refusesCharactersWithoutCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("emoji") << QStringLiteral("a😀");
    QTest::newRow("A with ring") << QString(QChar(0x00C5));
    // iconv folds these to codes that read back as other characters.
    QTest::newRow("yen sign") << QString(QChar(0x00A5));
    QTest::newRow("wave dash U+301C") << QString(QChar(0x301C));
}

void tst_CodePage::refusesCharactersWithoutCode()
{
    QFETCH(QString, text);
    QVERIFY(!CodePage::encodeCp932(text));
}

void tst_CodePage::fileEncodingFallsBackToUtf8()
{
    QCOMPARE(CodePage::encodeForFile(QStringLiteral("あ")), QByteArray("\x82\xA0"));
    const QString mixed = QStringLiteral("あ😀");
    const QByteArray bytes = CodePage::encodeForFile(mixed);
    QCOMPARE(bytes, mixed.toUtf8());
    QCOMPARE(CodePage::decodeText(bytes), mixed);

    // Found by fuzzing: a leading U+FEFF must not be taken for a mark on reading.
    const QString leadingMark = QString(QChar(0xFEFF)) + QChar(0xFEFF);
    QCOMPARE(CodePage::decodeText(CodePage::encodeForFile(leadingMark)), leadingMark);

    // Found by fuzzing: these code page 932 bytes (C2 82 C2 87 54) are valid UTF-8.
    const QString utf8LookAlike = CodePage::decodeCp932("\xC2\x82\xC2\xFA\x4A");
    QCOMPARE(CodePage::decodeText(CodePage::encodeForFile(utf8LookAlike)), utf8LookAlike);
}

void tst_CodePage::everyDoubleByteCodeRoundTrips()
{
    // Whatever a pair decodes to must encode to a code that reads back the same.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString text = CodePage::decodeCp932(QByteArrayView(pair, 2));
            if (text.size() != 1 || text[0] == QChar(0xFFFD))
                continue;
            const std::optional<QByteArray> encoded = CodePage::encodeCp932(text);
            QVERIFY2(encoded, qPrintable(QString::number(lead << 8 | trail, 16)));
            QCOMPARE(CodePage::decodeCp932(*encoded), text);
        }
    }
}

QTEST_GUILESS_MAIN(tst_CodePage)
#include "tst_codepage.moc"
