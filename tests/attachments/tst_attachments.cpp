// Attachments against a real SQLite database built from the shipped schema.

#include "attachments/attachmentpanel.h"
#include "common/fakeseam.h"
#include "common/testdb.h"
#include "controls/flexgrid.h"
#include "data/connection.h"
#include "shell/operator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using attachments::AttachmentConfig;
using attachments::AttachmentPanel;

namespace {

const QString kComplaint = QStringLiteral("00000042");

QByteArray storedContent(qint64 id) {
    const desk::Recordset rs = Connection::SharedConnection().query(
        QStringLiteral("Select 文件 From 投诉资料 Where ID = ") + desk::sqlNumber(id));
    return rs.isEmpty() ? QByteArray("<no row>") : rs.value(0, 0).toByteArray();
}

int storedCount() {
    return Connection::SharedConnection().query(QStringLiteral("Select ID From 投诉资料")).size();
}

// One window's worth of controls around a panel.
struct Window {
    explicit Window(const AttachmentConfig& config) {
        grid = new controls::FlexGrid(&widget);
        add = new QPushButton(QStringLiteral("添加资料"), &widget);
        remove = new QPushButton(QStringLiteral("删除资料"), &widget);
        remove->setEnabled(false);
        panel = new AttachmentPanel(
            grid, add, remove, [] { return kComplaint; }, config, &widget);
    }
    QWidget widget;
    controls::FlexGrid* grid;
    QPushButton* add;
    QPushButton* remove;
    AttachmentPanel* panel;
};

} // namespace

class TestAttachments : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void addListAndOpen_data();
    void addListAndOpen();
    void failedAddLeavesNoRow_data();
    void failedAddLeavesNoRow();
    void deleteRenumbers_data();
    void deleteRenumbers();
    void investigationAddAndDelete_data();
    void investigationAddAndDelete();
    void gridClick_data();
    void gridClick();
    void storedNameStaysInsideTemp_data();
    void storedNameStaysInsideTemp();
    void readOnlyProgramFolder();
    void browseLinkStaysInView_data();
    void browseLinkStaysInView();

private:
    QString writeSource(const QString& name, const QByteArray& bytes);
    qint64 store(const QString& fileName, const QByteArray& bytes, const QString& type,
                 const QString& uploader);
    QString tempFolder() const { return Platform::programFolder() + QStringLiteral("/Temp"); }

    QTemporaryDir m_dir;
    FakeSeam m_seam;
};

void TestAttachments::initTestCase() {
    QVERIFY(m_dir.isValid());
    const QString db = testdb::create(m_dir.path());
    QVERIFY(!db.isEmpty());
    QVERIFY(Connection::ConnectDatabase(QString(), QString(), QString(), db));
    Operator().EmployeeNo = QStringLiteral("1001");
}

void TestAttachments::init() {
    Connection::SharedConnection().execute(QStringLiteral("Delete From 投诉资料"));
    QDir(tempFolder()).removeRecursively();
    m_seam.clear();
    m_seam.answers.clear();
    m_seam.files.clear();
    Operator().EmployeeNo = QStringLiteral("1001");
}

QString TestAttachments::writeSource(const QString& name, const QByteArray& bytes) {
    QDir().mkpath(m_dir.filePath(QStringLiteral("src")));
    const QString path = m_dir.filePath(QStringLiteral("src/") + name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write the source file");
    return path;
}

qint64 TestAttachments::store(const QString& fileName, const QByteArray& bytes, const QString& type,
                              const QString& uploader) {
    return Connection::SharedConnection().insertRow(
        QStringLiteral("投诉资料"),
        {{QStringLiteral("投诉编号"), kComplaint},
         {QStringLiteral("类型"), type},
         {QStringLiteral("文件名"), fileName},
         {QStringLiteral("文件"), bytes},
         {QStringLiteral("CzyDH"), uploader},
         {QStringLiteral("updatedate"), QStringLiteral("2024-01-05 10:00:00")}});
}

void TestAttachments::addListAndOpen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary.append(char(i * 7 % 256));
    QTest::newRow("binary with zero bytes") << QStringLiteral("照片.Jpg") << binary;
    QTest::newRow("empty file") << QStringLiteral("空白.doc") << QByteArray();
}

