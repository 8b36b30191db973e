#pragma once
// Numbered file contents whose every byte depends on the number, so a file cut short, mixed from two writes
// or of no write at all is told from a whole one.
#include <charconv>
#include <cstddef>
#include <optional>
#include <string>

namespace savegenerations
{
inline std::string Contents(unsigned generation)
{
    std::string text = "<Objects>\n\t<Generation>" + std::to_string(generation) + "</Generation>\n\t<Bytes>";
    // Sizes differ from one generation to the next, so an old file's tail cannot complete a new one's.
    const std::size_t size = 200000 + (generation % 7) * 30000;
    text.reserve(text.size() + size + 32);
    for (std::size_t n = 0; n < size; ++n)
        text.push_back(static_cast<char>('a' + (generation * 7 + n) % 26));
    return text + "</Bytes>\n</Objects>\n";
}

// The generation a whole file holds; nothing for anything else.
inline std::optional<unsigned> WholeGeneration(const std::string& text)
{
    const std::string marker = "\t<Generation>";
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return std::nullopt;
    unsigned generation = 0;
    const char* digits = text.data() + at + marker.size();
    if (std::from_chars(digits, text.data() + text.size(), generation).ec != std::errc() ||
        text != Contents(generation))
        return std::nullopt;
    return generation;
}
} // namespace savegenerations
