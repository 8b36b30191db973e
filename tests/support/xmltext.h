#pragma once
#include "serializer.h"

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
    XmlText()
        : folder_(std::filesystem::temp_directory_path() /
                  (std::string("nektaru-xml-") + ::testing::UnitTest::GetInstance()->current_test_suite()->name() +
                   "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(folder_);
    }
    ~XmlText() { std::filesystem::remove_all(folder_); }

    // Everything after the declaration line.
    std::string Written(const std::function<void(XMLWriter&)>& write) const
    {
        const std::string path = (folder_ / "written.xml").string();
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
        const std::string path = (folder_ / "read.xml").string();
        std::ofstream(path) << text;
        auto reader = std::make_unique<XMLReader>(path);
        reader->Parse();
        return reader;
    }

private:
    std::filesystem::path folder_;
};
