#include "windows/GraphWindow.h"
