#pragma once
// Disks that fill up, for the tests of writes that must complete or change nothing.
#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

#ifdef Q_OS_UNIX
// While it lives, no file of this process may grow past `bytes`: writes beyond fail as on
// a full disk (EFBIG; the signal the system would send is ignored). POSIX only: Windows
// has no such limit, and its disk-full case takes the same code path.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok = false;

private:
    rlimit old{};
};
#endif

// A 64 KiB file system mounted over a folder for the life of the object, where the tests
// run as root on Linux. A Windows test cannot mount one itself: under Wine the harness
// (tools/windows/on-small-disk.sh) mounts one over the temporary folder, where every
// workspace lies, and says so in HALVANE_TEMP_ON_SMALL_DISK. `mounted` is false
// elsewhere, and the test skips.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : at(QFile::encodeName(folder))
    {
#ifdef Q_OS_LINUX
        mounted = geteuid() == 0 && mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k") == 0;
#elif defined(Q_OS_WIN)
        mounted = qEnvironmentVariableIsSet("HALVANE_TEMP_ON_SMALL_DISK");
#endif
    }
    ~SmallFileSystem()
    {
#ifdef Q_OS_LINUX
        if (mounted)
            umount2(at.constData(), MNT_DETACH);
#endif
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // Another program fills the disk: a file grows until nothing more fits.
    void fill(const QString& fillerFile) const
    {
        QFile filler(fillerFile);
        if (!filler.open(QIODevice::WriteOnly))
            return;
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) { }
    }

    bool mounted = false;
    // Under Wine free space is asked of the drive's root, which the disk mounted over the
    // temporary folder is not: the write fails all the same, but cannot be told from a
    // cut one.
#ifdef Q_OS_WIN
    static constexpr bool spaceIsSeen = false;
#else
    static constexpr bool spaceIsSeen = true;
#endif

private:
    QByteArray at;
};
