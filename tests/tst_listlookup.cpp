#include "TestSupport.h"
#include "main_window/ListEditing.h"
#include "main_window/ListLookup.h"
#include "platform/AppError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace TestSupport;

namespace {

const QString kName = QStringLiteral("kao1.txt");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// Puts what is named into folder under the list's name: a file, a folder, a FIFO, a link
// to a file elsewhere, a dangling link, or a file nobody may read.
bool place(const QString &folder, const QString &what)
{
    const QString path = folder + QLatin1Char('/') + kName;
    const QByteArray name = QFile::encodeName(path);
    if (!QDir().mkpath(folder))
        return false;
    if (what == "file")
        return writeFile(path, folder.toUtf8());
    if (what == "folder")
        return QDir().mkdir(path);
    if (what == "fifo")
        return ::mkfifo(name.constData(), 0644) == 0;
    if (what == "link")
        return writeFile(path + ".target", folder.toUtf8())
            && ::symlink(QFile::encodeName(path + ".target").constData(), name.constData()) == 0;
    if (what == "dangling")
        return ::symlink("/nonexistent/kao1.txt", name.constData()) == 0;
    if (what == "unreadable")
        return writeFile(path, folder.toUtf8()) && ::chmod(name.constData(), 0) == 0;
    return false;
}

} // namespace

class tst_ListLookup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void searchOrder_data();
    void searchOrder();
    void firstRegularFileIsFound_data();
    void firstRegularFileIsFound();
    void eachListIsLookedUpOnItsOwn();
    void fileToEdit_data();
    void fileToEdit();
    void fileToEditFailsWhereNoFileCanBeMade_data();
    void fileToEditFailsWhereNoFileCanBeMade();

private:
    QString folder(const QString &which) const { return m_dir->filePath(which); }
    // Where the lookup searches for a list: the current folder, or morvela/ under the
    // config folder or a data folder.
    QString listFolder(const QString &which) const
    {
        return which == "current" ? QDir::currentPath() : folder(which) + "/morvela";
    }
    void setFolders();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    QByteArray m_previousHome;
    QByteArray m_previousConfig;
    QByteArray m_previousData;
};

void tst_ListLookup::init()
{
    m_previousDirectory = QDir::currentPath();
    m_previousHome = qgetenv("HOME");
    m_previousConfig = qgetenv("XDG_CONFIG_HOME");
    m_previousData = qgetenv("XDG_DATA_DIRS");
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Anyone may make files here, so that a check as an ordinary user can make its copy.
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()).constData(), 0777), 0);
    QVERIFY(QDir().mkpath(folder("current")));
    QVERIFY(QDir::setCurrent(folder("current")));
}

void tst_ListLookup::cleanup()
{
    QDir::setCurrent(m_previousDirectory);
    qputenv("HOME", m_previousHome);
    qputenv("XDG_CONFIG_HOME", m_previousConfig);
    qputenv("XDG_DATA_DIRS", m_previousData);
    m_dir.reset();
}

void tst_ListLookup::setFolders()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder("config")));
    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(folder("data1") + QLatin1Char(':') + folder("data2")));
}

void tst_ListLookup::searchOrder_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("expected");
    const QString current = QStringLiteral("(current)");
    QTest::newRow("defaults") << "/home/user"
                              << ""
                              << ""
                              << QStringList{current, "/home/user/.config/morvela",
                                             "/usr/local/share/morvela", "/usr/share/morvela"};
    QTest::newRow("set") << "/home/user"
                         << "/cfg"
                         << "/a:/b/"
                         << QStringList{current, "/cfg/morvela", "/a/morvela", "/b/morvela"};
    QTest::newRow("relative paths are ignored")
        << "/home/user"
        << "cfg"
        << "rel:/a::also/rel" << QStringList{current, "/home/user/.config/morvela", "/a/morvela"};
    QTest::newRow("no home, no config folder") << ""
                                               << ""
                                               << "/a" << QStringList{current, "/a/morvela"};
}

void tst_ListLookup::searchOrder()
{
    QFETCH(QString, home);
    QFETCH(QString, config);
    QFETCH(QString, data);
    QFETCH(QStringList, expected);
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    qputenv("XDG_DATA_DIRS", data.toUtf8());
    expected.replace(0, QDir::currentPath());

    QStringList folders;
    for (const ListLookup::Folder &searched : ListLookup::searchOrder())
        folders.append(searched.path);
    QCOMPARE(folders, expected);
}

void tst_ListLookup::firstRegularFileIsFound_data()
{
    // Folder=what for each folder that holds something of the list's name.
    QTest::addColumn<QStringList>("holders");
    QTest::addColumn<QString>("found");
    QTest::newRow("current only") << QStringList{"current=file"} << "current";
    QTest::newRow("current before config")
        << QStringList{"current=file", "config=file", "data1=file"} << "current";
    QTest::newRow("config before data") << QStringList{"config=file", "data1=file"} << "config";
    QTest::newRow("data folders in order") << QStringList{"data1=file", "data2=file"} << "data1";
    QTest::newRow("last data folder") << QStringList{"data2=file"} << "data2";
    QTest::newRow("folder passed over") << QStringList{"current=folder", "config=file"} << "config";
    QTest::newRow("FIFO passed over") << QStringList{"config=fifo", "data1=file"} << "data1";
    QTest::newRow("dangling link passed over")
        << QStringList{"current=dangling", "data2=file"} << "data2";
    QTest::newRow("link to a file counts")
        << QStringList{"current=link", "config=file"} << "current";
    QTest::newRow("unreadable file counts")
        << QStringList{"config=unreadable", "data1=file"} << "config";
    QTest::newRow("nowhere") << QStringList{"current=folder", "data1=fifo"} << "";
}

