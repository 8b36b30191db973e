#pragma once
// Drives the editor's GUI frames without a window, as keyboard navigation would: a widget is reached by the
// path of labels to it (window, tree nodes, the widget), activated, typed into and confirmed with Enter.
#include "editor.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>
#include <string>

class GuiDriver
{
public:
    static constexpr int kEnterKey = 13;

    // One frame first, so that the editor's GUI context is current and its windows exist. The display is tall,
    // so that nothing the tests reach is clipped away.
    explicit GuiDriver(Editor& editor) : editor_(editor)
    {
        editor_.Update();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(1280.0f, 3000.0f);
        io.KeyMap[ImGuiKey_Enter] = kEnterKey;
        Frame();
    }
    GuiDriver(const GuiDriver&) = delete;
    GuiDriver& operator=(const GuiDriver&) = delete;

    // The letters, digits and signs the last frame drew, window after window, in drawing order: read back from
    // the glyphs of the default font in the draw lists. Blanks draw nothing, so they are not there.
    static std::string Text()
    {
        const ImFont& font = *ImGui::GetIO().Fonts->Fonts[0];
        std::map<std::pair<float, float>, const ImFontGlyph*> glyphs;
        for (ImWchar c = 33; c < 127; ++c)
            if (const ImFontGlyph* glyph = font.FindGlyphNoFallback(c); glyph && glyph->Visible)
                glyphs[{glyph->U0, glyph->V0}] = glyph;
        std::string text;
        const ImDrawData* data = ImGui::GetDrawData();
        for (int list = 0; data && list < data->CmdListsCount; ++list)
        {
            const ImVector<ImDrawVert>& vertices = data->CmdLists[list]->VtxBuffer;
            for (int v = 0; v + 1 < vertices.Size; ++v)
            {
                const auto found = glyphs.find({vertices[v].uv.x, vertices[v].uv.y});
                if (found == glyphs.end() || vertices[v + 1].uv.x != found->second->U1 ||
                    vertices[v + 1].uv.y != found->second->V0)
                    continue;
                text += static_cast<char>(found->second->Codepoint);
                v += 3;
            }
            text += '\n';
        }
        return text;
    }
    // Whether the last frame drew the text, blanks aside.
    static bool Shows(std::string text)
    {
        std::erase(text, ' ');
        return Text().find(text) != std::string::npos;
    }

    void Frame(int count = 1)
    {
        for (int frame = 0; frame < count; ++frame)
            editor_.Update();
    }

    // The id of the last label, under the window and the labels (tree nodes, headers) before it.
    static ImGuiID Id(std::initializer_list<const char*> path)
    {
        ImGuiID id = 0;
        for (const char* label : path)
            id = ImHashStr(label, 0, id);
        return id;
    }

    // The id of an image button showing that GL texture, under the window and the labels before it.
    static ImGuiID ImageButtonId(std::initializer_list<const char*> path, unsigned texture)
    {
        const void* pointer = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(texture));
        return ImHashStr("#image", 0, ImHashData(&pointer, sizeof pointer, Id(path)));
    }

    // Opens a tree node or collapsing header from the next frame on.
    void Open(std::initializer_list<const char*> path)
    {
        ImGuiWindow* window = ImGui::FindWindowByName(*path.begin());
        ASSERT_NE(window, nullptr) << *path.begin();
        window->StateStorage.SetInt(Id(path), 1);
    }

    // A button, checkbox or tree node pressed once.
    void Press(std::initializer_list<const char*> path) { Press(Id(path)); }
    void Press(ImGuiID id)
    {
        Activate(id, ImGuiActivateFlags_None);
        Frame(2);
    }

    // Types into a text or number field; with enter the field is confirmed, without it the field is left.
    void Type(std::initializer_list<const char*> path, const std::string& text, bool enter = true)
    {
        Type(Id(path), text, enter);
    }
    void Type(ImGuiID id, const std::string& text, bool enter = true)
    {
        Activate(id, ImGuiActivateFlags_PreferInput);
        Frame();
        ImGui::GetIO().AddInputCharactersUTF8(text.c_str());
        Frame();
        if (enter)
            PressEnter();
        else
        {
            ImGui::ClearActiveID();
            Frame();
        }
        Frame();
    }

    void PressEnter()
    {
        ImGui::GetIO().KeysDown[kEnterKey] = true;
        Frame();
        ImGui::GetIO().KeysDown[kEnterKey] = false;
    }

    // Whether the window was drawn in the last frame.
    static bool WindowShown(const char* name)
    {
        const ImGuiWindow* window = ImGui::FindWindowByName(name);
        return window && window->Active;
    }

private:
    static void Activate(ImGuiID id, ImGuiActivateFlags flags)
    {
        ImGuiContext& g = *ImGui::GetCurrentContext();
        g.NavNextActivateId = id;
        g.NavNextActivateFlags = flags;
        // The navigation's own item is never clipped away.
        g.NavId = id;
    }

    Editor& editor_;
};
