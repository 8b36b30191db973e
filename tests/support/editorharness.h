#pragma once
// The editor as `--editor` starts it, in this process, on an X display of its own: the main window, Core in
// editor mode, the build's assets, the object factory and the message queue, and a fixture level. Dear
// ImGui's SDL back end reads the pointer and the buttons from the X server, so events pushed into SDL would
// neither move the pointer nor hold a button: the harness drives them through XTest instead. Its own display
// keeps its clicks away from the windows of the tests running beside it.
#include "audiosystem.h"
#include "core.h"
#include "editor.h"
#include "graphics.h"
#include "mainwindow.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "privatedisplay.h"
#include "resourcemanager.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>

class EditorHarness : public ::testing::Test
{
protected:
    static constexpr unsigned kLeftButton = 1;

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs X (the test command runs under Xvfb)";
        // One per process: closing them would unload the GL driver, whose caches the leak check then reports.
        static PrivateDisplay* const display = new PrivateDisplay;
        ASSERT_TRUE(display->IsOpen()) << "Xvfb did not start";
        display_ = display;
        setenv("DISPLAY", display->Name().c_str(), 1);
        static MainWindow* const mainWindow = new MainWindow;
        if (!mainWindow->window)
        {
            ASSERT_TRUE(CreateMainWindow(*mainWindow, "Nektaru editor test")) << mainWindow->window->Error();
        }
        WriteFixtureLevel();

        testing::internal::CaptureStdout();
        auto resources = std::make_unique<ResourceManager>(NEKTARU_ASSETS_ROOT);
        ResourceManager& loaded = *resources;
        core_ = std::make_unique<Core>(*mainWindow->window);
        core_->GetGraphics()->SetResourceManager(std::move(resources));
        mainWindow->window->SetEventHandler(
            [this](const platform::Event& event) { WindowProc(*gMainWindow, *core_, event); });
        mainWindow->window->Show();
        loaded.LoadAllResources();
        core_->SetEditorMode(true);
        core_->SetTargetFrameRate(Core::kDefaultFrameRate);
        factory_ = std::make_unique<ObjectFactory>(root_.Folder());
        messaging_ = std::make_unique<MessagingSystem>(core_->MessageReceivers());
        core_->Init();
        // The window states of another test (a collapsed Scene) must not carry over through the working folder.
        ImGui::GetIO().IniFilename = nullptr;
        factory_->LoadLevelFile(root_.Folder() + "Assets/XML/EditorFixture.xml", true);
        core_->WaitForLoading(core_->GetAudio()->GetLoadTasks(), loaded.modelTasks, [&loaded] { loaded.ProcessModels(); });
        testing::internal::GetCapturedStdout();
        core_->ResetFrameTimer();
        Frames(5);
    }

    void TearDown() override
    {
        messaging_.reset();
        factory_.reset();
        core_.reset();
    }

    Editor& editor() { return *core_->GetEditor(); }
    Graphics& graphics() { return *core_->GetGraphics(); }
    GameObject& Object(const std::string& name) { return *factory_->FindObject(name); }
    bool IsLive(const std::string& name) const { return factory_->FindObject(name) != nullptr; }

    // Frames as the main loop runs them, with a moment between them for the X server's events to arrive.
    void Frames(int count)
    {
        for (int frame = 0; frame < count; ++frame)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            core_->PumpMessages();
            core_->Frame();
        }
    }
    // Points at the screen position and lets the editor see it there.
    void PointAt(const std::pair<int, int>& point)
    {
        display_->MoveTo(point.first, point.second);
        Frames(3);
    }
    // Points at the screen position, then presses and releases the button.
    void ClickAt(const std::pair<int, int>& point, unsigned button = kLeftButton)
    {
        PointAt(point);
        display_->Button(button, true);
        Frames(2);
        display_->Button(button, false);
        Frames(2);
    }
    // Moves there and presses at once, before the editor sees a frame with the pointer there (a quick hand, or
    // the first click after the window gets the pointer back); lets go two frames later.
    void MoveAndClickAt(const std::pair<int, int>& point)
    {
        display_->MoveTo(point.first, point.second);
        display_->Button(kLeftButton, true);
        // Both reach the window before its next frame.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Frames(2);
        display_->Button(kLeftButton, false);
        Frames(2);
    }
    // Presses the button at from, moves to to in steps, a frame each, and lets go there.
    void DragFromTo(const std::pair<int, int>& from, const std::pair<int, int>& to, int steps = 4)
    {
        display_->MoveTo(from.first, from.second);
        Frames(3);
        display_->Button(kLeftButton, true);
        Frames(2);
        for (int step = 1; step <= steps; ++step)
        {
            display_->MoveTo(from.first + (to.first - from.first) * step / steps,
                             from.second + (to.second - from.second) * step / steps);
            Frames(2);
        }
        display_->Button(kLeftButton, false);
        Frames(2);
    }
    // A key by its X name, held or let go until told otherwise.
    void HoldKey(const char* key, bool down)
    {
        display_->Key(key, down);
        Frames(2);
    }
    // Keys by their X names, held down together for two frames.
    void PressKeys(std::initializer_list<const char*> keys)
    {
        for (const char* key : keys)
            display_->Key(key, true);
        Frames(2);
        for (const char* key : keys)
            display_->Key(key, false);
        Frames(2);
    }
    // Where a world point shows in the scene picture, on the screen (the window fills it).
    std::pair<int, int> ScreenOf(const Vector3& point)
    {
        const Vector4 clip =
            graphics().GetEditorProjection() * (graphics().GetEditorView() * Vector4(point.x, point.y, point.z, 1.0f));
        const PanelRect& image = editor().SceneImage();
        return {static_cast<int>(image.x + (clip.x / clip.w + 1.0f) / 2.0f * image.width),
                static_cast<int>(image.y + (1.0f - clip.y / clip.w) / 2.0f * image.height)};
    }

