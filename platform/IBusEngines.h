#pragma once

#include <QString>
#include <QStringList>

// The Japanese IBus engines and which of them the user configured.
namespace IBusEngines {

// The first Japanese engine (Anthy, Mozc, KKC, by their IBus names) in configured, which is
// in the user's order; empty when there is none.
QString japaneseEngineAmong(const QStringList &configured);

// The engines the user chose, in the user's order: IBus's own setting, then the IBus entries
// among GNOME's input sources. ibus-daemon tells nobody which engines were chosen, so they
// are read from GSettings, in process and without a D-Bus round trip.
QStringList configuredEngines();

// japaneseEngineAmong(configuredEngines()).
QString configuredJapaneseEngine();

} // namespace IBusEngines
