#include "platform/WavePlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

namespace platform {

namespace {

quint16 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

std::optional<WaveData> parseWave(const QByteArray& file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = dword(file, at + 4);
        const qsizetype body = at + 8;
        if (size > file.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16 || word(file, body) != 1) // 1: PCM
                return std::nullopt;
            const int channels = word(file, body + 2);
            const int rate = static_cast<int>(dword(file, body + 4));
            const int bits = word(file, body + 14);
            if (channels < 1 || rate < 1 || (bits != 8 && bits != 16))
                return std::nullopt;
            QAudioFormat f;
            f.setChannelCount(channels);
            f.setSampleRate(rate);
            f.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            format = f;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            return WaveData{*format, file.mid(body, size)};
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return std::nullopt;
}

WavePlayer::WavePlayer() = default;

WavePlayer::~WavePlayer()
{
    stop();
}

void WavePlayer::play(const QString& path)
{
    stop();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<WaveData> wave = parseWave(file.readAll());
    if (!wave)
        return;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || !output.isFormatSupported(wave->format))
        return;
    m_buffer.setData(wave->samples);
    if (!m_buffer.open(QIODevice::ReadOnly))
        return;
    m_sink = std::make_unique<QAudioSink>(output, wave->format);
    m_sink->start(&m_buffer);
}

void WavePlayer::stop()
{
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    m_buffer.close();
}

} // namespace platform
