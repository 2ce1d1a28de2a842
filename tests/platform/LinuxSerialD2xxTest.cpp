// The Linux converter driver over real pseudo-terminal pairs laid out in a
// fake device tree.

#include "platform/LinuxSerialD2xx.h"
#include "support/FakeSerialTree.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class LinuxSerialD2xxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable())
            GTEST_SKIP() << "This machine gives no pseudo-terminals";
    }

    // Waits (really: the kernel hands pty data over asynchronously) until
    // the station side sees `n` bytes waiting, or the time is up.
    std::int32_t waitForBytes(platform::FtHandle h, std::int32_t n)
    {
        // Generous, as a loaded machine may be slow to hand the bytes over;
        // only a failing test waits this long.
        std::int32_t waiting = 0;
        QElapsedTimer elapsed;
        elapsed.start();
        while (driver.getQueueStatus(h, &waiting) == FT_OK && waiting < n && elapsed.elapsed() < 10000)
            QThread::msleep(2);
        return waiting;
    }

    testsupport::FakeSerialTree tree;
    platform::LinuxSerialD2xx driver;
};

} // namespace

TEST_F(LinuxSerialD2xxTest, ListsTheConvertersInTheOrderOfTheirNumbersWithTheirDescriptions)
{
    ASSERT_GE(tree.addDevice(10, "Other converter"), 0);
    ASSERT_GE(tree.addDevice(1, "FT232R USB UART-SG"), 0);
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);

    std::int32_t count = -1;
    ASSERT_EQ(driver.listDevicesCount(&count), FT_OK);
    EXPECT_EQ(count, 3);
    QByteArray description;
    ASSERT_EQ(driver.listDeviceDescription(0, &description), FT_OK);
    EXPECT_EQ(description, "FT232R USB UART");
    ASSERT_EQ(driver.listDeviceDescription(1, &description), FT_OK);
    EXPECT_EQ(description, "FT232R USB UART-SG");
    ASSERT_EQ(driver.listDeviceDescription(2, &description), FT_OK);
    EXPECT_EQ(description, "Other converter");
    EXPECT_EQ(driver.listDeviceDescription(3, &description), FT_DEVICE_NOT_FOUND);
    platform::FtHandle h = 0;
    EXPECT_EQ(driver.open(3, &h), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(h, 0);
}

