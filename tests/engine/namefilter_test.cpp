#include "namefilter.h"

#include <gtest/gtest.h>

TEST(NameFilter, AnExcludingTermWinsWhereverItStandsAndCaseIsIgnored)
{
    const struct
    {
        const char* filter;
        const char* name;
        bool passes;
    } cases[] = {
        {"", "Anything", true},
        {"wall", "StoneWall", true},
        {"wall", "Door", false},
        {"wall,-broken", "StoneWall", true},
        {"wall,-broken", "BrokenWall", false},
        {"-broken,wall", "BrokenWall", false},
        {"-door", "Torch", true},
        {"-door", "BigDOORway", false},
        {"wall,torch", "Torch", true},
        {" wall , ", "stonewall", true},
        // Empty terms and a lone "-" name nothing.
        {"-", "Torch", true},
        {",,", "Torch", true},
    };
    NameFilter filter;
    for (const auto& c : cases)
    {
        filter.SetText(c.filter);
        EXPECT_EQ(filter.Passes(c.name), c.passes) << "\"" << c.filter << "\" on " << c.name;
    }
}
