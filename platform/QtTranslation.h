#pragma once

class QCoreApplication;

namespace QtTranslation {

// Qt's own texts (dialog buttons, context menus, file dialogs) in Japanese, like the rest
// of the program. Returns false, changing nothing, when the translation is not installed.
bool installJapanese(QCoreApplication &application);

} // namespace QtTranslation
