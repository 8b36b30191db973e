#version 330 core
// Written exactly: no lighting, no gamma.
uniform vec4 PickingColor;

out vec4 fragColour;

void main()
{
    fragColour = PickingColor;
}
