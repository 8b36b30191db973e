#include "editorshowinfo.h"

#include "c_collider.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "c_waypoint.h"
#include "editorworld.h"
#include "material.h"
#include "monobehavior.h"
#include "resourcemanager.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace
{
// The fixture level: Crate A (2001) and Crate B (2002, under Altar) are instances of the prefab Crate (1001).
class InspectorEdits : public EditorWorld
{
protected:
    GameObject& Live(const std::string& name) { return *factory.FindObject(name); }
    GameObject& Crate() { return *factory.FindPrefab("Crate"); }
    GameObject& Spawn(std::initializer_list<const char*> components)
    {
        GameObject& object = *factory.SpawnObject("Probe", 0);
        for (const char* name : components)
            object.AddComponent(name);
        return object;
    }
    static std::vector<std::string> ComponentNames(const GameObject& object)
    {
        std::vector<std::string> names;
        for (const auto& component : object.GetComponents())
            names.push_back(component->GetElementName());
        return names;
    }
    static void AttachNames(GameObject& object, std::initializer_list<const char*> scripts)
    {
        auto& holder = static_cast<MonoBehaviorDLL&>(*object.AddComponent("MonoBehavior"));
        for (const char* script : scripts)
            holder.SetScript(script, nullptr);
    }
};
}

TEST_F(InspectorEdits, TheAddListKeepsRegistryOrderAndLeavesOutWhatClashesWithTheObjectsKind)
{
    EXPECT_THAT(inspector::AddableComponentNames(Spawn({})),
                ElementsAre("AABBCollider", "Animator", "AudioListener", "AudioSource", "Camera", "Canvas",
                            "CanvasRenderer", "CapsuleCollider", "DirectionalLight", "Image", "MeshFilter",
                            "MeshRenderer", "MonoBehavior", "ParticleSystem", "PointLight", "RectTransform",
                            "RigidBody", "SphereCollider", "Transform", "Waypoint"));
    const struct
    {
        const char* has;
        const char* leftOut[2];
    } cases[] = {{"Canvas", {"MeshFilter", "MeshRenderer"}},
                 {"CanvasRenderer", {"MeshFilter", "MeshRenderer"}},
                 {"MeshFilter", {"Canvas", "CanvasRenderer"}},
                 {"MeshRenderer", {"Canvas", "CanvasRenderer"}}};
    for (const auto& c : cases)
    {
        std::vector<std::string> expected = inspector::AddableComponentNames(Spawn({}));
        std::erase_if(expected, [&](const std::string& name) { return name == c.leftOut[0] || name == c.leftOut[1]; });
        EXPECT_EQ(inspector::AddableComponentNames(Spawn({c.has})), expected) << c.has;
    }
}

