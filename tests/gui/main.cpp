#include "session/FormStorage.h"
#include "session/RecoveryKeeper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every test starts without a settings file, in a configuration folder of
// its own run, so no test sees what another one saved.
class FreshSettingsFile : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        QFile::remove(lw::defaultFormSettingsPath());
        QDir(lw::app::RecoveryKeeper::defaultFolder()).removeRecursively();
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", config.filePath(QStringLiteral("cache")).toLocal8Bit());
    QTemporaryDir data; // recovery copies
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsFile);
    return RUN_ALL_TESTS();
}
