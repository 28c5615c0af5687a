// The whole-file writer on real files: atomic replacement, the previous file
// kept on a full disk, special files refused, and owners, groups and modes
// kept where another user's file is saved.
#include "ChildProcess.h"
#include "KillAt.h"
#include "ProgramRun.h"
#include "SafeFile.h"
#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// Users the rows run as when the suite is root; they need no account.
constexpr uid_t OwnerUser = 40001;
constexpr uid_t WriterUser = 40002;
constexpr gid_t SharedGroup = 40010;
constexpr gid_t OwnerGroup = 40011;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A case-sized text: about 2.5 KB, different for every seed.
QByteArray caseSized(char seed)
{
    QByteArray text;
    for (int line = 0; text.size() < 2500; ++line)
        text += "  <line" + QByteArray::number(line) + ">" + QByteArray(20, seed) + "</line>\n";
    return text;
}

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

enum Folder {
    OwnFolder,        // the writer's own folder and file
    NewFile,          // the writer's folder, no file yet
    NoCreateFolder,   // the file may be written, the folder gains no files
    ReadOnly,         // neither folder nor file may be written
    SharedGroupFolder,// another member's file in a group folder (setgid)
    StickyFolder      // another user's writable file in a sticky folder
};

} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    void replaces_data();
    void replaces();
    void specialTargets_data();
    void specialTargets();
    void symbolicLinkChainToItself();
    void fullFileSystem_data();
    void fullFileSystem();
    void failingFsync_data();
    void failingFsync();
    void temporaryCopy_data();
    void temporaryCopy();
    void interruptedRewrite_data();
    void interruptedRewrite();
    void temporaryFiles();
    void plantedLinks_data();
    void plantedLinks();

private:
    // An application-data folder of `user`'s own, for the journals of its
    // rewrites in place.
    QByteArray dataHomeOf(uid_t user)
    {
        const QString path = m_dir.filePath(QStringLiteral("data-%1").arg(user));
        QDir().mkpath(path);
        const QByteArray native = QFile::encodeName(path);
        return ::chown(native.constData(), user, user) == 0 || !OrvaTest::runsAsRoot() ? native : QByteArray();
    }

    QTemporaryDir m_dir;
};

void TestSafeFile::replaces_data()
{
    QTest::addColumn<int>("folder");
    QTest::addColumn<qint64>("fileSizeLimit");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("sameInode"); // written in place

    QTest::newRow("own file") << int(OwnFolder) << qint64(0) << true << "" << false;
    QTest::newRow("new file") << int(NewFile) << qint64(0) << true << "" << false;
    QTest::newRow("full disk, own file") << int(OwnFolder) << qint64(1024) << false << "File too large" << true;
    QTest::newRow("full disk, new file") << int(NewFile) << qint64(1024) << false << "File too large" << false;
    QTest::newRow("folder gains no files") << int(NoCreateFolder) << qint64(0) << true << "" << true;
    QTest::newRow("full disk, folder gains no files")
        << int(NoCreateFolder) << qint64(1024) << false << "File too large" << true;
    QTest::newRow("read-only file and folder") << int(ReadOnly) << qint64(0) << false << "Permission denied" << true;
    QTest::newRow("group member's file in a shared folder")
        << int(SharedGroupFolder) << qint64(0) << true << "" << true;
    QTest::newRow("full disk, shared folder")
        << int(SharedGroupFolder) << qint64(1024) << false << "File too large" << true;
    QTest::newRow("another user's file in a sticky folder") << int(StickyFolder) << qint64(0) << true << "" << true;
}

