#pragma once

#include <QString>

#include <exception>

// The one kind of failure the program raises: a message for the error box.
class AppError : public std::exception
{
public:
    explicit AppError(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};
