#pragma once

#include "FileDialogAnswer.h"
#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "platform/AppError.h"
#include "platform/ErrorBox.h"
#include "ui_MainWindow.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// What the file tests share: a fresh folder for real files, a main window whose change
// notifications are counted, and Open and Save As run from their menu items with the
// dialogs answered.
class FileBench final
{
public:
    FileBench()
        : m_window(TestSupport::showMainWindow())
        , m_changes(m_window->compositionBox().widget(), &QPlainTextEdit::textChanged)
    {
    }
    ~FileBench() { delete m_window; }
    FileBench(const FileBench &) = delete;
    FileBench &operator=(const FileBench &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }
    MainWindow &mainWindow() { return *m_window; }
    QString composition() const { return m_window->compositionBox().text(); }
    qsizetype changes() const { return m_changes.count(); }

    void setComposition(const QString &text)
    {
        m_window->compositionBox().replaceAll(text);
        m_changes.clear();
    }

    void save(const QString &path)
    {
        FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
        m_window->controls().saveAsAction->trigger();
        QVERIFY(answer.seen().shown);
        QVERIFY(!answer.seen().refused);
        QVERIFY(!answer.seen().askedQuestion);
    }

    void open(const QString &path)
    {
        FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
        m_window->controls().openAction->trigger();
        QVERIFY(answer.seen().shown);
        QVERIFY(!answer.seen().refused);
    }

private:
    QTemporaryDir m_dir;
    MainWindow *m_window;
    QSignalSpy m_changes;
};

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline int modeOf(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return static_cast<int>(status.st_mode);
}

// What the error box shows for an error raised by call, or nothing.
template<typename Call>
QString boxTextOf(Call call)
{
    try {
        call();
    } catch (const AppError &error) {
        return ErrorBox::boxText(error.message());
    }
    return QString();
}

// The messages as the error box shows them.
inline QString cannotOpen(const QString &path)
{
    return QStringLiteral("ﾌｧｲﾙ %1 は開けません.").arg(path);
}

inline QString cannotCreate(const QString &path)
{
    return QStringLiteral("ﾌｧｲﾙ %1 を作成できません.").arg(path);
}

inline const QString kTooLong = QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました.");
inline const QString kWriteError = QStringLiteral("ｽﾄﾘｰﾑへの書き込みｴﾗｰ.");
