// libFuzzer target: any bytes as text of the dialect, then every value of the tree through every reader.
// Run: xml_fuzzer -close_fd_mask=3 -max_total_time=300 corpus/
#include "serializer.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace
{
void ReadEveryValue(const XMLNode& node)
{
    // Iterative: the tree's depth is up to the input.
    std::vector<const XMLNode*> pending = {&node};
    while (!pending.empty())
    {
        const XMLNode* current = pending.back();
        pending.pop_back();
        bool flag = false;
        int number = 0;
        std::uint64_t id = 0;
        float real = 0.0f;
        std::string text;
        Vector2 v2;
        Vector3 v3;
        Vector4 v4;
        XMLReader::ReadValue(current->value, &flag);
        XMLReader::ReadValue(current->value, &number);
        XMLReader::ReadValue(current->value, &id);
        XMLReader::ReadValue(current->value, &real);
        XMLReader::ReadValue(current->value, &text);
        XMLReader::ReadValue(current->value, &v2);
        XMLReader::ReadValue(current->value, &v3);
        XMLReader::ReadValue(current->value, &v4);
        pending.insert(pending.end(), current->children.begin(), current->children.end());
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    XMLReader reader(text);
    reader.Parse();
    ReadEveryValue(*reader.GetRoot());
    return 0;
}
