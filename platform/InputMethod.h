#pragma once

#include <memory>

class QString;
class QWidget;

// The system's input method, as far as the program needs it: Japanese text fields want
// hiragana input from the moment they get the focus.
class InputMethod
{
public:
    // The input-method daemons whose switching the program knows.
    enum class Daemon { None, Fcitx5, IBus };

    virtual ~InputMethod() = default;

    // A field that wants hiragana received the keyboard focus: opens the input method in
    // full-width hiragana input. Returns at once; the daemon is asked in the background.
    virtual void openHiragana() = 0;
    // That field lost the focus again: nothing still pending may switch the input method
    // after this. What was switched stays so; leaving a field closes nothing.
    virtual void cancelOpening() = 0;

    // The daemon behind Qt's input-method plugin of that name (QT_IM_MODULE). Qt loads
    // exactly that plugin, and only through it can the program reach its own input context.
    static Daemon daemonFor(const QString &qtImModule);

    // The adapter in use: the one for this system, chosen on first use, unless one was set.
    static InputMethod &current();
    // Tests put a fake here; an empty pointer brings back the system's adapter.
    static void setCurrent(std::unique_ptr<InputMethod> adapter);

    // Asks the adapter in use for hiragana whenever control receives the keyboard focus.
    static void openOnFocusIn(QWidget *control);
};
