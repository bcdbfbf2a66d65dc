#pragma once

#include <QString>

class QWidget;

// One of the two file dialogs of the composition files: Qt's own widget dialog, so that its
// settings hold on every desktop. It keeps the full name last confirmed in it and starts
// every later showing with that name.
class FileDialog final
{
public:
    enum class Kind { Open, Save };

    FileDialog(Kind kind, QWidget *owner);

    // Shows the dialog modally. True when the user confirmed a name, which fileName() then
    // gives; a cancel keeps the name from before.
    bool exec();
    const QString &fileName() const { return m_fileName; }

private:
    Kind m_kind;
    QWidget *m_owner;
    QString m_fileName;
};
