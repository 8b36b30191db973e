// Saving, loading, comparing and cloning of the scene components, case by case in tables.
#include "c_animator.h"
#include "c_camera.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_recttransform.h"
#include "componentregistry.h"
#include "objectworld.h"
#include "resourcemanager.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{
using ComponentSwitch = std::pair<CompEnum, GameObject*>;
using Made = std::function<std::unique_ptr<Component>()>;

std::string Saved(const Component& component, const Component* prefab = nullptr)
{
    return XmlText().Written([&](XMLWriter& writer) { component.Serialize(writer, prefab); });
}

// A new component of the registered name, read from the text's first element.
std::unique_ptr<Component> Loaded(const std::string& registered, const std::string& text)
{
    std::unique_ptr<Component> component = ComponentCreators().at(registered)();
    const auto reader = XmlText().Parsed(text);
    component->Deserialize(*reader->GetRoot());
    component->PostLoad();
    return component;
}

template <class C>
Made Make(std::function<void(C&)> change = {})
{
    return [change] {
        auto component = std::make_unique<C>();
        if (change)
            change(*component);
        return std::unique_ptr<Component>(std::move(component));
    };
}

// A material "Stone" (named after its file) and a controller "Mummy" to refer to.
struct Caches
{
    Caches()
    {
        resources.materials["Stone"].name = "Stone";
        resources.materials["Stone"].diffuse = {0.1f, 0.2f, 0.3f, 1.0f};
        resources.animationControllers["Mummy"] = std::make_unique<AnimationController>();
        resources.animationControllers["Mummy"]->name = "Mummy";
    }
    ResourceManager resources{"/nonexistent/"};
};

struct RoundTrip
{
    std::string registered;
    Made make;
    std::string text;
};

