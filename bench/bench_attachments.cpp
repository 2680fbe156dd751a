// Memory of attaching and opening a large file. Each step runs in its own process, so that
// its peak resident size can be read from outside (e.g. /usr/bin/time -v):
//   bench_attachments baseline FOLDER [MB]   connects and sets up the panel, nothing more
//   bench_attachments attach FOLDER [MB]     attaches a file of MB megabytes (default 100)
//   bench_attachments open FOLDER [MB]       lists and opens the attached file
// FOLDER holds the database and the file; the first step creates them.

#include "attachments/attachmentpanel.h"
#include "common/testdb.h"
#include "controls/flexgrid.h"
#include "data/connection.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

class BenchSeam : public Platform::Seam {
public:
    void message(QWidget*, const QString& text, const QString&, Platform::Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        failed = true;
    }
    Platform::FileChoice openFile(QWidget*, const QString&, const QString&) override {
        return {false, file};
    }
    bool openWithDesktop(const QString& path) override {
        opened = path;
        return true;
    }
    QString file, opened;
    bool failed = false;
};

// Written in small pieces, so that making the file does not count.
bool makeFile(const QString& path, qint64 megabytes) {
    QFile f(path);
    if (f.exists() && f.size() == megabytes << 20)
        return true;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk(1 << 20, '\0');
    for (qint64 i = 0; i < megabytes; ++i) {
        for (int j = 0; j < chunk.size(); j += 4096)
            chunk[j] = char(i + j);
        if (f.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_attachments baseline|attach|open FOLDER [MB]\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const qint64 megabytes = argc > 3 ? QString::fromLocal8Bit(argv[3]).toLongLong() : 100;
    const QString dbName = QStringLiteral("bench.db");
    const QString db = folder + QLatin1Char('/') + dbName;
    const QString source = folder + QStringLiteral("/big.bin");
    QDir().mkpath(folder);
    if (!QFile::exists(db) && testdb::create(folder, {}, dbName).isEmpty())
        return 1;
    if (!makeFile(source, megabytes))
        return 1;

    BenchSeam seam;
    Platform::setSeam(&seam);
    seam.file = source;
    if (!Connection::ConnectDatabase(QString(), QString(), QString(), db))
        return 1;
    Operator().EmployeeNo = QStringLiteral("1001");

    QWidget window;
    auto* grid = new controls::FlexGrid(&window);
    attachments::AttachmentPanel panel(
        grid, nullptr, nullptr, [] { return QStringLiteral("00000001"); },
        attachments::AttachmentConfig::reception());

    QElapsedTimer timer;
    timer.start();
    if (mode == QLatin1String("attach")) {
        Connection::SharedConnection().execute(QStringLiteral("Delete From 投诉资料"));
        timer.restart();
        panel.AddAttachment();
    } else if (mode == QLatin1String("open")) {
        panel.资料列表();
        grid->setRow(grid->rows() - 1);
        panel.OpenAttachment();
        if (QFileInfo(seam.opened).size() != megabytes << 20) {
            std::fprintf(stderr, "opened copy has the wrong size\n");
            return 1;
        }
    }
    Platform::setSeam(nullptr);
    if (seam.failed)
        return 1;
    std::printf("%s of %lld MB: %lld ms\n", qPrintable(mode), static_cast<long long>(megabytes),
                static_cast<long long>(timer.elapsed()));
    return 0;
}
