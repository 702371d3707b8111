// The one way to configure the viewer from outside: nine whole numbers.
#pragma once

// With exactly nine values after the program name, sets the camera (eye x y z,
// centre x y z, up x y z) and points the light along the eye position. Each
// value is read as atoi reads it ("2.7" is 2, "abc" is 0), but a value beyond
// the range of int is clamped to it. Any other count changes nothing.
void applyCommandLine(int argc, char **argv);
