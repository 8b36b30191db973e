// The Inspector's widgets in the editor's GUI frames, reached as keyboard navigation reaches them.
#include "c_collider.h"
#include "c_light.h"
#include "c_particlesystem.h"
#include "c_transform.h"
#include "editoractions.h"
#include "editorworld.h"
#include "guidriver.h"
#include "resourcemanager.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace
{
class InspectorGui : public EditorWorld
{
protected:
    InspectorGui()
    {
        editor().RefreshPrefabList();
        ClearActionHistory();
    }
    ~InspectorGui() override { ClearActionHistory(); }

    GameObject& Live(const std::string& name) { return *factory.FindObject(name); }
    GameObject& Crate() { return *factory.FindPrefab("Crate"); }
    void Inspect(GameObject& object, InspectorKind kind = InspectorKind::SceneObject)
    {
        editor().SetInspected(&object, {}, kind, false);
        gui.Frame();
    }
    GameObject& Spawn(std::initializer_list<const char*> components)
    {
        GameObject& object = *factory.SpawnObject("Probe", 0);
        for (const char* name : components)
            object.AddComponent(name);
        return object;
    }

    GuiDriver gui{editor()};
};
}

TEST_F(InspectorGui, TheHeaderTellsAnInstanceFromAPrefab)
{
    Inspect(Live("Crate A"));
    EXPECT_TRUE(gui.Shows("Obj ID: 2001")) << gui.Text();
    EXPECT_TRUE(gui.Shows("Prefab ID: 1001")) << gui.Text();
    EXPECT_TRUE(gui.Shows("Save this prefab...")) << gui.Text();

    Inspect(Crate(), InspectorKind::Prefab);
    EXPECT_TRUE(gui.Shows("Obj ID: 0 (Not an instantiated object)")) << gui.Text();
    EXPECT_TRUE(gui.Shows("Prefab ID: 1001")) << gui.Text();
    EXPECT_FALSE(gui.Shows("Save this prefab...")) << gui.Text();

    Inspect(Live("Altar"));
    EXPECT_TRUE(gui.Shows("Prefab ID: 0 (Not a prefab)")) << gui.Text();
}

TEST_F(InspectorGui, NameAndPositionChangeOnlyWhenEnterIsPressed)
{
    GameObject& crate = Live("Crate A");
    Inspect(crate);
    gui.Type({"Inspector", "##name"}, "Chest", false);
    EXPECT_EQ(crate.GetName(), "Crate A");
    gui.Type({"Inspector", "##name"}, "Chest");
    EXPECT_EQ(crate.GetName(), "Chest");

    gui.Open({"Inspector", "Transform"});
    gui.Type({"Inspector", "Transform", "##posx:"}, "9", false);
    ExpectNear(crate.GetTransform()->GetPosition(), Vector3(0.0f, 1.0f, 0.0f), "abandoned");
    EXPECT_TRUE(ActionHistory().empty());
    gui.Type({"Inspector", "Transform", "##posx:"}, "5");
    ExpectNear(crate.GetTransform()->GetPosition(), Vector3(5.0f, 1.0f, 0.0f), "committed");
    EXPECT_EQ(ActionHistory().size(), 1u);
    UndoAction();
    ExpectNear(crate.GetTransform()->GetPosition(), Vector3(0.0f, 1.0f, 0.0f), "undone");
}

// "1e39" reads as infinity: the object would leave the view and the level be saved with "inf" in it.
TEST_F(InspectorGui, ANumberThatIsNotFiniteIsRefusedAndTheOldValueKept)
{
    GameObject& crate = Live("Crate A");
    GameObject& lamp = Spawn({"PointLight"});
    const struct
    {
        GameObject* object;
        std::initializer_list<const char*> field;
        std::function<float()> value;
    } fields[] = {
        {&crate, {"Inspector", "Transform", "##posz"}, [&] { return crate.GetTransform()->GetPosition().z; }},
        {&crate, {"Inspector", "Transform", "##scalx:"}, [&] { return crate.GetTransform()->GetScale().x; }},
        {&lamp, {"Inspector", "Point Light", "##radius:"}, [&] { return lamp.GetLight()->GetRange(); }},
        {&lamp, {"Inspector", "Point Light", "##intensity:"}, [&] { return lamp.GetLight()->GetIntensity(); }},
    };
    for (const auto& [object, field, value] : fields)
    {
        Inspect(*object);
        gui.Open({*field.begin(), *(field.begin() + 1)});
        gui.Frame();
        const float old = value();
        for (const char* typed : {"1e39", "-1e39"})
        {
            gui.Type(field, typed);
            EXPECT_EQ(value(), old) << *(field.begin() + 2) << " " << typed;
        }
        // The field still takes a number.
        gui.Type(field, "4");
        EXPECT_EQ(value(), 4.0f) << *(field.begin() + 2);
    }
    EXPECT_EQ(ActionHistory().size(), 4u) << "only the numbers taken are recorded";
}

