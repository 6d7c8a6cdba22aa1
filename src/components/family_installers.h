// The family installers: one routine per tool family or add-on product, run in a fixed order while every
// file set so far was installed. Each tests its tags, installs its file sets through the engine and stages
// what the IDE must know in OVRA.ini and the numbered lists.
#pragma once

class WVexaTools;

// Every family installer in the install phase's order; each returns at once when its tag is not set or
// the host's continue flag is clear.
void RunFamilyInstallers(WVexaTools& host);
