#include "namefilter.h"

#include "imgui_compat.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), [](unsigned char c) { return std::tolower(c); });
    return lowered;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool AnyIn(const std::vector<std::string>& terms, const std::string& name)
{
    return std::ranges::any_of(terms, [&name](const std::string& term) { return name.find(term) != std::string::npos; });
}
}

void NameFilter::Draw(const char* label)
{
    // The field leaves room for its label, however narrow the window.
    ImGui::SetNextItemWidth(-(ImGui::CalcTextSize(label).x + ImGui::GetStyle().ItemInnerSpacing.x));
    if (ImGui::InputText(label, text_.data(), text_.size()))
        Build();
}

void NameFilter::SetText(std::string_view text)
{
    const std::size_t length = std::min(text.size(), text_.size() - 1);
    std::ranges::fill(text_, '\0');
    std::ranges::copy(text.substr(0, length), text_.begin());
    Build();
}

void NameFilter::Build()
{
    including_.clear();
    excluding_.clear();
    std::string_view rest(text_.data());
    while (!rest.empty())
    {
        const std::size_t comma = rest.find(',');
        std::string_view term = Trimmed(rest.substr(0, comma));
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
        const bool excluding = term.starts_with('-');
        if (excluding)
            term.remove_prefix(1);
        if (!term.empty())
            (excluding ? excluding_ : including_).push_back(Lowered(term));
    }
}

bool NameFilter::Passes(std::string_view name) const
{
    if (including_.empty() && excluding_.empty())
        return true;
    const std::string lowered = Lowered(name);
    return !AnyIn(excluding_, lowered) && (including_.empty() || AnyIn(including_, lowered));
}
