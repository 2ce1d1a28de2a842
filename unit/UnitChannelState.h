#pragma once
// What the station knows of one measuring unit between its replies: the
// model its open sequence detected, the lid, the last diagnostics report
// and the 16 channel records (presence, identity, last readings, pace
// settings). It is plain state: it sends nothing, raises no event and
// writes no log line. A channel outside 0..15 has no record (nullptr) and
// reads as absent.

#include "unit/ChannelRecord.h"
#include "unit/UnitDiagnostics.h"
#include "unit/UnitModel.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>
#include <memory>

namespace unit {

class UnitChannelState {
public:
    static constexpr int channelCount = 16;

    UnitChannelState();

    UnitModel model() const { return m_model; }
    void setModel(UnitModel model) { m_model = model; }

    bool lidClosed() const { return m_lidClosed; }
    void setLidClosed(bool closed) { m_lidClosed = closed; }

    // The last diagnostics report; its lid flag becomes the lid's state.
    const UnitDiagnostics& diagnostics() const { return m_diagnostics; }
    void setDiagnostics(const UnitDiagnostics& diagnostics);
    // The report as the results store it: entries 1..9 (entry 0 unused).
    QStringList diagnosticTexts() const;

    // The record of a channel, nullptr outside 0..15.
    ChannelRecord* channel(int channel) const;
    bool channelPresent(int channel) const;
    std::array<bool, channelCount> presentChannels() const;
    // A channel map: '1' marks a present channel, channel 0 first; channels
    // beyond the map's end are absent.
    void setPresentChannels(QStringView map);
    // The present channels as the status shows them ("A1-D1.F1" for unit 1).
    QString channelList(qint16 unitNumber) const;
    // The 16 records themselves (shared with whoever keeps them).
    QVector<std::shared_ptr<ChannelRecord>> records() const;

    void clearLastMeasurements();

private:
    UnitModel m_model = UnitModel::Base;
    bool m_lidClosed = false;
    UnitDiagnostics m_diagnostics;
    std::array<std::shared_ptr<ChannelRecord>, channelCount> m_channels;
};

} // namespace unit