void TestAttachments::addListAndOpen() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    // An older, longer copy of the same name sits in the temporary folder already.
    QDir().mkpath(tempFolder());
    {
        QFile stale(tempFolder() + QLatin1Char('/') + name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(bytes.size() + 500, 'x'));
    }

    Window w(AttachmentConfig::reception());
    m_seam.files.enqueue({false, writeSource(name, bytes)});
    w.add->click();

    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
    QCOMPARE(m_seam.lastFilter, QStringLiteral("Office 文件 (*.doc *.docx *.xls *.xlsx);;"
                                               "图片文件 (*.Jpg *.Jpeg *.Bmp);;"
                                               "视频文件 (*.mp4 *.avi);;所有文件 (*.*)"));
    QCOMPARE(w.grid->rows(), 2);
    QCOMPARE(w.grid->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(w.grid->textMatrix(1, 1), name);
    QCOMPARE(w.grid->textMatrix(1, 2), QStringLiteral("浏览"));
    const qint64 id = w.grid->textMatrix(1, 3).toLongLong();
    QVERIFY(id > 0);
    QCOMPARE(w.grid->colWidth(3), 0);

    const desk::Recordset rs = Connection::SharedConnection().query(
        QStringLiteral("Select 投诉编号, 类型, 文件名, CZYDH, 文件 From 投诉资料 Where ID = ") +
        desk::sqlNumber(id));
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.text(0, QStringLiteral("投诉编号")), kComplaint);
    QCOMPARE(rs.text(0, QStringLiteral("类型")), QStringLiteral("投诉人提交"));
    QCOMPARE(rs.text(0, QStringLiteral("文件名")), name);
    QCOMPARE(rs.text(0, QStringLiteral("CZYDH")), QStringLiteral("1001"));
    QVERIFY(!rs.isNull(0, QStringLiteral("文件")));
    QCOMPARE(rs.value(0, QStringLiteral("文件")).toByteArray(), bytes);

    // Another window lists it and opens it.
    Window other(AttachmentConfig::reception());
    other.remove->setEnabled(true);
    other.panel->资料列表();
    QCOMPARE(other.grid->rows(), 2);
    QCOMPARE(other.grid->textMatrix(1, 1), name);
    QCOMPARE(other.grid->textMatrix(1, 3), QString::number(id));
    QVERIFY(!other.remove->isEnabled());

    other.grid->setRow(1);
    other.panel->OpenAttachment();
    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
    QCOMPARE(m_seam.opened.size(), 1);
    QCOMPARE(QFileInfo(m_seam.opened.first()).absolutePath(),
             QFileInfo(tempFolder()).absoluteFilePath());
    QFile opened(m_seam.opened.first());
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(opened.readAll(), bytes);
}

void TestAttachments::failedAddLeavesNoRow_data() {
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("message");
    QTest::newRow("dialog cancelled") << true << QStringLiteral("32755 |选定“取消”");
    QTest::newRow("file unreadable") << false << QStringLiteral("75 |");
}

void TestAttachments::failedAddLeavesNoRow() {
    QFETCH(bool, cancelled);
    QFETCH(QString, message);
    Window w(AttachmentConfig::reception());
    if (!cancelled)
        m_seam.files.enqueue({false, m_dir.filePath(QStringLiteral("missing/nothing.doc"))});
    w.add->click();
    QCOMPARE(m_seam.messages.size(), 1);
    QVERIFY2(m_seam.messages.first().text.startsWith(message),
             qPrintable(m_seam.messages.first().text));
    QCOMPARE(w.grid->rows(), 1);
    QCOMPARE(storedCount(), 0);
}

