#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QFont>
#include <QImage>
#include <QPair>
#include <QSize>

class Composition;
class MainWindow;
class QComboBox;
class QWidget;
class SymbolPalette;

namespace TestSupport {

// File access as an ordinary user (nobody) for this thread only: root's access rights do
// not apply while it lives.
class OrdinaryUser final
{
public:
    OrdinaryUser();
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;
};

// Catches what the error box would show, for as long as it lives.
class ErrorBoxRecorder final
{
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();

    QStringList texts;
};

// The texts of a list's entries, in order.
QStringList entriesOf(const QComboBox *list);
// A list file of entries in code page 932, each line ended by CR LF.
QByteArray cp932File(const QStringList &entries);

QString clipboardText();
void setClipboardText(const QString &text);

// The About and usage windows' frame: a fixed-size dialog with a Close button only, not on
// top, owned by no window, not ending the program, centred on the screen.
void verifyHelpWindowFrame(QWidget *helpWindow, QSize client);

// The first and last rows of pixels in image that hold ink, dark on a light ground; -1, -1
// when none does.
QPair<int, int> inkRows(const QImage &image);
// The same for text drawn in font, black on white, with nothing to cut it.
QPair<int, int> inkRowsOf(const QString &text, const QFont &font);

// A main window shown on the offscreen screen, with the focus in its composition box.
MainWindow *showMainWindow();

// Clicks the main window's palette button and returns the palette that this opened, shown;
// nullptr when none opened.
SymbolPalette *openPalette(MainWindow *window);

// A composition of exactly length UTF-16 units in short lines, which the box lays out fast:
// a line of one character takes many seconds at a million.
QString textOfLength(qsizetype length);

// Makes text the undo text as a snapshot does, through the composition box; the
// composition is empty afterwards.
void setUndoText(Composition &composition, const QString &text);

} // namespace TestSupport
