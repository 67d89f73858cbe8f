#pragma once

#include "CError.h"
