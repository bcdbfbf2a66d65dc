#pragma once

#include <QString>

// What fcitx5 has to be sent next for our input context.
enum class Fcitx5Call {
    None,
    // Controller1.Activate: turns on the input method of the context fcitx5 focused last.
    Activate,
    // InputContext1.FocusIn on our own context, which fcitx5 has stopped seeing focused.
    FocusIn,
};

// When Controller1.Activate reaches our own input context. No fcitx5 call names a context:
// Activate works on the one that fcitx5 focused last. fcitx5 answers every FocusIn of a
// context, and every change of its input method, with a CurrentIM signal to the context's
// owner, which is the connection of Qt's fcitx5 plugin. Once such a signal has come while our
// window has the focus, fcitx5 has seen our context focused, and an Activate sent on that
// same connection is read after the plugin's FocusIn.
class Fcitx5Switch final
{
public:
    // One of our Japanese fields received the keyboard focus.
    void focusArrived();
    // It lost the focus: nothing still pending may switch now.
    void focusLeft();
    // Whether one of our windows has the keyboard focus.
    void setWindowFocused(bool focused);
    // fcitx5 (the daemon of that bus name) reported the input method of our context at path,
    // with its language code.
    void currentImReported(const QString &daemon, const QString &path, const QString &languageCode);
    // fcitx5 answered Activate, or failed to.
    void activateAnswered(bool ok);

    // The call due now, if any; it counts as sent.
    Fcitx5Call takeNextCall();

    // Where the call goes: the daemon and our context that the last CurrentIM named.
    QString daemon() const { return m_daemon; }
    QString path() const { return m_path; }

private:
    bool m_windowFocused = false;
    // A Japanese field has the focus.
    bool m_wanted = false;
    // ... and this arrival of the focus has not been answered yet.
    bool m_armed = false;
    // ... and our context was focused again once for it.
    bool m_refocused = false;
    bool m_refocusDue = false;
    bool m_activateInFlight = false;
    // fcitx5 has reported our context since our window got the focus.
    bool m_contextSeen = false;
    QString m_daemon;
    QString m_path;
    QString m_languageCode;
};
