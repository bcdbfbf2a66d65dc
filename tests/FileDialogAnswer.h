#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <optional>

// What a file dialog showed when the test answered it.
struct SeenFileDialog
{
    bool shown = false;
    bool askedQuestion = false;
    bool refused = false; // the dialog stayed open when confirmed
    QString title;
    QString field;
    QString directory;
    QStringList nameFilters;
    QStringList listedPatterns;
    bool hidesOtherFiles = false;
    QString defaultSuffix;
    QFileDialog::Options options;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    Qt::WindowModality modality = Qt::NonModal;
    bool onTop = false;
    QRect frame;
    QRect screen;
};

// Answers the next file dialog the program opens, as a user would, through the dialog
// itself: types a name into its field (or leaves the field as it shows) and confirms, or
// cancels. A question the dialog asks on top is recorded and refused. Lives for one call.
class FileDialogAnswer final
{
public:
    enum Action { Confirm, Cancel };

    explicit FileDialogAnswer(Action action, std::optional<QString> typed = std::nullopt)
        : m_action(action)
        , m_typed(std::move(typed))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    FileDialogAnswer(const FileDialogAnswer &) = delete;
    FileDialogAnswer &operator=(const FileDialogAnswer &) = delete;

    const SeenFileDialog &seen() const { return m_seen; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_seen.askedQuestion = true;
            box->reject();
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (m_seen.shown || !dialog || !dialog->isVisible())
            return;
        auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        // Typing goes on only once the field has the focus, as it has for a user: the
        // dialog then drops the names it matched on the way to the one typed.
        if (!field->hasFocus() && ++m_waitedForFocus < kFocusPolls) {
            dialog->activateWindow();
            field->setFocus();
            return;
        }
        record(dialog);
        if (m_action == Cancel) {
            dialog->reject();
            return;
        }
        if (m_typed) {
            field->selectAll();
            type(field, *m_typed);
        }
        // The dialog's own accept, as its Open or Save button runs it.
        static_cast<QDialog *>(dialog)->accept();
        if (dialog->isVisible()) {
            m_seen.refused = true;
            dialog->reject();
        }
    }

    // QTest types ASCII only; other characters come with their text, as from an input method.
    static void type(QLineEdit *field, const QString &text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i).unicode() < 0x80) {
                QTest::keyClick(field, text.at(i).toLatin1());
                continue;
            }
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            i += length - 1;
        }
    }

    void record(QFileDialog *dialog)
    {
        m_seen.shown = true;
        m_seen.title = dialog->windowTitle();
        m_seen.field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        m_seen.directory = dialog->directory().absolutePath();
        m_seen.nameFilters = dialog->nameFilters();
        if (const auto *model = dialog->findChild<QFileSystemModel *>()) {
            m_seen.listedPatterns = model->nameFilters();
            m_seen.hidesOtherFiles = !model->nameFilterDisables();
        }
        m_seen.defaultSuffix = dialog->defaultSuffix();
        m_seen.options = dialog->options();
        m_seen.acceptMode = dialog->acceptMode();
        m_seen.fileMode = dialog->fileMode();
        m_seen.modality = dialog->windowModality();
        m_seen.onTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        m_seen.frame = dialog->frameGeometry();
        m_seen.screen = dialog->screen()->geometry();
    }

    static constexpr int kFocusPolls = 100;

    Action m_action;
    int m_waitedForFocus = 0;
    std::optional<QString> m_typed;
    SeenFileDialog m_seen;
    QTimer m_timer;
};