void TestSafeFile::replaces()
{
    QFETCH(int, folder);
    QFETCH(qint64, fileSizeLimit);
    QFETCH(bool, ok);
    QFETCH(QString, reason);
    QFETCH(bool, sameInode);

    const bool root = OrvaTest::runsAsRoot();
    const bool twoUsers = folder == SharedGroupFolder || folder == StickyFolder;
    if (twoUsers && !root)
        QSKIP("acting as two users needs root");

    // As root the work runs as an ordinary user: root ignores permissions.
    OrvaTest::ChildLimits limits;
    limits.fileSizeLimit = fileSizeLimit;
    if (root) {
        limits.uid = WriterUser;
        limits.gid = WriterUser;
        if (folder == SharedGroupFolder)
            limits.groups = {WriterUser, SharedGroup};
    }
    const uid_t writer = root ? WriterUser : ::geteuid();
    const gid_t writerGroup = root ? gid_t(WriterUser) : ::getegid();

    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + "/case.cml";
    const QByteArray dirName = QFile::encodeName(dir);
    const QByteArray pathName = QFile::encodeName(path);
    const QByteArray before = caseSized('p').left(1800);
    const QByteArray after = caseSized('n');

    uid_t owner = writer;
    gid_t group = writerGroup;
    mode_t mode = 0640;
    if (folder == SharedGroupFolder) {
        owner = OwnerUser;
        group = SharedGroup;
        mode = 0660;
    } else if (folder == StickyFolder) {
        owner = OwnerUser;
        group = OwnerGroup;
        mode = 0666;
    } else if (folder == ReadOnly) {
        mode = 0444;
    }
    if (folder != NewFile) {
        QVERIFY(writeBytes(path, before));
        QVERIFY(::chown(pathName.constData(), owner, group) == 0 || !root);
        QVERIFY(::chmod(pathName.constData(), mode) == 0);
    }
    mode_t folderMode = 0755;
    if (folder == NoCreateFolder || folder == ReadOnly)
        folderMode = 0555;
    else if (folder == SharedGroupFolder)
        folderMode = 02775;
    else if (folder == StickyFolder)
        folderMode = 01777;
    if (root)
        QVERIFY(::chown(dirName.constData(), twoUsers ? 0 : writer, folder == SharedGroupFolder ? SharedGroup : 0) == 0);
    QVERIFY(::chmod(dirName.constData(), folderMode) == 0);
    const struct stat old = statOf(path);

    const QByteArray dataHome = dataHomeOf(writer);
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [&](QString *error) {
        qputenv("XDG_DATA_HOME", dataHome);
        return Platform::writeFileSafely(path, after, error);
    });
    ::chmod(dirName.constData(), 0755);

    QVERIFY(result.finished);
    QCOMPARE(result.ok, ok);
    if (!ok)
        QCOMPARE(result.error, reason);
    if (folder == NewFile) {
        QCOMPARE(QFile::exists(path), ok);
        if (ok)
            QCOMPARE(statOf(path).st_mode & 0777, mode_t(0666 & ~currentUmask()));
    } else {
        const struct stat now = statOf(path);
        QCOMPARE(now.st_uid, owner);
        QCOMPARE(now.st_gid, group);
        QCOMPARE(now.st_mode & 07777, mode);
        QCOMPARE(now.st_ino == old.st_ino, sameInode);
    }
    if (folder != NewFile || ok)
        QCOMPARE(readAll(path), ok ? after : before);
    // No temporary file stays behind, whatever happened.
    const QStringList expected = folder == NewFile && !ok ? QStringList{} : QStringList{"case.cml"};
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System), expected);
}

void TestSafeFile::specialTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");

    QTest::newRow("pipe") << "fifo" << false << "Is a pipe, not a regular file";
    QTest::newRow("character device") << "device" << false << "Is a device, not a regular file";
    QTest::newRow("folder") << "folder" << false << "Is a directory";
    QTest::newRow("link to a pipe") << "link-to-fifo" << false << "Is a pipe, not a regular file";
    QTest::newRow("link to a file") << "link-to-file" << true << "";
    QTest::newRow("relative link chain to a file") << "link-chain" << true << "";
    QTest::newRow("link to a file not there yet") << "dangling-link" << true << "";
    QTest::newRow("missing folder") << "missing-folder" << false << "No such file or directory";
    QTest::newRow("empty name") << "empty-name" << false << "No file name given";
}