void tst_ListLookup::firstRegularFileIsFound()
{
    QFETCH(QStringList, holders);
    QFETCH(QString, found);
    setFolders();
    for (const QString &holder : holders) {
        const QStringList parts = holder.split(QLatin1Char('='));
        QVERIFY2(place(listFolder(parts[0]), parts[1]), qPrintable(holder));
    }

    const std::optional<ListLookup::Found> result = ListLookup::find(kName);
    QCOMPARE(result.has_value(), !found.isEmpty());
    if (!result)
        return;
    QCOMPARE(result->path, listFolder(found) + QLatin1Char('/') + kName);
    const ListLookup::Place expectedPlace = found == "current" ? ListLookup::Place::CurrentFolder
        : found == "config"                                    ? ListLookup::Place::ConfigFolder
                                                               : ListLookup::Place::DataFolder;
    QCOMPARE(result->place, expectedPlace);
}

void tst_ListLookup::eachListIsLookedUpOnItsOwn()
{
    setFolders();
    QVERIFY(place(listFolder("config"), "file"));
    QVERIFY(QDir().mkpath(listFolder("data2")));
    QVERIFY(writeFile(listFolder("data2") + "/morvela1.txt", "phrase\r\n"));

    QCOMPARE(ListLookup::find(kName)->path, listFolder("config") + "/kao1.txt");
    QCOMPARE(ListLookup::find(QStringLiteral("morvela1.txt"))->path,
             listFolder("data2") + "/morvela1.txt");
}

void tst_ListLookup::fileToEdit_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("copyThere");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<bool>("created");
    QTest::addColumn<QString>("editedHolds");
    QTest::newRow("current folder, in place")
        << "current" << false << false << "current" << false << "current";
    QTest::newRow("config folder, in place")
        << "config" << false << false << "config" << false << "config";
    QTest::newRow("sample from a data folder is copied")
        << "data1" << false << false << "config" << true << "data1";
    QTest::newRow("read-only file is copied")
        << "current" << true << false << "config" << true << "current";
    QTest::newRow("no list anywhere gives an empty file")
        << "" << false << false << "config" << true << "";
    QTest::newRow("a file in the config folder is kept")
        << "current" << true << true << "config" << false << "config";
}

void tst_ListLookup::fileToEdit()
{
    QFETCH(QString, source);
    QFETCH(bool, readOnly);
    QFETCH(bool, copyThere);
    QFETCH(QString, edited);
    QFETCH(bool, created);
    QFETCH(QString, editedHolds);
    setFolders();
    const auto pathIn
        = [this](const QString &which) { return listFolder(which) + QLatin1Char('/') + kName; };
    const auto bytesFrom = [&](const QString &which) {
        return which.isEmpty() ? QByteArray() : pathIn(which).toUtf8();
    };
    if (!source.isEmpty()) {
        QVERIFY(QDir().mkpath(listFolder(source)));
        QVERIFY(writeFile(pathIn(source), bytesFrom(source)));
    }
    if (copyThere) {
        QVERIFY(QDir().mkpath(listFolder("config")));
        QVERIFY(writeFile(pathIn("config"), bytesFrom("config")));
    }
    if (!source.isEmpty()) {
        // Files here are root's; the ordinary user below may write the writable ones.
        QCOMPARE(::chmod(QFile::encodeName(pathIn(source)).constData(), readOnly ? 0444 : 0666), 0);
    }
    std::optional<ListLookup::Found> found;
    if (!source.isEmpty())
        found = ListLookup::Found{pathIn(source),
                                  source == "current"      ? ListLookup::Place::CurrentFolder
                                      : source == "config" ? ListLookup::Place::ConfigFolder
                                                           : ListLookup::Place::DataFolder};

    ListEditing::Editable editable;
    {
        // Root may write any file; the user it acts for may not.
        const OrdinaryUser user;
        editable = ListEditing::fileToEdit(kName, found);
    }

    QCOMPARE(editable.path, pathIn(edited));
    QCOMPARE(editable.created, created);
    QCOMPARE(contentsOf(editable.path), bytesFrom(editedHolds));
    if (!source.isEmpty())
        QCOMPARE(contentsOf(pathIn(source)), bytesFrom(source));
}

void tst_ListLookup::fileToEditFailsWhereNoFileCanBeMade_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("a folder of the list's name") << "folder";
    QTest::newRow("a file where the config folder goes") << "file";
}

void tst_ListLookup::fileToEditFailsWhereNoFileCanBeMade()
{
    QFETCH(QString, obstacle);
    setFolders();
    if (obstacle == "folder")
        QVERIFY(QDir().mkpath(listFolder("config") + "/" + kName));
    else
        QVERIFY(writeFile(folder("config"), "not a folder"));
    const QString copy = listFolder("config") + "/" + kName;

    QString message;
    try {
        ListEditing::fileToEdit(kName, std::nullopt);
    } catch (const AppError &error) {
        message = error.message();
    }
    QCOMPARE(message, QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(copy));
}

QTEST_GUILESS_MAIN(tst_ListLookup)
#include "tst_listlookup.moc"
