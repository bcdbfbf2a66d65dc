#include "TestSupport.h"
#include "about/SupportHomePage.h"
#include "about/Unit2.h"
#include "main_window/Unit1.h"
#include "ui_Unit1.h"
#include "ui_Unit2.h"

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

    std::unique_ptr<TForm2> m_form;
    TForm1 *m_main = nullptr;
    Browser m_browser;
};

void tst_About::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_browser.opened.clear();
}

void tst_About::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    m_form.reset();
    delete m_main;
    m_main = nullptr;
}

QWidget *tst_About::control(const QString &name) const
{
    auto *widget = m_form->findChild<QWidget *>(name);
    if (!widget)
        qWarning("no control %s", qPrintable(name));
    return widget;
}

void tst_About::window()
{
    QCOMPARE(m_form->objectName(), QStringLiteral("Form2"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("バージョン情報"));
    verifyHelpWindowFrame(m_form.get(), QSize(289, 122));
}

void tst_About::geometry_data()
{
    // A width of 0: the label takes the width of its text.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("Label1") << "Label1" << QRect(16, 8, 0, 26);
    QTest::newRow("Label2") << "Label2" << QRect(208, 16, 46, 17);
    QTest::newRow("Label3") << "Label3" << QRect(16, 48, 0, 12);
    QTest::newRow("Edit1") << "Edit1" << QRect(8, 72, 281, 16);
    QTest::newRow("Edit2") << "Edit2" << QRect(128, 88, 161, 14);
    QTest::newRow("Label4") << "Label4" << QRect(144, 104, 0, 12);
}

void tst_About::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QWidget *widget = control(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), m_form.get());
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
    QVERIFY(m_form->rect().contains(widget->geometry()));
}

void tst_About::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "Morvela";
    QTest::newRow("Label2") << "Label2"
                            << "ver 1.4";
    QTest::newRow("Label3") << "Label3"
                            << "このソフトはフリーソフトです。";
    QTest::newRow("Edit1") << "Edit1" << kAddress;
    QTest::newRow("Edit2") << "Edit2" << kMail;
    QTest::newRow("Label4") << "Label4"
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
    QTest::newRow("window") << "Form2" << gothic << 12 << false;
    QTest::newRow("Label1") << "Label1" << times << 24 << true;
    QTest::newRow("Label2") << "Label2" << times << 15 << true;
    QTest::newRow("Label3") << "Label3" << gothic << 12 << false;
    QTest::newRow("Edit1") << "Edit1" << mincho << 13 << false;
    QTest::newRow("Edit2") << "Edit2" << mincho << 12 << false;
    QTest::newRow("Label4") << "Label4" << gothic << 12 << false;
}

void tst_About::fonts()
{
    QFETCH(QString, name);
    QFETCH(QStringList, families);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    const QWidget *widget = name == m_form->objectName() ? m_form.get() : control(name);
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
    QTest::newRow("window") << "Form2" << int(QPalette::Window) << buttonFace;
    QTest::newRow("Label1") << "Label1" << int(QPalette::WindowText) << QColor(Qt::black);
    QTest::newRow("Label2") << "Label2" << int(QPalette::WindowText) << QColor(Qt::black);
    QTest::newRow("Label3") << "Label3" << int(QPalette::WindowText)
                            << standard.color(QPalette::WindowText);
    QTest::newRow("Label4") << "Label4" << int(QPalette::WindowText)
                            << standard.color(QPalette::WindowText);
    QTest::newRow("Edit1 back") << "Edit1" << int(QPalette::Base) << buttonFace;
    QTest::newRow("Edit1 text") << "Edit1" << int(QPalette::Text) << standard.color(QPalette::Text);
    QTest::newRow("Edit2 back") << "Edit2" << int(QPalette::Base) << buttonFace;
    QTest::newRow("Edit2 text") << "Edit2" << int(QPalette::Text) << standard.color(QPalette::Text);
}

void tst_About::colours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    const QWidget *widget = name == m_form->objectName() ? m_form.get() : control(name);
    QVERIFY(widget);
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
}

void tst_About::fieldsAreReadOnlyAndOutOfTabOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("cursor");
    QTest::newRow("address") << "Edit1"
                             << "クリックするとホームページへ" << int(Qt::PointingHandCursor);
    QTest::newRow("e-mail") << "Edit2"
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
        QTest::mouseClick(m_form->controls().Edit1, Qt::LeftButton);
    } else {
        if (!m_main)
            m_main = showForm1();
        m_main->controls().HP1->trigger();
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
        QVERIFY(m_form->isVisible());
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
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->controls().Edit1->text(), kAddress);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