void TestSafeFile::specialTargets()
{
    QFETCH(QString, kind);
    QFETCH(bool, ok);
    QFETCH(QString, reason);

    const QString dir = m_dir.filePath("special-" + kind);
    QVERIFY(QDir().mkpath(dir));
    QString path = dir + "/target";
    const QString real = dir + "/real.cml";
    const QByteArray data = caseSized('s');

    const bool special = kind == "fifo" || kind == "device" || kind == "folder";
    if (kind == "device" && !OrvaTest::runsAsRoot())
        QSKIP("making a device node needs root");
    if (special) {
        QVERIFY(OrvaTest::makeSpecialFile(kind, path));
        if (kind == "folder")
            QVERIFY(writeBytes(path + "/inside.txt", "inside"));
    } else if (kind == "link-to-fifo") {
        QVERIFY(OrvaTest::makeSpecialFile("fifo", real));
    } else if (kind == "link-to-file") {
        QVERIFY(writeBytes(real, "previous"));
    } else if (kind == "link-chain") {
        QVERIFY(QDir().mkpath(dir + "/sub"));
        QVERIFY(writeBytes(dir + "/sub/real.cml", "previous"));
        QVERIFY(QFile::link("sub/middle", path));
        QVERIFY(QFile::link("real.cml", dir + "/sub/middle"));
    } else if (kind == "missing-folder") {
        path = dir + "/not-there/target";
    } else if (kind == "empty-name") {
        path.clear();
    }
    if (kind.startsWith("link-to") || kind == "dangling-link")
        QVERIFY(QFile::link("real.cml", path));

    QString error;
    QCOMPARE(Platform::writeFileSafely(path, data, &error), ok);
    QCOMPARE(error, reason);

    if (special)
        QVERIFY(OrvaTest::isSpecialFile(kind, path));
    if (kind == "folder")
        QCOMPARE(readAll(path + "/inside.txt"), QByteArray("inside"));
    if (kind.contains("link")) {
        // The link stays a link; the file it names has the data.
        QVERIFY(S_ISLNK(statOf(path).st_mode));
        if (kind == "link-to-fifo")
            QVERIFY(OrvaTest::isSpecialFile("fifo", real));
        else
            QCOMPARE(readAll(path), data);
    }
    if (kind == "link-chain")
        QVERIFY(S_ISLNK(statOf(dir + "/sub/middle").st_mode));
    // Nothing else appeared beside the target.
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System))
        QVERIFY2(name == "target" || name == "real.cml", qPrintable(name));
}

void TestSafeFile::symbolicLinkChainToItself()
{
    const QString path = m_dir.filePath("loop");
    QVERIFY(QFile::link(m_dir.filePath("loop2"), path));
    QVERIFY(QFile::link(path, m_dir.filePath("loop2")));
    QString error;
    QVERIFY(!Platform::writeFileSafely(path, "data", &error));
    QCOMPARE(error, QStringLiteral("Too many levels of symbolic links"));
    QVERIFY(S_ISLNK(statOf(path).st_mode));
}

void TestSafeFile::temporaryCopy_data()
{
    QTest::addColumn<QString>("planted"); // what is under the name before
    QTest::addColumn<bool>("sameName");

    QTest::newRow("free name") << "" << true;
    QTest::newRow("own earlier copy") << "own-file" << true;
    QTest::newRow("link to another file") << "link" << false;
    QTest::newRow("pipe") << "fifo" << false;
    QTest::newRow("another user's file") << "other-user-file" << false;
}

