#pragma once

#include "main_window/FileDialog.h"
#include "main_window/ProgramState.h"
#include "platform/CompositionBox.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QKeyEvent;

namespace Ui {
class TForm1;
}

// The main window: the composition box, the tool bar with the lists and the text line,
// the statistics and the clock. Its behaviour is in the handlers below, one file per
// subject; the constructor lays the window out, binds the handlers and runs FormCreate.
class TForm1 final : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    Ui::TForm1 &controls() { return *ui; }
    CompositionBox &Memo1() { return m_memo1; }
    ProgramState &state() { return m_state; }
    FileDialog &OpenDialog1() { return m_openDialog1; }
    FileDialog &SaveDialog1() { return m_saveDialog1; }

    void FormCreate();

    // Composition commands.
    void ToolButton12Click();
    void Edit2KeyDown(QKeyEvent *Key);
    void BitBtn1Click();
    void ToolButton1Click();
    void Repeat1Click();

    // Lists.
    void ToolButton3Click();
    void ToolButton14Click();

    // Typing meter and clock.
    void Memo1KeyDown(QKeyEvent *Key);
    void Memo1Change();
    void Timer1Timer();

    // File.
    void Open1Click();
    void SaveAs1Click();
    void Exit1Click();

    // Secondary windows.
    void ToolButton8Click();
    void Contents1Click();
    void HP1Click();
    void V1Click();

private:
    void setUpWindow();
    // Each subject binds its own controls, in the file that holds its handlers.
    void bindCompositionHandlers();
    void bindListHandlers();
    void bindMeterHandlers();
    void bindFileHandlers();
    void bindWindowHandlers();
    void loadLists();
    void startMeter();

    std::unique_ptr<Ui::TForm1> ui;
    CompositionBox m_memo1;
    ProgramState m_state;
    QTimer Timer1;
    FileDialog m_openDialog1{FileDialog::Kind::Open, this};
    FileDialog m_saveDialog1{FileDialog::Kind::Save, this};
};

// The one main window, set as soon as it exists and kept for the whole run; the symbol
// palette reaches the composition through it.
extern TForm1 *Form1;
