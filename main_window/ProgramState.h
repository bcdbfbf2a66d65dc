#pragma once

#include <QString>
#include <QtGlobal>

// The program-wide state of the main window module, kept for the whole run. One object
// owned by the main window, so that every test starts from a fresh one.
struct ProgramState
{
    // The composition as it was before the last Insert text or symbol insertion.
    QString UndoText;
    // Carries the caret across the select-all and copy steps of one publish.
    int SavedCaret = 0;

    // Typing meter.
    int KeyCount = 0;
    int SampleCount = 0;
    int SampleTotal = 0;
    qint64 StartSeconds = 0;
    qint64 ElapsedSeconds = 0;

    // List loading: the file being loaded and the line just read.
    QString ListPath;
    QString ListLine;
};