void TestSafeFile::temporaryCopy()
{
    QFETCH(QString, planted);
    QFETCH(bool, sameName);

    // A temporary folder shared with everyone, as /tmp is.
    const QString temp = m_dir.filePath("temp-" + planted);
    QVERIFY(QDir().mkpath(temp));
    QVERIFY(::chmod(QFile::encodeName(temp).constData(), 01777) == 0);
    const QString victim = m_dir.filePath("victim-" + planted + ".cml");
    QVERIFY(writeBytes(victim, "the user's case"));
    const QString name = temp + "/Short-Form-Financial.pdf";
    const QByteArray native = QFile::encodeName(name);
    if (planted == "own-file") {
        QVERIFY(writeBytes(name, "earlier copy"));
    } else if (planted == "link") {
        QVERIFY(QFile::link(victim, name));
    } else if (planted == "fifo") {
        QVERIFY(OrvaTest::makeSpecialFile(planted, name));
    } else if (planted == "other-user-file") {
        if (!OrvaTest::runsAsRoot())
            QSKIP("a file of another user needs root");
        QVERIFY(writeBytes(name, "someone else's"));
        QVERIFY(::chown(native.constData(), OwnerUser, OwnerGroup) == 0);
        QVERIFY(::chmod(native.constData(), 0666) == 0);
    }

    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp));
    QString error;
    const QString path = Platform::temporaryCopyPath("Short-Form-Financial.pdf", &error);
    qputenv("TMPDIR", oldTemp);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    QVERIFY(Platform::writeFileSafely(path, "the filled form", &error));
    QCOMPARE(readAll(path), QByteArray("the filled form"));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Short-Form-Financial.pdf"));
    QCOMPARE(path == name, sameName);
    // Only this user may read a new copy: by its own mode, or by its folder's.
    QCOMPARE(statOf(path).st_uid, ::geteuid());
    if (planted.isEmpty())
        QCOMPARE(statOf(path).st_mode & 077, mode_t(0));
    if (!sameName) {
        const QString folder = QFileInfo(path).absolutePath();
        QCOMPARE(QFileInfo(folder).absolutePath(), temp);
        QCOMPARE(statOf(folder).st_mode & 07777, mode_t(0700));
    }
    // Nothing planted was written through or replaced.
    QCOMPARE(readAll(victim), QByteArray("the user's case"));
    if (planted == "link")
        QVERIFY(S_ISLNK(statOf(name).st_mode));
    if (planted == "fifo")
        QVERIFY(OrvaTest::isSpecialFile(planted, name));
    if (planted == "other-user-file")
        QCOMPARE(readAll(name), QByteArray("someone else's"));
}

void TestSafeFile::fullFileSystem_data()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("replaced from a temporary file") << false;
    QTest::newRow("rewritten in place") << true;
}

void TestSafeFile::fullFileSystem()
{
    QFETCH(bool, inPlace);
    if (!OrvaTest::runsAsRoot())
        QSKIP("mounting a small file system needs root");
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    const QString dir = m_dir.filePath(inPlace ? "full-in-place" : "full-atomic");
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + "/case.cml";
    const QByteArray dirName = QFile::encodeName(dir);
    const QByteArray before = caseSized('p').left(1800);
    const QByteArray after = caseSized('n').repeated(3); // more pages than the old file has

    // Everything happens in the child: the file system goes with it.
    const QByteArray dataHome = dataHomeOf(WriterUser);
    const OrvaTest::ChildResult result = OrvaTest::runInChild({}, [&](QString *error) {
        qputenv("XDG_DATA_HOME", dataHome);
        if (!OrvaTest::mountPrivateFileSystem(dirName, 64 * 1024) || !writeBytes(path, before)
            || ::chown(QFile::encodeName(path).constData(), WriterUser, WriterUser) != 0
            || !OrvaTest::fillFileSystem(dirName, 0)) {
            *error = QStringLiteral("set-up failed");
            return true;
        }
        if (inPlace && (::chmod(dirName.constData(), 0555) != 0 || !OrvaTest::becomeUser(WriterUser, WriterUser))) {
            *error = QStringLiteral("set-up failed");
            return true;
        }
        const bool ok = Platform::writeFileSafely(path, after, error);
        if (readAll(path) != before)
            error->append(" (previous file changed)");
        const QStringList left = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
        if (left != QStringList{".filler", "case.cml"})
            error->append(" (left: " + left.join(',') + ")");
        return ok;
    });
    QVERIFY(result.finished);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("No space left on device"));
    QVERIFY(QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty()); // the mount went with the child
}