TEST_F(InspectorGui, ACommittedRotationIsTheRotationLoadedWithThoseDegrees)
{
    // Altar was loaded turned 45 degrees about y; the crate comes from its prefab at 90.
    GameObject& crate = Live("Crate A");
    Inspect(crate);
    gui.Open({"Inspector", "Transform"});
    gui.Type({"Inspector", "Transform", "##roty:"}, "45");
    const TransformInterface& turned = *crate.GetTransform();
    const TransformInterface& loaded = *Live("Altar").GetTransform();
    ExpectNear(turned.GetRotation(), Vector3(0.0f, 45.0f, 0.0f), "degrees");
    ExpectNear(turned.GetForward(), loaded.GetForward(), "forward");
    ExpectNear(turned.GetRight(), loaded.GetRight(), "right");
    ExpectNear(turned.GetUp(), loaded.GetUp(), "up");
}

TEST_F(InspectorGui, APrefabsBoxSizeReachesEveryInstanceThatHasABox)
{
    for (GameObject* object : {&Crate(), &Live("Crate A"), &Live("Crate B")})
        object->AddComponent("AABBCollider");
    Live("Crate B").RemoveComponentByName("AABBCollider");
    Inspect(Crate(), InspectorKind::Prefab);
    gui.Open({"Inspector", "Collider"});
    gui.Type({"Inspector", "Collider", "##sz y:"}, "3");
    ExpectNear(Crate().GetComponent<BoxCollider>()->GetSize(), Vector3(3.0f, 1.0f, 1.0f), "prefab");
    ExpectNear(Live("Crate A").GetComponent<BoxCollider>()->GetSize(), Vector3(3.0f, 1.0f, 1.0f), "instance");
    EXPECT_EQ(Live("Crate B").GetComponent<BoxCollider>(), nullptr);

    EXPECT_EQ(ActionHistory().size(), 2u) << "the instance without a box records nothing";

    // A refused size leaves every box as it was, and is recorded all the same.
    gui.Type({"Inspector", "Collider", "##sz z:"}, "0");
    ExpectNear(Live("Crate A").GetComponent<BoxCollider>()->GetSize(), Vector3(3.0f, 1.0f, 1.0f), "refused");
    EXPECT_EQ(ActionHistory().size(), 4u);

    // The trigger flag is set directly and cannot be undone.
    gui.Press({"Inspector", "Collider", "Trigger ##aabb"});
    EXPECT_TRUE(Crate().GetComponent<BoxCollider>()->IsTrigger());
    EXPECT_EQ(ActionHistory().size(), 4u);
}

TEST_F(InspectorGui, APointLightShowsItsRangeAndADirectionalLightItsDirection)
{
    GameObject& lamp = Spawn({"PointLight"});
    Inspect(lamp);
    gui.Open({"Inspector", "Point Light"});
    gui.Frame();
    EXPECT_TRUE(gui.Shows("Range:")) << gui.Text();
    EXPECT_FALSE(gui.Shows("Direction:"));
    gui.Type({"Inspector", "Point Light", "##radius:"}, "12");
    EXPECT_FLOAT_EQ(lamp.GetLight()->GetRange(), 12.0f);

    GameObject& sun = Spawn({"DirectionalLight"});
    Inspect(sun);
    gui.Open({"Inspector", "Directional Light"});
    gui.Frame();
    EXPECT_TRUE(gui.Shows("Direction:")) << gui.Text();
    EXPECT_FALSE(gui.Shows("Range:"));
}

