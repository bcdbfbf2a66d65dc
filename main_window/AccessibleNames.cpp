#include "main_window/AccessibleNames.h"

#include "ui_MainWindow.h"

#include <initializer_list>

namespace AccessibleNames {

void give(Ui::MainWindow &ui)
{
    const std::initializer_list<QAbstractButton *> imageOnly{
        ui.clearButton,      ui.undoButton,   ui.kaomojiButton, ui.paletteButton,
        ui.insertTextButton, ui.phraseButton, ui.copyButton};
    for (QAbstractButton *button : imageOnly)
        button->setAccessibleName(button->toolTip());
    ui.kaomojiList->setAccessibleName(QStringLiteral("顔文字"));
    ui.phraseList->setAccessibleName(QStringLiteral("定型文字列"));
    ui.textLine->setAccessibleName(QStringLiteral("挿入するテキスト"));
    // The box is what its caption says.
    ui.compositionBox->setAccessibleName(ui.compositionCaption->text());
}

} // namespace AccessibleNames