TEST_F(LinuxSerialD2xxTest, NoDeviceTreeMeansNoConverters)
{
    qputenv("ZAMO_DEVICE_ROOT", QFile::encodeName(tree.root() + "/missing"));
    std::int32_t count = -1;
    ASSERT_EQ(driver.listDevicesCount(&count), FT_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(LinuxSerialD2xxTest, OpensConfiguresWritesAndReadsThroughThePort)
{
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
    platform::FtHandle h = 0;
    ASSERT_EQ(driver.open(0, &h), FT_OK);
    EXPECT_NE(h, 0);
    EXPECT_EQ(driver.setLatencyTimer(h, 16), FT_OK);
    EXPECT_EQ(driver.setBaudRate(h, 19200), FT_OK);
    EXPECT_EQ(driver.setBitMode(h, 0, 0), FT_OK);

    std::int32_t waiting = -1;
    ASSERT_EQ(driver.getQueueStatus(h, &waiting), FT_OK);
    EXPECT_EQ(waiting, 0);

    std::int32_t written = 0;
    ASSERT_EQ(driver.write(h, "[*]", &written), FT_OK);
    EXPECT_EQ(written, 3);
    EXPECT_EQ(tree.readMaster(0), "[*]");

    ASSERT_TRUE(tree.writeMaster(0, "[*][8]"));
    EXPECT_EQ(waitForBytes(h, 6), 6);
    QByteArray got;
    std::int32_t read = 0;
    ASSERT_EQ(driver.read(h, &got, 3, &read), FT_OK);
    EXPECT_EQ(read, 3);
    EXPECT_EQ(got, "[*]");
    ASSERT_EQ(driver.read(h, &got, 10, &read), FT_OK); // only what is waiting
    EXPECT_EQ(read, 3);
    EXPECT_EQ(got, "[8]");
    ASSERT_EQ(driver.read(h, &got, 10, &read), FT_OK);
    EXPECT_EQ(read, 0);

    EXPECT_EQ(driver.close(h), FT_OK);
    EXPECT_EQ(driver.close(h), FT_INVALID_HANDLE);
    EXPECT_EQ(driver.getQueueStatus(h, &waiting), FT_INVALID_HANDLE);
}

TEST_F(LinuxSerialD2xxTest, RefusesSettingsThePortCannotTake)
{
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
    platform::FtHandle h = 0;
    ASSERT_EQ(driver.open(0, &h), FT_OK);
    EXPECT_EQ(driver.setBaudRate(h, 12345), FT_INVALID_BAUD_RATE);
    EXPECT_EQ(driver.setBitMode(h, 0xFF, 1), FT_NOT_SUPPORTED);
    EXPECT_EQ(driver.setLatencyTimer(h, 0), FT_INVALID_PARAMETER);
    EXPECT_EQ(driver.setBaudRate(0, 19200), FT_INVALID_HANDLE);
    EXPECT_EQ(driver.write(99, "x", nullptr), FT_INVALID_HANDLE);
}

TEST_F(LinuxSerialD2xxTest, APortOpensForOneUserAtATime)
{
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
    platform::FtHandle first = 0, second = 0;
    ASSERT_EQ(driver.open(0, &first), FT_OK);
    EXPECT_EQ(driver.open(0, &second), FT_DEVICE_NOT_OPENED);
    ASSERT_EQ(driver.close(first), FT_OK);
    EXPECT_EQ(driver.open(0, &second), FT_OK);
}

TEST_F(LinuxSerialD2xxTest, APortInUseIsListedWithoutItsDescriptionUntilItIsFreeAgain)
{
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
    ASSERT_GE(tree.addDevice(1, "FT232R USB UART"), 0);
    const auto descriptions = [this](platform::D2xx& d) {
        QByteArrayList list;
        for (std::int32_t i = 0; i < 2; ++i) {
            QByteArray text = "?";
            EXPECT_EQ(d.listDeviceDescription(i, &text), FT_OK);
            list << text;
        }
        return list;
    };
    const QByteArray unit = "FT232R USB UART";

    // Held by this driver.
    platform::FtHandle mine = 0;
    ASSERT_EQ(driver.open(0, &mine), FT_OK);
    EXPECT_EQ(descriptions(driver), (QByteArrayList{"", unit}));

    // Held by another station as well: both ports are taken, for both.
    platform::LinuxSerialD2xx other;
    platform::FtHandle theirs = 0;
    ASSERT_EQ(other.open(1, &theirs), FT_OK);
    EXPECT_EQ(descriptions(driver), (QByteArrayList{"", ""}));
    EXPECT_EQ(descriptions(other), (QByteArrayList{"", ""}));
    std::int32_t count = 0;
    ASSERT_EQ(driver.listDevicesCount(&count), FT_OK);
    EXPECT_EQ(count, 2);

    ASSERT_EQ(driver.close(mine), FT_OK);
    ASSERT_EQ(other.close(theirs), FT_OK);
    EXPECT_EQ(descriptions(driver), (QByteArrayList{unit, unit}));

    // Locked by a program of another kind, for as long as it runs.
    QProcess locker;
    locker.start("flock", {"--no-fork", tree.root() + "/dev/ttyUSB1", "sleep", "30"});
    if (!locker.waitForStarted(5000))
        GTEST_SKIP() << "No flock program on this machine";
    QElapsedTimer elapsed;
    elapsed.start();
    while (descriptions(driver).at(1) == unit && elapsed.elapsed() < 10000)
        QThread::msleep(5);
    EXPECT_EQ(descriptions(driver), (QByteArrayList{unit, ""}));
    EXPECT_EQ(driver.open(1, &mine), FT_DEVICE_NOT_OPENED);
    locker.kill();
    locker.waitForFinished(5000);
    EXPECT_EQ(descriptions(driver), (QByteArrayList{unit, unit}));
}

TEST_F(LinuxSerialD2xxTest, ADeviceThatWentAwayAnswersWithAnIoErrorAndCanBeReopened)
{
    ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
    platform::FtHandle h = 0;
    ASSERT_EQ(driver.open(0, &h), FT_OK);
    tree.closeMaster(0);

    std::int32_t waiting = 0;
    EXPECT_EQ(driver.getQueueStatus(h, &waiting), FT_IO_ERROR);
    QByteArray got;
    std::int32_t read = 0;
    EXPECT_EQ(driver.read(h, &got, 3, &read), FT_IO_ERROR);
    std::int32_t written = 0;
    EXPECT_EQ(driver.write(h, "[*]", &written), FT_IO_ERROR);
    EXPECT_EQ(driver.close(h), FT_OK);

    ASSERT_GE(tree.replug(0), 0);
    ASSERT_EQ(driver.open(0, &h), FT_OK);
    ASSERT_EQ(driver.write(h, "[*]", &written), FT_OK);
    EXPECT_EQ(tree.readMaster(0), "[*]");
}

TEST_F(LinuxSerialD2xxTest, TheProgramsUseTheLinuxDriverByDefault)
{
    EXPECT_NE(dynamic_cast<platform::LinuxSerialD2xx*>(&platform::D2xx::instance()), nullptr);
}