TEST_F(InspectorGui, SaveThisPrefabWritesTheCratesFileUnderItsPrefabsName)
{
    GameObject& crate = Live("Crate B");
    crate.SetTag("Heavy");
    Inspect(crate);
    const std::string path = Root() + "Assets/Prefabs/Crate_1001_Prefab.xml";
    std::filesystem::remove(path);
    gui.Press({"Inspector", "Save this prefab...##savePrefabBtn"});
    EXPECT_TRUE(gui.Shows("Save as Crate_1001_Prefab.xml?")) << gui.Text();
    gui.Press({"Save Prefab?", "OK"});
    EXPECT_FALSE(gui.Shows("Save as")) << gui.Text();
    EXPECT_NE(ReadText(path).find("<Tag>Heavy</Tag>"), std::string::npos);
    EXPECT_EQ(Crate().GetTag(), "Heavy");
}

TEST_F(InspectorGui, TheParticlePanelPausesPlaysRestartsAndStopsTheInspectedEffect)
{
    GameObject& sparks = Spawn({"ParticleSystem"});
    auto& particles = *sparks.GetComponent<ParticleSystem>();
    particles.SetMaxParticles(10);
    Inspect(sparks);
    ASSERT_TRUE(GuiDriver::WindowShown("Particle Effect"));
    EXPECT_TRUE(particles.IsPlaying());

    gui.Press({"Particle Effect", "Pause##pauseParticle"});
    EXPECT_TRUE(particles.IsPaused());
    EXPECT_FALSE(particles.IsPlaying());
    gui.Press({"Particle Effect", "Play##playParticle"});
    EXPECT_TRUE(particles.IsPlaying());
    EXPECT_FALSE(particles.IsPaused());

    particles.settings.emissionRate = 600;
    particles.EmissionTick(0.1f, nullptr);
    ASSERT_GT(particles.GetLiveCount(), 0);
    gui.Press({"Particle Effect", "Restart##restartParticle"});
    EXPECT_EQ(particles.GetLiveCount(), 0);
    EXPECT_TRUE(particles.IsPlaying());
    gui.Press({"Particle Effect", "Stop##stopParticle"});
    EXPECT_TRUE(particles.IsStopped());
    EXPECT_FALSE(particles.IsEmitting());
    EXPECT_TRUE(gui.Shows("Particles      0")) << gui.Text();

    // A prefab's effect does not play in the scene.
    Crate().AddComponent("ParticleSystem");
    Inspect(Crate(), InspectorKind::Prefab);
    EXPECT_FALSE(GuiDriver::WindowShown("Particle Effect"));
}

TEST_F(InspectorGui, TheShapeSectionShowsOnlyTheMeasuresOfTheChosenShape)
{
    GameObject& sparks = Spawn({"ParticleSystem"});
    ParticleSettings& settings = sparks.GetComponent<ParticleSystem>()->settings;
    Inspect(sparks);
    gui.Open({"Inspector", "Particle System"});
    gui.Open({"Inspector", "Particle System", "Shape"});
    const struct
    {
        EmitterShape shape;
        bool angle, radius, faceNormal;
    } cases[] = {{EmitterShape::Box, false, false, false},
                 {EmitterShape::BoxShell, false, false, true},
                 {EmitterShape::Cone, true, true, false},
                 {EmitterShape::Sphere, false, true, false}};
    for (const auto& c : cases)
    {
        settings.shapeType = static_cast<int>(c.shape);
        gui.Frame();
        EXPECT_EQ(gui.Shows("Angle:"), c.angle) << static_cast<int>(c.shape);
        EXPECT_EQ(gui.Shows("Radius:"), c.radius) << static_cast<int>(c.shape);
        EXPECT_EQ(gui.Shows("Arc:"), c.radius) << static_cast<int>(c.shape);
        EXPECT_EQ(gui.Shows("Use Face Normal?"), c.faceNormal) << static_cast<int>(c.shape);
    }

    gui.Open({"Inspector", "Particle System", "Color over Lifetime"});
    gui.Type({"Inspector", "Particle System", "##ColourMaxr:"}, "300");
    EXPECT_FLOAT_EQ(settings.colourMax.x, 255.0f);
}

