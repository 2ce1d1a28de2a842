#pragma once
// Plays embedded PCM wave files on the default sound output, one at a time:
// a new sound stops the one playing. Without a sound output, or for a file
// that is not a PCM wave file, it stays silent; that is never an error.
//
// The samples go straight to an audio sink, so no loader thread of the
// multimedia library is left running when the program ends (such a thread,
// caught in the middle of a load, kept the program from exiting).

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QAudioSink;

namespace platform {

// The format and the samples of a PCM wave file (8-bit unsigned or 16-bit
// signed, any channel count and rate).
struct WaveData {
    QAudioFormat format;
    QByteArray samples;
};

// Reads the "fmt " and "data" chunks of a RIFF wave file; nothing for a file
// that is cut short or holds another encoding.
std::optional<WaveData> parseWave(const QByteArray& file);

class WavePlayer {
public:
    WavePlayer();
    ~WavePlayer();
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Plays the wave file at `path` (a resource path such as ":/WAVE/102").
    void play(const QString& path);
    void stop();

private:
    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_buffer;
};

} // namespace platform
