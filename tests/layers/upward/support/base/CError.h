#pragma once

#include "CPageWriter.h"
