#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutWindow;
}

// The About window: product name, version, the support home page (a click opens it) and
// the contact address. A new one is made for each showing and frees itself when closed.
class AboutWindow final : public QDialog
{
    Q_OBJECT

public:
    AboutWindow();
    ~AboutWindow() override;

    Ui::AboutWindow &controls() { return *m_ui; }

    void openSupportPage();

private:
    void setUpWindow();

    std::unique_ptr<Ui::AboutWindow> m_ui;
};
