#include "platform/ErrorBox.h"

#include "platform/StayOnTop.h"

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
    // The always-on-top windows make way for it while it is open.
    const StayOnTop::ModalTaking taking(&box);
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