TEST_F(InspectorGui, AMaterialIsRenamedClearedFilledFromThePickerAndSavedUnderItsNewName)
{
    ResourceManager resources(Root());
    Material& stone = resources.materials["Stone"];
    stone.name = "Stone";
    stone.diffuseMap = "stone.dds";
    stone.specularMap = "shine.dds";
    stone.hasDiffuseMap = stone.hasSpecularMap = true;
    // Textures that could not be read share GL name 0.
    for (const char* name : {"moss.dds", "sand.dds"})
        resources.textures[name].name = name;
    editor().SetInspected(nullptr, "Stone", InspectorKind::Material, false);
    gui.Frame();

    gui.Type({"Inspector", "##matName"}, "Marble");
    EXPECT_EQ(stone.name, "Marble");
    gui.Press({"Inspector", "None##clearSpecMap"});
    EXPECT_EQ(stone.specularMap, "");
    EXPECT_FALSE(stone.hasSpecularMap);
    EXPECT_EQ(stone.diffuseMap, "stone.dds");

    gui.Press({"Inspector", "Change##changeDiffBtn"});
    ASSERT_TRUE(GuiDriver::WindowShown("Select 2D Texture"));
    EXPECT_TRUE(gui.Shows("moss.dds")) << gui.Text();
    gui.Press(GuiDriver::ImageButtonId({"Select 2D Texture", "sand.dds"}, 0));
    EXPECT_EQ(stone.diffuseMap, "sand.dds");
    EXPECT_EQ(resources.materials.size(), 1u) << "the renamed material is still found by its key";

    std::filesystem::create_directories(Root() + "Assets/Materials");
    gui.Press({"Inspector", "Save Material..."});
    EXPECT_TRUE(gui.Shows("You're about to overwrite Marble.xml.")) << gui.Text();
    gui.Press({"Save Material?", "OK"});
    EXPECT_NE(ReadText(Root() + "Assets/Materials/Marble.xml").find("<DiffuseMap>sand.dds</DiffuseMap>"),
              std::string::npos);
}

TEST_F(InspectorGui, SpawnSettingsRestartTheEffectAndTheOthersLetItRun)
{
    GameObject& sparks = Spawn({"ParticleSystem"});
    auto& particles = *sparks.GetComponent<ParticleSystem>();
    particles.SetMaxParticles(50);
    particles.settings.emissionRate = 600;
    const auto emit = [&particles] {
        particles.EmissionTick(0.1f, nullptr);
        return particles.GetLiveCount();
    };
    Inspect(sparks);
    gui.Open({"Inspector", "Particle System"});
    gui.Open({"Inspector", "Particle System", "Probe"});
    gui.Open({"Inspector", "Particle System", "Emission"});

    ASSERT_GT(emit(), 0);
    gui.Press({"Inspector", "Particle System", "##Looping"});
    EXPECT_FALSE(particles.settings.loop);
    EXPECT_GT(particles.GetLiveCount(), 0) << "looping does not restart";
    gui.Type({"Inspector", "Particle System", "##Rate"}, "300");
    EXPECT_EQ(particles.settings.emissionRate, 300);
    EXPECT_GT(particles.GetLiveCount(), 0) << "the rate does not restart";

    gui.Type({"Inspector", "Particle System", "##Duration "}, "2");
    EXPECT_FLOAT_EQ(particles.settings.duration, 2.0f);
    EXPECT_EQ(particles.GetLiveCount(), 0);

    ASSERT_GT(emit(), 0);
    gui.Type({"Inspector", "Particle System", "##Max Particles"}, "2000");
    EXPECT_EQ(particles.settings.maxParticles, 1000);
    EXPECT_EQ(particles.GetParticles().size(), 1000u);
    EXPECT_EQ(particles.GetLiveCount(), 0);

    gui.Type({"Inspector", "Particle System", "Burst Count"}, "5");
    EXPECT_EQ(particles.settings.burstCount, 1);
    ASSERT_EQ(particles.settings.bursts.size(), 1u);
    gui.Type({"Inspector", "Particle System", "##Burst Count0"}, "12");
    EXPECT_EQ(particles.settings.bursts[0].count, 12);
}