TEST(SceneComponents, EveryKindSavesItsWholeElementAndReadsItBack)
{
    const RoundTrip cases[] = {
        {"Camera", Make<Camera>([](Camera& c) {
             c.SetFOV(75.0f);
             c.SetNear(0.5f);
             c.SetFar(250.0f);
             c.SetMouseSensitivity(0.25f);
         }),
         "<Camera>\n\t<Enabled>true</Enabled>\n\t<FOV>75</FOV>\n\t<Near>0.5</Near>\n\t<Far>250</Far>\n"
         "\t<MouseSensitivity>0.25</MouseSensitivity>\n</Camera>\n"},
        {"DirectionalLight", Make<DirectionalLight>([](DirectionalLight& l) {
             l.SetDiffuse({1.0f, 0.5f, 0.25f});
             l.SetDirection({0.0f, -1.0f, 0.0f});
             l.SetIntensity(2.0f);
         }),
         "<DirectionalLight>\n\t<Enabled>true</Enabled>\n\t<Ambient>0.05, 0.05, 0.05</Ambient>\n"
         "\t<Diffuse>1, 0.5, 0.25</Diffuse>\n\t<Specular>1, 1, 1</Specular>\n\t<Intensity>2</Intensity>\n"
         "\t<Direction>0, -1, 0</Direction>\n</DirectionalLight>\n"},
        {"PointLight", Make<PointLight>([](PointLight& l) {
             l.SetAmbient({0.1f, 0.2f, 0.3f});
             l.SetRange(12.5f);
         }),
         "<PointLight>\n\t<Enabled>true</Enabled>\n\t<Ambient>0.1, 0.2, 0.3</Ambient>\n"
         "\t<Diffuse>1, 1, 1</Diffuse>\n\t<Specular>1, 1, 1</Specular>\n\t<Intensity>1</Intensity>\n"
         "\t<Range>12.5</Range>\n</PointLight>\n"},
        {"Canvas", Make<Canvas>([](Canvas& c) { c.SetPPU(64); }),
         "<Canvas>\n\t<Enabled>true</Enabled>\n\t<PPU>64</PPU>\n</Canvas>\n"},
        {"CanvasRenderer", Make<CanvasRenderer>(),
         "<CanvasRenderer>\n\t<Enabled>true</Enabled>\n</CanvasRenderer>\n"},
        {"RectTransform", Make<RectTransform>([](RectTransform& r) {
             r.SetPosition({10.0f, -4.0f, 2.0f});
             r.SetScale({3.0f, 0.5f});
             r.SetRotation(45.0f);
         }),
         "<RectTransform>\n\t<Enabled>true</Enabled>\n\t<Position>10, -4, 2</Position>\n"
         "\t<Scale>3, 0.5</Scale>\n\t<Rotation>45</Rotation>\n</RectTransform>\n"},
        {"MeshFilter", Make<MeshFilter>([](MeshFilter& m) { m.SetMeshName("Cube"); }),
         "<MeshFilter>\n\t<Enabled>true</Enabled>\n\t<Mesh>Cube</Mesh>\n</MeshFilter>\n"},
        {"MeshRenderer", Make<MeshRenderer>([](MeshRenderer& m) {
             m.AddMaterial("Stone");
             m.AddMaterial("Gold");
         }),
         "<MeshRenderer>\n\t<Enabled>true</Enabled>\n\t<Material>\n\t\t<Material0>Stone</Material0>\n"
         "\t\t<Material1>Gold</Material1>\n\t</Material>\n</MeshRenderer>\n"},
        {"MeshRenderer", Make<MeshRenderer>(), "<MeshRenderer>\n\t<Enabled>true</Enabled>\n</MeshRenderer>\n"},
        {"Image", Make<Image>([](Image& i) {
             i.SetMaterial("Stone");
             i.SetAlpha(0.5f);
         }),
         "<Image>\n\t<Enabled>true</Enabled>\n\t<Material>Stone</Material>\n\t<Alpha>0.5</Alpha>\n</Image>\n"},
        {"Animator", Make<Animator>([](Animator& a) { a.SetController("Mummy"); }),
         "<Animator>\n\t<Enabled>true</Enabled>\n\t<AnimControllerName>Mummy</AnimControllerName>\n</Animator>\n"},
    };
    const Caches caches;
    for (const RoundTrip& c : cases)
    {
        SCOPED_TRACE(c.registered);
        const std::unique_ptr<Component> original = c.make();
        EXPECT_EQ(original->GetElementName(), c.registered);
        EXPECT_EQ(Saved(*original), c.text);
        const std::unique_ptr<Component> loaded = Loaded(c.registered, c.text);
        EXPECT_TRUE(loaded->Compare(*original));
        EXPECT_EQ(Saved(*loaded), c.text);
    }
}

struct PrefabDifference
{
    std::string what;
    Made prefab;
    Made instance;
    std::string text;
};

