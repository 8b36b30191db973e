#pragma once
#include "core.h"
#include "editor.h"
#include "gameobject.h"
#include "graphics.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "recordingsystem.h"
#include "startup.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

// What a system heard: the message's name and sender and the object it was about (null for other payloads).
struct HeardMessage
{
    std::string name;
    SystemId sender;
    GameObject* object;
};

// The engine's Graphics and Editor with recording stand-ins for the other systems, the message queue and an
// object factory whose root is a scratch folder, as the program sets them up.
class FactoryWorld : public ::testing::Test
{
protected:
    // Makes a system in place of the stand-in, or gives null to keep it.
    using SystemMaker = std::function<std::unique_ptr<System>(SystemId)>;

    explicit FactoryWorld(SystemMaker replace = {})
        : replace_(std::move(replace)), core([this](SystemId id) { return MakeSystem(id); }),
          messaging(core.MessageReceivers()),
          factory(scratch_.Folder())
    {
    }

    Graphics& graphics() { return *core.GetGraphics(); }
    Editor& editor() { return *core.GetEditor(); }

    // Copies the fixture asset tree into the root.
    void CopyFixtures()
    {
        std::filesystem::copy(std::string(NEKTARU_TEST_DATA) + "/objectfactory/Assets", scratch_.Path() / "Assets",
                              std::filesystem::copy_options::recursive);
    }
    // Every file of the folder, in name order, as the start-up loads them.
    void LoadPrefabs(const std::string& folder)
    {
        for (const std::string& prefab : ListFolderFiles(folder))
            factory.LoadPrefabFile(prefab);
    }
    std::string Root() const { return factory.GetRootFolder(); }
    static std::string Fixture(const std::string& relative)
    {
        return std::string(NEKTARU_TEST_DATA) + "/objectfactory/" + relative;
    }
    static std::string ReadText(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string WriteText(const std::string& relative, const std::string& text)
    {
        const std::filesystem::path path = scratch_.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    // Delivers the queue and gives what Logic heard since the last call.
    std::vector<HeardMessage> Delivered()
    {
        messaging.Update();
        return TakeHeard();
    }
    std::vector<HeardMessage> TakeHeard() { return std::exchange(heard_, {}); }
    // Runs as Logic hears each message, as a script's handler would.
    std::function<void(const HeardMessage&)> onHeard;
    std::vector<std::string> HeardNames()
    {
        std::vector<std::string> names;
        for (const HeardMessage& message : Delivered())
            names.push_back(message.name);
        return names;
    }

private:
    std::unique_ptr<System> MakeSystem(SystemId id)
    {
        if (std::unique_ptr<System> replaced = replace_ ? replace_(id) : nullptr)
            return replaced;
        if (id == SystemId::Graphics)
            return std::make_unique<Graphics>(nullptr, 1280, 800);
        if (id == SystemId::Editor)
            return std::make_unique<Editor>();
        auto system = std::make_unique<RecordingSystem>(id, log_);
        if (id == SystemId::Logic)
            system->onMessage = [this](const BaseMessage& message) {
                const auto* object = PayloadOf<GameObject*>(message);
                heard_.push_back({std::string(message.name.View()), message.sender, object ? *object : nullptr});
                if (onHeard)
                    onHeard(heard_.back());
            };
        return system;
    }
    SystemMaker replace_;
    // A folder of its own, so test runs side by side never share one.
    TempFolder scratch_;
    std::vector<std::string> log_;
    std::vector<HeardMessage> heard_;

protected:
    Core core;
    MessagingSystem messaging;
    ObjectFactory factory;
};
