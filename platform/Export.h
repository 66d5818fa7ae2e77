// What the Plotwell libraries export.
//
// A shared build compiles the libraries with hidden visibility, so a shared
// object exports only what is marked here: the classes, functions and
// variables of the installed headers (PLOTWELL_API). A class is marked as a
// whole (`class PLOTWELL_API TFoo`), which exports its members, its vtable
// and its type information; inline member functions stay hidden, every
// user compiling its own copy.
//
// PLOTWELL_INTERNAL_API marks the few declarations of internal headers that
// one Plotwell library calls in another (the figure output of the graphics
// library, used by the scale and the chart). They must be in the dynamic
// symbol table for the libraries to link, but are no part of the API: their
// headers are not installed and they may change in any version.
//
// The same attribute in a static build changes nothing (everything is
// visible there), so this header is not generated and needs no definition
// from the build.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define PLOTWELL_API __attribute__((visibility("default")))
#else
#define PLOTWELL_API
#endif

#define PLOTWELL_INTERNAL_API PLOTWELL_API
