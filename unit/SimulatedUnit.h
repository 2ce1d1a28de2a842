#pragma once
// The simulated unit: stands in for a measuring unit in demonstration runs.
// It answers unit frames itself, hands channel frames to its simulated
// channels, and keeps a seconds clock that Timer1 advances. Replies go out
// through DataReady (or as the result of RXData when asked for at once), so
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

class ctlSimUnit : public SimUnitPort {
    Q_OBJECT
public:
    static constexpr int MaxChannels = 16;
    // How long the unit takes to answer "[F]" with its channel map.
    static constexpr int ChannelSearchMs = 20;
    static QColor IdleLamp() { return QColor(192, 192, 192); }    // 12632256
    static QColor ActiveLamp() { return QColor(0, 255, 0); }      // 65280

    explicit ctlSimUnit(QObject* parent = nullptr);
    ~ctlSimUnit() override;

    QString RXData(const QString& pData, bool pImmediate = false) override;
    void SetNumOfChannels(qint16 vNumOfChannels) override;
    void SetZamo80(bool vZamo80) override { m_Zamo80 = vZamo80; }
    void SetZamo24(bool vZamo24) override { m_Zamo24 = vZamo24; }
    void Init() override;

    // The number in txtChannels; none when the text is not a number.
    std::optional<qint16> NumOfChannels() const;
    bool Zamo80() const { return m_Zamo80; }
    bool Zamo24() const { return m_Zamo24; }
    // The channels that exist now (list position k holds channel k).
    int ChannelCount() const { return static_cast<int>(Channels.size()); }
    // The seconds clock.
    qint32 Clock() const { return m_Clock; }

    // What the panel shows: the text of txtChannels and the sixteen lamps.
    QString ChannelsText() const { return m_ChannelsText; }
    void SetChannelsText(const QString& text);
    QColor LampColour(int index) const { return m_Lamps.at(static_cast<size_t>(index)); }

signals:
    // The panel's texts or lamps changed.
    void DisplayChanged();

private:
    QString ChannelMap() const;
    QString AnswerChannelFrame(const QString& frame);
    void Broadcast(const QString& frame);
    void OnTimer1();
    void SendChannelMap();

    std::vector<std::unique_ptr<clsSimChannel>> Channels;
    QString m_ChannelsText = QStringLiteral("1");
    std::array<QColor, MaxChannels> m_Lamps;
    bool m_Zamo80 = false;
    bool m_Zamo24 = false;
    qint32 m_Clock = 0;
    platform::Timer Timer1;
    // A unit takes a moment to look for its channels: the answer to "[F]"
    // arrives after the frame went out, as a real unit's bytes do.
    platform::Timer ChannelSearch;
};