TEST_F(InspectorEdits, TheRemoveListNamesCollidersAndLightsByKindAndScriptsAfterTheirHolder)
{
    const struct
    {
        std::initializer_list<const char*> components;
        std::vector<std::string> removable;
    } cases[] = {
        {{"AABBCollider", "DirectionalLight"}, {"AABBCollider", "DirectionalLight"}},
        {{"SphereCollider", "PointLight", "RigidBody"}, {"SphereCollider", "PointLight", "RigidBody"}},
        {{"CapsuleCollider", "AudioListener", "Waypoint", "Animator"},
         {"CapsuleCollider", "AudioListener", "Waypoint", "Animator"}},
        {{"Camera", "RectTransform", "Canvas", "Image", "ParticleSystem"}, {"Canvas", "Image", "ParticleSystem"}},
        {{"Camera"}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inspector::RemovableComponentNames(Spawn(c.components)), c.removable);

    GameObject& scripted = Spawn({"AudioSource"});
    AttachNames(scripted, {"Turret", "Heart"});
    EXPECT_THAT(inspector::RemovableComponentNames(scripted),
                ElementsAre("AudioSource", "MonoBehaviorDLL", "Heart", "Turret"));
}

TEST_F(InspectorEdits, AddingAddsMeshPartsTogetherAndABodyWithEveryCollider)
{
    GameObject& mesh = Spawn({});
    inspector::AddChosenComponent(mesh, "MeshRenderer");
    EXPECT_THAT(ComponentNames(mesh), ElementsAre("Transform", "MeshFilter", "MeshRenderer"));

    GameObject& ball = Spawn({});
    inspector::AddChosenComponent(ball, "SphereCollider");
    EXPECT_THAT(ComponentNames(ball), ElementsAre("Transform", "SphereCollider", "RigidBody"));

    testing::internal::CaptureStderr();
    inspector::AddChosenComponent(ball, "NotAComponent");
    testing::internal::GetCapturedStderr();
    EXPECT_THAT(ComponentNames(ball), ElementsAre("Transform", "SphereCollider", "RigidBody"));
}

TEST_F(InspectorEdits, RemovingTakesMeshPartsTogetherAndErasesAScriptOnlyFromAHolder)
{
    GameObject& mesh = Spawn({"MeshFilter", "MeshRenderer", "ParticleSystem"});
    graphics().RegisterObject(&mesh);
    EXPECT_FALSE(inspector::RemoveChosenComponent(mesh, "MeshFilter", {}));
    EXPECT_THAT(ComponentNames(mesh), ElementsAre("Transform", "ParticleSystem"));
    EXPECT_FALSE(graphics().opaqueRenderables.active.Contains(&mesh));
    inspector::RemoveChosenComponent(mesh, "ParticleSystem", {});
    EXPECT_THAT(ComponentNames(mesh), ElementsAre("Transform"));
    EXPECT_FALSE(graphics().particleSystems.active.Contains(&mesh));

    // The choice outlives the object it was made on: an object without a holder is left alone.
    const std::vector<std::string> prototypes = {"Heart", "Turret"};
    EXPECT_FALSE(inspector::RemoveChosenComponent(mesh, "Turret", prototypes));

    GameObject& scripted = Spawn({});
    AttachNames(scripted, {"Turret", "Heart"});
    EXPECT_TRUE(inspector::RemoveChosenComponent(scripted, "Turret", prototypes));
    EXPECT_THAT(scripted.GetComponent<MonoBehaviorDLL>()->GetAttachedScriptNames(), ElementsAre("Heart"));
    EXPECT_FALSE(inspector::RemoveChosenComponent(scripted, "Unknown", prototypes));
    inspector::RemoveChosenComponent(scripted, "MonoBehaviorDLL", prototypes);
    EXPECT_THAT(ComponentNames(scripted), ElementsAre("Transform"));
}

TEST_F(InspectorEdits, APrefabEditReachesItsInstancesFirstAndSkipsOneWithoutTheComponent)
{
    std::vector<const Transform*> order;
    const auto move = [&order](Transform& transform) {
        transform.SetPosition(Vector3(7.0f, 0.0f, 0.0f));
        order.push_back(&transform);
    };
    inspector::Edit<Transform>(Crate(), true, inspector::kRecordedPropagated, move);
    const auto* crateA = Live("Crate A").GetComponent<Transform>();
    const auto* crateB = Live("Crate B").GetComponent<Transform>();
    const auto* prefab = Crate().GetComponent<Transform>();
    EXPECT_THAT(order, ElementsAre(crateA, crateB, prefab));

    order.clear();
    inspector::Edit<Transform>(Crate(), true, inspector::kRecordedObjectFirst, move);
    EXPECT_THAT(order, ElementsAre(prefab, crateA, crateB));

    // A scene object passes nothing on, and neither does a rule that does not propagate.
    order.clear();
    inspector::Edit<Transform>(Crate(), false, inspector::kRecordedPropagated, move);
    inspector::Edit<Transform>(Crate(), true, inspector::kRecorded, move);
    EXPECT_THAT(order, ElementsAre(prefab, prefab));

    order.clear();
    Live("Crate A").RemoveComponentByName("Transform");
    inspector::Edit<Transform>(Crate(), true, inspector::kRecordedPropagated, move);
    inspector::Edit<Transform>(Crate(), true, inspector::kDirect, move);
    EXPECT_THAT(order, ElementsAre(crateB, prefab, prefab));
}

TEST_F(InspectorEdits, TheMaterialsSizeGrowsWithDefaultMaterialsShrinksFromTheEndAndStopsAtZero)
{
    MeshRenderer renderer;
    renderer.AddMaterial("Stone");
    renderer.AddMaterial("Moss");
    inspector::ResizeMaterials(renderer, 4);
    EXPECT_THAT(renderer.GetMaterialNames(), ElementsAre("Stone", "Moss", "defaultMaterial", "defaultMaterial"));
    EXPECT_EQ(renderer.GetMaterials().size(), 4u);
    inspector::ResizeMaterials(renderer, 1);
    EXPECT_THAT(renderer.GetMaterialNames(), ElementsAre("Stone"));
    inspector::ResizeMaterials(renderer, 0);
    inspector::ResizeMaterials(renderer, -1);
    EXPECT_THAT(renderer.GetMaterialNames(), IsEmpty());
    EXPECT_THAT(renderer.GetMaterials(), IsEmpty());
}

TEST_F(InspectorEdits, AWaypointIsFoundByItsWhole64BitId)
{
    Spawn({"Waypoint"});
    GameObject& second = Spawn({"Waypoint"});
    const std::uint64_t id = second.GetComponent<Waypoint>()->GetUniqueID();
    ASSERT_GT(id, 0xffffffffull);
    EXPECT_EQ(inspector::FindWaypointObject(id), &second);
    EXPECT_EQ(inspector::FindWaypointObject(id & 0xffffffffull), nullptr);
    EXPECT_EQ(inspector::FindWaypointObject(0), nullptr);
}

TEST(ParticleEditorValues, BurstCountStaysWithinOneAndAddsOrDropsOnlyOnASingleStep)
{
    const ParticleBurst loaded{7, 2, 0.5f, 1.0f};
    const struct
    {
        int count;
        std::size_t bursts;
        int entered;
        int stored;
        std::size_t burstsAfter;
    } cases[] = {{0, 0, 1, 1, 1}, {1, 1, 0, 0, 0}, {0, 0, 5, 1, 1}, {3, 3, 2, 1, 3},
                 {1, 1, -4, 0, 0}, {1, 1, 2, 1, 1}, {0, 1, 1, 1, 1}};
    for (const auto& c : cases)
    {
        ParticleSettings settings;
        settings.burstCount = c.count;
        settings.bursts.assign(c.bursts, loaded);
        inspector::SetBurstCount(settings, c.entered);
        EXPECT_EQ(settings.burstCount, c.stored) << c.count << " -> " << c.entered;
        EXPECT_EQ(settings.bursts.size(), c.burstsAfter) << c.count << " -> " << c.entered;
    }
    ParticleSettings fresh;
    inspector::SetBurstCount(fresh, 1);
    ASSERT_EQ(fresh.bursts.size(), 1u);
    EXPECT_EQ(fresh.bursts[0].count, 30);
    EXPECT_EQ(fresh.bursts[0].cycles, 1);
    EXPECT_FLOAT_EQ(fresh.bursts[0].interval, 0.01f);
    EXPECT_FLOAT_EQ(fresh.bursts[0].time, 0.0f);

    float component = 12.0f;
    for (const auto& [entered, stored] : {std::pair{300, 255.0f}, {-3, 0.0f}, {128, 128.0f}})
    {
        inspector::StoreColourComponent(component, entered);
        EXPECT_EQ(component, stored) << entered;
    }
}

TEST(ParticleEditorValues, ThePreviewTogglePausesWhilePlayingAndPlaysOtherwise)
{
    EXPECT_STREQ(inspector::ParticleToggleLabel(true, false), "Pause##pauseParticle");
    EXPECT_STREQ(inspector::ParticleToggleLabel(true, true), "Play##pauseParticle");
    EXPECT_STREQ(inspector::ParticleToggleLabel(false, true), "Play##playParticle");
    EXPECT_STREQ(inspector::ParticleToggleLabel(false, false), "Play##pauseParticle");
}

TEST(MaterialMaps, NoneAndPicksChangeOnlyTheTargetedMapAndItsFlag)
{
    Material material;
    inspector::SetTextureSlot(material, "diffMap", "stone.dds");
    inspector::SetTextureSlot(material, "specMap", "shine.dds");
    inspector::SetTextureSlot(material, "specMap", "");
    EXPECT_EQ(material.diffuseMap, "stone.dds");
    EXPECT_TRUE(material.hasDiffuseMap);
    EXPECT_EQ(material.specularMap, "");
    EXPECT_FALSE(material.hasSpecularMap);

    inspector::SetTextureSlot(material, "specMap", "shine.dds");
    inspector::SetTextureSlot(material, "particleTexture", "spark.dds");
    EXPECT_EQ(material.specularMap, "shine.dds");
    EXPECT_TRUE(material.hasSpecularMap);
    EXPECT_EQ(material.diffuseMap, "stone.dds");
    EXPECT_FALSE(material.hasNormalMap);
    EXPECT_FALSE(material.hasHeightMap);
}

TEST(MaterialMaps, ThePickerFitsColumnsOf70PixelsLessOne)
{
    for (const auto& [width, columns] : {std::pair{700.0f, 8}, {555.0f, 5}, {1500.0f, 19}, {100.0f, 1}})
        EXPECT_EQ(inspector::TexturePickerColumns(width), columns) << width;
}

TEST_F(InspectorEdits, ThePickerFillsTheInspectedMaterialsSlotOrTheInspectedParticles)
{
    ResourceManager resources(Root());
    resources.materials["Stone"] = Material();
    editor().SetInspected(nullptr, "Stone", InspectorKind::Material, false);
    editor().OpenTexturePicker("nrmMap");
    editor().PickTexture("bumps.dds");
    EXPECT_EQ(resources.materials["Stone"].normalMap, "bumps.dds");
    EXPECT_TRUE(resources.materials["Stone"].hasNormalMap);

    // The target stays after the particles' object is left for one without particles.
    GameObject& sparks = Spawn({"ParticleSystem"});
    editor().SetInspected(&sparks, {}, InspectorKind::SceneObject, false);
    editor().OpenTexturePicker("particleTexture");
    editor().PickTexture("spark.dds");
    EXPECT_EQ(sparks.GetComponent<ParticleSystem>()->settings.textureName, "spark.dds");
    editor().SetInspected(&Live("Altar"), {}, InspectorKind::SceneObject, false);
    editor().PickTexture("other.dds");
    EXPECT_EQ(editor().TextureTarget(), "particleTexture");
}

TEST_F(InspectorEdits, MaterialsAreSavedUnderPlainNamesOnly)
{
    Material material;
    material.name = "Renamed";
    material.shininess = 12.5f;
    std::filesystem::create_directories(Root() + "Assets/Materials");
    ASSERT_TRUE(inspector::SaveMaterial(material, Root()));
    const std::string saved = ReadText(Root() + "Assets/Materials/Renamed.xml");
    EXPECT_NE(saved.find("<MatName>Renamed</MatName>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Shininess>12.5</Shininess>"), std::string::npos) << saved;

    testing::internal::CaptureStderr();
    for (const char* name : {"", "../Escape", "Sub/Dir", "Back\\Slash"})
    {
        material.name = name;
        EXPECT_FALSE(inspector::SaveMaterial(material, Root())) << name;
    }
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(std::filesystem::exists(Root() + "Assets/Escape.xml"));
}

TEST_F(InspectorEdits, SavingAnInstanceUpdatesItsPrefabInMemoryAndInItsFile)
{
    GameObject& instance = Live("Crate B");
    instance.SetName("Renamed crate");
    instance.SetTag("Heavy");
    instance.AddComponent("AABBCollider");
    EXPECT_EQ(inspector::PrefabFileOf(instance), "Crate_1001_Prefab.xml");
    ASSERT_TRUE(inspector::SaveInstanceAsPrefab(instance));

    GameObject& prefab = Crate();
    EXPECT_EQ(prefab.GetName(), "Crate");
    EXPECT_EQ(prefab.GetID(), 1001u);
    EXPECT_EQ(prefab.GetTag(), "Heavy");
    EXPECT_THAT(ComponentNames(prefab), ElementsAre("Transform", "AABBCollider"));
    EXPECT_EQ(prefab.GetTransform()->GetParent(), nullptr);
    ExpectNear(prefab.GetTransform()->GetPosition(), Vector3(4.0f, 0.5f, -2.0f), "prefab position");

    const std::string path = Root() + "Assets/Prefabs/Crate_1001_Prefab.xml";
    const std::string written = ReadText(path);
    for (const char* line : {"<Name>Crate</Name>", "<PrefabID>0</PrefabID>", "<ID>1001</ID>", "<Tag>Heavy</Tag>",
                             "<AABBCollider>"})
        EXPECT_NE(written.find(line), std::string::npos) << line << " in\n" << written;
    // The next save of every prefab writes the same.
    factory.SavePrefabs(Root() + "Assets/Prefabs/");
    EXPECT_EQ(ReadText(path), written);
}

TEST_F(InspectorEdits, AFailedPrefabSaveIsReportedAndLeavesThePrefabAsItWas)
{
    const std::filesystem::path prefabs = Root() + "Assets/Prefabs";
    std::filesystem::remove_all(prefabs);
    WriteText("Assets/Prefabs", "not a folder");
    GameObject& instance = Live("Crate A");
    instance.SetTag("Heavy");
    instance.AddComponent("RigidBody");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(inspector::SaveInstanceAsPrefab(instance));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Error creating"), std::string::npos);
    EXPECT_EQ(Crate().GetTag(), "Breakable");
    EXPECT_THAT(ComponentNames(Crate()), ElementsAre("Transform"));
    ExpectNear(Crate().GetTransform()->GetRotation(), Vector3(0.0f, 90.0f, 0.0f), "prefab rotation");
}

TEST(LightColourEdits, OneUseOfThePickerIsOneEditFromTheColourBeforeIt)
{
    inspector::ColourEditRecorder recorder;
    int light = 0;
    int other = 0;
    recorder.Change(&light, Vector3(1.0f, 0.0f, 0.0f));
    recorder.Change(&light, Vector3(0.9f, 0.1f, 0.0f));
    EXPECT_FALSE(recorder.End(&light, true)) << "still dragging";
    EXPECT_FALSE(recorder.End(&other, false)) << "another light's swatch";
    const std::optional<Vector3> before = recorder.End(&light, false);
    ASSERT_TRUE(before);
    ExpectNear(*before, Vector3(1.0f, 0.0f, 0.0f), "colour before the drag");
    EXPECT_FALSE(recorder.End(&light, false)) << "the edit is over";

    // A change on another light starts an edit of its own.
    recorder.Change(&light, Vector3(0.5f, 0.5f, 0.5f));
    recorder.Change(&other, Vector3(0.0f, 0.0f, 1.0f));
    ExpectNear(*recorder.End(&other, false), Vector3(0.0f, 0.0f, 1.0f), "other light");
}

TEST_F(InspectorEdits, FadeMovesTheMaterialsRenderersIntoTheTransparentPassAtOnce)
{
    auto owned = std::make_unique<ResourceManager>(Root());
    ResourceManager& resources = *owned;
    graphics().SetResourceManager(std::move(owned));
    resources.materials["Glass"] = Material();
    GameObject& pane = Spawn({"MeshFilter", "MeshRenderer"});
    pane.GetComponent<MeshRenderer>()->AddMaterial("Glass");
    graphics().RegisterObject(&pane);
    ASSERT_TRUE(graphics().opaqueRenderables.active.Contains(&pane));

    inspector::SetRenderMode(resources.materials["Glass"], 1);
    EXPECT_TRUE(graphics().transparentRenderables.active.Contains(&pane));
    EXPECT_FALSE(graphics().opaqueRenderables.active.Contains(&pane));
    inspector::SetRenderMode(resources.materials["Glass"], 0);
    EXPECT_TRUE(graphics().opaqueRenderables.active.Contains(&pane));
}