void TestSafeFile::interruptedRewrite_data()
{
    QTest::addColumn<QString>("call"); // where the save is killed
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("left"); // what the kill leaves
    QTest::addColumn<bool>("finishedAtStart"); // else by the next save

    const QByteArray shorter = caseSized('p').left(1800);
    const QByteArray longer = caseSized('n');
    // The room for the longer file is reserved, as zeros, before the first byte is written.
    QTest::newRow("killed at the first write, finished at the next start")
        << "pwrite" << shorter << longer << shorter + QByteArray(longer.size() - shorter.size(), '\0') << true;
    QTest::newRow("killed before cutting to length, finished by the next save")
        << "ftruncate" << longer << shorter << shorter + longer.mid(shorter.size()) << false;
}

void TestSafeFile::interruptedRewrite()
{
    QFETCH(QString, call);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, left);
    QFETCH(bool, finishedAtStart);

    // A folder that gains no files: the save rewrites the file in place.
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    const QString dir = m_dir.filePath("killed-at-" + call);
    const QString path = dir + "/case.cml";
    const QString source = dir + ".source";
    QVERIFY(QDir().mkpath(dir) && writeBytes(path, before) && writeBytes(source, after));
    const bool root = OrvaTest::runsAsRoot();
    const uid_t writer = root ? WriterUser : ::geteuid();
    QVERIFY(::chown(QFile::encodeName(path).constData(), writer, writer) == 0 || !root);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
    QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0555) == 0);
    const struct stat old = statOf(path);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromLocal8Bit(dataHomeOf(writer)));
    OrvaTest::RunOptions asWriter;
    asWriter.inChild = [root] {
        if (root && !OrvaTest::becomeUser(WriterUser, WriterUser))
            ::_exit(94);
    };
    const auto save = [&](const QProcessEnvironment &env, const QStringList &arguments) {
        return OrvaTest::runProcess(SAFE_WRITE, arguments, env, asWriter);
    };
    QCOMPARE(save(OrvaTest::killAtEnvironment(environment, call, 1, "case.cml"), {path, source}).exitCode, -2);
    QCOMPARE(readAll(path), left);

    const QString said = "The save of \"" + path + "\" that was cut off has been completed.";
    const QByteArray third = caseSized('t');
    QVERIFY(writeBytes(source, third));
    const OrvaTest::ProgramRun next = save(environment, finishedAtStart ? QStringList{"--finish"} : QStringList{path, source});
    QCOMPARE(next.exitCode, 0);
    QVERIFY2((finishedAtStart ? next.out : next.err).contains(said.toLocal8Bit()), next.out + next.err);
    QCOMPARE(readAll(path), finishedAtStart ? after : third);
    const struct stat now = statOf(path);
    QCOMPARE(now.st_ino, old.st_ino);
    QCOMPARE(now.st_uid, old.st_uid);
    QCOMPARE(now.st_mode, old.st_mode);
    QCOMPARE(QDir(environment.value("XDG_DATA_HOME") + "/tst_safefile/rewrites").entryList(QDir::Files | QDir::Hidden),
             QStringList());
    ::chmod(QFile::encodeName(dir).constData(), 0755);
}

void TestSafeFile::failingFsync_data()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("replaced from a temporary file") << false;
    QTest::newRow("rewritten in place, then put back") << true;
}

// The disk reports that the data did not reach it: the writer says so and
// the previous file is there as it was, also where it was already rewritten.
void TestSafeFile::failingFsync()
{
    QFETCH(bool, inPlace);
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    const QString dir = m_dir.filePath(inPlace ? "fsync-in-place" : "fsync-atomic");
    const QString path = dir + "/case.cml";
    const QString source = dir + ".source";
    const QByteArray before = caseSized('p').left(1800);
    QVERIFY(QDir().mkpath(dir) && writeBytes(path, before) && writeBytes(source, caseSized('n')));
    const bool root = OrvaTest::runsAsRoot();
    const uid_t writer = root ? WriterUser : ::geteuid();
    QVERIFY(::chown(QFile::encodeName(path).constData(), writer, writer) == 0 || !root);
    // A folder that takes no new file: only the in-place rewrite is left.
    QVERIFY(::chmod(QFile::encodeName(dir).constData(), inPlace ? 0555 : 0777) == 0);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromLocal8Bit(dataHomeOf(writer)));
    OrvaTest::RunOptions asWriter;
    asWriter.inChild = [root] {
        if (root && !OrvaTest::becomeUser(WriterUser, WriterUser))
            ::_exit(94);
    };
    const OrvaTest::ProgramRun run = OrvaTest::runProcess(
        SAFE_WRITE, {path, source}, OrvaTest::fsyncFailsEnvironment(environment, 1, dir + '/'), asWriter);
    ::chmod(QFile::encodeName(dir).constData(), 0755);

    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("Input/output error\n"));
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"case.cml"});
}

