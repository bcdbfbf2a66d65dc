#pragma once

class QString;

// What the program asks of the desktop shell.
namespace Shell {

// Hands address to the user's default web browser. A failure is not reported: there is
// nothing the user could do about it here, and the program simply goes on.
void open(const QString &address);

// Opens the file at path in the desktop's program for its type. False when there is none
// to hand it to.
bool openFile(const QString &path);

} // namespace Shell
