#pragma once

#include <QLoggingCategory>

// What the input-method adapters did and why; warnings only unless asked for, e.g. with
// QT_LOGGING_RULES="morvela.inputmethod.debug=true".
Q_DECLARE_LOGGING_CATEGORY(inputMethodLog)