TEST(SceneComponents, AgainstTheirPrefabTheyWriteWhatDiffersAndLightsWriteEverything)
{
    const PrefabDifference cases[] = {
        {"equal camera", Make<Camera>(), Make<Camera>(), ""},
        {"camera far", Make<Camera>(), Make<Camera>([](Camera& c) { c.SetFar(40.0f); }),
         "<Camera>\n\t<Far>40</Far>\n</Camera>\n"},
        {"camera dirty flags are not saved", Make<Camera>(), Make<Camera>([](Camera& c) { c.SetViewDirty(false); }),
         ""},
        {"equal light still whole", Make<PointLight>(), Make<PointLight>(),
         "<PointLight>\n\t<Enabled>true</Enabled>\n\t<Ambient>0.05, 0.05, 0.05</Ambient>\n"
         "\t<Diffuse>1, 1, 1</Diffuse>\n\t<Specular>1, 1, 1</Specular>\n\t<Intensity>1</Intensity>\n"
         "\t<Range>5</Range>\n</PointLight>\n"},
        {"canvas ppu", Make<Canvas>(), Make<Canvas>([](Canvas& c) { c.SetPPU(50); }), ""},
        {"canvas disabled", Make<Canvas>(), Make<Canvas>([](Canvas& c) { c.SetEnabled(false); }),
         "<Canvas>\n\t<Enabled>false</Enabled>\n</Canvas>\n"},
        {"renderer disabled", Make<CanvasRenderer>(),
         Make<CanvasRenderer>([](CanvasRenderer& c) { c.SetEnabled(false); }),
         "<CanvasRenderer>\n\t<Enabled>false</Enabled>\n</CanvasRenderer>\n"},
        {"rect scale and rotation", Make<RectTransform>(), Make<RectTransform>([](RectTransform& r) {
             r.SetScale({1.0f, 2.0f});
             r.SetRotation(90.0f);
             r.SetPosition({0.0f, 0.0f, 5e-7f});
         }),
         "<RectTransform>\n\t<Scale>1, 2</Scale>\n\t<Rotation>90</Rotation>\n</RectTransform>\n"},
        {"equal mesh filter", Make<MeshFilter>(), Make<MeshFilter>(), ""},
        {"mesh filter name", Make<MeshFilter>(), Make<MeshFilter>([](MeshFilter& m) { m.SetMeshName("Logo"); }),
         "<MeshFilter>\n\t<Mesh>Logo</Mesh>\n</MeshFilter>\n"},
        {"equal renderer", Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Stone"); }),
         Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Stone"); }), ""},
        {"renderer disabled", Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Stone"); }),
         Make<MeshRenderer>([](MeshRenderer& m) {
             m.AddMaterial("Stone");
             m.SetEnabled(false);
         }),
         "<MeshRenderer>\n\t<Enabled>false</Enabled>\n</MeshRenderer>\n"},
        {"renderer renamed", Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Stone"); }),
         Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Gold"); }),
         "<MeshRenderer>\n\t<Material>\n\t\t<Material0>Gold</Material0>\n\t</Material>\n</MeshRenderer>\n"},
        {"renderer added one", Make<MeshRenderer>([](MeshRenderer& m) { m.AddMaterial("Stone"); }),
         Make<MeshRenderer>([](MeshRenderer& m) {
             m.AddMaterial("Stone");
             m.AddMaterial("Gold");
         }),
         "<MeshRenderer>\n\t<Material>\n\t\t<Material0>Stone</Material0>\n\t\t<Material1>Gold</Material1>\n"
         "\t</Material>\n</MeshRenderer>\n"},
        {"equal image still whole", Make<Image>(), Make<Image>(),
         "<Image>\n\t<Enabled>true</Enabled>\n\t<Material>defaultMaterial</Material>\n\t<Alpha>1</Alpha>\n</Image>\n"},
        {"equal animator", Make<Animator>(), Make<Animator>(), ""},
        {"animator disabled", Make<Animator>(), Make<Animator>([](Animator& a) { a.SetEnabled(false); }),
         "<Animator>\n\t<Enabled>false</Enabled>\n</Animator>\n"},
    };
    for (const PrefabDifference& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<Component> prefab = c.prefab();
        EXPECT_EQ(Saved(*c.instance(), prefab.get()), c.text);
    }
}

TEST(SceneComponents, CompareAnswersFalseWithAReportForAnotherClass)
{
    const struct
    {
        Made make;
        std::string report;
    } cases[] = {
        {Make<Camera>(), "Camera compare function kena nullptr"},
        {Make<DirectionalLight>(), "DirectionalLight compare function kena nullptr"},
        {Make<PointLight>(), "PointLight compare function kena nullptr"},
        {Make<Canvas>(), "Canvas compare function kena nullptr"},
        {Make<CanvasRenderer>(), "CanvasRenderer compare function kena nullptr"},
        {Make<RectTransform>(), "RectTransform compare function kena nullptr"},
        {Make<MeshFilter>(), "MeshFilter compare function kena nullptr"},
        {Make<MeshRenderer>(), "MeshRenderer compare function kena nullptr"},
        {Make<Image>(), "Image compare function kena nullptr"},
        {Make<Animator>(), "Animator compare function kena nullptr"},
    };
    const MeshFilter filter;
    const Camera camera;
    for (const auto& c : cases)
    {
        const std::unique_ptr<Component> component = c.make();
        const Component& other = component->GetName() == "MeshFilter" ? static_cast<const Component&>(camera) : filter;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(component->Compare(other));
        EXPECT_NE(testing::internal::GetCapturedStderr().find(c.report), std::string::npos) << c.report;
    }
}

TEST(SceneComponents, ComparingLightsFollowsTheirKinds)
{
    DirectionalLight sun;
    DirectionalLight turned;
    turned.SetDirection({1.0f, 0.0f, 0.0f});
    EXPECT_TRUE(sun.Compare(turned)) << "direction is not compared";
    turned.SetDiffuse({1.0f, 1.0f, 1.0f + 5e-7f});
    EXPECT_TRUE(sun.Compare(turned)) << "colours within the tolerance";
    turned.SetIntensity(1.0f + 1e-6f);
    EXPECT_FALSE(sun.Compare(turned)) << "intensity exactly";

    PointLight lamp;
    PointLight wider;
    wider.SetRange(6.0f);
    EXPECT_FALSE(lamp.Compare(wider));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sun.Compare(lamp));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(Light().Compare(sun)) << "kinds differ";
}

