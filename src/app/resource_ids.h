// Resource identifiers shared by quellix.rc and the C++ sources.
// Keep this file to plain #defines so the resource compiler can read it.
#ifndef QUELLIX_RESOURCE_IDS_H
#define QUELLIX_RESOURCE_IDS_H

#define IDI_APP 1

#endif
