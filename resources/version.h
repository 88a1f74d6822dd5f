/* GKRTimer's version: its version resource, the release package's name
   (scripts/release reads it from here) and the manifest agree on it. */
#ifndef GKR_RESOURCES_VERSION_H
#define GKR_RESOURCES_VERSION_H

#define GKR_VERSION_MAJOR 0
#define GKR_VERSION_MINOR 0
#define GKR_VERSION_PATCH 1
#define GKR_VERSION_BUILD 4
#define GKR_VERSION_TEXT "0.0.1.4"

#endif
