#pragma once

#include "dzsettings.h"

// The options of one file import or export.
class DZCORE_EXPORT DzFileIOSettings : public DzSettings {};
