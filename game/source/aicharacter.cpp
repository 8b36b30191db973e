#include "aicharacter.h"

namespace
{
constexpr property::PropertyEntry kEntries[] = {
    property::ValueEntry<std::int32_t>("dummy2", PROPERTY_POSITION(AICharacter, dummy2),
                                       property::PlainFlags(property::flags::kCarried | property::flags::kHidden)),
};
constexpr auto kIndex = property::BuildIndex(kEntries);
constexpr property::table kTable = property::MakeTable("AICharacter", kEntries, kIndex);
} // namespace

const property::table& AICharacter::StaticPropertyTable()
{
    return kTable;
}
