// Before the first page: are the file sets that the flavour selects on the media at all?
#pragma once

class WVexaInstApp;

bool CheckMediaForSelection(WVexaInstApp& app);
