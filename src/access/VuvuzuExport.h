#pragma once

// Marks what the access library exports to its host.
#if defined(VUVUZU_BUILDING_LIBRARY)
#define VUVUZU_API __attribute__((visibility("default")))
#else
#define VUVUZU_API
#endif
