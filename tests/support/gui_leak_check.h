// Include once, in the main file of a test program that opens windows or OpenGL contexts.
#pragma once

// Under the sanitizer build, leak checking is off in such programs: Mesa's software driver is
// unloaded before the check runs, so the memory it still holds shows up as leaks whose stacks
// point into an unmapped library (or, wrongly, into whatever library now lies there), and no
// suppression can name them. Memory errors and undefined behaviour are still caught here, and
// leaks in every program that needs no display. The environment's ASAN_OPTIONS win over this.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}
