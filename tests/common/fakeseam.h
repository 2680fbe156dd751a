#pragma once
// A seam for tests: records every message and question, answers from queues, and turns
// "end the program" into an exception the test can catch.

#include "shell/platform.h"

#include <QQueue>
#include <QStringList>
#include <stdexcept>

struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(int code) : std::runtime_error("program ended"), code(code) {}
    int code;
};

class FakeSeam : public Platform::Seam {
public:
    struct Message {
        QString text;
        QString title;
        Platform::Icon icon;
    };
    FakeSeam() { Platform::setSeam(this); }
    ~FakeSeam() override { Platform::setSeam(nullptr); }

    void message(QWidget*, const QString& text, const QString& title,
                 Platform::Icon icon) override {
        messages.append({text, title, icon});
    }
    bool askYesNo(QWidget*, const QString& text, const QString&) override {
        questions.append(text);
        return answers.isEmpty() ? false : answers.dequeue();
    }
    Platform::FileChoice openFile(QWidget*, const QString&, const QString& filter) override {
        lastFilter = filter;
        return files.isEmpty() ? Platform::FileChoice{} : files.dequeue();
    }
    Platform::FileChoice saveFile(QWidget*, const QString&, const QString& proposed,
                                  const QString& filter) override {
        lastFilter = filter;
        lastProposed = proposed;
        return files.isEmpty() ? Platform::FileChoice{} : files.dequeue();
    }
    bool openWithDesktop(const QString& path) override {
        opened.append(path);
        return true;
    }
    bool startProgram(const QString& program, const QStringList& args) override {
        started.append(program + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
        return startSucceeds;
    }
    bool activateWindowTitled(const QString& title) override {
        activated.append(title);
        return true;
    }
    [[noreturn]] void endProgram(int code) override { throw ProgramEnded(code); }
    QDateTime now() override { return clock.isValid() ? clock : QDateTime::currentDateTime(); }

    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages)
            out << m.text;
        return out;
    }
    void clear() {
        messages.clear();
        questions.clear();
        opened.clear();
        started.clear();
    }

    QList<Message> messages;
    QStringList questions;
    QQueue<bool> answers;
    QQueue<Platform::FileChoice> files;
    QStringList opened, started, activated;
    QString lastFilter, lastProposed;
    bool startSucceeds = true;
    QDateTime clock;
};
