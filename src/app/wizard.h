// The wizard: a step machine over the page index, from the flavour checks to the last page.
#pragma once

class WVexaInstApp;

void RunWizard(WVexaInstApp& app);
