#pragma once

#include "platform/AppError.h"

// A failed open, read or close: the error code the user is shown, with its message.
class IoError final : public AppError
{
public:
    // The error for what the system reported in errno.
    static IoError fromErrno(int errnoValue);

    // The message of one of our codes: a fixed text for the common ones, otherwise
    // "I/O ｴﾗｰ (code)".
    static QString messageFor(int code);

    int code() const noexcept { return m_code; }

private:
    IoError(int code, QString message);

    int m_code;
};
