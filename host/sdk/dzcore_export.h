#pragma once

#include <QtGlobal>

// dzcore is built with hidden symbols; its API is exported explicitly.
#if defined(DZCORE_LIBRARY)
#define DZCORE_EXPORT Q_DECL_EXPORT
#else
#define DZCORE_EXPORT Q_DECL_IMPORT
#endif
