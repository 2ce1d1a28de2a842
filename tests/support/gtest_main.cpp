// main() of every test program: an offscreen Qt application whose screen is
// the bench's (1280 x 1024), then GoogleTest.
#include <QApplication>
#include <QTemporaryFile>

#include <gmock/gmock.h>

namespace {

// The offscreen platform takes its screens from a file of its own format.
constexpr char BenchScreen[] = R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

} // namespace

int main(int argc, char** argv)
{
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        if (screens.open() && screens.write(BenchScreen) == qint64(sizeof BenchScreen - 1) && screens.flush())
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
        else
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