TEST(SceneComponents, ClonesKeepTheEnabledFlagAndLeaveLinksBehind)
{
    const Made disabled[] = {Make<Camera>(),         Make<DirectionalLight>(), Make<PointLight>(),
                             Make<Canvas>(),         Make<CanvasRenderer>(),   Make<RectTransform>(),
                             Make<MeshFilter>(),     Make<MeshRenderer>(),     Make<Image>(),
                             Make<Animator>()};
    for (const Made& make : disabled)
    {
        std::unique_ptr<Component> source = make();
        source->SetEnabled(false);
        const std::unique_ptr<Component> copy = source->Clone();
        EXPECT_FALSE(copy->IsEnabled()) << source->GetElementName();
        EXPECT_EQ(copy->GetKind(), source->GetKind());
        EXPECT_EQ(Saved(*copy), Saved(*source)) << source->GetElementName();
    }

    Camera camera;
    camera.SetViewDirty(false);
    camera.SetProjectionDirty(false);
    const auto cameraCopy = camera.Clone();
    EXPECT_TRUE(dynamic_cast<Camera&>(*cameraCopy).IsViewDirty());
    EXPECT_TRUE(dynamic_cast<Camera&>(*cameraCopy).IsProjectionDirty());

    RectTransform rect;
    rect.SetRotation(30.0f);
    rect.SetRotationMatrix(Matrix3());
    EXPECT_EQ(dynamic_cast<RectTransform&>(*rect.Clone()).GetRotationMatrix(), Matrix3()) << "a full copy";
}

TEST(SceneComponents, LightsReadTheirChildrenWithoutTellingAnySystem)
{
    ObjectWorld world;
    PostedMessages posted;
    GameObject& lamp = world.Live("Lamp", 1);
    auto* light = dynamic_cast<PointLight*>(lamp.AddComponent("PointLight"));
    const auto reader = XmlText().Parsed("<Anything>\n\t<Enabled>false</Enabled>\n\t<Range>9</Range>\n"
                                         "\t<Direction>1, 2, 3</Direction>\n\t<Intensity>abc</Intensity>\n"
                                         "</Anything>\n");
    testing::internal::CaptureStderr();
    light->Deserialize(*reader->GetRoot());
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(light->IsEnabled());
    EXPECT_EQ(light->GetRange(), 9.0f);
    EXPECT_EQ(light->GetDirection(), Vector3()) << "a point light has no direction";
    EXPECT_EQ(light->GetIntensity(), 1.0f) << "a malformed number leaves the member";
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty());

    // The other components announce a loaded change of the flag.
    GameObject& view = world.Live("View", 2);
    Component* camera = view.AddComponent("Camera");
    camera->Deserialize(*XmlText().Parsed("<Camera>\n\t<Enabled>false</Enabled>\n</Camera>\n")->GetRoot());
    const auto switches = posted.Take<ComponentSwitch>();
    ASSERT_EQ(switches.size(), 1u);
    EXPECT_EQ(switches[0].first, "DisableComponent");
    EXPECT_EQ(switches[0].second, ComponentSwitch(CompEnum::Camera, &view));
}

