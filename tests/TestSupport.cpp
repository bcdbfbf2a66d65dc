#include "TestSupport.h"

#include "main_window/Unit1.h"
#include "platform/ErrorBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace TestSupport {

ErrorBoxRecorder::ErrorBoxRecorder()
{
    ErrorBox::setPresenter([this](const QString &text) { texts.append(text); });
}

ErrorBoxRecorder::~ErrorBoxRecorder()
{
    ErrorBox::setPresenter({});
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

TForm1 *showForm1()
{
    auto *form = new TForm1;
    form->show();
    if (!QTest::qWaitForWindowExposed(form))
        qWarning("main window not exposed");
    form->activateWindow();
    return form;
}

} // namespace TestSupport
