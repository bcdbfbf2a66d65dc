#pragma once

#include <QString>
#include <QStringView>

// The composition's text has CR LF between lines; the box itself keeps one separator.
namespace LineBreaks {

// Every lone CR and every lone LF becomes CR LF; CR LF stays (so LF CR gives CR LF CR LF).
QString toCrLf(QStringView text);

// Every CR LF, lone CR and lone LF becomes one LF, the box's own line break.
QString toSingleBreaks(QStringView text);

} // namespace LineBreaks
