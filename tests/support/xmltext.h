#pragma once
#include "serializer.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

// Round trips through real files in a scratch folder: what a writer produced, and the tree a text reads into.
class XmlText
{
public:
    // Everything after the declaration line.
    std::string Written(const std::function<void(XMLWriter&)>& write) const
    {
        const std::string path = (folder_.Path() / "written.xml").string();
        {
            XMLWriter writer(path);
            write(writer);
        }
        std::ifstream file(path);
        std::string declaration;
        std::getline(file, declaration);
        std::stringstream rest;
        rest << file.rdbuf();
        return rest.str();
    }

    // The tree of a text in the dialect (declaration line optional).
    std::unique_ptr<XMLReader> Parsed(const std::string& text) const
    {
        const std::string path = (folder_.Path() / "read.xml").string();
        std::ofstream(path) << text;
        auto reader = std::make_unique<XMLReader>(path);
        reader->Parse();
        return reader;
    }

private:
    // A folder of its own, so test runs side by side never share one.
    TempFolder folder_;
};
