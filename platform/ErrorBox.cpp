#include "platform/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

ErrorBox::Presenter &presenter()
{
    static ErrorBox::Presenter current;
    return current;
}

void showMessageBox(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("MORVELA"), text, QMessageBox::Ok);
    // Nothing a user typed or a file held is ever taken as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // In front of the always-on-top windows while it is open.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

} // namespace

namespace ErrorBox {

QString boxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show(const QString &message)
{
    const QString text = boxText(message);
    if (presenter())
        presenter()(text);
    else
        showMessageBox(text);
}

void setPresenter(Presenter newPresenter)
{
    presenter() = std::move(newPresenter);
}

} // namespace ErrorBox
