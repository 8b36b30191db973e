#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

// The editor's name filter: comma-separated terms, a leading "-" excludes names containing the rest, any
// other term includes names containing it; case is ignored. A name passes when no excluding term matches and,
// if there are including terms, one of them does: an excluding term wins wherever it stands.
class NameFilter
{
public:
    // The filter's text field; the terms follow every edit.
    void Draw(const char* label);
    void SetText(std::string_view text);
    bool Passes(std::string_view name) const;

private:
    void Build();

    std::array<char, 256> text_{};
    std::vector<std::string> including_;
    std::vector<std::string> excluding_;
};
