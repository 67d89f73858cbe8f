#include "PageWriter.h"
#include <QWidget>
