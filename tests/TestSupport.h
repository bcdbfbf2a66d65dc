#pragma once

#include <QString>
#include <QStringList>

#include <QSize>

class QWidget;
class TForm1;

namespace TestSupport {

// Catches what the error box would show, for as long as it lives.
class ErrorBoxRecorder final
{
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();

    QStringList texts;
};

QString clipboardText();
void setClipboardText(const QString &text);

// The About and usage windows' frame: a fixed-size dialog with a Close button only, not on
// top, owned by no window, not ending the program, centred on the screen.
void verifyHelpWindowFrame(QWidget *form, QSize client);

// A main window shown on the offscreen screen, with the focus in Memo1.
TForm1 *showForm1();

} // namespace TestSupport
