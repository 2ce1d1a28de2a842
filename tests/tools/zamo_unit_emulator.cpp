// Emulated units on pseudo-terminals behind a fake device tree, for running
// the real station against them by hand:
//
//   build/tests/zamo_unit_emulator --model zamo80 --channels 4 --signal-generator
//   ZAMO_DEVICE_ROOT=<the folder it prints> build/kivo_zamo
//
// The first unit is ttyUSB0, a second unit (--second-unit) ttyUSB1, the
// signal generator ttyUSB2 and an unrelated serial device (--decoy)
// ttyUSB3. While it runs, "unplug <n>" and "replug <n>" on standard input
// take ttyUSB<n> away and bring it back; "frames <n>" lists what ttyUSB<n>
// received. It ends on end of input, Ctrl-C or SIGTERM.

#include "support/FakeSerialTree.h"
#include "support/UnitEmulator.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

using testsupport::UnitEmulator;

namespace {

volatile std::sig_atomic_t s_stop = 0;

void stop(int)
{
    s_stop = 1;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: zamo_unit_emulator [--model base|zamo80|zamo24] [--channels 1..16] [--acz OHMS]\n"
                 "                          [--acz-seconds S] [--second-unit] [--signal-generator] [--decoy]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    UnitEmulator::Unit unit;
    double acz = 150;
    bool second = false, generator = false, decoy = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QString value = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        bool ok = true;
        if (arg == "--model") {
            if (value == "base")
                unit.model = UnitEmulator::Model::Base;
            else if (value == "zamo80")
                unit.model = UnitEmulator::Model::Zamo80;
            else if (value == "zamo24")
                unit.model = UnitEmulator::Model::Zamo24;
            else
                return usage();
            ++i;
        } else if (arg == "--channels") {
            unit.channels = value.toInt(&ok);
            ok = ok && unit.channels >= 1 && unit.channels <= 16;
            ++i;
        } else if (arg == "--acz") {
            acz = value.toDouble(&ok);
            ++i;
        } else if (arg == "--acz-seconds") {
            unit.aczSeconds = value.toInt(&ok);
            ++i;
        } else if (arg == "--second-unit") {
            second = true;
        } else if (arg == "--signal-generator") {
            generator = true;
        } else if (arg == "--decoy") {
            decoy = true;
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    unit.acz.fill(acz);

    if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable()) {
        std::fprintf(stderr, "This machine gives no pseudo-terminals\n");
        return 1;
    }
    testsupport::FakeSerialTree tree;
    UnitEmulator units(tree);
    if (!units.addUnit(0, unit) || (second && !units.addUnit(1, unit)) || (generator && !units.addSignalGenerator(2))
        || (decoy && !units.addDecoy(3))) {
        std::fprintf(stderr, "Cannot set up the pseudo-terminals\n");
        return 1;
    }
    std::printf("ZAMO_DEVICE_ROOT=%s\n", qPrintable(tree.root()));
    std::fflush(stdout);

    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::string line;
    while (!s_stop) {
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (::poll(&in, 1, 200) <= 0)
            continue;
        if (!std::getline(std::cin, line))
            break;
        const QStringList words = QString::fromStdString(line).split(' ', Qt::SkipEmptyParts);
        bool ok = false;
        const int n = words.size() == 2 ? words[1].toInt(&ok) : -1;
        if (!ok) {
            std::fprintf(stderr, "commands: unplug <n>, replug <n>, frames <n>\n");
        } else if (words[0] == "unplug") {
            units.unplug(n);
        } else if (words[0] == "replug") {
            units.replug(n);
        } else if (words[0] == "frames") {
            std::printf("%s\n", qPrintable(units.frames(n).join(' ')));
            std::fflush(stdout);
        }
    }
    return 0;
}
