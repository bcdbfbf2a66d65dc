#include "platform/Fcitx5Switch.h"

#include "platform/InputMethodLog.h"

namespace {

bool isJapanese(const QString &languageCode)
{
    return languageCode == QLatin1String("ja") || languageCode.startsWith(QLatin1String("ja_"));
}

} // namespace

void Fcitx5Switch::focusArrived()
{
    m_wanted = true;
    m_armed = true;
    m_refocused = false;
}

void Fcitx5Switch::focusLeft()
{
    m_wanted = false;
    m_armed = false;
    m_refocusDue = false;
}

void Fcitx5Switch::setWindowFocused(bool focused)
{
    m_windowFocused = focused;
    // While another program has the focus, fcitx5 focuses its contexts: only a report that
    // comes after our window got the focus back tells that fcitx5 saw ours focused.
    if (!focused)
        m_contextSeen = false;
}

void Fcitx5Switch::currentImReported(const QString &daemon, const QString &path,
                                     const QString &languageCode)
{
    // A late answer to a FocusIn from before our window lost the focus.
    if (!m_windowFocused)
        return;
    // A context not reported before, while a field has the focus: fcitx5 was started or
    // restarted after the focus arrived, and the plugin made a new context.
    if (m_wanted && (daemon != m_daemon || path != m_path)) {
        m_armed = true;
        m_refocused = false;
    }
    m_contextSeen = true;
    m_daemon = daemon;
    m_path = path;
    m_languageCode = languageCode;
}

void Fcitx5Switch::activateAnswered(bool ok)
{
    m_activateInFlight = false;
    if (!m_armed)
        return;
    if (!ok) {
        m_armed = false;
        return;
    }
    // fcitx5 reports the new input method before it answers Activate: still armed means that
    // Activate found no focused context of ours. fcitx5 sometimes unfocuses a fresh context
    // right after its FocusIn (seen after fcitx5 had stalled) while Qt keeps it focused, so
    // our context is focused again, once, and Activate follows its report.
    if (m_refocused || !m_windowFocused) {
        qCWarning(inputMethodLog).noquote() << "fcitx5: Activate did not reach" << m_path;
        m_armed = false;
        return;
    }
    m_refocused = true;
    m_refocusDue = true;
    m_contextSeen = false;
}

Fcitx5Call Fcitx5Switch::takeNextCall()
{
    if (m_refocusDue) {
        m_refocusDue = false;
        return Fcitx5Call::FocusIn;
    }
    if (!m_armed || !m_contextSeen || !m_windowFocused)
        return Fcitx5Call::None;
    if (isJapanese(m_languageCode)) {
        m_armed = false;
        return Fcitx5Call::None;
    }
    if (m_activateInFlight)
        return Fcitx5Call::None;
    m_activateInFlight = true;
    return Fcitx5Call::Activate;
}
