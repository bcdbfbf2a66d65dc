#pragma once

#include <memory>

class QWidget;

// The system's input method, as far as the program needs it: Japanese text fields want
// hiragana input from the moment they get the focus.
class InputMethod
{
public:
    virtual ~InputMethod() = default;

    // Opens the input method in full-width hiragana input; leaving a field closes nothing.
    virtual void openHiragana() = 0;

    // The adapter in use: the one for this system, chosen on first use, unless one was set.
    static InputMethod &current();
    // Tests put a fake here; an empty pointer brings back the system's adapter.
    static void setCurrent(std::unique_ptr<InputMethod> adapter);

    // Asks the adapter in use for hiragana whenever control receives the keyboard focus.
    static void openOnFocusIn(QWidget *control);
};
