// lindwerk-cli with awkward files: names that are not UTF-8, files far too
// large or of another kind, a file size limit, too little memory.
#include "document/StaFile.h"
#include "tests/ChildProcess.h"
#include "tests/TestPersons.h"

#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using namespace lw;

namespace {

struct RawRun {
    int code = -1;
    std::string err;
};

// Runs lindwerk-cli with arguments given as bytes, under `limits` (set in
// the child before it starts the program, with SIGXFSZ as a shell leaves it).
RawRun runRaw(const std::vector<std::string>& args, const std::function<void()>& limits = {}) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t pid = test::forkChild([&] {
        ::dup2(pipeFds[1], 2);
        ::close(pipeFds[0]);
        int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, 1);
        ::signal(SIGXFSZ, SIG_DFL);
        if (limits) limits();
        std::vector<char*> argv{const_cast<char*>(LINDWERK_CLI)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(LINDWERK_CLI, argv.data());
        return 127;
    });
    ::close(pipeFds[1]);
    RawRun run;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
        run.err.append(buf, size_t(n));
    ::close(pipeFds[0]);
    run.code = test::waitChild(pid);
    return run;
}

bool writeBytes(const std::string& path, const QByteArray& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

// A sparse file of `size` bytes that begins with `head`.
bool sparseFile(const std::string& path, const QByteArray& head, off_t size) {
    return writeBytes(path, head) && ::truncate(path.c_str(), size) == 0;
}

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

QByteArray smallTree() {
    Document doc;
    doc.addPerson(test::personAt(0, 0,
                                 "M\u00FC"
                                 "ller"));
    return serializeSta(doc, BoxLayout{});
}

std::string utf8(const QString& s) {
    return s.toStdString();
}

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string path(const char* name) const { return dir.path().toStdString() + '/' + name; }
    QTemporaryDir dir;
};

} // namespace

// File names are passed on as the bytes given: "\xFF" stays one byte 0xFF
// and does not become U+FFFD.
TEST_F(CliFiles, FileNamesThatAreNotUtf8KeepTheirBytes) {
    const std::string in = path("baum_\xFE.sta");
    ASSERT_TRUE(writeBytes(in, smallTree()));
    const std::string out = path("out_\xFF.sta");
    EXPECT_EQ(runRaw({"convert", in, out}).code, 0);
    EXPECT_TRUE(exists(out));
    EXPECT_FALSE(exists(path("out_\xEF\xBF\xBD.sta")));
    EXPECT_EQ(runRaw({"dump", out}).code, 0);
    const std::string bio = path("leben_\xE4.txt");
    EXPECT_EQ(runRaw({"export-bio", in, bio}).code, 0);
    EXPECT_TRUE(exists(bio));
}

// The kind of file is checked before it is read: a file of several
// gigabytes is refused at once, with the German reason.
TEST_F(CliFiles, HugeFilesAreRefusedWithoutReadingThem) {
    struct Case {
        const char* name;
        QByteArray head;
        off_t size;
        QString message;
    };
    const off_t threeGiB = off_t(3) << 30;
    const std::vector<Case> cases = {
        {"anderes.zip", QByteArray("PK\x03\x04", 4), threeGiB, kMsgNotATree},
        {"riesig.sta", QByteArray::fromHex("FCCA0000"), threeGiB, kMsgTooLarge},
        {"gerade.sta", QByteArray::fromHex("FCCA0000"), off_t(kMaxStaFileSize) + 1, kMsgTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sparseFile(path(c.name), c.head, c.size));
        // An address space far below the file size proves it was not read;
        // the sanitizers need theirs, so there only the message is checked.
        const RawRun run = runRaw({"dump", path(c.name)}, [] {
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
            rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
            ::setrlimit(RLIMIT_AS, &limit);
#endif
        });
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find(utf8(c.message)), std::string::npos) << run.err;
        ::unlink(path(c.name).c_str());
    }
}

// A file that needs more memory than there is ends in a message, not in the
// end of the program.
TEST_F(CliFiles, TooLittleMemoryIsAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer cannot run under a memory limit";
#else
    // One person whose surname is a text of 1.375 GiB: the file is sound, but
    // the text does not fit into the 1 GiB the process may use. (A tree
    // followed by bytes it does not describe is read as the tree, as before.)
    const std::string big = path("gross.sta");
    ASSERT_TRUE(sparseFile(big, QByteArray::fromHex("FCCA00000100000000000058"),
                           off_t(3) << 29)); // 1.5 GiB
    const RawRun run = runRaw({"dump", big}, [] {
        rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(utf8(kMsgNoMemory)), std::string::npos) << run.err;
#endif
}

// A save beyond the file size limit is reported, not ended by SIGXFSZ, and
// keeps the old file.
TEST_F(CliFiles, FileSizeLimitIsReported) {
    Document doc;
    for (int i = 0; i < 300; ++i)
        doc.addPerson(test::personAt(-1, -1, "Sehr langer Nachname"));
    const std::string in = path("gross.sta");
    ASSERT_TRUE(writeBytes(in, serializeSta(doc, BoxLayout{})));
    const std::string out = path("klein.sta");
    ASSERT_TRUE(writeBytes(out, smallTree()));
    const RawRun run = runRaw({"convert", in, out}, [] {
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(utf8(kMsgCannotCreate)), std::string::npos) << run.err;
    QFile kept(QString::fromStdString(out));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), smallTree());
}
