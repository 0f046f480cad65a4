#version 450
// Shades a fragment with a texture and a tint.

layout(location = 0) in vec2 uv;
layout(location = 0) out vec4 color;

/* A block comment
   // with a line comment inside */
uniform sampler2D image;
uniform vec4 tint; // the tint

#define SCALE 2.0 // a macro
#ifdef GAMMA
const float gamma = 2.2;
#endif

void main()
{
    color = texture(image, uv * SCALE) * tint; // a comment \
    continued by a backslash
}
