// Tests of the QSettings store against a real INI file in a temporary config folder.
#include "platform/ui/qt_settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace kubrix {
namespace {

class QtSettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(configHome_.isValid());
        hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        // QSettings finds the per-user folder from XDG_CONFIG_HOME only once per process. The
        // first test of a process (under CTest, every test) relies on that, which proves where
        // the file really lives; later ones name their folder so that each keeps its own.
        static bool folderResolved = false;
        if (folderResolved)
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome_.path());
        folderResolved = true;
    }

    void TearDown() override
    {
        if (hadConfigHome_)
            qputenv("XDG_CONFIG_HOME", savedConfigHome_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString iniPath() const { return configHome_.path() + QStringLiteral("/Kubrix/Kubrix.ini"); }

    // Plants a file as a user's editor (or a damaged disk) would leave it.
    void writeIni(const QByteArray& bytes) const
    {
        ASSERT_TRUE(QDir(configHome_.path()).mkpath(QStringLiteral("Kubrix")));
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir configHome_;
    bool hadConfigHome_ = false;
    QByteArray savedConfigHome_;
};

TEST_F(QtSettingsStoreTest, AbsentValuesGiveTheDefaults)
{
    const QtSettingsStore store;
    EXPECT_EQ(store.readInt("Startup", "Quality", 1), 1);
    EXPECT_EQ(store.readInt("User", "iupdate", -1), -1);
    EXPECT_EQ(store.readText("Startup", "wscale", "0,0,600,600"), "0,0,600,600");
    EXPECT_EQ(store.readText("Startup", "N0", ""), "");
    EXPECT_FALSE(QFile::exists(iniPath())) << "reading must not create the file";
}

TEST_F(QtSettingsStoreTest, ValuesReachTheFileAtOnceAndReadBackInANewStore)
{
    {
        QtSettingsStore store;
        store.writeInt("Startup", "Quality", 2);
        store.writeInt("User", "stst", -7);
        store.writeInt("User", "stwon", INT32_MAX);
        store.writeText("Startup", "N1", "Zoë Åström 雪");
        store.writeText("Startup", "wscale", "0,0,600,600");
        // Written values read back in the same store too, as numbers and as text.
        EXPECT_EQ(store.readInt("Startup", "Quality", 1), 2);
        EXPECT_EQ(store.readText("Startup", "Quality", ""), "2");

        // Synced on every write: the file holds the values while the store still lives.
        const QByteArray ini = readIni();
        EXPECT_TRUE(ini.contains("[Startup]")) << ini.constData();
        EXPECT_TRUE(ini.contains("[User]")) << ini.constData();
        EXPECT_TRUE(ini.contains("Quality=2")) << ini.constData();
        EXPECT_TRUE(ini.contains("stst=-7")) << ini.constData();
    }
    const QtSettingsStore reopened;
    EXPECT_EQ(reopened.readInt("Startup", "Quality", 1), 2);
    EXPECT_EQ(reopened.readInt("User", "stst", 0), -7);
    EXPECT_EQ(reopened.readInt("User", "stwon", 0), INT32_MAX);
    EXPECT_EQ(reopened.readText("Startup", "N1", ""), "Zoë Åström 雪");
    EXPECT_EQ(reopened.readText("Startup", "wscale", "none"), "0,0,600,600");
    // Sections keep their keys apart.
    EXPECT_EQ(reopened.readInt("User", "Quality", 5), 5);
}

TEST_F(QtSettingsStoreTest, HandWrittenValuesWithCommasStayText)
{
    writeIni("[Startup]\n"
             "wscale=0,0,600,600\n"
             "N0=Ann, Bob\n"
             "nm=6,7\n"
             "[User]\n"
             "iupdate=-1\n"
             "stwon=  42 \n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readText("Startup", "wscale", "x"), "0,0,600,600");
    EXPECT_EQ(store.readText("Startup", "N0", "x"), "Ann,Bob");
    // A list is never an integer.
    EXPECT_EQ(store.readInt("Startup", "nm", 6), 6);
    EXPECT_EQ(store.readInt("User", "iupdate", 0), -1);
    EXPECT_EQ(store.readInt("User", "stwon", 0), 42);
}

TEST_F(QtSettingsStoreTest, DamagedValuesGiveTheDefaults)
{
    writeIni("[Startup]\n"
             "Quality=abc\n"
             "x=12x\n"
             "y=99999999999\n"
             "z=-99999999999\n"
             "nm=\n"
             "wscale=@Rect(1 2 3 4)\n"
             "N2=@ByteArray(Bob)\n"
             "[User]\n"
             "stst=-2147483648\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readInt("Startup", "Quality", 1), 1);
    EXPECT_EQ(store.readInt("Startup", "x", 4), 4);
    EXPECT_EQ(store.readInt("Startup", "y", 4), 4);
    EXPECT_EQ(store.readInt("Startup", "z", 4), 4);
    EXPECT_EQ(store.readInt("Startup", "nm", 6), 6);
    EXPECT_EQ(store.readText("Startup", "wscale", "0,0,600,600"), "0,0,600,600");
    EXPECT_EQ(store.readText("Startup", "N2", "none"), "none");
    EXPECT_EQ(store.readInt("User", "stst", 0), INT32_MIN);
}

TEST_F(QtSettingsStoreTest, AGarbageFileGivesTheDefaultsAndStaysUsable)
{
    QByteArray garbage;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.append(static_cast<char>(seed >> 24));
    }
    garbage.append("\n[Startup\n=\n\\\n\"unclosed\n@Variant(\x01\x02)\n");
    writeIni(garbage);

    QtSettingsStore store;
    EXPECT_EQ(store.readInt("Startup", "Quality", 1), 1);
    EXPECT_EQ(store.readInt("User", "stwon", 0), 0);
    EXPECT_EQ(store.readText("Startup", "wscale", "0,0,600,600"), "0,0,600,600");
    EXPECT_EQ(store.readText("Startup", "Skin4", ""), "");
    store.writeInt("Startup", "Quality", 0);
    store.writeText("Startup", "Skin4", "night.kbs");
    EXPECT_EQ(store.readInt("Startup", "Quality", 1), 0);
    EXPECT_EQ(store.readText("Startup", "Skin4", ""), "night.kbs");
}

} // namespace
} // namespace kubrix
