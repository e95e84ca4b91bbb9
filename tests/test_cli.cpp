// lindwerk-cli run as a user would run it.
#include "document/BioExport.h"
#include "document/StaFile.h"
#include "tests/CliProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

using CliRun = lw::test::CliResult;
constexpr auto cli = lw::test::runCli;

class Cli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Cli, DumpPrintsTheTreeAsJson) {
    Document doc;
    TPerson p;
    p.NachName = "M\u00FC"
                 "ller";
    p.VorName = "\u201E"
                "Anna\u201C"; // „Anna“
    p.Leben = {"eins", "zwei \"z\""};
    p.Vater = -1;
    p.GridX = 2;
    p.GridY = 3;
    doc.addPerson(p);
    doc.AreaWidth = 70;
    BoxLayout box;
    box.bkColor = clInfoBk;
    write(path("a.sta"), serializeSta(doc, box));

    CliRun r = cli({QStringLiteral("dump"), path("a.sta")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(json[QStringLiteral("revision")].toInt(), 0xCAFC);
    EXPECT_EQ(json[QStringLiteral("area")].toArray(), (QJsonArray{70, 60}));
    QJsonObject person = json[QStringLiteral("persons")].toArray()[0].toObject();
    EXPECT_EQ(person[QStringLiteral("NachName")].toString(), QStringLiteral("M\u00FCller"));
    EXPECT_EQ(person[QStringLiteral("VorName")].toString(), QStringLiteral("\u201EAnna\u201C"));
    EXPECT_EQ(person[QStringLiteral("Leben")].toArray(), (QJsonArray{"eins", "zwei \"z\""}));
    EXPECT_EQ(person[QStringLiteral("GridY")].toInt(), 3);
    QJsonObject layout = json[QStringLiteral("layout")].toObject();
    EXPECT_EQ(layout[QStringLiteral("bkColor")].toDouble(), double(0x80000018u));
    EXPECT_EQ(layout[QStringLiteral("LeblaufCheck")].toBool(), true);
    EXPECT_EQ(layout[QStringLiteral("headingFont")].toObject()[QStringLiteral("height")].toInt(),
              -19);
    EXPECT_EQ(layout[QStringLiteral("RandLEd")].toDouble(), 12.0);
}

TEST_F(Cli, ConvertWritesTheCurrentRevision) {
    QByteArray old = QByteArray::fromHex("FECA0000") + QByteArray(4, '\0');
    write(path("alt.sta"), old);
    CliRun r = cli({QStringLiteral("convert"), path("alt.sta"), path("neu.sta")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    StaReadResult back = loadSta(path("neu.sta"), BoxLayout{});
    ASSERT_TRUE(back.file);
    EXPECT_EQ(back.file->revision, kStaCurrent);
    EXPECT_EQ(back.file->doc.PersonCount(), 0);
}

TEST_F(Cli, ExportBioWritesWhatTheButtonWrites) {
    Document doc;
    TPerson p;
    p.NachName = "Gr\u00FC"
                 "n";
    p.VorName = "Ida";
    p.StDate = "1.1.1950";
    p.Leben = {"eins", ""};
    doc.addPerson(p);
    write(path("b.sta"), serializeSta(doc, BoxLayout{}));
    CliRun r = cli({QStringLiteral("export-bio"), path("b.sta"), path("b.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile out(path("b.txt"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), biographyText(doc));
    EXPECT_EQ(cli({QStringLiteral("export-bio"), path("b.sta")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("export-bio"), path("b.sta"), path("nicht/da.txt")}).exitCode, 1);
}

TEST_F(Cli, ErrorsAndUsage) {
    write(path("kaputt.sta"), QByteArray::fromHex("FCCA000005000000"));
    write(path("fremd.sta"), QByteArray("GIF89a......"));
    CliRun damaged = cli({QStringLiteral("dump"), path("kaputt.sta")});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(kMsgDamaged));
    EXPECT_TRUE(damaged.out.isEmpty());
    CliRun foreign = cli({QStringLiteral("dump"), path("fremd.sta")});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(foreign.err.contains(kMsgNotATree));
    EXPECT_EQ(cli({QStringLiteral("dump"), path("fehlt.sta")}).exitCode, 1);
    EXPECT_EQ(cli({QStringLiteral("convert"), path("fremd.sta"), path("x.sta")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(path("x.sta")));
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("dump")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("zaubern")}).exitCode, 2);

    // A dump that cannot be written whole is no success.
    write(path("gut.sta"), serializeSta(Document{}, BoxLayout{}));
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(LINDWERK_CLI), {QStringLiteral("dump"), path("gut.sta")});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("nicht geschrieben"));

    // A drawing command without its drawing program fails with a message.
    const QString alone = path("lindwerk-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(LINDWERK_CLI), alone));
    QProcess p;
    p.start(alone, {QStringLiteral("render"), path("a.sta"), path("a.png")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("lindwerk-draw"));
}

// Both programs answer --help and --version on stdout and exit, the window
// program without starting its window: here there is no display to start on.
TEST(ProgramOptions, HelpAndVersionNeedNoWindow) {
    for (const char* program : {LINDWERK_CLI, LINDWERK_APP}) {
        for (const char* option : {"--help", "--version"}) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            p.setProcessEnvironment(env);
            p.start(QString::fromUtf8(program), {QString::fromLatin1(option)});
            ASSERT_TRUE(p.waitForFinished(30000)) << program << ' ' << option;
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            EXPECT_EQ(p.exitCode(), 0) << program << ' ' << option;
            if (std::string(option) == "--version")
                EXPECT_TRUE(out.endsWith(QStringLiteral(" " LINDWERK_VERSION "\n")))
                    << out.toStdString();
            else
                EXPECT_TRUE(out.startsWith(QStringLiteral("Aufruf: lindwerk")))
                    << out.toStdString();
        }
    }
    // The window program's own mistakes come after the toolkit took its options.
    for (QStringList args : {QStringList{"a.sta", "b.sta"}, QStringList{"--zaubern"}}) {
        QProcess p;
        p.start(QStringLiteral(LINDWERK_APP), QStringList{"-platform", "offscreen"} + args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardError().contains("Aufruf: lindwerk"));
    }
}
