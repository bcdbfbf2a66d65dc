#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class SymbolPalette;
}

// The symbol palette: three pages of symbol buttons. A click on one tells the palette's
// user which symbol was chosen; the palette itself changes nothing else. Any number may be
// open at once; each frees itself when closed.
class SymbolPalette final : public QWidget
{
    Q_OBJECT

public:
    SymbolPalette();
    ~SymbolPalette() override;

    Ui::SymbolPalette &controls() { return *m_ui; }

signals:
    // The caption of the symbol button that was clicked.
    void symbolChosen(const QString &symbol);

private:
    void setUpWindow();
    void createPages();

    std::unique_ptr<Ui::SymbolPalette> m_ui;
};
