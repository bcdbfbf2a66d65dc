#include "main_window/IoError.h"

#include <cerrno>

namespace {

QString numbered(int code)
{
    return QStringLiteral("I/O ｴﾗｰ (%1)").arg(code);
}

// Our code for the errors users meet, or 0 when the system's number is shown as it is.
int mappedCode(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
        return 5;
    case EIO:
        return 30;
    case EBUSY:
    case ETXTBSY:
        return 32; // the file is in use: a sharing violation
    default:
        return 0;
    }
}

} // namespace

IoError::IoError(int code, QString message)
    : AppError(std::move(message))
    , m_code(code)
{
}

IoError IoError::fromErrno(int errnoValue)
{
    if (const int code = mappedCode(errnoValue))
        return IoError(code, messageFor(code));
    // Shown with its number even where that number is also one of ours (EINTR is 4): the
    // fixed texts would name the wrong cause.
    return IoError(errnoValue, numbered(errnoValue));
}

QString IoError::messageFor(int code)
{
    switch (code) {
    case 2:
        return QStringLiteral("ﾌｧｲﾙが見つかりません");
    case 3:
        return QStringLiteral("不正なﾌｧｲﾙ名です");
    case 4:
        return QStringLiteral("ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます");
    case 5:
        return QStringLiteral("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
    case 100:
        return QStringLiteral("ﾌｧｲﾙの末尾以降を読み込みました");
    case 101:
        return QStringLiteral("ﾃﾞｨｽｸがいっぱいです");
    case 106:
        return QStringLiteral("入力値が数値ではありません");
    default:
        return numbered(code);
    }
}
