#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class UsageWindow;
}

// The usage window: a short fixed help text. A new one is made for each showing and frees
// itself when closed.
class UsageWindow final : public QDialog
{
    Q_OBJECT

public:
    UsageWindow();
    ~UsageWindow() override;

    Ui::UsageWindow &controls() { return *m_ui; }

private:
    void setUpWindow();
    void setUpHelpText();

    std::unique_ptr<Ui::UsageWindow> m_ui;
};
