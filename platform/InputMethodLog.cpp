#include "platform/InputMethodLog.h"

Q_LOGGING_CATEGORY(inputMethodLog, "morvela.inputmethod", QtWarningMsg)
