#include "TestSupport.h"

#include "main_window/Unit1.h"
#include "platform/ErrorBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
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

void verifyHelpWindowFrame(QWidget *form, QSize client)
{
    QCOMPARE(form->size(), client);
    QCOMPARE(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!form->parent());
    QVERIFY(!form->testAttribute(Qt::WA_QuitOnClose));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((form->frameGeometry().center() - centre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("window at %1,%2")
                            .arg(form->frameGeometry().center().x())
                            .arg(form->frameGeometry().center().y())));
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
