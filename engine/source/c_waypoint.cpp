#include "c_waypoint.h"

#include "assertion.h"
#include "gameobject.h"
#include "messagingsystem.h"
#include "objectid.h"
#include "serializer.h"
#include "transforminterface.h"

#include <algorithm>
#include <string_view>

namespace
{
constexpr std::string_view kEdgePrefix = "Edge";

// "Edge" followed by an index: the name of a stored edge id, however many there are.
bool IsEdgeElement(const std::string& name)
{
    return name.size() > kEdgePrefix.size() && name.starts_with(kEdgePrefix) &&
           std::all_of(name.begin() + kEdgePrefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void QueueForAI(MessageName name)
{
    PostMessage(SystemId::None, SystemId::AI, name, 0);
}
} // namespace

Waypoint::Waypoint() : ComponentBase(CompEnum::Waypoint), uniqueId_(GenerateObjectId())
{
}

Waypoint::Waypoint(const Waypoint& source)
    : ComponentBase(source), edges_(source.edges_), edgeIds_(source.edgeIds_), paths_(source.paths_),
      uniqueId_(source.uniqueId_)
{
}

void Waypoint::Serialize(XMLWriter& writer, const Component* prefab) const
{
    writer.BeginElement(GetElementName());
    const auto* reference = dynamic_cast<const Waypoint*>(prefab);
    if (reference && reference->IsEnabled() != IsEnabled())
        writer.WriteElement("Enabled", IsEnabled());
    writer.WriteElement("UniqueID", uniqueId_);
    for (std::size_t n = 0; n < edgeIds_.size(); ++n)
        writer.WriteElement(std::string(kEdgePrefix) + std::to_string(n), edgeIds_[n]);
    writer.EndElement();
}

void Waypoint::Deserialize(const XMLNode& element)
{
    if (element.name != GetElementName())
        return;
    edgeIds_.clear();
    for (const XMLNode* child : element.children)
    {
        if (child->name == "Enabled")
        {
            bool enabled = IsEnabled();
            if (XMLReader::ReadValue(child->value, &enabled))
                SetEnabledAndNotify(enabled);
        }
        else if (child->name == "UniqueID")
            XMLReader::ReadValue(child->value, &uniqueId_);
        else if (std::uint64_t id = 0; IsEdgeElement(child->name) && XMLReader::ReadValue(child->value, &id))
            edgeIds_.push_back(id);
    }
}

std::unique_ptr<Component> Waypoint::Clone() const
{
    auto copy = std::make_unique<Waypoint>(*this);
    copy->uniqueId_ = GenerateObjectId();
    for (WaypointEdge& edge : copy->edges_)
        edge.source = copy.get();
    return copy;
}

bool Waypoint::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const Waypoint*>(&other);
    ASSERT(same, "Waypoint compare function kena nullptr");
    return same && edgeIds_ == same->edgeIds_;
}

Vector3 Waypoint::GetPosition() const
{
    const GameObject* owner = GetGameObject(false);
    const TransformInterface* transform = owner ? owner->GetTransform() : nullptr;
    return transform ? transform->GetPosition() : Vector3(0.0f, 0.0f, 0.0f);
}

void Waypoint::AddEdge(WaypointInterface* target)
{
    // Nothing changed, so no paths need making.
    if (!Check(target, "Waypoint edge adding a nullptr, shouldnt have happen"))
        return;
    LinkTo(*FromInterface<Waypoint>(target));
    GeneratePath();
}

void Waypoint::LinkTo(Waypoint& target)
{
    edges_.push_back({&target, this, target.uniqueId_, (target.GetPosition() - GetPosition()).Length()});
    if (std::ranges::find(edgeIds_, target.uniqueId_) == edgeIds_.end())
        edgeIds_.push_back(target.uniqueId_);
}

Waypoint::Path Waypoint::GetPath(std::uint64_t targetId) const
{
    for (const std::uint64_t id : {targetId, uniqueId_})
        if (paths_.Contains(id))
            return paths_.PathTo(id);
    return {};
}

void Waypoint::SetEdgeIds(const std::vector<std::uint64_t>& ids)
{
    edgeIds_ = ids;
    RefindEdge();
}

void Waypoint::RefindEdge()
{
    QueueForAI(MessageNames::RefindEdge);
}

void Waypoint::GeneratePath()
{
    QueueForAI(MessageNames::GeneratePath);
}

WaypointInterface* Waypoint::GetWaypointFromPosition(const Vector3& position)
{
    PostMessage(SystemId::None, SystemId::AI, MessageNames::GetWaypointFromPosition,
                std::pair<Vector3, GameObject*>(position, GetGameObject(false)));
    return nearest_;
}
