#version 330 core
// Already in clip space: overlays that no camera moves.
layout (location = 0) in vec3 aPosition;
layout (location = 4) in vec2 aUV;

out vec2 uv;

void main()
{
    uv = aUV;
    gl_Position = vec4(aPosition, 1.0);
}
