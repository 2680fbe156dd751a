#pragma once
// The one seam between the client and what a test cannot click through: message boxes
// and questions, file dialogs, opening a file or an address with the desktop, starting
// another program, ending the process, and the clock. The client calls the free
// functions below; tests install their own Seam.

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

namespace Platform {

enum class Icon { None, Information, Question, Warning, Critical };

// Outcome of a file dialog: the chosen path, or cancelled.
struct FileChoice {
    bool cancelled = true;
    QString path;
};

class Seam {
public:
    virtual ~Seam();
    // A message box with an OK button. An empty title means the application's title.
    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon);
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title);
    virtual FileChoice openFile(QWidget* parent, const QString& title, const QString& filter);
    virtual FileChoice saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                                const QString& filter);
    // The desktop's "open" action on a file or an address. False when nothing could open it.
    virtual bool openWithDesktop(const QString& pathOrUrl);
    // Starts another program detached. False when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
    // Brings the window of another program, found by its title, to the front.
    virtual bool activateWindowTitled(const QString& title);
    // Ends the process at once, without closing anything first.
    [[noreturn]] virtual void endProgram(int exitCode);
    virtual QDateTime now();
};

// Installs a seam (tests); nullptr puts the real one back. The caller keeps ownership.
void setSeam(Seam* seam);
Seam& seam();

// The application's title, shown where a message passes none.
QString applicationTitle();

inline void message(QWidget* parent, const QString& text, const QString& title = QString(),
                    Icon icon = Icon::None) {
    seam().message(parent, text, title, icon);
}
inline bool askYesNo(QWidget* parent, const QString& text, const QString& title = QString()) {
    return seam().askYesNo(parent, text, title);
}
inline QDateTime now() {
    return seam().now();
}

// The client's message for a failed statement where a window has no form of its own:
// "错误号：" + number + line break + "错误描述：" + description, information icon, title "提示".
void showTrappedError(QWidget* parent, int number, const QString& description);

// The program's own folder (where "MDI.BMP", "Command.Dll" and "Temp" live).
QString programFolder();

} // namespace Platform
