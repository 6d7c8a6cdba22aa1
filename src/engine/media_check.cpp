#include "engine/media_check.h"

#include "app/inst_app.h"

// Accepts every media until the file-set lists are known.
bool CheckMediaForSelection(WVexaInstApp&) {
    return true;
}
