#include "TestSupport.h"
#include "about/AboutWindow.h"
#include "about/SupportHomePage.h"
#include "main_window/MainWindow.h"
#include "ui_AboutWindow.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace TestSupport;

namespace {

const QString kAddress = QStringLiteral("https://www.morvela.example.org/support/");
const QString kMail = QStringLiteral("help@morvela.example.org");

// Stands in for the browser: records every address the program hands over.
class Browser final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

} // namespace

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void geometry_data();
    void geometry();
    void texts_data();
    void texts();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void fieldsAreReadOnlyAndOutOfTabOrder_data();
    void fieldsAreReadOnlyAndOutOfTabOrder();

    void opensTheAddressEveryTime_data();
    void opensTheAddressEveryTime();
    void failingOpenReportsNothing_data();
    void failingOpenReportsNothing();

private:
    void open(const QString &how);
    QWidget *control(const QString &name) const;

    std::unique_ptr<AboutWindow> m_window;
    MainWindow *m_main = nullptr;
    Browser m_browser;
};

void tst_About::init()
{
    m_window = std::make_unique<AboutWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_browser.opened.clear();
}

void tst_About::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    m_window.reset();
    delete m_main;
    m_main = nullptr;
}

QWidget *tst_About::control(const QString &name) const
{
    auto *widget = m_window->findChild<QWidget *>(name);
    if (!widget)
        qWarning("no control %s", qPrintable(name));
    return widget;
}

void tst_About::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("AboutWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("バージョン情報"));
    verifyHelpWindowFrame(m_window.get(), QSize(289, 122));
}

void tst_About::geometry_data()
{
    // A width of 0: the label takes the width of its text.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("productName") << "productName" << QRect(16, 8, 0, 26);
    QTest::newRow("version") << "version" << QRect(208, 16, 46, 17);
    QTest::newRow("freewareNotice") << "freewareNotice" << QRect(16, 48, 0, 12);
    QTest::newRow("supportAddress") << "supportAddress" << QRect(8, 72, 281, 16);
    QTest::newRow("contactAddress") << "contactAddress" << QRect(128, 88, 161, 14);
    QTest::newRow("notice") << "notice" << QRect(144, 104, 0, 12);
}

void tst_About::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QWidget *widget = control(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), m_window.get());
    QCOMPARE(widget->pos(), place.topLeft());
    QCOMPARE(widget->height(), place.height());
    if (place.width() > 0)
        QCOMPARE(widget->width(), place.width());
    // Whatever the fonts, every text is whole and inside the window.
    const auto *label = qobject_cast<QLabel *>(widget);
    const QString text = label ? label->text() : qobject_cast<QLineEdit *>(widget)->text();
    const int margins = label ? 0 : 4;
    QVERIFY2(widget->fontMetrics().horizontalAdvance(text) + margins <= widget->width(),
             qPrintable(QString::number(widget->fontMetrics().horizontalAdvance(text))));
    QVERIFY(m_window->rect().contains(widget->geometry()));
}

void tst_About::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("productName") << "productName"
                                 << "Morvela";
    QTest::newRow("version") << "version"
                             << "ver 1.4";
    QTest::newRow("freewareNotice") << "freewareNotice"
                                    << "このソフトはフリーソフトです。";
    QTest::newRow("supportAddress") << "supportAddress" << kAddress;
    QTest::newRow("contactAddress") << "contactAddress" << kMail;
    QTest::newRow("notice") << "notice"
                            << "© 2026 Morvela";
}

void tst_About::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget *widget = control(name);
    QVERIFY(widget);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    } else {
        QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), text);
    }
}

void tst_About::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    const QStringList gothic{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "Noto Sans CJK JP"};
    const QStringList mincho{"ＭＳ 明朝", "MS Mincho", "IPAMincho", "Noto Serif CJK JP"};
    const QStringList times{"Times New Roman", "Liberation Serif"};
    QTest::newRow("window") << "AboutWindow" << gothic << 12 << false;
    QTest::newRow("productName") << "productName" << times << 24 << true;
    QTest::newRow("version") << "version" << times << 15 << true;
    QTest::newRow("freewareNotice") << "freewareNotice" << gothic << 12 << false;
    QTest::newRow("supportAddress") << "supportAddress" << mincho << 13 << false;
    QTest::newRow("contactAddress") << "contactAddress" << mincho << 12 << false;
    QTest::newRow("notice") << "notice" << gothic << 12 << false;
}

