#pragma once
// The client's name and version, and the system information tool.

#include <QWidget>

class QLabel;
class QPushButton;

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
    // The window's load: centred in the main window, labels set.
    void load();
    void cmdSysInfo_Click();
    void cmdOK_Click();

    // "投诉管理系统1.2.3" for version 1.2.3.
    static QString versionText(int major, int minor, int revision);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_label7;
    QLabel* m_title;
};
