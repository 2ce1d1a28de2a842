#pragma once
// The simulated unit: stands in for a measuring unit in demonstration runs.
// It answers unit frames itself, hands channel frames to its simulated
// channels, and keeps a seconds clock that a one-second timer advances. Replies go out
// through dataReady (or as the result of rxData when asked for at once), so
// that they take the receive path of a real unit's bytes.

#include "platform/Timer.h"
#include "unit/SimUnitPort.h"
#include "unit/SimulatedChannel.h"

#include <QColor>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace unit {

class SimulatedUnit : public SimUnitPort {
    Q_OBJECT
public:
    static constexpr int MaxChannels = 16;
    // How long the unit takes to answer "[F]" with its channel map.
    static constexpr int ChannelSearchMs = 20;
    static QColor idleLamp() { return QColor(192, 192, 192); } // 12632256
    static QColor activeLamp() { return QColor(0, 255, 0); }   // 65280

    explicit SimulatedUnit(QObject* parent = nullptr);
    ~SimulatedUnit() override;

    QString rxData(const QString& data, bool immediate = false) override;
    void setNumOfChannels(qint16 numOfChannels) override;
    void setZamo80(bool zamo80) override { m_zamo80 = zamo80; }
    void setZamo24(bool zamo24) override { m_zamo24 = zamo24; }
    void init() override;

    // The number in channelsEdit; none when the text is not a number.
    std::optional<qint16> numOfChannels() const;
    bool isZamo80() const { return m_zamo80; }
    bool isZamo24() const { return m_zamo24; }
    // The channels that exist now (list position k holds channel k).
    int channelCount() const { return static_cast<int>(m_channels.size()); }
    // The seconds clock.
    qint32 clock() const { return m_clock; }

    // What the panel shows: the text of channelsEdit and the sixteen lamps.
    QString channelsText() const { return m_channelsText; }
    void setChannelsText(const QString& text);
    QColor lampColour(int index) const { return m_lamps.at(static_cast<size_t>(index)); }

signals:
    // The panel's texts or lamps changed.
    void displayChanged();

private:
    QString channelMap() const;
    QString answerChannelFrame(const QString& frame);
    void broadcast(const QString& frame);
    void advanceClock();
    void sendChannelMap();

    std::vector<std::unique_ptr<SimulatedChannel>> m_channels;
    QString m_channelsText = QStringLiteral("1");
    std::array<QColor, MaxChannels> m_lamps;
    bool m_zamo80 = false;
    bool m_zamo24 = false;
    qint32 m_clock = 0;
    platform::Timer m_secondsTimer;
    // A unit takes a moment to look for its channels: the answer to "[F]"
    // arrives after the frame went out, as a real unit's bytes do.
    platform::Timer m_channelSearch;
};

} // namespace unit
