#pragma once

class QDialog;
class QSize;

// The About and usage windows: dialog-framed, shown modal.
namespace ModalDialog {

// A dialog frame whose title bar has a Close button only, a fixed client size, not always
// on top, centred on the screen. The Escape key does not close it: such a window closes
// only from its title bar or system menu, and so always through its close handler.
void setUp(QDialog *dialog, const QSize &clientSize);

// Shows dialog application-modal and returns when it has closed. Meanwhile the other
// always-on-top windows give up that place, so that the dialog is in front of them; they
// get it back afterwards.
int exec(QDialog *dialog);

} // namespace ModalDialog
