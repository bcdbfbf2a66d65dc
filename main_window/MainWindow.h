#pragma once

#include "main_window/Composition.h"
#include "main_window/FileDialog.h"
#include "main_window/ListSource.h"
#include "main_window/TypingMeter.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QKeyEvent;

namespace Ui {
class MainWindow;
}

// The main window: the composition box, the tool bar with the lists and the text line,
// the statistics and the clock. Its commands are in the files of their subjects; the
// constructor lays the window out, binds the commands, loads the lists and starts the meter.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow &controls() { return *m_ui; }
    Composition &composition() { return m_composition; }
    CompositionBox &compositionBox() { return m_composition.box(); }
    const TypingMeter &meter() const { return m_meter; }
    FileDialog &openDialog() { return m_openDialog; }
    FileDialog &saveDialog() { return m_saveDialog; }

    // Composition commands.
    void insertTextLine();
    void textLineKeyDown(QKeyEvent *key);
    void copyComposition();
    void clearComposition();
    void undo();

    // Lists.
    void insertKaomoji();
    void insertPhrase();
    void editPhraseList();
    void editKaomojiList();
    const ListSource &phraseSource() const { return m_phraseSource; }
    const ListSource &kaomojiSource() const { return m_kaomojiSource; }

    // Typing meter and clock.
    void countKeyDown();
    void updateCharacterCount();
    void tick();

    // File.
    void openFile();
    void saveFileAs();
    void exit();

    // Symbol palettes.
    void openPalette();
    void insertSymbol(const QString &symbol);

    // Help.
    void showUsage();
    void openSupportPage();
    void showAbout();

private:
    void setUpWindow();
    // Each subject binds its own controls, in the file that holds its commands.
    void bindCompositionCommands();
    void bindListCommands();
    void bindMeter();
    void bindFileCommands();
    void bindPaletteCommands();
    void bindHelpCommands();
    void loadLists();
    void startMeter();

    std::unique_ptr<Ui::MainWindow> m_ui;
    Composition m_composition;
    TypingMeter m_meter;
    QTimer m_clockTimer;
    FileDialog m_openDialog{FileDialog::Kind::Open, this};
    FileDialog m_saveDialog{FileDialog::Kind::Save, this};
    ListSource m_phraseSource;
    ListSource m_kaomojiSource;
};
