#include "core/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vlnokan;

namespace {

enum class Obstacle { SizeLimit, FullDisk, FolderInPlace, MissingFolder };

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What else lies in the folder besides the expected names: a temporary left behind.
QStringList strays(const QString& folder, const QStringList& expected) {
    QStringList found =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : expected)
        found.removeAll(name);
    return found;
}

// Files may grow to 1 KB only, as under `ulimit -f 1`; the signal ignored as a shell does.
class SizeLimit final {
public:
    SizeLimit() {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

class Umask final {
public:
    explicit Umask(mode_t mask) : m_before(umask(mask)) {}
    ~Umask() { umask(m_before); }

private:
    mode_t m_before;
};

} // namespace

Q_DECLARE_METATYPE(Obstacle)

// Every file the program writes is whole or absent, and an older one survives a failed write.
class TestFileWriter final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_disk; // a small tmpfs, empty when it cannot be mounted

private slots:
    void initTestCase() {
        const QString disk = m_dir.filePath("disk");
        QDir().mkpath(disk);
        if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=32k") == 0)
            m_disk = disk;
    }
    void cleanupTestCase() {
        if (!m_disk.isEmpty())
            umount2(QFile::encodeName(m_disk).constData(), MNT_DETACH);
    }

    void refusedWriteLeavesOlderFile_data() {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<bool>("older");
        QTest::newRow("size limit, no older file") << Obstacle::SizeLimit << false;
        QTest::newRow("size limit, older file") << Obstacle::SizeLimit << true;
        QTest::newRow("full disk, no older file") << Obstacle::FullDisk << false;
        QTest::newRow("full disk, older file") << Obstacle::FullDisk << true;
        QTest::newRow("a folder in the file's place") << Obstacle::FolderInPlace << false;
        QTest::newRow("missing folder") << Obstacle::MissingFolder << false;
    }
    void refusedWriteLeavesOlderFile() {
        QFETCH(Obstacle, obstacle);
        QFETCH(bool, older);
        if (obstacle == Obstacle::FullDisk && m_disk.isEmpty())
            QSKIP("no tmpfs can be mounted here");
        const QString folder = obstacle == Obstacle::FullDisk ? m_disk
                               : obstacle == Obstacle::MissingFolder
                                   ? m_dir.filePath("no/such")
                                   : m_dir.filePath(QTest::currentDataTag());
        QDir().mkpath(obstacle == Obstacle::MissingFolder ? m_dir.path() : folder);
        const QString path = folder + "/t.dxf";
        QFile::remove(path);
        if (obstacle == Obstacle::FolderInPlace)
            QVERIFY(QDir().mkpath(path + "/inside"));
        const QByteArray old("an older template\n");
        if (older)
            put(path, old);
        // Larger than the limit and than the small disk.
        const std::string bytes(64 * 1024, 'x');
        try {
            std::optional<SizeLimit> limit;
            if (obstacle == Obstacle::SizeLimit)
                limit.emplace();
            writeFile(path.toStdString(), bytes);
            QFAIL("the write was not refused");
        } catch (const EFileWrite& fault) {
            QCOMPARE(QString::fromStdString(fault.path()), path);
            QVERIFY(!fault.reason().empty());
            QVERIFY(fault.message().rfind("cannot write " + path.toStdString() + ": ", 0) == 0);
        }
        if (obstacle == Obstacle::FolderInPlace)
            QVERIFY(QFileInfo(path).isDir());
        else
            QCOMPARE(contentOf(path), older ? old : QByteArray("<absent>"));
        if (obstacle != Obstacle::MissingFolder)
            QCOMPARE(strays(folder, {"t.dxf"}), QStringList());
        if (older)
            QFile::remove(path);
    }

    void replacesWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("a megabyte") << QByteArray(1 << 20, 'y');
    }
    void replacesWhole() {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath("whole.svg");
        put(path, "older");
        writeFile(path.toStdString(), std::string(bytes.constData(), std::size_t(bytes.size())));
        QCOMPARE(contentOf(path), bytes);
    }

    void usualMode_data() {
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<int>("mode");
        QTest::newRow("022") << 022 << false << 0644;
        QTest::newRow("077") << 077 << false << 0600;
        QTest::newRow("002") << 002 << false << 0664;
        QTest::newRow("script, 022") << 022 << true << 0755;
        QTest::newRow("script, 027") << 027 << true << 0750;
    }
    void usualMode() {
        QFETCH(int, mask);
        QFETCH(bool, executable);
        QFETCH(int, mode);
        const QString path = m_dir.filePath("mode");
        QFile::remove(path);
        {
            const Umask masked(static_cast<mode_t>(mask));
            writeFile({path.toStdString(), "#!/bin/sh\n", executable});
        }
        struct stat info {};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
    }

    // Files that belong together (a model and its script) are all written or none.
    void togetherOrNotAtAll_data() {
        QTest::addColumn<bool>("older");
        QTest::addColumn<bool>("secondFails");
        QTest::newRow("both new") << false << false;
        QTest::newRow("both replaced") << true << false;
        QTest::newRow("second refused, first new") << false << true;
        QTest::newRow("second refused, first older") << true << true;
    }
    void togetherOrNotAtAll() {
        QFETCH(bool, older);
        QFETCH(bool, secondFails);
        const QString folder = m_dir.filePath(QStringLiteral("pair ") + QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder));
        const QString first = folder + "/model.xml";
        const QString second = folder + "/run.sh";
        if (older) {
            put(first, "old model");
            put(second, "old script");
        }
        if (secondFails) {
            QFile::remove(second);
            QVERIFY(QDir().mkpath(second + "/inside"));
        }
        const std::vector<FileContent> files{{first.toStdString(), "new model", false},
                                             {second.toStdString(), "new script", true}};
        if (secondFails)
            QVERIFY_THROWS_EXCEPTION(EFileWrite, writeFiles(files));
        else
            writeFiles(files);
        const bool written = !secondFails;
        QCOMPARE(contentOf(first), written ? QByteArray("new model")
                                   : older ? QByteArray("old model")
                                           : QByteArray("<absent>"));
        if (!secondFails)
            QCOMPARE(contentOf(second), QByteArray("new script"));
        QCOMPARE(strays(folder, {"model.xml", "run.sh"}), QStringList());
    }

    // A name that is no text in any encoding is used byte for byte.
    void nameBytesAsGiven() {
        const std::string path = m_dir.path().toStdString() + "/\xff\xfe-t.svg";
        writeFile(path, "bytes");
        struct stat info {};
        QCOMPARE(stat(path.c_str(), &info), 0);
        QCOMPARE(int(info.st_size), 5);
    }
};

QTEST_APPLESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
