#include "editorlayout.h"

#include <gtest/gtest.h>

TEST(EditorLayout, ThePanelsTileTheWorkAreaAtAnySize)
{
    for (const PanelRect area : {PanelRect{0, 19, 1280, 781}, PanelRect{10, 30, 1920, 1050}})
    {
        const EditorLayout layout = LayoutEditor(area);
        const float top = area.height * 0.75f;
        EXPECT_FLOAT_EQ(layout.hierarchy.width, area.width / 5);
        EXPECT_FLOAT_EQ(layout.inspector.width, area.width / 4);
        // The three upper panels side by side, from edge to edge, over three quarters of the height.
        const PanelRect upper[] = {layout.hierarchy, layout.scene, layout.inspector};
        float x = area.x;
        for (const PanelRect& panel : upper)
        {
            EXPECT_FLOAT_EQ(panel.x, x);
            EXPECT_FLOAT_EQ(panel.y, area.y);
            EXPECT_FLOAT_EQ(panel.height, top);
            x += panel.width;
        }
        EXPECT_FLOAT_EQ(x, area.x + area.width);
        // The strip below: four equal windows.
        const PanelRect strip[] = {layout.console, layout.project, layout.prefabs, layout.systems};
        for (int n = 0; n < 4; ++n)
        {
            EXPECT_FLOAT_EQ(strip[n].x, area.x + n * area.width / 4);
            EXPECT_FLOAT_EQ(strip[n].y, area.y + top);
            EXPECT_FLOAT_EQ(strip[n].width, area.width / 4);
            EXPECT_FLOAT_EQ(strip[n].height, area.height / 4);
        }
    }
}
