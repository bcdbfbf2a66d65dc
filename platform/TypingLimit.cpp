#include "platform/TypingLimit.h"

#include "platform/CodePage.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class ByteLengthValidator final : public QValidator
{
public:
    ByteLengthValidator(qsizetype maxBytes, QObject *parent)
        : QValidator(parent)
        , m_maxBytes(maxBytes)
    {
    }

    State validate(QString &input, int &) const override
    {
        // Qt undoes a refused user edit and keeps a refused text that the program set.
        return TypingLimit::cp932Length(input) <= m_maxBytes ? Acceptable : Invalid;
    }

private:
    qsizetype m_maxBytes;
};

} // namespace

namespace TypingLimit {

qsizetype cp932Length(QStringView text)
{
    if (const auto bytes = CodePage::encodeCp932(text))
        return bytes->size();
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const auto bytes = CodePage::encodeCp932(text.sliced(i, units));
        length += bytes ? bytes->size() : 2;
        i += units;
    }
    return length;
}

void limitBytes(QLineEdit *field, qsizetype maxBytes)
{
    field->setValidator(new ByteLengthValidator(maxBytes, field));
}

} // namespace TypingLimit
