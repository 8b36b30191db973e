// Loading 200 generated sounds through the audio system's asynchronous tasks against decoding them one after
// another on one thread, and the audio layer's update with every one of its 256 voices playing.
#include "audiosystem.h"
#include "platform/audioengine.h"
#include "tempfolder.h"
#include "wavfile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kSounds = 200;
constexpr int kRate = 44100;
constexpr const char* kFolders[] = {"BGM", "SFX", "Voiceovers"};

// A second of a tone per file, spread over the three folders.
class SoundTree
{
public:
    SoundTree()
    {
        for (const char* folder : kFolders)
            std::filesystem::create_directories(root_.Path() / "Assets/Audio" / folder);
        for (int index = 0; index < kSounds; ++index)
        {
            std::vector<float> tone(kRate);
            for (std::size_t frame = 0; frame < tone.size(); ++frame)
                tone[frame] = 0.5f * std::sin(static_cast<float>(frame) * 0.01f * static_cast<float>(index + 1));
            const std::string path =
                root_.Folder() + "Assets/Audio/" + kFolders[index % 3] + "/tone" + std::to_string(index) + ".wav";
            WriteWav(path, 1, kRate, tone);
            paths_.push_back(path);
        }
    }
    std::string Root() const { return root_.Folder(); }
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    TempFolder root_;
    std::vector<std::string> paths_;
};

double SecondsOf(auto&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LoadSounds_AsyncTasks_vs_OneThread(benchmark::State& state)
{
    static const SoundTree tree;
    double ours = 0.0, reference = 0.0;
    for (auto _ : state)
    {
        std::unique_ptr<AudioSystem> audio;
        ours += SecondsOf([&] {
            audio = std::make_unique<AudioSystem>(tree.Root(), kRate);
            for (std::future<void>& task : audio->GetLoadTasks())
                task.get();
        });
        benchmark::DoNotOptimize(audio->GetSounds().size());
        audio.reset();
        std::unique_ptr<platform::AudioEngine> engine;
        std::vector<std::unique_ptr<platform::Sound>> sounds;
        reference += SecondsOf([&] {
            engine = std::make_unique<platform::AudioEngine>(platform::AudioEngine::Loopback{kRate});
            for (const std::string& path : tree.Paths())
                sounds.push_back(engine->CreateSound(path, platform::SoundSpace::Flat));
        });
        benchmark::DoNotOptimize(sounds.size());
        sounds.clear();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["async_ms"] = ours / iterations * 1e3;
    state.counters["one_thread_ms"] = reference / iterations * 1e3;
    state.counters["ratio"] = ours / reference;
}
BENCHMARK(BM_LoadSounds_AsyncTasks_vs_OneThread)->Unit(benchmark::kMillisecond)->Iterations(5);

// Every voice plays a looping sound; with a fade under way (range 1) each update also sets every gain. Nothing
// renders, so the voices never end.
void BM_LayerUpdate_256Voices(benchmark::State& state)
{
    TempFolder folder;
    WriteLevelWav(folder.Folder() + "level.wav", kRate, kRate);
    platform::AudioEngine engine(platform::AudioEngine::Loopback{kRate});
    const auto sound = engine.CreateSound(folder.Folder() + "level.wav", platform::SoundSpace::Positional);
    const platform::GroupId group = engine.CreateGroup();
    for (std::size_t voice = 0; voice < platform::AudioEngine::kVoiceCount; ++voice)
    {
        const platform::ChannelHandle channel = engine.Play(*sound, group, platform::LoopMode::Forever, false);
        if (state.range(0))
        {
            engine.AddFadePoint(channel, 0, 1.0f);
            engine.AddFadePoint(channel, 1u << 30, 0.0f);
        }
    }
    for (auto _ : state)
        engine.Update();
    state.SetLabel(state.range(0) ? "fading" : "steady");
}
BENCHMARK(BM_LayerUpdate_256Voices)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
} // namespace
