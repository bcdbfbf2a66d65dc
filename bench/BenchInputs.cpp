#include "bench/BenchInputs.h"

#include "platform/CodePage.h"

#include <QDir>
#include <QFile>

#include <random>

namespace {

constexpr unsigned kSeed = 932;

const QString kArms = QStringLiteral("ヽ＼ノ／ヾ〃σ");
const QString kEyes = QStringLiteral("＾´｀・ﾟ≧≦＞＜°￣；＊");
const QString kMouths = QStringLiteral("ω∀▽Д_ー皿ε口◇");
const QString kKana
    = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめ"
                     "もやゆよらりるれろわをんアイウエオカキクケコサシスセソ");
const QString kKanji = QStringLiteral("今日明朝夜本当有難御免了解待遅早行来見言思楽笑泣");

QChar pick(std::mt19937 &random, const QString &from)
{
    return from.at(std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random));
}

QString kaomoji(std::mt19937 &random)
{
    const QChar eye = pick(random, kEyes);
    QString face;
    if (random() % 2)
        face += pick(random, kArms);
    face += QLatin1Char('(') + eye + pick(random, kMouths) + eye + QLatin1Char(')');
    if (random() % 2)
        face += pick(random, kArms);
    return face;
}

QString phrase(std::mt19937 &random)
{
    QString text;
    const int length = 3 + static_cast<int>(random() % 7);
    for (int i = 0; i < length; ++i)
        text += pick(random, random() % 3 ? kKana : kKanji);
    return text;
}

template<typename Line>
QByteArray list(int lines, unsigned seed, Line line)
{
    std::mt19937 random(seed);
    QString text;
    for (int i = 0; i < lines; ++i)
        text += line(random) + QLatin1String("\r\n");
    return *CodePage::encodeCp932(text);
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

namespace BenchInputs {

QByteArray kaomojiList(int lines)
{
    return list(lines, kSeed, [](std::mt19937 &random) {
        return random() % 3 ? kaomoji(random) : kaomoji(random) + phrase(random);
    });
}

QByteArray phraseList(int lines)
{
    return list(lines, kSeed + 1, phrase);
}

QString composition(qsizetype length)
{
    std::mt19937 random(kSeed + 2);
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        if (text.size() % 42 == 40 && text.size() + 2 <= length)
            text += QLatin1String("\r\n");
        else
            text += pick(random, kKana);
    }
    return text;
}

void writeLists(const QString &directory, int lines)
{
    QDir().mkpath(directory);
    write(directory + QLatin1String("/kao1.txt"), kaomojiList(lines));
    write(directory + QLatin1String("/morvela1.txt"), phraseList(lines));
}

} // namespace BenchInputs
