#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

// A bus of the test's own (a dbus-daemon that starts no services), where the fakes of the
// input-method daemons meet connections named as Qt's input-method plugins name theirs.
class PrivateBus final
{
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty() || !m_dir.isValid())
            return;
        const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("<busconfig><type>session</type><listen>unix:tmpdir=" + m_dir.path().toUtf8()
                   + "</listen><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                     "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        file.close();
        m_process.start(daemon,
                        {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                         QStringLiteral("--print-address=1")});
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) { }
        m_address = QString::fromUtf8(m_process.readLine()).trimmed();
    }

    ~PrivateBus()
    {
        for (const QString &name : std::as_const(m_names))
            QDBusConnection::disconnectFromBus(name);
        m_process.kill();
        m_process.waitForFinished();
    }

    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    bool isValid() const { return !m_address.isEmpty(); }

    // A connection of that name to this bus; QDBusConnection(name) finds it from then on.
    QDBusConnection connect(const QString &name)
    {
        m_names.append(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_address;
    QStringList m_names;
};
