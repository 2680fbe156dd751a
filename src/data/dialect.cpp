// The two dialects. Statements are written for SQL Server; the SQLite dialect rewrites each
// one to the meaning SQL Server gives it and splits a batch into its statements. The work is
// done on tokens, so nothing inside a text literal or a bracketed name is ever touched.

#include "connection.h"

#include <QDateTime>
#include <QSet>
#include <QVector>

namespace desk {

namespace {

enum class Tok { Space, Word, Number, Literal, Name, Punct, Comment };

struct Token {
    Tok kind;
    QString text;
};
using Tokens = QVector<Token>;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n') || c == QLatin1Char('\f') || c == QLatin1Char('\v');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
// Chinese names are words; so is anything else outside ASCII that is not a blank.
bool isWordChar(QChar c) {
    return c.unicode() >= 0x80 || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || isDigit(c) ||
           c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') ||
           c == QLatin1Char('$');
}

// Reads up to the closing `close`, a doubled `close` standing for itself. An unclosed one
// runs to the end; the engine reports it.
int skipQuoted(const QString& s, int i, QChar close) {
    ++i;
    while (i < s.size()) {
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

Tokens tokenize(const QString& s) {
    Tokens out;
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        int j = i + 1;
        Tok kind = Tok::Punct;
        if (isBlank(c)) {
            while (j < n && isBlank(s[j]))
                ++j;
            kind = Tok::Space;
        } else if (c == QLatin1Char('\'')) {
            j = skipQuoted(s, i, QLatin1Char('\''));
            kind = Tok::Literal;
        } else if (c == QLatin1Char('[')) {
            j = skipQuoted(s, i, QLatin1Char(']'));
            kind = Tok::Name;
        } else if (c == QLatin1Char('"')) {
            j = skipQuoted(s, i, QLatin1Char('"'));
            kind = Tok::Name;
        } else if (c == QLatin1Char('-') && j < n && s[j] == QLatin1Char('-')) {
            while (j < n && s[j] != QLatin1Char('\n'))
                ++j;
            kind = Tok::Comment;
        } else if (c == QLatin1Char('/') && j < n && s[j] == QLatin1Char('*')) {
            const int end = s.indexOf(QLatin1String("*/"), j + 1);
            j = end < 0 ? n : end + 2;
            kind = Tok::Comment;
        } else if (isDigit(c) || (c == QLatin1Char('.') && j < n && isDigit(s[j]))) {
            while (j < n && (isDigit(s[j]) || s[j] == QLatin1Char('.')))
                ++j;
            kind = Tok::Number;
        } else if (isWordChar(c)) {
            while (j < n && isWordChar(s[j]))
                ++j;
            kind = Tok::Word;
        } else if (j < n) {
            static const QSet<QString> twoChar = {QStringLiteral("<="), QStringLiteral(">="),
                                                  QStringLiteral("<>"), QStringLiteral("!="),
                                                  QStringLiteral("!<"), QStringLiteral("!>"),
                                                  QStringLiteral("||")};
            if (twoChar.contains(s.mid(i, 2)))
                j = i + 2;
        }
        out.append({kind, s.mid(i, j - i)});
        i = j;
    }
    return out;
}

bool isSignificant(const Token& t) {
    return t.kind != Tok::Space && t.kind != Tok::Comment;
}
bool isWord(const Token& t, const char* upper) {
    return t.kind == Tok::Word && t.text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
}
bool isPunct(const Token& t, const char* p) {
    return t.kind == Tok::Punct && t.text == QLatin1String(p);
}

// ---- splitting a batch into statements ----

QVector<Tokens> splitStatements(const Tokens& all) {
    QVector<Tokens> out;
    Tokens current;
    int depth = 0;
    QString first;           // first word of the current statement, upper case
    bool valuesSeen = false; // an INSERT ... VALUES, after which a SELECT starts anew
    QString previous;        // previous significant token, upper case

    auto finish = [&]() {
        while (!current.isEmpty() && !isSignificant(current.first()))
            current.removeFirst();
        while (!current.isEmpty() && !isSignificant(current.last()))
            current.removeLast();
        if (!current.isEmpty())
            out.append(current);
        current.clear();
        first.clear();
        valuesSeen = false;
        previous.clear();
    };

    for (const Token& t : all) {
        if (t.kind == Tok::Punct && t.text == QLatin1String("(")) {
            ++depth;
        } else if (t.kind == Tok::Punct && t.text == QLatin1String(")")) {
            depth = qMax(0, depth - 1);
        } else if (depth == 0 && t.kind == Tok::Punct && t.text == QLatin1String(";")) {
            finish();
            continue;
        } else if (depth == 0 && t.kind == Tok::Word) {
            const QString up = t.text.toUpper();
            const bool starter = up == QLatin1String("UPDATE") || up == QLatin1String("INSERT") ||
                                 up == QLatin1String("DELETE") || up == QLatin1String("SELECT");
            if (starter && !first.isEmpty()) {
                bool continues = false;
                if (up == QLatin1String("SELECT"))
                    continues =
                        (first == QLatin1String("INSERT") && !valuesSeen) ||
                        first == QLatin1String("WITH") || previous == QLatin1String("UNION") ||
                        previous == QLatin1String("ALL") || previous == QLatin1String("EXCEPT") ||
                        previous == QLatin1String("INTERSECT");
                if (!continues)
                    finish();
            }
            if (first.isEmpty())
                first = up;
            if (up == QLatin1String("VALUES"))
                valuesSeen = true;
        }
        current.append(t);
        if (isSignificant(t))
            previous = t.text.toUpper();
    }
    finish();
    return out;
}

// ---- rewriting one statement ----

class Rewriter {
public:
    Rewriter(const Tokens& tokens, const QSet<QString>& dateColumns)
        : t(tokens), match(tokens.size(), -1), dateColumns(dateColumns) {
        QVector<int> open;
        for (int i = 0; i < t.size(); ++i) {
            if (isPunct(t[i], "(")) {
                open.append(i);
            } else if (isPunct(t[i], ")") && !open.isEmpty()) {
                match[open.last()] = i;
                match[i] = open.takeLast();
            }
        }
        findConcatenations();
        if (!dateColumns.isEmpty())
            findDateLiterals();
    }

    QString run() {
        QString limit;
        // SELECT [DISTINCT] TOP n ... becomes ... LIMIT n.
        int i = nextSig(0);
        if (i >= 0 && isWord(t[i], "SELECT")) {
            int k = nextSig(i + 1);
            if (k >= 0 && isWord(t[k], "DISTINCT"))
                k = nextSig(k + 1);
            if (k >= 0 && isWord(t[k], "TOP")) {
                int n = nextSig(k + 1);
                int last = n;
                if (n >= 0 && isPunct(t[n], "(") && match[n] > n) {
                    const int inner = nextSig(n + 1);
                    if (inner >= 0 && inner < match[n] && t[inner].kind == Tok::Number &&
                        nextSig(inner + 1) == match[n]) {
                        last = match[n];
                        n = inner;
                    }
                }
                if (n >= 0 && t[n].kind == Tok::Number) {
                    limit = t[n].text;
                    skipFrom = k;
                    skipTo = last + 1;
                    if (skipTo < t.size() && t[skipTo].kind == Tok::Space)
                        ++skipTo; // the blank after the count
                }
            }
        }
        QString out = render(0, t.size());
        if (!limit.isEmpty())
            out += QStringLiteral(" LIMIT ") + limit;
        return out;
    }

private:
    const Tokens& t;
    QVector<int> match;
    QSet<int> concat; // indexes of '+' that join texts
    const QSet<QString>& dateColumns;
    QSet<int> dateLiterals; // literals read as date-times
    int skipFrom = -1, skipTo = -1;

    int nextSig(int i, int end = -1) const {
        if (end < 0)
            end = t.size();
        for (; i < end; ++i)
            if (isSignificant(t[i]))
                return i;
        return -1;
    }
    int prevSig(int i) const {
        for (--i; i >= 0; --i)
            if (isSignificant(t[i]))
                return i;
        return -1;
    }

    // The index just after a CASE ... END that starts at i, or -1.
    int caseEnd(int i) const {
        int level = 0;
        for (int k = i; k < t.size(); ++k) {
            if (isWord(t[k], "CASE"))
                ++level;
            else if (isWord(t[k], "END") && --level == 0)
                return k + 1;
        }
        return -1;
    }

    // The type named by the first argument of a CONVERT whose '(' is at `open`.
    QString convertType(int open) const {
        const int k = nextSig(open + 1);
        return k >= 0 && t[k].kind == Tok::Word ? t[k].text.toUpper() : QString();
    }
    static bool isCharType(const QString& up) {
        return up == QLatin1String("CHAR") || up == QLatin1String("VARCHAR") ||
               up == QLatin1String("NCHAR") || up == QLatin1String("NVARCHAR");
    }
    bool isTextGroup(int open) const {
        if (open < 0 || match[open] < 0)
            return false;
        const int inner = nextSig(open + 1);
        if (inner >= 0 && isWord(t[inner], "CASE"))
            return true;
        const int before = prevSig(open);
        return before >= 0 && isWord(t[before], "CONVERT") && isCharType(convertType(open));
    }

    // One operand of an arithmetic chain starting at i: its end and whether it is a text.
    int skipOperand(int i, bool* text) const {
        *text = false;
        if (i < 0)
            return -1;
        const Token& a = t[i];
        if (a.kind == Tok::Word && a.text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 &&
            i + 1 < t.size() && t[i + 1].kind == Tok::Literal) {
            *text = true;
            return i + 2;
        }
        if (a.kind == Tok::Literal) {
            *text = true;
            return i + 1;
        }
        if (isPunct(a, "(")) {
            *text = isTextGroup(i);
            return match[i] < 0 ? -1 : match[i] + 1;
        }
        if (isWord(a, "CASE")) {
            *text = true;
            return caseEnd(i);
        }
        if (isPunct(a, "-"))
            return skipOperand(nextSig(i + 1), text);
        if (a.kind == Tok::Number || a.kind == Tok::Name || a.kind == Tok::Word) {
            int k = i + 1;
            // dotted names: 表.列, [表].[列]
            while (k + 1 < t.size() && isPunct(t[k], ".") &&
                   (t[k + 1].kind == Tok::Word || t[k + 1].kind == Tok::Name))
                k += 2;
            const int call = nextSig(k);
            if (a.kind == Tok::Word && call >= 0 && isPunct(t[call], "(") && match[call] > call) {
                *text = isWord(a, "CONVERT") && isCharType(convertType(call));
                return match[call] + 1;
            }
            return k;
        }
        return -1;
    }

    // SQL Server's + joins texts when its operands are texts. A chain a + b + ... is a
    // concatenation when any operand is a text literal, a CASE ... END or a conversion to
    // text; every + of such a chain becomes ||. Numeric chains such as Max(x)+1 stay.
    void findConcatenations() {
        QSet<int> seen;
        for (int i = 0; i < t.size(); ++i) {
            if (!isPunct(t[i], "+") || seen.contains(i))
                continue;
            QVector<int> chain{i};
            bool text = false;
            const int p = prevSig(i);
            if (p >= 0) {
                if (t[p].kind == Tok::Literal || isWord(t[p], "END"))
                    text = true;
                else if (isPunct(t[p], ")") && isTextGroup(match[p]))
                    text = true;
                else if (isPunct(t[p], ")") && match[p] >= 0) {
                    const int fn = prevSig(match[p]);
                    if (fn >= 0 && isWord(t[fn], "CONVERT") && isCharType(convertType(match[p])))
                        text = true;
                }
            }
            int plus = i;
            while (true) {
                bool operandText = false;
                const int end = skipOperand(nextSig(plus + 1), &operandText);
                if (end < 0)
                    break;
                text = text || operandText;
                const int next = nextSig(end);
                if (next < 0 || !isPunct(t[next], "+"))
                    break;
                chain.append(next);
                plus = next;
            }
            for (int k : chain)
                seen.insert(k);
            if (text)
                for (int k : chain)
                    concat.insert(k);
        }
    }

    bool namesDateColumn(int i) const {
        if (i < 0 || (t[i].kind != Tok::Word && t[i].kind != Tok::Name))
            return false;
        QString name = t[i].text;
        if (t[i].kind == Tok::Name)
            name = name.mid(1, name.size() - 2);
        return dateColumns.contains(name.toLower());
    }
    // The literal at i (an N prefix allowed) or -1.
    int literalAt(int i) const {
        if (i >= 0 && t[i].kind == Tok::Word &&
            t[i].text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 && i + 1 < t.size() &&
            t[i + 1].kind == Tok::Literal)
            return i + 1;
        return i >= 0 && t[i].kind == Tok::Literal ? i : -1;
    }

    // Literals the server reads as date-times: compared with a date-time column (=, <, ...,
    // BETWEEN ... AND ...), set into one, or inserted into one by position.
    void findDateLiterals() {
        static const QSet<QString> comparisons = {
            QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("!="),
            QStringLiteral("<"),  QStringLiteral(">"),  QStringLiteral("<="),
            QStringLiteral(">="), QStringLiteral("!<"), QStringLiteral("!>")};
        for (int i = 0; i < t.size(); ++i) {
            if (t[i].kind == Tok::Punct && comparisons.contains(t[i].text)) {
                const int left = prevSig(i), right = nextSig(i + 1);
                if (namesDateColumn(left) && literalAt(right) >= 0)
                    dateLiterals.insert(literalAt(right));
                else if (namesDateColumn(right) && left >= 0 && t[left].kind == Tok::Literal)
                    dateLiterals.insert(left);
            } else if (isWord(t[i], "BETWEEN") && namesDateColumn(prevSig(i))) {
                const int low = literalAt(nextSig(i + 1));
                if (low < 0)
                    continue;
                dateLiterals.insert(low);
                const int andAt = nextSig(low + 1);
                if (andAt >= 0 && isWord(t[andAt], "AND")) {
                    const int high = literalAt(nextSig(andAt + 1));
                    if (high >= 0)
                        dateLiterals.insert(high);
                }
            }
        }
        // INSERT [INTO] table (columns) VALUES (values)
        int k = nextSig(0);
        if (k < 0 || !isWord(t[k], "INSERT"))
            return;
        k = nextSig(k + 1);
        if (k >= 0 && isWord(t[k], "INTO"))
            k = nextSig(k + 1);
        while (k >= 0 && (t[k].kind == Tok::Word || t[k].kind == Tok::Name || isPunct(t[k], ".")))
            k = nextSig(k + 1);
        if (k < 0 || !isPunct(t[k], "(") || match[k] < 0)
            return;
        const auto columns = arguments(k);
        int v = nextSig(match[k] + 1);
        if (v < 0 || !isWord(t[v], "VALUES"))
            return;
        v = nextSig(v + 1);
        if (v < 0 || !isPunct(t[v], "(") || match[v] < 0)
            return;
        const auto values = arguments(v);
        for (int c = 0; c < columns.size() && c < values.size(); ++c) {
            const int name = nextSig(columns[c].first, columns[c].second);
            const int lit = soleLiteral(values[c].first, values[c].second);
            if (lit >= 0 && namesDateColumn(name) && nextSig(name + 1, columns[c].second) < 0)
                dateLiterals.insert(lit);
        }
    }

    // The arguments of a call whose '(' is at open: ranges [begin, end) split at top-level commas.
    QVector<QPair<int, int>> arguments(int open) const {
        QVector<QPair<int, int>> out;
        int begin = open + 1;
        for (int k = open + 1; k < match[open]; ++k) {
            if (isPunct(t[k], "(") && match[k] > k) {
                k = match[k];
            } else if (isPunct(t[k], ",")) {
                out.append({begin, k});
                begin = k + 1;
            }
        }
        out.append({begin, match[open]});
        return out;
    }

    // The single text literal that makes up [begin, end) (an N prefix allowed), or -1.
    int soleLiteral(int begin, int end) const {
        int k = nextSig(begin, end);
        if (k >= 0 && t[k].kind == Tok::Word &&
            t[k].text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 && k + 1 < end &&
            t[k + 1].kind == Tok::Literal)
            ++k;
        if (k < 0 || t[k].kind != Tok::Literal)
            return -1;
        return nextSig(k + 1, end) < 0 ? k : -1;
    }

    static QString literalValue(const QString& literal) {
        QString v = literal.mid(1, literal.size() - 2);
        v.replace(QLatin1String("''"), QLatin1String("'"));
        return v;
    }

    // The length of what strftime() makes of a format: %Y gives four characters, the other
    // fields two.
    static int formattedLength(const QString& format) {
        int n = 0;
        for (int i = 0; i < format.size(); ++i) {
            if (format[i] == QLatin1Char('%') && i + 1 < format.size()) {
                n += format[++i] == QLatin1Char('Y') ? 4 : 2;
            } else {
                ++n;
            }
        }
        return n;
    }

    static bool isDateType(const QString& up) {
        return up == QLatin1String("DATETIME") || up == QLatin1String("SMALLDATETIME") ||
               up == QLatin1String("DATETIME2") || up == QLatin1String("DATE");
    }

    // A text converted to a date-time: a literal is read now and becomes the canonical text,
    // anything else is left to SQLite's datetime().
    QString toDateTime(const QString& type, int begin, int end) const {
        const int lit = soleLiteral(begin, end);
        if (lit >= 0) {
            const QDateTime when = parseSqlDateTime(literalValue(t[lit].text).trimmed(), true);
            if (when.isValid())
                return QLatin1Char('\'') +
                       (type == QLatin1String("DATE") ? sqlDate(when.date()) : sqlDateTime(when)) +
                       QLatin1Char('\'');
        }
        const QString fn =
            type == QLatin1String("DATE") ? QStringLiteral("date(") : QStringLiteral("datetime(");
        return fn + render(begin, end).trimmed() + QLatin1Char(')');
    }

    // CONVERT(type[(n)], expr[, style]); empty when there is nothing to rewrite.
    QString convert(int open) const {
        const auto args = arguments(open);
        if (args.size() < 2)
            return QString();
        const int typeAt = nextSig(args[0].first, args[0].second);
        if (typeAt < 0 || t[typeAt].kind != Tok::Word)
            return QString();
        const QString type = t[typeAt].text.toUpper();
        int length = -1;
        const int lenOpen = nextSig(typeAt + 1, args[0].second);
        if (lenOpen >= 0 && isPunct(t[lenOpen], "(")) {
            const int n = nextSig(lenOpen + 1, args[0].second);
            if (n >= 0 && t[n].kind == Tok::Number)
                length = t[n].text.toInt();
        }
        const int exprBegin = args[1].first, exprEnd = args[1].second;
        int style = -1;
        if (args.size() >= 3) {
            const int s = nextSig(args[2].first, args[2].second);
            if (s >= 0 && t[s].kind == Tok::Number)
                style = t[s].text.toInt();
        }
        if (isDateType(type))
            return toDateTime(type, exprBegin, exprEnd);
        const QString expr = render(exprBegin, exprEnd).trimmed();
        if (isCharType(type)) {
            QString format;
            switch (style) {
            case 112:
                format = QStringLiteral("%Y%m%d");
                break;
            case 102:
                format = QStringLiteral("%Y.%m.%d");
                break;
            case 111:
                format = QStringLiteral("%Y/%m/%d");
                break;
            case 23:
                format = QStringLiteral("%Y-%m-%d");
                break;
            case 20:
            case 120:
                format = QStringLiteral("%Y-%m-%d %H:%M:%S");
                break;
            case 8:
            case 108:
                format = QStringLiteral("%H:%M:%S");
                break;
            default:
                break;
            }
            QString out = format.isEmpty()
                              ? QStringLiteral("CAST(") + expr + QStringLiteral(" AS TEXT)")
                              : QStringLiteral("strftime('") + format + QStringLiteral("', ") +
                                    expr + QLatin1Char(')');
            if (length > 0 && (format.isEmpty() || length < formattedLength(format)))
                out = QStringLiteral("substr(") + out + QStringLiteral(", 1, ") +
                      QString::number(length) + QLatin1Char(')');
            return out;
        }
        if (type == QLatin1String("INT") || type == QLatin1String("BIGINT") ||
            type == QLatin1String("SMALLINT") || type == QLatin1String("TINYINT"))
            return QStringLiteral("CAST(") + expr + QStringLiteral(" AS INTEGER)");
        if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL") ||
            type == QLatin1String("DECIMAL") || type == QLatin1String("NUMERIC") ||
            type == QLatin1String("MONEY"))
            return QStringLiteral("CAST(") + expr + QStringLiteral(" AS REAL)");
        return QString();
    }

    // CAST(expr AS DATETIME): SQLite would make a number of it.
    QString castToDate(int open) const {
        int as = -1;
        for (int k = open + 1; k < match[open]; ++k) {
            if (isPunct(t[k], "(") && match[k] > k)
                k = match[k];
            else if (isWord(t[k], "AS"))
                as = k;
        }
        if (as < 0)
            return QString();
        const int typeAt = nextSig(as + 1, match[open]);
        if (typeAt < 0 || !isDateType(t[typeAt].text.toUpper()))
            return QString();
        return toDateTime(t[typeAt].text.toUpper(), open + 1, as);
    }

    QString render(int begin, int end) const {
        QString out;
        const int firstSig = nextSig(0);
        for (int i = begin; i < end; ++i) {
            if (i == skipFrom) {
                i = skipTo - 1;
                continue;
            }
            const Token& a = t[i];
            if (a.kind == Tok::Word) {
                const QString up = a.text.toUpper();
                const int call = nextSig(i + 1, end);
                const bool isCall =
                    call >= 0 && isPunct(t[call], "(") && match[call] > call && match[call] < end;
                if (up == QLatin1String("N") && i + 1 < end && t[i + 1].kind == Tok::Literal)
                    continue; // N'...' is a plain text literal
                if (isCall && up == QLatin1String("CONVERT")) {
                    const QString rewritten = convert(call);
                    if (!rewritten.isEmpty()) {
                        out += rewritten;
                        i = match[call];
                        continue;
                    }
                }
                if (isCall && up == QLatin1String("CAST")) {
                    const QString rewritten = castToDate(call);
                    if (!rewritten.isEmpty()) {
                        out += rewritten;
                        i = match[call];
                        continue;
                    }
                }
                if (isCall && up == QLatin1String("LEN")) {
                    // len() does not count trailing blanks
                    out += QStringLiteral("length(rtrim(") + render(call + 1, match[call]) +
                           QStringLiteral("))");
                    i = match[call];
                    continue;
                }
                if (isCall && up == QLatin1String("ISNULL")) {
                    out += QStringLiteral("ifnull");
                    continue;
                }
                if (isCall && up == QLatin1String("GETDATE") && nextSig(call + 1) == match[call]) {
                    out += QStringLiteral("datetime('now', 'localtime')");
                    i = match[call];
                    continue;
                }
                if (i == firstSig && up == QLatin1String("DELETE")) {
                    const int next = nextSig(i + 1);
                    if (next >= 0 && !isWord(t[next], "FROM")) {
                        out += QStringLiteral("DELETE FROM");
                        continue;
                    }
                }
            } else if (a.kind == Tok::Literal && dateLiterals.contains(i)) {
                // A date-time in any of the server's forms is stored and compared in the one
                // canonical form; a text the server could not read stays for SQLite to keep.
                const QDateTime when = parseSqlDateTime(literalValue(a.text).trimmed(), true);
                if (when.isValid()) {
                    out += QLatin1Char('\'') + sqlDateTime(when) + QLatin1Char('\'');
                    continue;
                }
            } else if (a.kind == Tok::Punct && a.text == QLatin1String("+") && concat.contains(i)) {
                out += QStringLiteral("||");
                continue;
            }
            out += a.text;
        }
        return out;
    }
};

class SqlServerDialect : public Dialect {
public:
    Engine engine() const override { return Engine::SqlServer; }
    QStringList statements(const QString& batch) const override {
        return batch.trimmed().isEmpty() ? QStringList() : QStringList{batch};
    }
};

class SqliteDialect : public Dialect {
public:
    explicit SqliteDialect(const QStringList& dateTimeColumns) {
        for (const QString& c : dateTimeColumns)
            m_dateColumns.insert(c.toLower());
    }
    Engine engine() const override { return Engine::Sqlite; }
    QStringList statements(const QString& batch) const override {
        QStringList out;
        for (const Tokens& statement : splitStatements(tokenize(batch)))
            out.append(Rewriter(statement, m_dateColumns).run());
        return out;
    }

private:
    QSet<QString> m_dateColumns;
};

} // namespace

std::unique_ptr<Dialect> makeDialect(Engine engine, const QStringList& dateTimeColumns) {
    switch (engine) {
    case Engine::Sqlite:
        return std::make_unique<SqliteDialect>(dateTimeColumns);
    case Engine::SqlServer:
        return std::make_unique<SqlServerDialect>();
    case Engine::None:
        break;
    }
    return nullptr;
}

} // namespace desk