void TestSafeFile::temporaryFiles()
{
    const QString dir = m_dir.filePath("temporaries");
    QVERIFY(QDir().mkpath(dir));
    // What saves stopped midway left: this user's from two days and from an
    // hour ago, and another user's from two days ago.
    const time_t now = ::time(nullptr);
    const struct {
        const char *name;
        time_t age;
        bool foreign;
        bool kept;
    } leftovers[] = {{".orvacalc-aaaaaa.tmp", 2 * 86400, false, false},
                     {".orvacalc-bbbbbb.tmp", 3600, false, true},
                     {".orvacalc-cccccc.tmp", 2 * 86400, true, true}};
    QStringList expected;
    for (const auto &leftover : leftovers) {
        if (leftover.foreign && !OrvaTest::runsAsRoot())
            continue;
        const QByteArray native = QFile::encodeName(dir + '/' + leftover.name);
        const timeval times[2] = {{now - leftover.age, 0}, {now - leftover.age, 0}};
        QVERIFY(writeBytes(QFile::decodeName(native), "partial") && ::utimes(native.constData(), times) == 0);
        QVERIFY(!leftover.foreign || ::chown(native.constData(), OwnerUser, OwnerGroup) == 0);
        if (leftover.kept)
            expected << leftover.name;
    }
    // A new file whose name takes all the 255 bytes a name may have.
    const QString name = QString(251, 'n') + ".pdf";
    QString error;
    QVERIFY2(Platform::writeFileSafely(dir + '/' + name, "worksheet", &error), qPrintable(error));
    QCOMPARE(readAll(dir + '/' + name), QByteArray("worksheet"));
    expected << name;
    expected.sort();
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

void TestSafeFile::plantedLinks_data()
{
    QTest::addColumn<bool>("linkByFolderOwner");
    QTest::addColumn<bool>("dangling");
    QTest::addColumn<bool>("followed");
    QTest::newRow("another user's link to root's file") << false << false << false;
    QTest::newRow("another user's link to no file yet") << false << true << false;
    QTest::newRow("the folder owner's link") << true << false << true;
}

// As the kernel's protected_symlinks has it, whether or not that is on.
void TestSafeFile::plantedLinks()
{
    QFETCH(bool, linkByFolderOwner);
    QFETCH(bool, dangling);
    QFETCH(bool, followed);
    if (!OrvaTest::runsAsRoot())
        QSKIP("links of other users need root");
    const QString shared = m_dir.filePath(QStringLiteral("shared-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    const QString victim = shared + "-victim.cml";
    const QString link = shared + "/worksheet.pdf";
    QVERIFY(QDir().mkpath(shared) && ::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    QVERIFY(dangling || writeBytes(victim, "root's file"));
    QVERIFY(QFile::link(victim, link));
    QVERIFY(::lchown(QFile::encodeName(link).constData(), OwnerUser, OwnerGroup) == 0);
    QVERIFY(!linkByFolderOwner || ::chown(QFile::encodeName(shared).constData(), OwnerUser, OwnerGroup) == 0);

    QString error;
    QCOMPARE(Platform::writeFileSafely(link, "worksheet", &error), followed);
    QCOMPARE(error, followed ? QString() : QStringLiteral("A link another user put in a shared folder is not followed"));
    QCOMPARE(QFile::exists(victim), !dangling);
    if (!dangling)
        QCOMPARE(readAll(victim), QByteArray(followed ? "worksheet" : "root's file"));
    QVERIFY(S_ISLNK(statOf(link).st_mode));
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
