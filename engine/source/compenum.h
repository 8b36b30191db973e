#pragma once
#include <cstdint>

// Component kinds as the systems tell them apart. All colliders share one value, as do all lights;
// 0, 8 and 12 name no kind.
enum class CompEnum : std::uint32_t
{
    Transform = 1,
    Collider = 2,
    RigidBody = 3,
    MeshFilter = 4,
    MeshRenderer = 5,
    Animator = 6,
    Light = 7,
    AudioSource = 9,
    AudioListener = 10,
    Camera = 11,
    Waypoint = 13,
    MonoBehavior = 14,
    RectTransform = 15,
    CanvasRenderer = 16,
    Image = 17,
    Canvas = 18,
    ParticleSystem = 19,
};
