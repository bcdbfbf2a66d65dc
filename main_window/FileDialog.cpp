#include "main_window/FileDialog.h"

#include "platform/StayOnTop.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTreeView>

namespace {

// One entry, "テキストファイル(*.txt)", listing the names that match *.txt.
const QString kFilter = QStringLiteral("テキストファイル(*.txt)");
const QString kDefaultSuffix = QStringLiteral("txt");

// Centred across the screen, its top at a third of the height left beside it. Placed as it
// is shown, when its size is known and before it appears.
class PlacedFileDialog final : public QFileDialog
{
public:
    explicit PlacedFileDialog(QWidget *owner)
        : QFileDialog(owner)
    {
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QFileDialog::showEvent(event);
        if (!event->spontaneous())
            place();
    }

private:
    void place()
    {
        const QScreen *shownOn = screen();
        if (!shownOn)
            return;
        const QRect area = shownOn->geometry();
        const QSize size = frameGeometry().size();
        move(area.x() + qMax(0, (area.width() - size.width()) / 2),
             area.y() + qMax(0, (area.height() - size.height()) / 3));
    }
};

// The columns of the detailed file list as wide as what they show, whatever folder it
// shows and whenever its files come in: Qt's own widths cut the file types and dates short.
void fitColumnsToContents(QFileDialog *dialog)
{
    auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view)
        return;
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

} // namespace

FileDialog::FileDialog(Kind kind, QWidget *owner)
    : m_kind(kind)
    , m_owner(owner)
{
}

bool FileDialog::exec()
{
    // On the heap and watched: should the owner go while the dialog is open, it takes the
    // dialog, and this object, with it.
    QPointer<QFileDialog> dialog = new PlacedFileDialog(m_owner);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    fitColumnsToContents(dialog);
    if (m_kind == Kind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    // Any name, also in the open dialog: a missing file is reported when it is opened.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(kFilter);
    dialog->setDefaultSuffix(kDefaultSuffix);
    // Every window of the program waits, and the always-on-top ones make way for it.
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->selectFile(m_fileName);

    const StayOnTop::ModalTaking taking(dialog);
    const bool confirmed = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return false;
    const QStringList chosen = dialog->selectedFiles();
    delete dialog.data();
    if (!confirmed || chosen.isEmpty())
        return false;
    m_fileName = chosen.first();
    return true;
}
