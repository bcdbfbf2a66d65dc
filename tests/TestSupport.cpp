#include "TestSupport.h"

#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"
#include "platform/CodePage.h"
#include "platform/ErrorBox.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <sys/fsuid.h>

namespace TestSupport {

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

OrdinaryUser::OrdinaryUser()
{
    setfsgid(kNobody);
    setfsuid(kNobody);
}

OrdinaryUser::~OrdinaryUser()
{
    setfsuid(0);
    setfsgid(0);
}

ErrorBoxRecorder::ErrorBoxRecorder()
{
    ErrorBox::setPresenter([this](const QString &text) { texts.append(text); });
}

ErrorBoxRecorder::~ErrorBoxRecorder()
{
    ErrorBox::setPresenter({});
}

QStringList entriesOf(const QComboBox *list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->itemText(i));
    return entries;
}

QByteArray cp932File(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries)
        bytes += *CodePage::encodeCp932(entry) + "\r\n";
    return bytes;
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void verifyHelpWindowFrame(QWidget *helpWindow, QSize client)
{
    QCOMPARE(helpWindow->size(), client);
    QCOMPARE(helpWindow->minimumSize(), helpWindow->maximumSize());
    const Qt::WindowFlags flags = helpWindow->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!helpWindow->parent());
    QVERIFY(!helpWindow->testAttribute(Qt::WA_QuitOnClose));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((helpWindow->frameGeometry().center() - centre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("window at %1,%2")
                            .arg(helpWindow->frameGeometry().center().x())
                            .arg(helpWindow->frameGeometry().center().y())));
}

QPair<int, int> inkRows(const QImage &image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() < 160) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

QPair<int, int> inkRowsOf(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    QImage canvas(metrics.horizontalAdvance(text) + 20, 4 * metrics.height(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(10, 2 * metrics.height()), text);
    painter.end();
    const QPair<int, int> rows = inkRows(canvas);
    // From the baseline.
    return {rows.first - 2 * metrics.height(), rows.second - 2 * metrics.height()};
}

MainWindow *showMainWindow()
{
    auto *window = new MainWindow;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("main window not exposed");
    window->activateWindow();
    return window;
}

SymbolPalette *openPalette(MainWindow *window)
{
    const auto palettes = [] {
        QList<SymbolPalette *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *palette = qobject_cast<SymbolPalette *>(widget))
                found.append(palette);
        }
        return found;
    };
    const QList<SymbolPalette *> before = palettes();
    QTest::mouseClick(window->controls().paletteButton, Qt::LeftButton);
    for (SymbolPalette *palette : palettes()) {
        if (!before.contains(palette)) {
            if (!QTest::qWaitForWindowExposed(palette))
                qWarning("palette not exposed");
            return palette;
        }
    }
    return nullptr;
}

QString textOfLength(qsizetype length)
{
    const QString line = QString(98, QLatin1Char('a')) + QStringLiteral("\r\n");
    QString text = line.repeated(length / line.size() + 1);
    text.truncate(length);
    // A CR cut from its LF would be a line break of its own.
    if (text.endsWith(QLatin1Char('\r')))
        text.back() = QLatin1Char('z');
    return text;
}

void setUndoText(Composition &composition, const QString &text)
{
    CompositionBox &box = composition.box();
    box.selectAll();
    box.replaceSelection(text);
    composition.takeSnapshot();
    box.selectAll();
    box.replaceSelection(QString());
}

} // namespace TestSupport
