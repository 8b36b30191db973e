#pragma once
#include "serializer.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>

// Round trips in memory: what a writer produced, and the tree a text reads into.
class XmlText
{
public:
    // Everything after the declaration line.
    std::string Written(const std::function<void(XMLWriter&)>& write) const
    {
        std::stringstream text;
        {
            XMLWriter writer(text);
            write(writer);
        }
        std::string declaration;
        std::getline(text, declaration);
        std::stringstream rest;
        rest << text.rdbuf();
        return rest.str();
    }

    // The tree of a text in the dialect (declaration line optional).
    std::unique_ptr<XMLReader> Parsed(const std::string& text) const
    {
        std::istringstream in(text);
        auto reader = std::make_unique<XMLReader>(in);
        reader->Parse();
        return reader;
    }
};
