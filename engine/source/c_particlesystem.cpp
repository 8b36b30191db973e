#include "c_particlesystem.h"

#include "assertion.h"
#include "gameobject.h"
#include "matrix4.h"
#include "serializer.h"
#include "transforminterface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace
{
// In the order files are written; "EmissionNoOfBursts" and "EmissionBursts" come between the two.
const auto kHead = MemberTable<ParticleSettings, int, float, bool, float, float, float, float, bool, int>{
    Member("MainMaxParticles", &ParticleSettings::maxParticles),
    Member("MainDuration", &ParticleSettings::duration),
    Member("MainLoop", &ParticleSettings::loop),
    Member("MainStartLifeTime", &ParticleSettings::startLifetime),
    Member("MainSpeed", &ParticleSettings::startSpeed),
    Member("MainSize", &ParticleSettings::startSize),
    Member("MainRotation", &ParticleSettings::startRotation),
    Member("EmissionEnabled", &ParticleSettings::emissionEnabled),
    Member("EmissionRate", &ParticleSettings::emissionRate),
};
constexpr char kBurstCountKey[] = "EmissionNoOfBursts";
const auto kBurstCount = MemberTable<ParticleSettings, int>{Member(kBurstCountKey, &ParticleSettings::burstCount)};
constexpr char kBurstsKey[] = "EmissionBursts";
const auto kTail = MemberTable<ParticleSettings, bool, std::string, int, bool, Vector3, Vector3, Vector3, float,
                               float, float, bool, Vector4, Vector4, bool, float, float, int>{
    Member("ShapeEnabled", &ParticleSettings::shapeEnabled),
    Member("ShapeTexName", &ParticleSettings::textureName),
    Member("ShapeShapeType", &ParticleSettings::shapeType),
    Member("ShapeFaceNormal", &ParticleSettings::shapeFaceNormal),
    Member("ShapePosition", &ParticleSettings::shapePosition),
    Member("ShapeRot", &ParticleSettings::shapeRotation),
    Member("ShapeScale", &ParticleSettings::shapeScale),
    Member("ShapeAngle", &ParticleSettings::shapeAngle),
    Member("ShapeRadius", &ParticleSettings::shapeRadius),
    Member("ShapeArc", &ParticleSettings::shapeArc),
    Member("ColorOverLifetimeEnabled", &ParticleSettings::colourOverLifetime),
    Member("ColorOverLifetimeMin", &ParticleSettings::colourMin),
    Member("ColorOverLifetimeMax", &ParticleSettings::colourMax),
    Member("SizeOverLifetimeEnabled", &ParticleSettings::sizeOverLifetime),
    Member("SizeOverLifetimeMin", &ParticleSettings::sizeMin),
    Member("SizeOverLifetimeMax", &ParticleSettings::sizeMax),
    Member("PSRRenderMode", &ParticleSettings::renderMode),
};
// Written directly inside "EmissionBursts", four leaves a burst.
const auto kBurstMembers = MemberTable<ParticleBurst, int, int, float, float>{
    Member("EmissionBurstsCount", &ParticleBurst::count),
    Member("EmissionBurstsCycle", &ParticleBurst::cycles),
    Member("EmissionBurstsInterVal", &ParticleBurst::interval),
    Member("EmissionBurstsTime", &ParticleBurst::time),
};
const auto kBurstKeys =
    std::apply([](const auto&... member) { return std::array{member.name...}; }, kBurstMembers);

// The particles' colour when it does not change over their lifetime.
constexpr Vector4 kWhite{255.0f, 255.0f, 255.0f, 255.0f};
constexpr float kTickSeconds = 1.0f / ParticleSystem::kTicksPerSecond;

// Every four values, in any order, make one burst; a last incomplete one is dropped.
std::vector<ParticleBurst> ReadBursts(const XMLNode& element)
{
    std::vector<ParticleBurst> bursts;
    ParticleBurst staged;
    std::array<bool, 4> read{};
    for (const XMLNode* child : element.children)
    {
        const auto key = std::ranges::find_if(kBurstKeys, [&](const char* name) { return child->name == name; });
        if (key == kBurstKeys.end())
            continue;
        std::apply([&](const auto&... member) { (ReadMemberFromXml(*child, staged, member, ReadElementValue{}), ...); },
                   kBurstMembers);
        read[static_cast<std::size_t>(key - kBurstKeys.begin())] = true;
        if (std::ranges::all_of(read, [](bool done) { return done; }))
        {
            bursts.push_back(staged);
            read = {};
        }
    }
    return bursts;
}

// A channel as a byte: truncated towards zero, and held within 0 to 255 (a NaN gives 0).
std::uint8_t ChannelByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    return value >= 255.0f ? 255 : static_cast<std::uint8_t>(value);
}

