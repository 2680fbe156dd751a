// Splitting a script into statements: where each starts, and what is left open at the end.

#include "data/sqlscript.h"

#include <QtTest>

class TestSqlScript : public QObject {
    Q_OBJECT

private slots:
    void split_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QString>("error");
        QTest::newRow("comments go, literals stay")
            << "-- head; 'x\nA 'a;--b';\n/* c; */ B [x;y] \"p;q\";\nC"
            << QStringList{"A 'a;--b'", "B [x;y] \"p;q\"", "C"} << QList<int>{2, 3, 4} << QString();
        QTest::newRow("doubled quote")
            << "A 'it''s';B" << QStringList{"A 'it''s'", "B"} << QList<int>{1, 1} << QString();
        QTest::newRow("empty statements dropped")
            << " ;\n;A;;" << QStringList{"A"} << QList<int>{2} << QString();
        QTest::newRow("literal left open") << "A;\nB 'x;\n"
                                           << QStringList{"A", "B 'x;"} << QList<int>{1, 2}
                                           << "line 2: text literal is not closed";
        QTest::newRow("name left open") << "A [x" << QStringList{"A [x"} << QList<int>{1}
                                        << "line 1: quoted name is not closed";
        QTest::newRow("comment left open") << "A;\n\n/* x;" << QStringList{"A"} << QList<int>{1}
                                           << "line 3: comment is not closed";
    }
    void split() {
        QFETCH(QString, script);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, lines);
        QFETCH(QString, error);
        QString problem = QStringLiteral("not set");
        const QList<desk::ScriptStatement> statements = desk::splitSqlScript(script, &problem);
        QStringList gotTexts;
        QList<int> gotLines;
        for (const desk::ScriptStatement& s : statements) {
            gotTexts << s.text;
            gotLines << s.line;
        }
        QCOMPARE(gotTexts, texts);
        QCOMPARE(gotLines, lines);
        QCOMPARE(problem, error);
    }
};

QTEST_GUILESS_MAIN(TestSqlScript)
#include "tst_sqlscript.moc"