void TestAttachments::deleteRenumbers_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("the only one") << 1 << 1 << QStringList();
    QTest::newRow("second of three")
        << 3 << 2 << QStringList{QStringLiteral("a0.txt"), QStringLiteral("a2.txt")};
    QTest::newRow("first of three")
        << 3 << 1 << QStringList{QStringLiteral("a1.txt"), QStringLiteral("a2.txt")};
}

void TestAttachments::deleteRenumbers() {
    QFETCH(int, count);
    QFETCH(int, deleted);
    QFETCH(QStringList, left);
    for (int i = 0; i < count; ++i)
        store(QStringLiteral("a%1.txt").arg(i), "x", QStringLiteral("投诉人提交"),
              QStringLiteral("other"));
    Window w(AttachmentConfig::reception());
    w.panel->资料列表();
    QCOMPARE(w.grid->rows(), count + 1);

    // Reception deletes at once, whoever added the file.
    emit w.grid->gridClick(deleted, 1);
    QVERIFY(w.remove->isEnabled());
    w.remove->click();

    QVERIFY(m_seam.questions.isEmpty());
    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
    QVERIFY(!w.remove->isEnabled());
    QCOMPARE(storedCount(), count - 1);
    QCOMPARE(w.grid->rows(), left.size() + 1);
    for (int r = 1; r < w.grid->rows(); ++r) {
        QCOMPARE(w.grid->textMatrix(r, 0), QString::number(r));
        QCOMPARE(w.grid->textMatrix(r, 1), left[r - 1]);
    }
}

void TestAttachments::investigationAddAndDelete_data() {
    QTest::addColumn<QString>("uploader");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("deleted");
    const QStringList question{QStringLiteral("确认要删除 调查.docx 这个资料文件？")};
    QTest::newRow("another operator's file")
        << QStringLiteral("2002") << true << QStringList{QStringLiteral("非您添加的资料，不能删除")}
        << QStringList() << false;
    QTest::newRow("own file, answer no")
        << QStringLiteral("1001") << false << QStringList() << question << false;
    QTest::newRow("own file, answer yes")
        << QStringLiteral("1001") << true << QStringList() << question << true;
}

void TestAttachments::investigationAddAndDelete() {
    QFETCH(QString, uploader);
    QFETCH(bool, answer);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, questions);
    QFETCH(bool, deleted);

    Operator().EmployeeNo = uploader;
    Window w(AttachmentConfig::investigation());
    QCOMPARE(w.grid->cols(), 5);
    m_seam.files.enqueue({false, writeSource(QStringLiteral("调查.docx"), "report")});
    w.add->click();
    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
    QCOMPARE(w.grid->rows(), 2);
    QCOMPARE(w.grid->textMatrix(1, 1), QStringLiteral("调查处理"));
    QCOMPARE(w.grid->textMatrix(1, 2), QStringLiteral("调查.docx"));
    QCOMPARE(w.grid->textMatrix(1, 3), QStringLiteral("浏览"));
    QCOMPARE(w.grid->textMatrix(1, 4), uploader);
    const qint64 id = w.grid->rowData(1).toLongLong();
    QCOMPARE(storedContent(id), QByteArray("report"));
    QCOMPARE(
        Connection::SharedConnection()
            .query(QStringLiteral("Select 类型 From 投诉资料 Where ID = ") + desk::sqlNumber(id))
            .text(0, QStringLiteral("类型")),
        QStringLiteral("调查处理"));

    Operator().EmployeeNo = QStringLiteral("1001");
    m_seam.answers.enqueue(answer);
    emit w.grid->gridClick(1, 2);
    QVERIFY(m_seam.opened.isEmpty());
    w.remove->click();
    QCOMPARE(m_seam.texts(), messages);
    QCOMPARE(m_seam.questions, questions);
    QCOMPARE(storedCount(), deleted ? 0 : 1);
    QCOMPARE(w.grid->rows(), deleted ? 1 : 2);
}

void TestAttachments::gridClick_data() {
    QTest::addColumn<bool>("investigation");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("opens");
    QTest::newRow("reception, file name") << false << 1 << false;
    QTest::newRow("reception, 浏览") << false << 2 << true;
    QTest::newRow("investigation, file name") << true << 2 << false;
    QTest::newRow("investigation, 浏览") << true << 3 << true;
}

