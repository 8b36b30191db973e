#pragma once
#include "core.h"
#include "editor.h"
#include "gameobject.h"
#include "graphics.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "recordingsystem.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
    FactoryWorld()
        : scratch_(std::filesystem::temp_directory_path() /
                   (std::string("nektaru-factory-") +
                    ::testing::UnitTest::GetInstance()->current_test_suite()->name() + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          core([this](SystemId id) { return MakeSystem(id); }), messaging(core.MessageReceivers()),
          factory(PrepareRoot())
    {
    }
    ~FactoryWorld() override { std::filesystem::remove_all(scratch_); }

    Graphics& graphics() { return *core.GetGraphics(); }
    Editor& editor() { return *core.GetEditor(); }

    // Copies the fixture asset tree into the root.
    void CopyFixtures()
    {
        std::filesystem::copy(std::string(NEKTARU_TEST_DATA) + "/objectfactory/Assets", scratch_ / "Assets",
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
        const std::filesystem::path path = scratch_ / relative;
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
        if (id == SystemId::Graphics)
            return std::make_unique<Graphics>(1280, 800);
        if (id == SystemId::Editor)
            return std::make_unique<Editor>();
        auto system = std::make_unique<RecordingSystem>(id, log_);
        if (id == SystemId::Logic)
            system->onMessage = [this](const BaseMessage& message) {
                const auto* object = PayloadOf<GameObject*>(message);
                heard_.push_back({std::string(message.name.View()), message.sender, object ? *object : nullptr});
            };
        return system;
    }
    std::string PrepareRoot()
    {
        std::filesystem::remove_all(scratch_);
        std::filesystem::create_directories(scratch_);
        return scratch_.string() + "/";
    }

    std::filesystem::path scratch_;
    std::vector<std::string> log_;
    std::vector<HeardMessage> heard_;

protected:
    Core core;
    MessagingSystem messaging;
    ObjectFactory factory;
};
