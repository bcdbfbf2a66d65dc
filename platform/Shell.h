#pragma once

class QString;

// What the program asks of the desktop shell.
namespace Shell {

// Hands address to the user's default web browser. A failure is not reported: there is
// nothing the user could do about it here, and the program simply goes on.
void open(const QString &address);

} // namespace Shell
