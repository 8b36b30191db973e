#include "broadphase.h"

namespace
{
// Disjoint sets of entry indices.
class Sets
{
public:
    explicit Sets(std::size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }

    std::size_t Root(std::size_t i)
    {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(std::size_t a, std::size_t b)
    {
        a = Root(a);
        b = Root(b);
        parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<std::size_t> parent_;
};

bool SpheresOverlap(const BroadPhaseEntry& a, const BroadPhaseEntry& b)
{
    const float reach = a.boundingRadius + b.boundingRadius;
    // A NaN joins nothing: one such body must not make the whole scene one group.
    return reach * reach > (a.centre - b.centre).LengthSquared();
}
} // namespace

std::array<unsigned, 3> AxesBySpread(const std::vector<Vector3>& centres)
{
    double sum[3] = {};
    double squares[3] = {};
    double count = 0.0;
    for (const Vector3& centre : centres)
    {
        if (!centre.IsFinite())
            continue;
        count += 1.0;
        const double at[3] = {centre.x, centre.y, centre.z};
        for (unsigned axis = 0; axis < 3; ++axis)
        {
            sum[axis] += at[axis];
            squares[axis] += at[axis] * at[axis];
        }
    }
    double spread[3] = {};
    for (unsigned axis = 0; axis < 3 && count > 0.0; ++axis)
        spread[axis] = squares[axis] - sum[axis] * sum[axis] / count;
    std::array<unsigned, 3> axes{0, 1, 2};
    std::stable_sort(axes.begin(), axes.end(), [&](unsigned a, unsigned b) { return spread[a] > spread[b]; });
    return axes;
}

std::vector<std::vector<std::size_t>> GroupEntries(std::vector<BroadPhaseEntry>& entries)
{
    const bool anyMoving = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return !e.isStatic; });
    if (entries.size() < 2 || !anyMoving)
        return {};

    std::vector<Vector3> centres;
    std::vector<float> reaches;
    for (const BroadPhaseEntry& entry : entries)
    {
        centres.push_back(entry.centre);
        reaches.push_back(std::abs(entry.boundingRadius));
    }
    Sets sets(entries.size());
    ForEachPairMeeting(centres, reaches, [&](std::size_t i, std::size_t j) {
        if (!(entries[i].isStatic && entries[j].isStatic) && SpheresOverlap(entries[i], entries[j]))
            sets.Join(i, j);
    });

    std::vector<std::vector<std::size_t>> groups;
    std::vector<std::int32_t> groupOfRoot(entries.size(), -1);
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        std::int32_t& group = groupOfRoot[sets.Root(i)];
        if (group < 0)
        {
            group = static_cast<std::int32_t>(groups.size());
            groups.emplace_back();
        }
        entries[i].group = group;
        groups[group].push_back(i);
    }
    for (auto& group : groups)
        std::stable_sort(group.begin(), group.end(),
                         [&](std::size_t a, std::size_t b) { return entries[a].shape < entries[b].shape; });
    return groups;
}