void tst_About::fonts()
{
    QFETCH(QString, name);
    QFETCH(QStringList, families);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    const QWidget *widget = name == m_window->objectName() ? m_window.get() : control(name);
    QVERIFY(widget);
    const QFont font = widget->font();
    QCOMPARE(font.families(), families);
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.bold(), bold);
    // One of the families is on this machine, so the layout's sizes hold.
    QVERIFY2(families.contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
}

void tst_About::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");
    const QPalette standard = QApplication::palette();
    const QColor buttonFace = standard.color(QPalette::Button);
    QTest::newRow("window") << "AboutWindow" << int(QPalette::Window) << buttonFace;
    QTest::newRow("productName") << "productName" << int(QPalette::WindowText) << QColor(Qt::black);
    QTest::newRow("version") << "version" << int(QPalette::WindowText) << QColor(Qt::black);
    QTest::newRow("freewareNotice")
        << "freewareNotice" << int(QPalette::WindowText) << standard.color(QPalette::WindowText);
    QTest::newRow("notice") << "notice" << int(QPalette::WindowText)
                            << standard.color(QPalette::WindowText);
    QTest::newRow("supportAddress back") << "supportAddress" << int(QPalette::Base) << buttonFace;
    QTest::newRow("supportAddress text")
        << "supportAddress" << int(QPalette::Text) << standard.color(QPalette::Text);
    QTest::newRow("contactAddress back") << "contactAddress" << int(QPalette::Base) << buttonFace;
    QTest::newRow("contactAddress text")
        << "contactAddress" << int(QPalette::Text) << standard.color(QPalette::Text);
}

void tst_About::colours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    const QWidget *widget = name == m_window->objectName() ? m_window.get() : control(name);
    QVERIFY(widget);
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
}

void tst_About::fieldsAreReadOnlyAndOutOfTabOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("cursor");
    QTest::newRow("address") << "supportAddress"
                             << "クリックするとホームページへ" << int(Qt::PointingHandCursor);
    QTest::newRow("e-mail") << "contactAddress"
                            << "" << int(Qt::ArrowCursor);
}

void tst_About::fieldsAreReadOnlyAndOutOfTabOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QFETCH(int, cursor);
    auto *field = qobject_cast<QLineEdit *>(control(name));
    QVERIFY(field);
    QVERIFY(field->isReadOnly());
    QVERIFY(!field->hasFrame());
    QCOMPARE(field->toolTip(), hint);
    QCOMPARE(int(field->cursor().shape()), cursor);
    QVERIFY(!(field->focusPolicy() & Qt::TabFocus));

    const QString before = field->text();
    setClipboardText(QStringLiteral("pasted"));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("xy"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(field->text(), before);
}

void tst_About::open(const QString &how)
{
    if (how == QLatin1String("address click")) {
        QTest::mouseClick(m_window->controls().supportAddress, Qt::LeftButton);
    } else {
        if (!m_main)
            m_main = showMainWindow();
        m_main->controls().supportPageAction->trigger();
    }
}

void tst_About::opensTheAddressEveryTime_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("address click") << "address click";
    QTest::newRow("menu item") << "menu item";
}

void tst_About::opensTheAddressEveryTime()
{
    QFETCH(QString, how);
    ErrorBoxRecorder box;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
    QCOMPARE(qsizetype(sizeof(kSupportHomePage) - 1), kAddress.size());

    for (int click = 1; click <= 3; ++click) {
        open(how);
        QCOMPARE(m_browser.opened.size(), click);
        QCOMPARE(m_browser.opened.last(), QUrl(kAddress));
        QVERIFY(m_window->isVisible());
    }
    QVERIFY(box.texts.isEmpty());
}

void tst_About::failingOpenReportsNothing_data()
{
    opensTheAddressEveryTime_data();
}

void tst_About::failingOpenReportsNothing()
{
    QFETCH(QString, how);
    ErrorBoxRecorder box;
    // Without a handler the offscreen platform has no browser to hand the address to.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("openUrl")));
    open(how);
    QVERIFY(box.texts.isEmpty());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->controls().supportAddress->text(), kAddress);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
