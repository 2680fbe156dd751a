#pragma once
// The first window: employee number, password, and the choice of position.

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLineEdit;
class QLabel;
class QListWidget;
class QPushButton;

class LoginWindow : public QDialog {
    Q_OBJECT
public:
    explicit LoginWindow(QWidget* parent = nullptr);

    // Empty at process start; "切换" when the main window opens it to change user.
    QString modeText() const { return m_mode; }
    void setModeText(const QString& mode) { m_mode = mode; }
    void setVersionText(const QString& text);
    // Hides the position label and list and empties the password (before a change of user).
    void prepareForSwitch();

    // The OK button's routine.
    void cmdOK_Click();
    // Double-click on a line of the positions list.
    void List1_DblClick();
    // Cancel and Esc: end the program.
    void cmdCancel_Click();

    QLineEdit* userBox() const { return m_user; }
    QLineEdit* passwordBox() const { return m_password; }
    QListWidget* positionList() const { return m_list; }
    QLabel* positionLabel() const { return m_label2; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void choosePosition(int line);
    void finish();

    QString m_mode;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QLabel* m_label1;
    QLabel* m_label2;
    QListWidget* m_list;
    QVector<QStringList> m_records; // the per-position records, one per list line
};
