#include "CPageWriter.h"
#include <QWidget>
