#include "sqlscript.h"

namespace desk {

QList<ScriptStatement> splitSqlScript(const QString& script, QString* error) {
    enum class State { Code, Literal, QuotedName, BracketName, LineComment, BlockComment };
    State state = State::Code;
    QList<ScriptStatement> statements;
    QString current;
    int line = 1;
    int startLine = 0; // line of the current statement's first character
    int openedAt = 0;  // line where the literal or comment now open began
    const int n = script.size();

    auto finish = [&]() {
        const QString text = current.trimmed();
        if (!text.isEmpty())
            statements.append({text, startLine});
        current.clear();
        startLine = 0;
    };

    for (int i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < n ? script.at(i + 1) : QChar();
        switch (state) {
        case State::Code:
            if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
                state = State::LineComment;
                ++i;
                continue;
            }
            if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
                state = State::BlockComment;
                openedAt = line;
                current += QLatin1Char(' ');
                ++i;
                continue;
            }
            if (c == QLatin1Char(';')) {
                finish();
                continue;
            }
            if (!c.isSpace() && startLine == 0)
                startLine = line;
            if (c == QLatin1Char('\'')) {
                state = State::Literal;
                openedAt = line;
            } else if (c == QLatin1Char('"')) {
                state = State::QuotedName;
                openedAt = line;
            } else if (c == QLatin1Char('[')) {
                state = State::BracketName;
                openedAt = line;
            }
            current += c;
            break;
        case State::Literal:
        case State::QuotedName:
        case State::BracketName: {
            const QChar close = state == State::Literal      ? QLatin1Char('\'')
                                : state == State::QuotedName ? QLatin1Char('"')
                                                             : QLatin1Char(']');
            current += c;
            if (c == close) {
                if (next == close) { // doubled: part of the text
                    current += next;
                    ++i;
                } else {
                    state = State::Code;
                }
            }
            break;
        }
        case State::LineComment:
            if (c == QLatin1Char('\n')) {
                state = State::Code;
                current += c;
            }
            break;
        case State::BlockComment:
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                state = State::Code;
                ++i;
            } else if (c == QLatin1Char('\n')) {
                ++line;
            }
            continue;
        }
        if (c == QLatin1Char('\n'))
            ++line;
    }

    QString problem;
    switch (state) {
    case State::Literal:
        problem = QStringLiteral("line %1: text literal is not closed").arg(openedAt);
        break;
    case State::QuotedName:
    case State::BracketName:
        problem = QStringLiteral("line %1: quoted name is not closed").arg(openedAt);
        break;
    case State::BlockComment:
        problem = QStringLiteral("line %1: comment is not closed").arg(openedAt);
        break;
    case State::Code:
    case State::LineComment:
        break;
    }
    if (error)
        *error = problem;
    finish();
    return statements;
}

} // namespace desk
