// KORVI_API marks what the shared library exports: the functions and the class its
// public headers declare. Everything else in it is hidden.
#pragma once

#ifndef KORVI_API
#if defined(__GNUC__) || defined(__clang__)
#define KORVI_API __attribute__((visibility("default")))
#else
#define KORVI_API
#endif
#endif