int PoolSizeWithin(int count)
{
    ASSERT(count >= 0 && count <= ParticleSystem::kMaxPoolSize,
           "ParticleSystem - a pool of " + std::to_string(count) + " particles is out of range");
    return std::clamp(count, 0, ParticleSystem::kMaxPoolSize);
}

// Rx(x) · Ry(y) · Rz(z) of Euler degrees.
Matrix4 Turn(const Vector3& degrees)
{
    return AxisAngleToMatrix4(DegreesToRadians(degrees.x), {1.0f, 0.0f, 0.0f}) *
           AxisAngleToMatrix4(DegreesToRadians(degrees.y), {0.0f, 1.0f, 0.0f}) *
           AxisAngleToMatrix4(DegreesToRadians(degrees.z), {0.0f, 0.0f, 1.0f});
}
} // namespace

ParticleSystem::ParticleSystem() : ComponentBase(CompEnum::ParticleSystem), random_(std::random_device{}())
{
    SetMaxParticles(settings.maxParticles);
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : ComponentBase(source), settings(source.settings), simulationSpace(source.simulationSpace),
      particles_(source.particles_), positionSizeStream_(source.particles_.size() * 4, 0.0f),
      colourStream_(source.particles_.size() * 4, 0),
      emitterBasis_(source.emitterBasis_), random_(std::random_device{}()), elapsed_(source.elapsed_),
      liveCount_(source.liveCount_), paused_(source.paused_), playing_(source.playing_), stopped_(source.stopped_),
      emitting_(source.emitting_)
{
}

void ParticleSystem::Serialize(XMLWriter& writer, const Component*) const
{
    writer.BeginElement(GetElementName());
    WriteMembers(writer, settings, kHead);
    writer.WriteElement(kBurstCountKey, static_cast<int>(settings.bursts.size()));
    writer.BeginElement(kBurstsKey);
    for (const ParticleBurst& burst : settings.bursts)
        WriteMembers(writer, burst, kBurstMembers);
    writer.EndElement();
    WriteMembers(writer, settings, kTail);
    writer.EndElement();
}

void ParticleSystem::Deserialize(const XMLNode& element)
{
    if (element.name != GetElementName())
        return;
    ReadMembers(element, settings, kHead);
    ReadMembers(element, settings, kBurstCount);
    ReadMembers(element, settings, kTail);
    for (const XMLNode* child : element.children)
        if (child->name == kBurstsKey)
            settings.bursts = ReadBursts(*child);
    settings.maxParticles = PoolSizeWithin(settings.maxParticles);
    if (static_cast<std::size_t>(settings.maxParticles) > particles_.size())
        SetMaxParticles(settings.maxParticles);
}

std::unique_ptr<Component> ParticleSystem::Clone() const
{
    return std::make_unique<ParticleSystem>(*this);
}

bool ParticleSystem::Compare(const Component& other) const
{
    const bool same = dynamic_cast<const ParticleSystem*>(&other) != nullptr;
    ASSERT(same, "ParticleSystem compare function kena nullptr");
    return same;
}

void ParticleSystem::Play()
{
    playing_ = true;
    stopped_ = false;
    paused_ = false;
    emitting_ = true;
}

void ParticleSystem::Pause()
{
    paused_ = true;
    playing_ = false;
    stopped_ = false;
}

void ParticleSystem::Stop()
{
    ResetParticles();
    paused_ = false;
    playing_ = false;
    stopped_ = true;
    emitting_ = false;
}

void ParticleSystem::SetMaxParticles(int count)
{
    settings.maxParticles = PoolSizeWithin(count);
    const auto size = static_cast<std::size_t>(settings.maxParticles);
    particles_.assign(size, Particle{});
    positionSizeStream_.assign(size * 4, 0.0f);
    colourStream_.assign(size * 4, 0);
    ResetParticles();
}

void ParticleSystem::ResetParticles()
{
    lastIndex_ = 0;
    liveCount_ = 0;
    aliveTime_ = 0.0f;
    elapsed_ = 0.0f;
    cycleTime_ = 0.0f;
    rateAccumulator_ = 0.0f;
    burstDone_ = false;
    for (Particle& particle : particles_)
    {
        particle.life = -1.0f;
        particle.depth = -1.0f;
    }
}

void ParticleSystem::EmissionTick(float frameTime, const Vector3* camera)
{
    if (!settings.shapeEnabled || !playing_ || !GetGameObject(false))
        return;
    elapsed_ += frameTime;
    if (settings.duration >= elapsed_ || settings.loop)
    {
        if (!burstDone_ && !settings.bursts.empty())
        {
            const ParticleBurst& burst = settings.bursts.front();
            SpawnParticles(static_cast<long long>(burst.count) * burst.cycles);
            burstDone_ = true;
        }
        const int whole = settings.emissionRate / kTicksPerSecond;
        rateAccumulator_ += static_cast<float>(settings.emissionRate - whole * kTicksPerSecond);
        if (rateAccumulator_ >= kTicksPerSecond)
        {
            rateAccumulator_ -= kTicksPerSecond;
            SpawnParticles(1);
        }
        SpawnParticles(whole);
        cycleTime_ += kTickSeconds;
        if (cycleTime_ > settings.duration)
        {
            cycleTime_ = 0.0f;
            rateAccumulator_ = 0.0f;
            burstDone_ = false;
        }
    }
    SimulateParticles(frameTime, camera);
    aliveTime_ = liveCount_ > 0 ? aliveTime_ + frameTime : 0.0f;
}

void ParticleSystem::SpawnParticles(long long count)
{
    const long long spawned = std::min<long long>(count, static_cast<long long>(particles_.size()));
    if (spawned <= 0)
        return;
    // The emitter stands still while its particles start: placed once for all of them.
    const Vector3 origin = PlaceEmitter();
    // A pool found full stays full while only record 0 restarts alive: no search can find another.
    bool full = false;
    for (long long n = spawned; n > 0; --n)
    {
        const std::optional<std::size_t> free = full ? std::nullopt : FreeRecord();
        SpawnParticleFrom(origin, free.value_or(0));
        full = !free && !IsFree(particles_[0]);
    }
}

float ParticleSystem::RandomRange(float a, float b)
{
    if (a > b)
        std::swap(a, b);
    return a + (b - a) * static_cast<float>(static_cast<double>(Draw()) / 4294967296.0);
}

std::uint32_t ParticleSystem::DrawBelow(std::uint32_t count)
{
    const std::uint32_t limit = UINT32_MAX / count;
    std::uint32_t draw = Draw();
    while (draw / count >= limit)
        draw = Draw();
    return draw % count;
}

std::optional<std::size_t> ParticleSystem::FreeRecord()
{
    // From where the last search stopped, round the pool once.
    const std::size_t size = particles_.size();
    for (std::size_t step = 0; step < size; ++step)
        if (const std::size_t index = (lastIndex_ + step) % size; IsFree(particles_[index]))
            return lastIndex_ = index;
    return std::nullopt;
}

void ParticleSystem::UpdateEmitterBasis(const Vector3& objectRotation)
{
    const Matrix4 turn = Turn(objectRotation) * Turn(settings.shapeRotation);
    for (std::size_t column = 0; column < 3; ++column)
        emitterBasis_[column] = {turn.m[4 * column], turn.m[4 * column + 1], turn.m[4 * column + 2]};
}

Vector3 ParticleSystem::ToWorld(const Vector3& local) const
{
    return {emitterBasis_[0].Dot(local), emitterBasis_[1].Dot(local), emitterBasis_[2].Dot(local)};
}

Vector3 ParticleSystem::PlaceEmitter()
{
    const GameObject* owner = GetGameObject(false);
    const TransformInterface* transform = owner ? owner->GetTransform() : nullptr;
    UpdateEmitterBasis(transform ? transform->GetRotation() : Vector3());
    return transform ? transform->GetWorldPosition() : Vector3();
}

void ParticleSystem::SpawnParticle()
{
    if (!particles_.empty())
        SpawnParticleFrom(PlaceEmitter(), FreeRecord().value_or(0));
}

void ParticleSystem::SpawnParticleFrom(const Vector3& origin, std::size_t record)
{
    Particle& particle = particles_[record];
    particle.life = settings.startLifetime;
    particle.colour = kWhite;
    const Vector3& scale = settings.shapeScale;
    const Vector3 box(RandomRange(-scale.x, scale.x), RandomRange(-scale.y, scale.y), RandomRange(-scale.z, scale.z));
    if (settings.shapeType < 0 || settings.shapeType > static_cast<int>(EmitterShape::Circle))
        return;

    const float radians = kPi / 180.0f;
    const Vector3 radiusScale = scale * settings.shapeRadius;
    Vector3 offset;
    Vector3 direction;
    const auto onSurface = [&](const Vector3& local) {
        direction = ToWorld(local);
        offset = direction.Scaled(radiusScale);
    };
    switch (static_cast<EmitterShape>(settings.shapeType))
    {
    case EmitterShape::Sphere:
    case EmitterShape::Hemisphere:
    {
        const float arc = settings.shapeType == static_cast<int>(EmitterShape::Sphere) ? settings.shapeArc
                                                                                        : settings.shapeArc * 0.5f;
        const float inclination = RandomRange(0.0f, arc) * radians;
        const float azimuth = RandomRange(0.0f, arc) * radians;
        onSurface({std::cos(azimuth) * std::sin(inclination), std::cos(inclination),
                   std::sin(azimuth) * std::sin(inclination)});
        break;
    }
    case EmitterShape::Cone:
    case EmitterShape::ConeVolume:
    {
        const float inclination = (settings.shapeType == static_cast<int>(EmitterShape::Cone)
                                       ? RandomRange(-settings.shapeAngle, settings.shapeAngle)
                                       : settings.shapeAngle) *
                                  radians;
        const float azimuth = RandomRange(0.0f, settings.shapeArc) * radians;
        onSurface({std::cos(azimuth) * std::sin(inclination), std::sin(azimuth) * std::sin(inclination),
                   std::cos(inclination)});
        break;
    }
    case EmitterShape::Box:
        direction = ToWorld(box);
        offset = direction.Scaled(scale);
        break;
    case EmitterShape::BoxShell:
    {
        // Faces +x, +y, +z, -x, -y, -z.
        const std::uint32_t face = DrawBelow(6);
        const unsigned axis = face % 3;
        const float side = face < 3 ? 1.0f : -1.0f;
        Vector3 point = box;
        point[axis] = side * scale[axis];
        Vector3 leaving = box;
        if (settings.shapeFaceNormal)
            leaving = {};
        leaving[axis] = side * (settings.shapeFaceNormal ? 1.0f : RandomRange(0.0f, scale[axis]));
        offset = ToWorld(point).Scaled(scale);
        direction = ToWorld(leaving);
        break;
    }
    case EmitterShape::BoxEdge:
    {
        // Four edges along each axis: the other two coordinates at the corners.
        const std::uint32_t edge = Draw() % 12;
        const unsigned along = edge / 4;
        Vector3 point = box;
        point[(along + 1) % 3] = (edge & 1 ? 1.0f : -1.0f) * scale[(along + 1) % 3];
        point[(along + 2) % 3] = (edge & 2 ? 1.0f : -1.0f) * scale[(along + 2) % 3];
        offset = ToWorld(point).Scaled(scale);
        direction = ToWorld(box);
        break;
    }
    case EmitterShape::Circle:
    {
        const float azimuth = RandomRange(0.0f, settings.shapeArc) * radians;
        onSurface({std::sin(azimuth), std::cos(azimuth), 0.0f});
        break;
    }
    }
    particle.position = origin + offset + settings.shapePosition;
    const float length = direction.Length();
    particle.velocity = length > 0.0f ? direction * (settings.startSpeed / length) : Vector3();
}

void ParticleSystem::SimulateParticles(float frameTime, const Vector3* camera)
{
    std::size_t written = 0;
    for (Particle& particle : particles_)
    {
        if (particle.life <= 0.0f)
            continue;
        particle.life -= frameTime;
        if (particle.life <= 0.0f)
        {
            particle.depth = -1.0f;
            continue;
        }
        particle.position += particle.velocity * frameTime;
        particle.depth = camera ? (particle.position - *camera).LengthSquared() : 0.0f;
        // A position gone to NaN must not break the ordering below.
        if (std::isnan(particle.depth))
            particle.depth = 0.0f;
        WriteStreams(particle, written++);
    }
    std::sort(particles_.begin(), particles_.end(),
              [](const Particle& a, const Particle& b) { return a.depth > b.depth; });
    liveCount_ = static_cast<int>(written);
}

void ParticleSystem::WriteStreams(const Particle& particle, std::size_t slot)
{
    const float t = particle.life / settings.startLifetime;
    float* positionSize = &positionSizeStream_[4 * slot];
    positionSize[0] = particle.position.x;
    positionSize[1] = particle.position.y;
    positionSize[2] = particle.position.z;
    positionSize[3] = settings.sizeOverLifetime ? settings.sizeMin + (settings.sizeMax - settings.sizeMin) * t
                                                : settings.startSize;
    const Vector4& min = settings.colourMin;
    const Vector4& max = settings.colourMax;
    const Vector4 colour = settings.colourOverLifetime ? min + (max - min) * t : particle.colour;
    const float channels[4] = {colour.x, colour.y, colour.z, colour.w};
    for (std::size_t n = 0; n < 4; ++n)
        colourStream_[4 * slot + n] =
            ChannelByte(settings.colourOverLifetime ? std::round(channels[n]) : channels[n]);
}
