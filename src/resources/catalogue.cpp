#include "resources/catalogue.h"