void TestAttachments::gridClick() {
    QFETCH(bool, investigation);
    QFETCH(int, col);
    QFETCH(bool, opens);
    const QString type = investigation ? QStringLiteral("调查处理") : QStringLiteral("投诉人提交");
    const qint64 id = store(QStringLiteral("a.txt"), "abc", type, QStringLiteral("1001"));
    Window w(investigation ? AttachmentConfig::investigation() : AttachmentConfig::reception());
    w.panel->appendRow(id, QStringLiteral("a.txt"), type, QStringLiteral("1001"));

    emit w.grid->gridClick(1, col);
    QVERIFY(w.remove->isEnabled());
    QCOMPARE(m_seam.opened.size(), opens ? 1 : 0);

    emit w.grid->gridDoubleClick(1, 0);
    QCOMPARE(m_seam.opened.size(), opens ? 2 : 1);
    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
}

void TestAttachments::storedNameStaysInsideTemp_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("written");
    QTest::newRow("parent folders") << QStringLiteral("../../x") << QStringLiteral("x");
    QTest::newRow("backslashes") << QStringLiteral("..\\..\\x") << QStringLiteral("x");
    QTest::newRow("absolute") << QStringLiteral("/tmp/x") << QStringLiteral("x");
    QTest::newRow("drive") << QStringLiteral("C:..\\x") << QStringLiteral("x");
    QTest::newRow("only dots") << QStringLiteral("..") << QStringLiteral("attachment");
    QTest::newRow("empty") << QString() << QStringLiteral("attachment");
}

void TestAttachments::storedNameStaysInsideTemp() {
    QFETCH(QString, stored);
    QFETCH(QString, written);
    const QString outside = QDir::cleanPath(tempFolder() + QStringLiteral("/../../x"));
    QFile::remove(outside);

    store(stored, "inside", QStringLiteral("投诉人提交"), QStringLiteral("1001"));
    Window w(AttachmentConfig::reception());
    w.panel->资料列表();
    QCOMPARE(w.grid->rows(), 2);
    emit w.grid->gridDoubleClick(1, 1);

    QVERIFY2(m_seam.messages.isEmpty(), qPrintable(m_seam.texts().join(QLatin1Char('\n'))));
    QCOMPARE(m_seam.opened, QStringList{tempFolder() + QLatin1Char('/') + written});
    QFile file(m_seam.opened.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("inside"));
    QVERIFY(!QFile::exists(outside));
}

void TestAttachments::readOnlyProgramFolder() {
    // A program folder that cannot take a "Temp" folder (here: it is a file).
    const QString program = m_dir.filePath(QStringLiteral("installed"));
    {
        QFile blocker(program);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const QString folder = attachments::temporaryFolder(program);
    QVERIFY(!folder.isEmpty());
    QVERIFY(!folder.startsWith(program));
    QVERIFY(QFileInfo(folder).isDir());
    QString error;
    QVERIFY2(attachments::writeWholeFile(folder + QStringLiteral("/a.txt"), "a", &error),
             qPrintable(error));
}

// However narrow the panel, the file name column gives way so that "浏览" can be clicked.
void TestAttachments::browseLinkStaysInView_data() {
    QTest::addColumn<bool>("investigation");
    QTest::newRow("complainant material") << false;
    QTest::newRow("investigation material") << true;
}

void TestAttachments::browseLinkStaysInView() {
    QFETCH(bool, investigation);
    Window w(investigation ? AttachmentConfig::investigation() : AttachmentConfig::reception());
    w.grid->resize(360, 160);
    w.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.widget));
    const int browse = w.panel->browseColumn();
    QTRY_VERIFY(w.grid->columnViewportPosition(browse) + w.grid->columnWidth(browse) <=
                w.grid->viewport()->width());
    QVERIFY(w.grid->columnWidth(w.panel->fileNameColumn()) > 0);
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