private:
    // A cube on the left and a camera on the right, both in the editor camera's start view.
    void WriteFixtureLevel()
    {
        root_.Write("Assets/XML/EditorFixture.xml",
                    "<Objects>\n"
                    "\t<Object>\n\t\t<Name>Cube</Name>\n\t\t<PrefabID>0</PrefabID>\n\t\t<ID>11</ID>\n"
                    "\t\t<ParentID>0</ParentID>\n\t\t<Components>\n"
                    "\t\t\t<Transform>\n\t\t\t\t<Position>-2, 2, 0</Position>\n\t\t\t\t<Scale>2, 2, 2</Scale>\n"
                    "\t\t\t</Transform>\n"
                    "\t\t\t<MeshFilter>\n\t\t\t\t<Mesh>Cube</Mesh>\n\t\t\t</MeshFilter>\n"
                    "\t\t\t<MeshRenderer>\n\t\t\t\t<Material>\n\t\t\t\t\t<Material0>Cube</Material0>\n"
                    "\t\t\t\t</Material>\n\t\t\t</MeshRenderer>\n"
                    "\t\t</Components>\n\t</Object>\n"
                    "\t<Object>\n\t\t<Name>Camera</Name>\n\t\t<PrefabID>0</PrefabID>\n\t\t<ID>12</ID>\n"
                    "\t\t<ParentID>0</ParentID>\n\t\t<Components>\n"
                    "\t\t\t<Transform>\n\t\t\t\t<Position>3, 2, 0</Position>\n\t\t\t</Transform>\n"
                    "\t\t\t<Camera>\n\t\t\t\t<FOV>60</FOV>\n\t\t\t</Camera>\n"
                    "\t\t</Components>\n\t</Object>\n"
                    "</Objects>\n");
    }

    TempFolder root_;
    const PrivateDisplay* display_ = nullptr;
    std::unique_ptr<Core> core_;
    std::unique_ptr<ObjectFactory> factory_;
    std::unique_ptr<MessagingSystem> messaging_;
};
