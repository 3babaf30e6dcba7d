// The names the program's own runtime functions are defined under. The
// programs they serve call them by their standard names. Their tests build
// them under other names (TESSALANDER_RUNTIME_UNDER_TEST), so that the
// compiler's and the C library's own stay beside them as the reference.
#pragma once

#if defined(TESSALANDER_RUNTIME_UNDER_TEST)
#define TESSALANDER_RUNTIME_NAME(name) tested_##name
#else
#define TESSALANDER_RUNTIME_NAME(name) name
#endif
