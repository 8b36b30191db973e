#version 330 core
in vec3 worldPosition;
in vec3 normal;

uniform vec3 albedo;
uniform float metallic;
uniform float roughness;
uniform vec3 lightDirection;
uniform vec3 lightColour;
uniform vec3 camPos;

out vec4 fragColour;

const float PI = 3.14159265;

void main()
{
    vec3 n = normalize(normal);
    vec3 v = normalize(camPos - worldPosition);
    vec3 l = normalize(-lightDirection);
    vec3 h = normalize(v + l);
    float a = roughness * roughness;
    float nh = max(dot(n, h), 0.0);
    float nv = max(dot(n, v), 0.0);
    float nl = max(dot(n, l), 0.0);
    float d = a * a / (PI * pow(nh * nh * (a * a - 1.0) + 1.0, 2.0));
    float k = (roughness + 1.0) * (roughness + 1.0) / 8.0;
    float g = nv / (nv * (1.0 - k) + k) * nl / (nl * (1.0 - k) + k);
    vec3 f0 = mix(vec3(0.04), albedo, metallic);
    vec3 f = f0 + (1.0 - f0) * pow(1.0 - max(dot(h, v), 0.0), 5.0);
    vec3 specular = d * g * f / max(4.0 * nv * nl, 0.001);
    vec3 diffuse = (vec3(1.0) - f) * (1.0 - metallic) * albedo / PI;
    vec3 colour = (diffuse + specular) * lightColour * nl + 0.03 * albedo;
    fragColour = vec4(pow(colour / (colour + vec3(1.0)), vec3(1.0 / 2.2)), 1.0);
}
