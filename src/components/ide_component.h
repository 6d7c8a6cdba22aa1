// The IDE component: its file sets, its OVRA.ini entries (uninstall command, last project, default
// directories), the Program Manager group, and its help files and manuals in the numbered lists.
#pragma once

class WVexaTools;

// Ends at once (with the continue flag clear) when one of the IDE's file sets fails.
void InstallIdeComponent(WVexaTools& host);
// The ST6 kit: the same, then the ST6 target and its header directory.
void InstallIdeComponentSt6(WVexaTools& host);

// The manuals of the flavour as "group\title" names with their "\DOC\" paths, in list order.
void RegisterIdeManuals();
