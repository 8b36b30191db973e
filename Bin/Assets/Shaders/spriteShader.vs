#version 330 core
// UI quads: position and texture coordinate in one vec4.
layout (location = 0) in vec4 aVertex;

uniform mat4 projection;
uniform mat4 model;

out vec2 uv;

void main()
{
    uv = aVertex.zw;
    gl_Position = projection * model * vec4(aVertex.xy, 0.0, 1.0);
}