TEST(SceneComponents, LightKindsAnswerOnlyTheirOwnFields)
{
    DirectionalLight sun;
    PointLight lamp;
    Light plain;
    sun.SetRange(3.0f);
    lamp.SetDirection({1.0f, 0.0f, 0.0f});
    plain.SetRange(3.0f);
    EXPECT_EQ(sun.GetRange(), 0.0f);
    EXPECT_EQ(sun.GetDirection(), Vector3(0.0f, -1.0f, -1.0f));
    EXPECT_EQ(lamp.GetDirection(), Vector3());
    EXPECT_EQ(lamp.GetRange(), 5.0f);
    EXPECT_EQ(plain.GetRange(), 0.0f);
    EXPECT_EQ(sun.GetType(), 0u);
    EXPECT_EQ(lamp.GetType(), 1u);
    EXPECT_EQ(plain.GetType(), 2u);
    for (const Light* light : std::initializer_list<const Light*>{&sun, &lamp, &plain})
    {
        EXPECT_EQ(light->GetName(), "Light");
        EXPECT_EQ(light->GetKind(), CompEnum::Light);
    }
}

TEST(SceneComponents, AnObjectHoldsOneLightOfEitherKind)
{
    ObjectWorld world;
    GameObject& lamp = world.Live("Lamp", 1);
    Component* first = lamp.AddComponent("DirectionalLight");
    EXPECT_EQ(lamp.AddComponent("PointLight"), first);
    EXPECT_EQ(lamp.GetLight(), dynamic_cast<LightInterface*>(first));
}

TEST(SceneComponents, MalformedValuesAreReportedAndLeaveTheMember)
{
    const struct
    {
        std::string registered;
        std::string text;
        std::function<bool(const Component&)> unchanged;
    } cases[] = {
        {"Camera", "<Camera>\n\t<FOV>wide</FOV>\n\t<Enabled>yes</Enabled>\n</Camera>\n",
         [](const Component& c) {
             const auto& camera = dynamic_cast<const Camera&>(c);
             return camera.GetFOV() == 60.0f && camera.IsEnabled();
         }},
        {"Canvas", "<Canvas>\n\t<PPU>many</PPU>\n</Canvas>\n",
         [](const Component& c) { return dynamic_cast<const Canvas&>(c).GetPPU() == 100u; }},
        {"Canvas", "<Canvas>\n\t<PPU>-5</PPU>\n</Canvas>\n",
         [](const Component& c) { return dynamic_cast<const Canvas&>(c).GetPPU() == 100u; }},
        {"RectTransform", "<RectTransform>\n\t<Scale>abc</Scale>\n\t<Rotation>x</Rotation>\n</RectTransform>\n",
         [](const Component& c) {
             const auto& rect = dynamic_cast<const RectTransform&>(c);
             return rect.GetScale() == Vector2(1.0f, 1.0f) && rect.GetRotation() == 0.0f;
         }},
    };
    for (const auto& c : cases)
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const auto component = Loaded(c.registered, c.text);
        const std::string said = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
        EXPECT_TRUE(c.unchanged(*component)) << c.text;
        EXPECT_FALSE(said.empty()) << c.text;
    }
}

TEST(SceneComponents, ElementsOfAnotherNameChangeNothing)
{
    for (const std::string registered :
         {"Camera", "Canvas", "CanvasRenderer", "RectTransform", "MeshFilter"})
    {
        const auto component = Loaded(registered, "<Other>\n\t<Enabled>false</Enabled>\n</Other>\n");
        EXPECT_TRUE(component->IsEnabled()) << registered;
    }
}
} // namespace
