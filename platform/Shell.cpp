#include "platform/Shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace Shell {

void open(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

bool openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace Shell
