#pragma once
#include "aicontroller.h"
#include "c_waypoint.h"
#include "messagingsystem.h"
#include "objectid.h"
#include "objectworld.h"
#include "transforminterface.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Live objects with a Transform and a Waypoint, the AI system, and a message queue that reaches only it.
class WaypointWorld : public ::testing::Test
{
protected:
    WaypointWorld() : messaging({&ai}) {}

    // A saved waypoint without a prefab: its UniqueID and its stored edge ids.
    static std::string WaypointText(std::uint64_t uniqueId, const std::vector<std::uint64_t>& edgeIds = {})
    {
        std::string text = "<Waypoint>\n\t<UniqueID>" + std::to_string(uniqueId) + "</UniqueID>\n";
        for (std::size_t n = 0; n < edgeIds.size(); ++n)
        {
            const std::string element = "Edge" + std::to_string(n);
            text += "\t<" + element + ">" + std::to_string(edgeIds[n]) + "</" + element + ">\n";
        }
        return text + "</Waypoint>\n";
    }
    static void Load(Waypoint& waypoint, const std::string& text)
    {
        const auto reader = XmlText().Parsed(text);
        waypoint.Deserialize(*reader->GetRoot());
    }

    // A live object standing at the position, whose Waypoint has the UniqueID (a fresh one for 0).
    Waypoint& Place(const std::string& name, const Vector3& position, std::uint64_t uniqueId = 0)
    {
        GameObject& object = objects.Live(name, GenerateObjectId());
        object.EnsureTransform();
        object.GetTransform()->SetPosition(position);
        auto& waypoint = *static_cast<Waypoint*>(object.AddComponent("Waypoint"));
        if (uniqueId != 0)
            Load(waypoint, WaypointText(uniqueId));
        return waypoint;
    }
    // Placed and registered with the AI system.
    Waypoint& Node(const std::string& name, const Vector3& position, std::uint64_t uniqueId = 0)
    {
        Waypoint& waypoint = Place(name, position, uniqueId);
        ai.RegisterObject(waypoint.GetGameObject(false));
        return waypoint;
    }

    ObjectWorld objects;
    AIController ai;
    MessagingSystem messaging;
};
