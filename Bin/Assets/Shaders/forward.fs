#version 330 core
// Blinn-Phong with directional and point lights, a hand-compared shadow map for the first directional
// light, optional HDR tone mapping, then gamma.
struct Material
{
    int renderMode;
    vec4 matDiffuse;
    vec4 matSpecular;
    float shininess;
    vec2 repeat;
    int hasDiffMap;
    int hasSpecMap;
    int hasNormalMap;
    int hasHeightMap;
    sampler2D diffuseTex;
    sampler2D specularTex;
    sampler2D normalTex;
    sampler2D heightTex;
};

struct DirLight
{
    vec3 direction;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
    float intensity;
};

struct PointLight
{
    vec3 position;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
    float intensity;
    float range;
};

const int MAX_DIRECTIONAL_LIGHTS = 4;
const int MAX_POINT_LIGHTS = 32;
const float HEIGHT_SCALE = 0.05;

in VS_OUT
{
    vec3 worldPosition;
    vec2 uv;
    mat3 tbn;
    vec4 lightSpacePosition;
} fsIn;

out vec4 fragColour;

uniform Material mat;
uniform DirLight dirLights[MAX_DIRECTIONAL_LIGHTS];
uniform PointLight ptLights[MAX_POINT_LIGHTS];
uniform int NUM_OF_DIRECTIONAL_LIGHTS;
uniform int NUM_OF_POINT_LIGHTS;
uniform vec3 camPos;
uniform vec3 worldAmbient;
uniform float gamma;
uniform float exposure;
uniform int hdr;
uniform int renderParticles;
uniform sampler2D shadowMap;

// 1 in shadow, 0 lit; outside the light's box nothing is shadowed.
float Shadow(vec3 normal, vec3 toLight)
{
    vec3 projected = fsIn.lightSpacePosition.xyz / fsIn.lightSpacePosition.w * 0.5 + 0.5;
    if (any(lessThan(projected, vec3(0.0))) || any(greaterThan(projected, vec3(1.0))))
        return 0.0;
    float bias = max(0.005 * (1.0 - dot(normal, toLight)), 0.0005);
    vec2 texel = 1.0 / vec2(textureSize(shadowMap, 0));
    float shadow = 0.0;
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            shadow += projected.z - bias > texture(shadowMap, projected.xy + vec2(x, y) * texel).r ? 1.0 : 0.0;
    return shadow / 9.0;
}

vec3 Light(vec3 ambient, vec3 diffuse, vec3 specular, vec3 toLight, vec3 normal, vec3 toEye, vec3 baseColour,
           vec3 specularColour, float lit)
{
    float diffuseAmount = max(dot(normal, toLight), 0.0);
    float specularAmount = pow(max(dot(normal, normalize(toLight + toEye)), 0.0), max(mat.shininess, 1.0));
    return ambient * baseColour +
           lit * (diffuse * diffuseAmount * baseColour + specular * specularAmount * specularColour);
}

vec2 SurfaceUV(vec3 toEye)
{
    vec2 uv = fsIn.uv * mat.repeat;
    if (mat.hasHeightMap == 1)
    {
        vec3 eyeTangent = transpose(fsIn.tbn) * toEye;
        uv -= eyeTangent.xy * (texture(mat.heightTex, uv).r * HEIGHT_SCALE);
    }
    return uv;
}

vec3 SurfaceNormal(vec2 uv)
{
    if (mat.hasNormalMap == 1)
        return normalize(fsIn.tbn * (texture(mat.normalTex, uv).rgb * 2.0 - 1.0));
    return normalize(fsIn.tbn[2]);
}

void main()
{
    vec3 toEye = normalize(camPos - fsIn.worldPosition);
    vec2 uv = SurfaceUV(toEye);
    vec4 base = mat.matDiffuse;
    if (mat.hasDiffMap == 1)
        base *= texture(mat.diffuseTex, uv);
    vec3 specularColour = mat.matSpecular.rgb;
    if (mat.hasSpecMap == 1)
        specularColour *= texture(mat.specularTex, uv).rgb;
    vec3 normal = SurfaceNormal(uv);

    vec3 colour = worldAmbient * base.rgb;
    // Particles drawn through this program glow: no lighting.
    if (renderParticles == 1)
        colour = base.rgb;
    else
    {
        for (int i = 0; i < min(NUM_OF_DIRECTIONAL_LIGHTS, MAX_DIRECTIONAL_LIGHTS); ++i)
        {
            vec3 toLight = normalize(-dirLights[i].direction);
            float lit = i == 0 ? 1.0 - Shadow(normal, toLight) : 1.0;
            colour += dirLights[i].intensity * Light(dirLights[i].ambient, dirLights[i].diffuse, dirLights[i].specular,
                                                     toLight, normal, toEye, base.rgb, specularColour, lit);
        }
        for (int i = 0; i < min(NUM_OF_POINT_LIGHTS, MAX_POINT_LIGHTS); ++i)
        {
            vec3 offset = ptLights[i].position - fsIn.worldPosition;
            float fade = clamp(1.0 - length(offset) / max(ptLights[i].range, 0.0001), 0.0, 1.0);
            colour += ptLights[i].intensity * fade * fade *
                      Light(ptLights[i].ambient, ptLights[i].diffuse, ptLights[i].specular, normalize(offset), normal,
                            toEye, base.rgb, specularColour, 1.0);
        }
    }
    if (hdr == 1)
        colour = vec3(1.0) - exp(-colour * exposure);
    colour = pow(max(colour, vec3(0.0)), vec3(1.0 / max(gamma, 0.0001)));
    fragColour = vec4(colour, mat.renderMode == 1 ? base.a : 1.0);
}
