#pragma once
// Writes small 16-bit PCM WAV files, so audio tests and benchmarks make the sounds they play.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline void PutLittleEndian(std::ofstream& file, std::uint32_t value, int bytes)
{
    for (int byte = 0; byte < bytes; ++byte)
        file.put(static_cast<char>((value >> (8 * byte)) & 0xFF));
}

inline void WriteWavHeader(std::ofstream& file, int channels, int rate, std::uint32_t dataBytes)
{
    const auto put = [&file](std::uint32_t value, int bytes) { PutLittleEndian(file, value, bytes); };
    file.write("RIFF", 4);
    put(36 + dataBytes, 4);
    file.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2); // PCM
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * channels * 2), 4);
    put(static_cast<std::uint32_t>(channels * 2), 2);
    put(16, 2);
    file.write("data", 4);
    put(dataBytes, 4);
}

// Interleaved samples in -1..1.
inline void WriteWav(const std::string& path, int channels, int rate, const std::vector<float>& samples)
{
    std::ofstream file(path, std::ios::binary);
    WriteWavHeader(file, channels, rate, static_cast<std::uint32_t>(samples.size() * 2));
    for (float sample : samples)
        PutLittleEndian(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample * 32767.0f))), 2);
}

// Silence of any length in no time and no disk: the samples are a hole in a sparse file.
inline void WriteSilentWav(const std::string& path, int channels, int rate, std::uint32_t frames)
{
    const std::uint32_t dataBytes = frames * static_cast<std::uint32_t>(channels) * 2;
    {
        std::ofstream file(path, std::ios::binary);
        WriteWavHeader(file, channels, rate, dataBytes);
    }
    std::filesystem::resize_file(path, std::filesystem::file_size(path) + dataBytes);
}

// A mono sound holding one level for the given number of frames: its gain is what a render shows.
inline void WriteLevelWav(const std::string& path, int rate, int frames, float level = 0.5f)
{
    WriteWav(path, 1, rate, std::vector<float>(static_cast<std::size_t>(frames), level));
}
